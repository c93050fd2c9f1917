#include "biz/OpenedFile.h"

#include "biz/libutils.h"

namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// Where the object behind the handle lies, every link resolved, as a DOS path.
std::wstring FinalPath(HANDLE handle)
{
    DWORD needed = ::GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (needed == 0)
        return std::wstring();
    std::wstring path(needed, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, &path[0], needed, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= needed)
        return std::wstring();
    path.resize(length);
    if (StartsWith(path, kLongUncPrefix))
        return L"\\\\" + path.substr(wcslen(kLongUncPrefix));
    if (StartsWith(path, kLongPathPrefix))
        return path.substr(wcslen(kLongPathPrefix));
    return path;
}

std::wstring FinalFolderPath(const std::wstring& folder)
{
    CFileHandle handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle ? FinalPath(handle.Get()) : std::wstring();
}

std::wstring WithBackslashes(std::wstring path)
{
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

// `path` below `folder`, without the separator between them; false when it is not below it.
bool RelativePart(const std::wstring& path, std::wstring folder, std::wstring& relative)
{
    folder = WithBackslashes(folder);
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    const std::wstring full = WithBackslashes(path);
    if (folder.empty() || full.size() <= folder.size() + 1 || !StartsWith(full, folder) || full[folder.size()] != L'\\')
        return false;
    relative = full.substr(folder.size() + 1);
    return true;
}

} // namespace

bool IsPlainFileAt(HANDLE file, const std::wstring& path, const std::wstring& trustedFolder)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        info.nNumberOfLinks != 1)
        return false;
    std::wstring relative;
    if (!RelativePart(path, trustedFolder, relative))
        return false;
    const std::wstring folder = FinalFolderPath(trustedFolder);
    const std::wstring actual = FinalPath(file);
    return !folder.empty() && !actual.empty() && SameText(actual, JoinPath(folder, relative));
}

CFileHandle OpenPlainFile(const std::wstring& path, const std::wstring& trustedFolder, DWORD access, DWORD share,
                          DWORD disposition)
{
    const bool mayCreate = disposition != OPEN_EXISTING && disposition != TRUNCATE_EXISTING;
    CFileHandle file(::CreateFileW(path.c_str(), access | (mayCreate ? DELETE : 0), share, nullptr, disposition,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    const bool created = mayCreate && ::GetLastError() != ERROR_ALREADY_EXISTS;
    if (file && !IsPlainFileAt(file.Get(), path, trustedFolder)) {
        if (created)
            DeleteOpenedFile(file.Get());
        file.Reset();
    }
    return file;
}

bool DeleteOpenedFile(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}
