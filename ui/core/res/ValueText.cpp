#include "ui/core/res/ValueText.h"

#include <cwchar>

namespace SkinUI {

namespace {

// Reads up to `count` separated decimals; missing ones stay 0.
void ParseDecimals(const wchar_t* text, long* values, int count)
{
    const wchar_t* cursor = text ? text : L"";
    for (int i = 0; i < count; ++i) {
        wchar_t* end = nullptr;
        values[i] = std::wcstol(cursor, &end, 10);
        cursor = end;
        if (*cursor == L'\0')
            return; // never step over the terminator
        ++cursor;
    }
}

} // namespace

DWORD ParseColourText(const wchar_t* text)
{
    if (!text)
        return 0;
    if (*text == L'#')
        ++text;
    return static_cast<DWORD>(std::wcstoul(text, nullptr, 16));
}

RECT ParseRectText(const wchar_t* text)
{
    long values[4] = {};
    ParseDecimals(text, values, 4);
    return RECT{values[0], values[1], values[2], values[3]};
}

SIZE ParseSizeText(const wchar_t* text)
{
    long values[2] = {};
    ParseDecimals(text, values, 2);
    return SIZE{values[0], values[1]};
}

bool ParseFlagText(const wchar_t* text) { return text && std::wcscmp(text, L"true") == 0; }

std::wstring FlagToText(bool value) { return value ? L"true" : L"false"; }

std::wstring IntToText(int value) { return std::to_wstring(value); }

std::wstring RectToText(const RECT& rect)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%d,%d,%d,%d", int(rect.left), int(rect.top), int(rect.right), int(rect.bottom));
    return buffer;
}

std::wstring SizeToText(const SIZE& size)
{
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%d,%d", int(size.cx), int(size.cy));
    return buffer;
}

std::wstring ColourToText(DWORD argb)
{
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"#%02X%02X%02X%02X", unsigned(argb >> 24) & 0xFF, unsigned(argb >> 16) & 0xFF,
                  unsigned(argb >> 8) & 0xFF, unsigned(argb) & 0xFF);
    return buffer;
}

} // namespace SkinUI
