#include "ui/controls/LabelUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/ValueText.h"
#include "ui/core/host/WindowContextUI.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

namespace {

struct TAlignKeyword {
    const wchar_t* keyword;
    UINT clear;
    UINT set;
};

// Searched in this order: a keyword contained in a later one must come after it.
const TAlignKeyword kAlignKeywords[] = {
    {L"mleft", 0x23, 0x2000},  {L"left", 0x23, 0},       {L"csingle", 0x26, 0x1}, {L"right", 0x21, 0x2},
    {L"rsingle", 0x25, 0x2},   {L"mtop", 0x2C, 0x2000},  {L"top", 0x0C, 0x20},    {L"vcenter", 0x08, 0x25},
    {L"lcenter", 0x09, 0x24},  {L"bcenter", 0x04, 0x29}, {L"rcenter", 0x09, 0x26}, {L"bottom", 0x04, 0x28},
    {L"center", 0x02, 0x1},
};

bool Contains(const RECT& rect, POINT point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

} // namespace

UINT ApplyAlignKeyword(UINT style, const std::wstring& value)
{
    for (const TAlignKeyword& entry : kAlignKeywords)
        if (value.find(entry.keyword) != std::wstring::npos)
            return (style & ~entry.clear) | entry.set;
    return style;
}

// GDI+ starts with the first text drawn through it, not with every label:
// most windows never need it, and loading it costs a noticeable part of start-up.
CLabelUI::CLabelUI() = default;

CLabelUI::~CLabelUI() = default;

const wchar_t* CLabelUI::typeName() const
{
    return L"LabelUI";
}

void* CLabelUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"Label") == 0)
        return this;
    return CControlUI::queryFacet(facet);
}

std::wstring CLabelUI::textValue() const
{
    return CControlUI::textValue();
}

void CLabelUI::assignText(const std::wstring& text)
{
    m_effectText = text;
    CControlUI::assignText(text);
}

void CLabelUI::handleInput(TInputEvent& event)
{
    if (event.kind == EInputKind::SetFocus) {
        m_focused = true;
        return;
    }
    if (event.kind == EInputKind::KillFocus) {
        m_focused = false;
        return;
    }
    CControlUI::handleInput(event);
}

void CLabelUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"align") {
        m_textStyle = ApplyAlignKeyword(m_textStyle, value);
    } else if (name == L"endellipsis") {
        m_textStyle = ParseFlagText(value) ? (m_textStyle | TEXT_END_ELLIPSIS) : (m_textStyle & ~TEXT_END_ELLIPSIS);
    } else if (name == L"font") {
        m_fontIndex = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"hoverfont") {
        m_hoverFontIndex = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"textcolor") {
        m_textColour = ParseColourText(value);
        requestRepaint();
    } else if (name == L"disabledtextcolor") {
        m_disabledTextColour = ParseColourText(value);
        requestRepaint();
    } else if (name == L"textpadding") {
        m_textPadding = ParseRectText(value);
        requestRepaint();
    } else if (name == L"showhtml") {
        bool show = ParseFlagText(value);
        if (show != m_showHtml) {
            m_showHtml = show;
            requestRepaint();
        }
    } else if (name == L"enabledeffect") {
        m_effectEnabled = ParseFlagText(value);
    } else if (name == L"rhaa") {
        int hint = ReadIntValue(value);
        m_renderHint = hint >= 0 && hint <= 5 ? hint : 0;
    } else if (name == L"transshadow") {
        m_shadowAlpha = ReadIntValue(value);
    } else if (name == L"transtext") {
        m_textAlpha = ReadIntValue(value);
    } else if (name == L"transshadow1") {
        m_shadowAlpha1 = ReadIntValue(value);
    } else if (name == L"transtext1") {
        m_textAlpha1 = ReadIntValue(value);
    } else if (name == L"transstroke") {
        m_strokeAlpha = ReadIntValue(value);
    } else if (name == L"gradientangle") {
        m_gradientAngle = ReadIntValue(value);
    } else if (name == L"enabledstroke") {
        m_strokeEnabled = ParseFlagText(value);
    } else if (name == L"enabledshadow") {
        m_shadowEnabled = ParseFlagText(value);
    } else if (name == L"gradientlength") {
        m_gradientLength = ReadIntValue(value);
    } else if (name == L"shadowoffset") {
        SIZE offset = ParseSizeText(value);
        int distance = offset.cx, angle = offset.cy;
        if (angle < -180 || angle > 180)
            return;
        int vertical = angle >= 0 ? m_rect.top - distance : (angle > -180 ? m_rect.top + distance : m_rect.top);
        int horizontal = (angle > -90 && angle <= 90) ? m_rect.left - distance
                         : angle == -90                ? m_rect.left
                                                       : m_rect.left + distance;
        // The x component carries the vertical offset, as skins written for it expect.
        m_shadowOffset[0] = float(vertical);
        m_shadowOffset[1] = float(horizontal);
    } else if (name == L"textcolor1") {
        m_textColour1 = ParseColourText(value);
    } else if (name == L"textshadowcolora") {
        m_shadowColourA = ParseColourText(value);
    } else if (name == L"textshadowcolorb") {
        m_shadowColourB = ParseColourText(value);
    } else if (name == L"strokecolor") {
        m_strokeColour = ParseColourText(value);
    } else if (name == L"autocalcwidth") {
        m_autoCalcWidth = ParseFlagText(value);
    } else {
        CControlUI::writeAttribute(name, value);
    }
}

