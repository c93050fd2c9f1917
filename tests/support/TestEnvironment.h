#pragma once
// What the tests share: paths of the build, the real X server's gamma ramp,
// scratch folders and registry clean-up.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace TestEnv {

// A Unix path of the build as a Windows path Wine understands (Z:\...).
std::wstring FromUnixPath(const std::string& unixPath);

// Where Wine keeps a Windows path on the Unix side; empty when it cannot say.
std::string UnixPathOf(const std::wstring& path);

// The installed suite folder this build produced (build/dist64), with a trailing '\'.
std::wstring DistFolder();

// The source tree's root, with a trailing '\'.
std::wstring SourceFolder();

// Runs a Unix command line through /bin/sh and returns what it printed.
// Returns false when the command could not be started or exited non-zero.
bool RunUnixCommand(const std::string& command, std::string& output);

// The X server's gamma ramp: three channels of (normally) 256 entries.
struct TXGammaRamp {
    std::vector<unsigned> red, green, blue;
};
bool ReadXGammaRamp(TXGammaRamp& ramp);

// A fresh, empty folder under the system's temporary folder, removed on destruction.
class CScratchFolder {
public:
    explicit CScratchFolder(const std::wstring& name);
    ~CScratchFolder();
    const std::wstring& Path() const { return m_path; } // ends in '\'
    std::wstring File(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};

// A Unix symbolic link at `link` to `target` for the scope (Wine follows
// these the way Windows follows a planted link).
class CSymbolicLink {
public:
    CSymbolicLink(const std::wstring& target, const std::wstring& link);
    ~CSymbolicLink();
    CSymbolicLink(const CSymbolicLink&) = delete;
    CSymbolicLink& operator=(const CSymbolicLink&) = delete;
    bool IsValid() const { return m_made; }

private:
    std::string m_link;
    bool m_made = false;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
void RemoveFolderTree(const std::wstring& path);

// Deletes a registry key and everything below it, in the given view (KEY_WOW64_64KEY or KEY_WOW64_32KEY).
void DeleteRegistryTree(HKEY root, const std::wstring& keyPath, REGSAM view);

} // namespace TestEnv
