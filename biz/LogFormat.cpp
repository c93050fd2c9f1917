#include "biz/LogFormat.h"

#include <cwchar>
#include <vector>

namespace {

bool IsOneOf(wchar_t c, const wchar_t* set)
{
    return c != L'\0' && std::wcschr(set, c) != nullptr;
}

// Skips a length modifier (h, hh, l, ll, L, w, z, j, t, I, I32, I64) if present.
const wchar_t* SkipLengthModifier(const wchar_t* p)
{
    if (p[0] == L'h' || p[0] == L'l')
        return p + (p[1] == p[0] ? 2 : 1);
    if (p[0] == L'I') {
        if ((p[1] == L'3' && p[2] == L'2') || (p[1] == L'6' && p[2] == L'4'))
            return p + 3;
        return p + 1;
    }
    if (IsOneOf(p[0], L"Lwzjt"))
        return p + 1;
    return p;
}

} // namespace

bool IsValidLogFormat(const wchar_t* format)
{
    if (format == nullptr)
        return false;
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%')
            continue;
        while (IsOneOf(*p, L"-+ #0"))
            ++p;
        if (*p == L'*')
            ++p;
        else
            while (*p >= L'0' && *p <= L'9')
                ++p;
        if (*p == L'.') {
            ++p;
            if (*p == L'*')
                ++p;
            else
                while (*p >= L'0' && *p <= L'9')
                    ++p;
        }
        p = SkipLengthModifier(p);
        if (!IsOneOf(*p, L"diouxXeEfFgGaAcCsSp"))
            return false;
    }
    return true;
}

std::wstring FormatWide(const wchar_t* format, va_list args)
{
    va_list counting;
    va_copy(counting, args);
    int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length < 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    _vsnwprintf(buffer.data(), buffer.size(), format, args);
    return std::wstring(buffer.data(), static_cast<size_t>(length));
}

std::wstring BareFileName(const std::wstring& sourcePath)
{
    size_t separator = sourcePath.find_last_of(L"\\/");
    return separator == std::wstring::npos ? sourcePath : sourcePath.substr(separator + 1);
}

std::wstring InsertFileInfix(const std::wstring& path, const std::wstring& infix)
{
    size_t dot = path.rfind(L'.');
    size_t separator = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (separator != std::wstring::npos && dot < separator))
        return path + L"." + infix;
    return path.substr(0, dot) + L"." + infix + path.substr(dot);
}