RECT CLabelUI::textRect() const
{
    return RECT{m_rect.left + m_textPadding.left, m_rect.top + m_textPadding.top, m_rect.right - m_textPadding.right,
                m_rect.bottom - m_textPadding.bottom};
}

int CLabelUI::fontHeightPlus(int extra) const
{
    if (!m_context)
        return extra;
    TFontEntry* font = m_context->FontEntryByIndex(m_fontIndex);
    if (!font)
        return extra;
    if (!font->hasMetrics)
        font->FillMetrics(m_context->WindowDC());
    return int(font->metrics.tmHeight) + extra;
}

SIZE CLabelUI::measure(SIZE available)
{
    if (m_autoCalcWidth && m_context) {
        RECT measured = {0, 0, 0, 0};
        CRenderKit::PaintText(m_context->WindowDC(), m_context, measured, m_text, m_textColour, m_fontIndex,
                              m_textStyle | TEXT_CALCRECT);
        m_presetWidth = m_textPadding.left + m_textPadding.right + (measured.right - measured.left);
    }
    if (m_presetHeight != 0)
        return CControlUI::measure(available);
    return SIZE{m_presetWidth, fontHeightPlus(4)};
}

void CLabelUI::resolveDefaultColours()
{
    if (!m_context)
        return;
    if (m_textColour == 0)
        m_textColour = m_context->DefaultTextColour();
    if (m_disabledTextColour == 0)
        m_disabledTextColour = m_context->DisabledTextColour();
}

void CLabelUI::paintLabelText(HDC dc, RECT rect, DWORD colour, int fontIndex, UINT style)
{
    if (m_showHtml) {
        int noLinks = 0;
        CRenderKit::PaintMarkedText(dc, m_context, rect, m_text, colour, nullptr, nullptr, noLinks, style);
    } else {
        CRenderKit::PaintText(dc, m_context, rect, m_text, colour, fontIndex, style);
    }
}

void CLabelUI::drawText(HDC dc)
{
    resolveDefaultColours();
    RECT rect = textRect();
    DWORD colour = isOperable() ? m_textColour : m_disabledTextColour;
    if (m_effectEnabled) {
        if (m_textColour1 != kNoColour)
            paintEffectText(dc, rect, colour, m_textColour1);
        else
            CRenderKit::PaintText(dc, m_context, rect, m_effectText, colour, m_fontIndex, m_textStyle, true,
                                  BYTE(m_textAlpha));
        return;
    }
    if (m_text.empty())
        return;
    paintLabelText(dc, rect, colour, m_fontIndex, m_textStyle);
}

// ---- CTextUI ----

const wchar_t* CTextUI::typeName() const
{
    return L"TextUI";
}

void* CTextUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"Text") == 0)
        return this;
    return CLabelUI::queryFacet(facet);
}

UINT CTextUI::inputTraits() const
{
    return isOperable() && m_linkCount > 0 ? UINT(TRAIT_CURSOR) : 0u;
}

void CTextUI::assignText(const std::wstring& text)
{
    CLabelUI::assignText(text);
    markParentForRelayout();
}

