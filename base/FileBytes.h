#pragma once
// Reads a whole file into memory in one call.
#include <windows.h>

#include <string>
#include <vector>

#include "base/ScopedHandle.h"

// False when the file cannot be opened with the given sharing, is larger
// than `maxBytes`, or cannot be read whole. An empty file gives no bytes.
template <typename Byte>
bool ReadFileBytes(const std::wstring& path, DWORD share, unsigned long long maxBytes, std::vector<Byte>& bytes)
{
    static_assert(sizeof(Byte) == 1, "a byte buffer");
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), Byte(0));
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}
