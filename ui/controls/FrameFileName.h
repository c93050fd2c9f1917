#pragma once
// The file of frame `number` of a numbered picture series: the number goes
// before the pattern's last '.', or at the end when no '.' follows the first character.
#include <string>

namespace SkinUI {

inline std::wstring FrameFileName(const std::wstring& pattern, int number)
{
    const size_t dot = pattern.rfind(L'.');
    if (dot == std::wstring::npos || dot == 0)
        return pattern + std::to_wstring(number);
    return pattern.substr(0, dot) + std::to_wstring(number) + pattern.substr(dot);
}

} // namespace SkinUI
