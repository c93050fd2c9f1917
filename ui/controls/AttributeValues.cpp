#include "ui/controls/AttributeValues.h"

#include "ui/core/res/ValueText.h"

#include <climits>
#include <cwchar>

namespace SkinUI {

int ReadIntValue(const std::wstring& text)
{
    const long value = std::wcstol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

DWORD ReadBackColourValue(const std::wstring& text)
{
    const wchar_t* cursor = text.c_str();
    while (*cursor != L'\0' && *cursor <= L' ')
        ++cursor;
    return ParseColourText(cursor);
}

TAnchorFractions ReadAnchorFractions(const std::wstring& text)
{
    double values[4] = {};
    const wchar_t* cursor = text.c_str();
    for (double& value : values) {
        wchar_t* end = nullptr;
        value = std::wcstod(cursor, &end);
        cursor = end;
        if (*cursor == L'\0')
            break; // never step over the terminator
        ++cursor;
    }
    return TAnchorFractions{values[0], values[1], values[2], values[3]};
}

void ForEachAttributePair(const std::wstring& list,
                          const std::function<void(const std::wstring& name, const std::wstring& value)>& apply)
{
    const size_t length = list.size();
    size_t at = 0;
    while (at < length) {
        const size_t equals = list.find(L'=', at);
        if (equals == std::wstring::npos)
            return;
        const std::wstring name = list.substr(at, equals - at);
        at = equals + 1;
        if (at >= length || list[at] != L'"')
            return;
        ++at;
        const size_t closing = list.find(L'"', at);
        if (closing == std::wstring::npos)
            return;
        const std::wstring value = list.substr(at, closing - at);
        at = closing + 1;
        apply(name, value);
        if (at >= length || list[at] != L' ')
            return;
        ++at;
    }
}

} // namespace SkinUI
