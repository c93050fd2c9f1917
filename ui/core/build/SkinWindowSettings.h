#pragma once
// What a skin document sets on its window context besides controls: the
// resource elements (Image, Font, Default, MultiLanguage) and the attributes
// of the Window root element.
#include "ui/core/res/SkinMarkup.h"

namespace SkinUI {

class CWindowContextUI;

// True for the element names Image, Font, Default and MultiLanguage (any case).
bool IsResourceElement(const wchar_t* elementName);

// Applies one resource element to the context; other elements are ignored.
void ApplyResourceElement(const CSkinNode& node, CWindowContextUI& context);

// Applies one attribute of the Window element; unknown names are ignored.
void ApplyWindowAttribute(CWindowContextUI& context, const wchar_t* name, const wchar_t* value);

// A decimal number as skins write it ("12", "-1"); `fallback` for no text.
int ParseDecimalText(const wchar_t* text, int fallback);

} // namespace SkinUI
