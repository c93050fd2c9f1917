#pragma once
// Reading the value forms of control attributes that the render kit's value
// helpers do not cover, and splitting an attribute list into its pairs.
#include "ui/controls/ControlUI.h"

#include <windows.h>

#include <functional>
#include <string>

namespace SkinUI {

// A decimal integer; garbage gives 0, values beyond int are clamped.
int ReadIntValue(const std::wstring& text);

// A colour of the "bkcolor" family: leading characters up to code 32 are
// skipped, then an optional '#', then a hexadecimal number.
DWORD ReadBackColourValue(const std::wstring& text);

// Four decimal fractions, each followed by exactly one separator; missing
// values count as 0.
TAnchorFractions ReadAnchorFractions(const std::wstring& text);

// Calls `apply` for each pair of name="value" pairs separated by exactly one
// space. Any other character where '=', a quote or the space is expected ends
// the walk; the pairs before it have been applied.
void ForEachAttributePair(const std::wstring& list,
                          const std::function<void(const std::wstring& name, const std::wstring& value)>& apply);

} // namespace SkinUI
