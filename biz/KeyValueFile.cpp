#include "biz/KeyValueFile.h"

#include <windows.h>

#include <climits>

#include "base/ScopedHandle.h"

namespace {

std::wstring FromAnsi(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string StripSpaces(const std::string& text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > KeyValueFile::kMaxFileSize)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return false;
        if (got == 0)
            break; // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return true;
}

} // namespace

KeyValueFile::KeyValueFile(const std::wstring& path)
{
    std::string bytes;
    if (ReadWholeFile(path, bytes))
        m_entries = Parse(bytes);
}

std::map<std::wstring, std::wstring> KeyValueFile::Parse(const std::string& bytes)
{
    std::map<std::wstring, std::wstring> entries;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;

        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line.size() > kMaxLineLength)
            continue;
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        entries[FromAnsi(StripSpaces(line.substr(0, colon)))] = FromAnsi(StripSpaces(line.substr(colon + 1)));
    }
    return entries;
}

std::wstring KeyValueFile::Lookup(const std::wstring& key, const std::wstring& defaultText) const
{
    auto found = m_entries.find(key);
    if (found == m_entries.end() || found->second.empty())
        return defaultText;
    return found->second;
}

int ParseDecimal(const std::wstring& text)
{
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        negative = text[at++] == L'-';
    long long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10 + (text[at] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturate, never overflow
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
