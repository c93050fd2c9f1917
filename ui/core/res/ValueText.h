#pragma once
// The text forms of values in skin markup: colours "#AARRGGBB", rectangles
// "l,t,r,b", sizes "cx,cy" and flags "true", read and written back.
#include <windows.h>

#include <string>

namespace SkinUI {

// An optional '#' and a hexadecimal number read as a whole (six digits give alpha 0).
DWORD ParseColourText(const wchar_t* text);
// Four signed decimals; exactly one character (a comma in practice) separates them.
RECT ParseRectText(const wchar_t* text);
// Two signed decimals, separated like a rectangle's.
SIZE ParseSizeText(const wchar_t* text);
// True only for exactly "true".
bool ParseFlagText(const wchar_t* text);

inline DWORD ParseColourText(const std::wstring& text) { return ParseColourText(text.c_str()); }
inline RECT ParseRectText(const std::wstring& text) { return ParseRectText(text.c_str()); }
inline SIZE ParseSizeText(const std::wstring& text) { return ParseSizeText(text.c_str()); }
inline bool ParseFlagText(const std::wstring& text) { return ParseFlagText(text.c_str()); }

// The forms the attribute writer reads back.
std::wstring FlagToText(bool value);
std::wstring IntToText(int value);
std::wstring RectToText(const RECT& rect);
std::wstring SizeToText(const SIZE& size);
std::wstring ColourToText(DWORD argb);

} // namespace SkinUI
