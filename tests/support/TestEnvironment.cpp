#include "tests/support/TestEnvironment.h"

#include "base/ScopedHandle.h"

#include <fstream>
#include <sstream>

namespace TestEnv {

namespace {

std::wstring FromUtf8(const std::string& text)
{
    int chars = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(static_cast<size_t>(chars > 0 ? chars - 1 : 0), L'\0');
    if (chars > 1)
        ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &result[0], chars);
    return result;
}

std::wstring WithTrailingSlash(std::wstring path)
{
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path;
}

std::vector<unsigned> ParseEntries(const std::string& line)
{
    std::vector<unsigned> entries;
    std::istringstream stream(line);
    unsigned value;
    while (stream >> value)
        entries.push_back(value);
    return entries;
}

} // namespace

// Wine's own mapping of a Windows path to the Unix file system.
std::string UnixPathOf(const std::wstring& path)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* converted = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!converted)
        return std::string();
    std::string result = converted;
    ::HeapFree(::GetProcessHeap(), 0, converted);
    return result;
}

std::wstring FromUnixPath(const std::string& unixPath)
{
    std::wstring path = L"Z:" + FromUtf8(unixPath);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring DistFolder()
{
    const char* dist = std::getenv("ORVANE_DIST_DIR");
    return WithTrailingSlash(FromUnixPath(dist ? dist : ORVANE_BINARY_DIR "/../dist64"));
}

std::wstring SourceFolder()
{
    return WithTrailingSlash(FromUnixPath(ORVANE_SOURCE_DIR));
}

bool RunUnixCommand(const std::string& command, std::string& output)
{
    // Wine starts Unix programs through CreateProcess but does not connect
    // their standard output to our pipes, so the shell writes into a file.
    CScratchFolder scratch(L"unixcmd");
    std::wstring outFile = scratch.File(L"out.txt");
    std::string outPath = UnixPathOf(outFile);
    std::string script = "{ " + command + "; } > '" + outPath + "' 2>&1; echo $? > '" + outPath + ".rc'";
    std::string commandLine = "/bin/sh -c \"" + script + "\"";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    CKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, 60000);
    // The Unix child is not a Windows process we can wait on reliably: wait for its exit-code file.
    std::wstring rcFile = outFile + L".rc";
    for (int i = 0; i < 600; ++i) {
        std::string rc = ReadFileBytes(rcFile);
        if (!rc.empty() && rc.back() == '\n') {
            output = ReadFileBytes(outFile);
            return std::atoi(rc.c_str()) == 0;
        }
        ::Sleep(50);
    }
    return false;
}

bool ReadXGammaRamp(TXGammaRamp& ramp)
{
    const char* tool = std::getenv("XGAMMA");
    if (!tool)
        return false;
    std::string output;
    if (!RunUnixCommand(tool, output))
        return false;
    std::istringstream lines(output);
    std::string red, green, blue;
    std::getline(lines, red);
    std::getline(lines, green);
    std::getline(lines, blue);
    ramp.red = ParseEntries(red);
    ramp.green = ParseEntries(green);
    ramp.blue = ParseEntries(blue);
    return !ramp.red.empty() && ramp.red.size() == ramp.green.size() && ramp.red.size() == ramp.blue.size();
}

CScratchFolder::CScratchFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static LONG counter = 0;
    m_path = WithTrailingSlash(temp) + L"orvane_test_" + name + L"_" + std::to_wstring(::GetCurrentProcessId()) +
             L"_" + std::to_wstring(::InterlockedIncrement(&counter)) + L"\\";
    RemoveFolderTree(m_path);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

CScratchFolder::~CScratchFolder()
{
    RemoveFolderTree(m_path);
}

CSymbolicLink::CSymbolicLink(const std::wstring& target, const std::wstring& link) : m_link(UnixPathOf(link))
{
    std::string output;
    const std::string unixTarget = UnixPathOf(target);
    m_made = !m_link.empty() && !unixTarget.empty() &&
             RunUnixCommand("ln -sfn '" + unixTarget + "' '" + m_link + "'", output);
}

CSymbolicLink::~CSymbolicLink()
{
    std::string output;
    if (m_made)
        RunUnixCommand("rm -f '" + m_link + "'", output);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    DWORD written = 0;
    if (file && !bytes.empty())
        ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::wstring& path)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

void RemoveFolderTree(const std::wstring& path)
{
    std::wstring folder = WithTrailingSlash(path);
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = folder + name;
            // A link is removed, never followed: what it points at is not ours.
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                if (!::RemoveDirectoryW(child.c_str()))
                    ::DeleteFileW(child.c_str());
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

void DeleteRegistryTree(HKEY root, const std::wstring& keyPath, REGSAM view)
{
    ::RegDeleteTreeW(root, keyPath.c_str()); // native view
    CRegKey parent;
    size_t slash = keyPath.rfind(L'\\');
    std::wstring parentPath = slash == std::wstring::npos ? L"" : keyPath.substr(0, slash);
    std::wstring leaf = slash == std::wstring::npos ? keyPath : keyPath.substr(slash + 1);
    if (::RegOpenKeyExW(root, parentPath.c_str(), 0, KEY_ALL_ACCESS | view, parent.Receive()) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(parent.Get(), leaf.c_str());
        ::RegDeleteKeyExW(parent.Get(), leaf.c_str(), view, 0);
    }
}

} // namespace TestEnv