int CTextUI::linkAt(POINT point) const
{
    for (int i = 0; i < m_linkCount; ++i)
        if (Contains(m_linkRects[i], point))
            return i;
    return -1;
}

void CTextUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        if (m_parent)
            m_parent->handleInput(event);
        else
            CLabelUI::handleInput(event);
        return;
    }
    const int link = linkAt(event.mouse);
    switch (event.kind) {
    case EInputKind::SetCursor:
        if (link >= 0) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return;
        }
        break;
    case EInputKind::ButtonDown:
        if (link >= 0) {
            requestRepaint();
            return;
        }
        break;
    case EInputKind::DoubleClick:
        if (isOperable() && link >= 0) {
            requestRepaint();
            return;
        }
        break;
    case EInputKind::ButtonUp:
        if (isOperable() && link >= 0) {
            sendNotice(L"link", WPARAM(link));
            return;
        }
        break;
    case EInputKind::ContextMenu:
        return;
    case EInputKind::MouseMove:
        if (isOperable() && m_linkCount > 0) {
            if (link != m_hotLink) {
                m_hotLink = link;
                requestRepaint();
            }
            return;
        }
        break;
    case EInputKind::MouseLeave:
        if (isOperable() && m_linkCount > 0 && m_hotLink != -1) {
            m_hotLink = -1;
            requestRepaint();
            return;
        }
        break;
    default:
        break;
    }
    CLabelUI::handleInput(event);
}

SIZE CTextUI::measure(SIZE available)
{
    const LONG right = std::max<LONG>(m_presetWidth, available.cx) - m_textPadding.right;
    RECT text = {m_textPadding.left, 0, right, 9999};
    if (m_context) {
        HDC dc = m_context->WindowDC();
        if (m_showHtml) {
            int noLinks = 0;
            CRenderKit::PaintMarkedText(dc, m_context, text, m_text, m_textColour, nullptr, nullptr, noLinks,
                                        m_textStyle | TEXT_CALCRECT);
        } else {
            CRenderKit::PaintText(dc, m_context, text, m_text, m_textColour, m_fontIndex,
                                  m_textStyle | TEXT_CALCRECT);
        }
    }
    SIZE size;
    size.cx = text.right + m_textPadding.right + m_textPadding.left - text.left;
    size.cy = m_presetHeight != 0 ? m_presetHeight : m_textPadding.top + m_textPadding.bottom + (text.bottom - text.top);
    return size;
}

void CTextUI::drawText(HDC dc)
{
    if (m_text.empty()) {
        m_linkCount = 0;
        return;
    }
    resolveDefaultColours();
    RECT rect = textRect();
    DWORD colour = isOperable() ? m_textColour : m_disabledTextColour;
    m_linkCount = kMaxLinks;
    if (m_showHtml)
        CRenderKit::PaintMarkedText(dc, m_context, rect, m_text, colour, m_linkRects, m_linkTexts, m_linkCount,
                                    m_textStyle);
    else
        CRenderKit::PaintText(dc, m_context, rect, m_text, colour, m_fontIndex, m_textStyle);
    if (!m_showHtml)
        m_linkCount = 0;
}

// ---- CLabelUIEx ----

void CLabelUIEx::handleInput(TInputEvent& event)
{
    const bool inside = Contains(m_rect, event.mouse);
    switch (event.kind) {
    case EInputKind::MouseEnter:
        m_mouseOver = true;
        break;
    case EInputKind::MouseMove:
        if (m_mouseOver && isOperable() && inside)
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        break;
    case EInputKind::MouseLeave:
    case EInputKind::ButtonDown:
        m_mouseOver = false;
        if (isOperable() && inside)
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        break;
    default:
        break;
    }
    CLabelUI::handleInput(event);
}

void CLabelUIEx::drawText(HDC dc)
{
    resolveDefaultColours();
    RECT rect = textRect();
    if (m_effectEnabled) {
        paintEffectText(dc, rect, m_textColour, m_textColour1 != kNoColour ? m_textColour1 : m_textColour);
        return;
    }
    if (m_text.empty())
        return;
    DWORD colour = isOperable() ? m_textColour : m_disabledTextColour;
    paintLabelText(dc, rect, colour, m_fontIndex, m_showHtml ? (m_textStyle | TEXT_SINGLELINE) : m_textStyle);
}

} // namespace SkinUI
