// Markup attributes of the control base: writing, reading back, and applying
// a whole name="value" list.
#include "ui/controls/ControlUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"
#include "ui/core/res/ValueText.h"

#include <climits>

namespace SkinUI {

namespace {

// Sets a colour field; true when it changed.
bool StoreColour(DWORD& field, DWORD value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// b - a without overflow: extreme coordinates give an int-clamped span (a
// negative one is then ignored like any negative size).
int SpanBetween(LONG a, LONG b)
{
    const long long span = (long long)b - (long long)a;
    return span > INT_MAX ? INT_MAX : (span < INT_MIN ? INT_MIN : int(span));
}

} // namespace

void CControlUI::assignBackColour(DWORD argb)
{
    if (StoreColour(m_backColour, argb))
        requestRepaint();
}

void CControlUI::assignBackColour2(DWORD argb)
{
    if (StoreColour(m_backColour2, argb))
        requestRepaint();
}

void CControlUI::assignBackColour3(DWORD argb)
{
    if (StoreColour(m_backColour3, argb))
        requestRepaint();
}

void CControlUI::assignBorderColour(DWORD argb)
{
    if (StoreColour(m_borderColour, argb))
        requestRepaint();
}

void CControlUI::assignFocusBorderColour(DWORD argb)
{
    if (StoreColour(m_focusBorderColour, argb))
        requestRepaint();
}

void CControlUI::assignBackImage(const std::wstring& text) { assignImage(m_backImage, text); }
void CControlUI::assignForeImage(const std::wstring& text) { assignImage(m_foreImage, text); }

void CControlUI::assignImage(TImageDrawInfo& image, const std::wstring& text)
{
    if (image.source == text && image.image)
        return;
    image.Reset(text);
    drawImageSpec(nullptr, image); // loads it, so that its size is known now
    if (m_floating && m_presetWidth == 0 && m_presetHeight == 0 && image.image) {
        m_presetWidth = image.image->width;
        m_presetHeight = image.image->height;
    }
    requestRepaint();
}

void CControlUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"pos") {
        const RECT pos = ParseRectText(value);
        assignFloatOrigin(SIZE{pos.left, pos.top});
        assignPresetWidth(SpanBetween(pos.left, pos.right));
        assignPresetHeight(SpanBetween(pos.top, pos.bottom));
    } else if (name == L"padding") {
        assignOuterMargin(ParseRectText(value));
    } else if (name == L"bkcolor" || name == L"bkcolor1") {
        assignBackColour(ReadBackColourValue(value));
    } else if (name == L"bkcolor2") {
        assignBackColour2(ReadBackColourValue(value));
    } else if (name == L"bkcolor3") {
        assignBackColour3(ReadBackColourValue(value));
    } else if (name == L"bordercolor") {
        assignBorderColour(ParseColourText(value));
    } else if (name == L"focusbordercolor") {
        assignFocusBorderColour(ParseColourText(value));
    } else if (name == L"colorhsl") {
        const bool useHsl = ParseFlagText(value);
        if (m_useHsl != useHsl) {
            m_useHsl = useHsl;
            requestRepaint();
        }
    } else if (name == L"bordersize") {
        if (value.find(L',') == std::wstring::npos) {
            const int size = ReadIntValue(value);
            if (m_borderSize != size) {
                m_borderSize = size;
                requestRepaint();
            }
            m_sideBorders = RECT{};
        } else {
            m_sideBorders = ParseRectText(value);
        }
        requestRepaint();
    } else if (name == L"leftbordersize") {
        m_sideBorders.left = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"topbordersize") {
        m_sideBorders.top = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"rightbordersize") {
        m_sideBorders.right = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"bottombordersize") {
        m_sideBorders.bottom = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"borderstyle") {
        m_borderStyle = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"borderround") {
        m_borderRound = ParseSizeText(value);
        requestRepaint();
    } else if (name == L"bkimage") {
        assignBackImage(value);
    } else if (name == L"foreimage" || name == L"bkimage2") {
        assignForeImage(value);
    } else if (name == L"width") {
        assignPresetWidth(ReadIntValue(value));
    } else if (name == L"height") {
        assignPresetHeight(ReadIntValue(value));
    } else if (name == L"minwidth") {
        assignLowerWidth(ReadIntValue(value));
    } else if (name == L"minheight") {
        assignLowerHeight(ReadIntValue(value));
    } else if (name == L"maxwidth") {
        assignUpperWidth(ReadIntValue(value));
    } else if (name == L"maxheight") {
        assignUpperHeight(ReadIntValue(value));
    } else if (name == L"name") {
        assignName(value);
    } else if (name == L"text") {
        assignText(value);
    } else if (name == L"tooltip") {
        assignHintText(value);
    } else if (name == L"userdata") {
        assignUserText(value);
    } else if (name == L"enabled") {
        assignOperable(ParseFlagText(value));
    } else if (name == L"mouse") {
        assignTakesMouse(ParseFlagText(value));
    } else if (name == L"keyboard") {
        assignTakesKeyboard(ParseFlagText(value));
    } else if (name == L"visible") {
        assignShown(ParseFlagText(value));
    } else if (name == L"float") {
        if (value.find(L',') != std::wstring::npos) {
            assignAnchorFractions(ReadAnchorFractions(value));
            assignFloating(true);
        } else {
            assignFloating(ParseFlagText(value));
        }
    } else if (name == L"shortcut") {
        assignAccessKey(value.empty() ? L'\0' : value[0]);
    } else if (name == L"menu") {
        assignWantsMenu(ParseFlagText(value));
    } else if (name == L"virtualwnd") {
        m_virtualWindow = value;
        ContextLink::UseVirtualRouting(m_context);
    }
}

