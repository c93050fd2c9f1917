#pragma once
// Locating the suite on this machine and reading or writing its settings:
// registry strings, the install, module and data folders, and "config.ini".
#include <windows.h>

#include <string>

// Creates or opens `keyPath` under `root` and stores `data` with its
// terminating null. `use64BitView` selects the 64-bit registry view.
bool RegWriteString(HKEY root, DWORD valueType, const std::wstring& keyPath, const std::wstring& valueName,
                    const std::wstring& data, bool use64BitView);

// Reads a REG_SZ value of at most 1023 characters from the 64-bit view of `root`.
bool RegReadString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, std::wstring& text);

// The same on HKEY_LOCAL_MACHINE, in the 64-bit view only when asked.
bool RegReadStringHklm(const std::wstring& keyPath, const std::wstring& valueName, bool use64BitView,
                       std::wstring& text);

// The suite's install folder ("OrvaneInstallPath", 32-bit view); this
// module's own folder when that is missing or not a local absolute path.
std::wstring GetInstallFolder();

// The signed-in user's identifier; empty when unknown.
std::wstring GetLoginUid();

// "<common application data>\Orvane\Pellwick\", created on first use and cached.
std::wstring GetSuiteDataFolder();

// The system folder the suite data folder lives in (common application data,
// else the user's local application data), without a trailing backslash.
std::wstring GetSuiteDataBase();

// The folder of this module (or of the suite's plug-in library), ending in '\'.
std::wstring GetModuleFolder();

// `key` from section "config" of "config.ini" in the module folder.
std::wstring ReadConfigIni(const std::wstring& key, const std::wstring& defaultText);

// Creates `path` and every missing folder above it. Paths of 256 characters
// or more are refused.
bool CreateFolderTree(const std::wstring& path);

// `name` below `folder`, with exactly one backslash between them (none for an empty folder).
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// "X:\..." on a drive of this machine: not relative, drive-relative, UNC, a
// device path or a network drive.
bool IsLocalAbsolutePath(const std::wstring& path);

bool IsExistingFolder(const std::wstring& path);
bool IsExistingFile(const std::wstring& path);

// Registry locations shared by the suite.
namespace SuiteRegistry {
inline constexpr wchar_t kSuiteKey[] = L"Software\\Orvane\\Tamsel";
inline constexpr wchar_t kSuiteKeyUpper[] = L"SOFTWARE\\Orvane\\Tamsel";
inline constexpr wchar_t kColorTemperatureKey[] = L"SOFTWARE\\Orvane\\Tamsel\\ColorTemperature";
inline constexpr wchar_t kConfigsKey[] = L"SOFTWARE\\Orvane\\Tamsel\\Configs";
} // namespace SuiteRegistry
