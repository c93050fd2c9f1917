#pragma once
// Decisions about a file made on the handle that was opened, never on its
// path a second time: what it holds, where it really lies, and deleting it.
// Between two opens of one path a planted link can point somewhere else.
#include <windows.h>

#include <string>
#include <vector>

#include "base/ScopedHandle.h"

// The whole file from its start; false when it is larger than `maxBytes` or
// a read comes up short. An empty file gives no bytes.
template <typename Byte>
bool ReadOpenedFile(HANDLE file, unsigned long long maxBytes, std::vector<Byte>& bytes)
{
    static_assert(sizeof(Byte) == 1, "a byte buffer");
    LARGE_INTEGER size{}, start{};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes ||
        !::SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), Byte(0));
    DWORD read = 0;
    return bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

// True when `file` is a plain file (no reparse point, no second name) that
// really lies at `path`. `path` must lie below `trustedFolder`: where that
// folder itself lies is the system's business (a moved ProgramData), but
// nothing below it may lead elsewhere.
bool IsPlainFileAt(HANDLE file, const std::wstring& path, const std::wstring& trustedFolder);

// Opens `path` itself (a link in its place is not followed) and keeps it only
// when it is a plain file at that place; a file this call created and then
// refused is removed again. `access`, `share` and `disposition` as CreateFileW.
CFileHandle OpenPlainFile(const std::wstring& path, const std::wstring& trustedFolder, DWORD access, DWORD share,
                          DWORD disposition);

// Marks an open file for deletion (the handle needs DELETE access); it goes
// when its last handle closes.
bool DeleteOpenedFile(HANDLE file);