std::wstring CControlUI::readAttribute(const std::wstring& name)
{
    if (name == L"pos")
        return RectToText(m_rect);
    if (name == L"relativepos")
        return RectToText(rectInParent());
    if (name == L"padding")
        return RectToText(m_margin);
    if (name == L"bkcolor" || name == L"bkcolor1")
        return ColourToText(m_backColour);
    if (name == L"bkcolor2")
        return ColourToText(m_backColour2);
    if (name == L"bkcolor3")
        return ColourToText(m_backColour3);
    if (name == L"bordercolor")
        return ColourToText(m_borderColour);
    if (name == L"focusbordercolor")
        return ColourToText(m_focusBorderColour);
    if (name == L"colorhsl")
        return FlagToText(m_useHsl);
    if (name == L"enabled")
        return FlagToText(isOperable());
    if (name == L"mouse")
        return FlagToText(takesMouse());
    if (name == L"visible")
        return FlagToText(m_visible);
    if (name == L"float")
        return FlagToText(isFloating());
    if (name == L"menu")
        return FlagToText(wantsMenu());
    if (name == L"bordersize")
        return IntToText(m_borderSize);
    if (name == L"width")
        return IntToText(presetWidth());
    if (name == L"height")
        return IntToText(presetHeight());
    if (name == L"minwidth")
        return IntToText(lowerWidth());
    if (name == L"minheight")
        return IntToText(lowerHeight());
    if (name == L"maxwidth")
        return IntToText(upperWidth());
    if (name == L"maxheight")
        return IntToText(upperHeight());
    if (name == L"borderround")
        return SizeToText(m_borderRound);
    if (name == L"bkimage")
        return m_backImage.source;
    if (name == L"name")
        return m_name;
    if (name == L"text")
        return m_text;
    if (name == L"tooltip")
        return m_hint;
    if (name == L"userdata")
        return m_userText;
    if (name == L"shortcut")
        return m_accessKey ? std::wstring(1, m_accessKey) : std::wstring();
    return std::wstring();
}

void CControlUI::applyAttributeList(const std::wstring& list)
{
    ForEachAttributePair(list, [this](const std::wstring& name, const std::wstring& value) {
        writeAttribute(name, value);
    });
}

} // namespace SkinUI
