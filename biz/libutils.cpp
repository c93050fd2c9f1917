#include "biz/libutils.h"

#include "base/ScopedHandle.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <mutex>
#include <vector>

namespace {

constexpr DWORD kRegistryBufferBytes = 2048;
constexpr DWORD kConfigValueChars = 200;
constexpr size_t kMaxFolderPathChars = 256;
constexpr wchar_t kPluginLibraryName[] = L"vizadudora.dll";
// The suite's service host; only the scheme and the paths are fixed.
constexpr wchar_t kDefaultServiceHost[] = L"https://client.orvane.com";

std::wstring Lowered(std::wstring text)
{
    if (!text.empty())
        ::CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ModulePath(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

HMODULE ModuleOfThisCode()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

// Whether this code was loaded as the suite's plug-in library: then settings
// live beside that library instead of beside the host's executable.
bool RunsInsidePluginLibrary()
{
    static const bool inside = [] {
        std::wstring path = Lowered(ModulePath(ModuleOfThisCode()));
        size_t nameLength = wcslen(kPluginLibraryName);
        return path.size() >= nameLength &&
               path.compare(path.size() - nameLength, nameLength, kPluginLibraryName) == 0;
    }();
    return inside;
}

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::wstring();
    return path;
}

std::wstring BuiltInAddressDefault(const std::wstring& key)
{
    if (key == L"isok_addr")
        return std::wstring(kDefaultServiceHost) + L"/api/isok";
    if (key == L"auth_addr")
        return std::wstring(kDefaultServiceHost) + L"/api/auth";
    if (key == L"config_addr")
        return std::wstring(kDefaultServiceHost) + L"/api/v1/client/config/xml";
    return std::wstring();
}

bool ReadValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, REGSAM view,
               std::wstring& text)
{
    CRegKey key;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ | view, key.Receive()) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(kRegistryBufferBytes / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = kRegistryBufferBytes;
    DWORD type = REG_NONE;
    // A number or a blob under a text's name is not that text.
    if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                           &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    // A value that fills the whole buffer without its own terminator does not fit.
    if (bytes >= kRegistryBufferBytes && buffer[kRegistryBufferBytes / sizeof(wchar_t) - 1] != L'\0')
        return false;
    text.assign(buffer.data());
    return true;
}

} // namespace

bool RegWriteString(HKEY root, DWORD valueType, const std::wstring& keyPath, const std::wstring& valueName,
                    const std::wstring& data, bool use64BitView)
{
    CRegKey key;
    // Setting values is all it asks for: that is what standard users are
    // granted on the tool's key, where full access would be refused.
    REGSAM access = KEY_SET_VALUE | (use64BitView ? KEY_WOW64_64KEY : 0);
    if (::RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                          key.Receive(), nullptr) != ERROR_SUCCESS)
        return false;
    // With its terminator, so that readers which trust the system's
    // termination get one.
    DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(key.Get(), valueName.c_str(), 0, valueType, reinterpret_cast<const BYTE*>(data.c_str()),
                         bytes) != ERROR_SUCCESS)
        return false;
    ::RegFlushKey(key.Get());
    return true;
}

bool RegReadString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, std::wstring& text)
{
    return ReadValue(root, keyPath, valueName, KEY_WOW64_64KEY, text);
}

bool RegReadStringHklm(const std::wstring& keyPath, const std::wstring& valueName, bool use64BitView,
                       std::wstring& text)
{
    return ReadValue(HKEY_LOCAL_MACHINE, keyPath, valueName, use64BitView ? KEY_WOW64_64KEY : KEY_WOW64_32KEY,
                     text);
}

std::wstring GetInstallFolder()
{
    std::wstring folder;
    // Anything but a local absolute folder would make libraries and files
    // load from the current folder or from another machine.
    if (!RegReadStringHklm(SuiteRegistry::kSuiteKey, L"OrvaneInstallPath", false, folder) ||
        !IsLocalAbsolutePath(folder))
        folder = GetModuleFolder();
    return folder;
}

std::wstring GetLoginUid()
{
    std::wstring uid;
    if (!RegReadString(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKeyUpper, L"loginuid", uid))
        uid.clear();
    return uid;
}

std::wstring GetSuiteDataBase()
{
    static const std::wstring base = [] {
        std::wstring common = ShellFolder(CSIDL_COMMON_APPDATA);
        return common.empty() ? ShellFolder(CSIDL_LOCAL_APPDATA) : common;
    }();
    return base;
}

std::wstring GetSuiteDataFolder()
{
    static std::once_flag once;
    static std::wstring folder;
    std::call_once(once, [] {
        folder = GetSuiteDataBase() + L"\\Orvane\\Pellwick\\";
        if (!IsExistingFolder(folder))
            CreateFolderTree(folder);
    });
    return folder;
}

std::wstring GetModuleFolder()
{
    HMODULE module = RunsInsidePluginLibrary() ? ModuleOfThisCode() : nullptr;
    return FolderOf(ModulePath(module));
}

std::wstring ReadConfigIni(const std::wstring& key, const std::wstring& defaultText)
{
    std::wstring file = GetModuleFolder() + L"config.ini";
    std::wstring builtIn = BuiltInAddressDefault(key);
    const std::wstring& fallback = builtIn.empty() ? defaultText : builtIn;
    wchar_t value[kConfigValueChars] = {};
    ::GetPrivateProfileStringW(L"config", key.c_str(), fallback.c_str(), value, kConfigValueChars, file.c_str());
    return value;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/')
        return folder + name;
    return folder + L'\\' + name;
}

bool IsLocalAbsolutePath(const std::wstring& path)
{
    const wchar_t drive = path.empty() ? L'\0' : static_cast<wchar_t>(path[0] | 0x20); // lower case
    const bool driveLetter = path.size() >= 3 && drive >= L'a' && drive <= L'z' && path[1] == L':' &&
                             (path[2] == L'\\' || path[2] == L'/');
    if (!driveLetter)
        return false; // relative, drive-relative, UNC and device paths
    const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
    const UINT type = ::GetDriveTypeW(root);
    return type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_CDROM || type == DRIVE_RAMDISK;
}

bool IsExistingFolder(const std::wstring& path)
{
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFile(const std::wstring& path)
{
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderTree(const std::wstring& path)
{
    if (path.empty() || path.size() >= kMaxFolderPathChars)
        return false;
    for (size_t i = 1; i < path.size(); ++i) {
        if ((path[i] == L'\\' || path[i] == L'/') && path[i - 1] != L':') {
            std::wstring prefix = path.substr(0, i);
            if (!IsExistingFolder(prefix))
                ::CreateDirectoryW(prefix.c_str(), nullptr);
        }
    }
    ::CreateDirectoryW(path.c_str(), nullptr);
    return IsExistingFolder(path);
}
