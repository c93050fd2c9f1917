#include "ui/core/gfx/ImageAttr.h"

#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

namespace {

bool IsBlank(wchar_t c) { return c != L'\0' && c <= L' '; }

} // namespace

TImageAttrKeys ParseImageAttr(const std::wstring& text)
{
    TImageAttrKeys keys;
    keys.imageName = text;
    std::wstring resourceType;
    bool fromResource = false;

    const wchar_t* p = text.c_str(); // null-terminated, so every look-ahead stops at the end
    for (;;) {
        while (IsBlank(*p))
            ++p;
        const wchar_t* keyStart = p;
        while (*p != L'\0' && *p != L'=' && *p > L' ')
            ++p;
        const std::wstring key(keyStart, p);
        while (IsBlank(*p))
            ++p;
        if (*p != L'=')
            break;
        ++p;
        while (IsBlank(*p))
            ++p;
        if (*p != L'\'')
            break;
        ++p;
        const wchar_t* valueStart = p;
        while (*p != L'\0' && *p != L'\'')
            ++p;
        if (*p == L'\0')
            break; // unterminated value
        const std::wstring value(valueStart, p);
        ++p;

        if (!value.empty()) {
            if (key == L"file") {
                keys.imageName = value;
            } else if (key == L"res") {
                keys.imageName = value;
                fromResource = true;
            } else if (key == L"restype") {
                resourceType = value;
            } else if (key == L"dest") {
                keys.dest = ParseRectText(value);
            } else if (key == L"source") {
                keys.source = ParseRectText(value);
            } else if (key == L"corner") {
                keys.corner = ParseRectText(value);
            } else if (key == L"mask") {
                keys.mask = ParseColourText(value);
            } else if (key == L"fade") {
                keys.fade = BYTE(std::clamp<long>(std::wcstol(value.c_str(), nullptr, 10), 0, 255));
            } else if (key == L"hole") {
                keys.hole = ParseFlagText(value);
            } else if (key == L"xtiled") {
                keys.xTiled = ParseFlagText(value);
            } else if (key == L"ytiled") {
                keys.yTiled = ParseFlagText(value);
            } else if (key == L"hsl") {
                keys.hsl = ParseFlagText(value);
            }
        }

        // Pairs are separated by exactly one space followed by more text.
        if (p[0] != L' ' || p[1] == L'\0')
            break;
        ++p;
    }

    if (fromResource)
        keys.resourceType = resourceType;
    return keys;
}

} // namespace SkinUI
