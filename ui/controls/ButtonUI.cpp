#include "ui/controls/ButtonUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/ValueText.h"

#include <cwchar>

namespace SkinUI {

namespace {

bool Contains(const RECT& rect, POINT point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

// "a,b,c,d" as four decimals; missing values stay 0.
void ReadFourInts(const std::wstring& text, int (&values)[4])
{
    RECT rect = ParseRectText(text);
    values[0] = rect.left;
    values[1] = rect.top;
    values[2] = rect.right;
    values[3] = rect.bottom;
}

} // namespace

CButtonUI::CButtonUI()
{
    m_textStyle = TEXT_CENTER | TEXT_VCENTER | TEXT_SINGLELINE;
}

CButtonUI::~CButtonUI() = default;

const wchar_t* CButtonUI::typeName() const
{
    return L"ButtonUI";
}

void* CButtonUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"Button") == 0)
        return this;
    return CLabelUI::queryFacet(facet);
}

UINT CButtonUI::inputTraits() const
{
    UINT traits = takesKeyboard() ? UINT(TRAIT_TABSTOP) : 0u;
    if (isOperable())
        traits |= TRAIT_CURSOR;
    return traits;
}

bool CButtonUI::fireAction()
{
    if (!isShown() || !isOperable())
        return false;
    sendNotice(L"click");
    return true;
}

void CButtonUI::assignOperable(bool enabled)
{
    CControlUI::assignOperable(enabled);
    if (!isOperable())
        m_state = 0;
}

void CButtonUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        if (m_parent)
            m_parent->handleInput(event);
        else
            CLabelUI::handleInput(event);
        return;
    }
    const bool inside = Contains(m_rect, event.mouse);
    switch (event.kind) {
    case EInputKind::SetFocus:
    case EInputKind::KillFocus:
        requestRepaint();
        break;
    case EInputKind::KeyDown:
        if (takesKeyboard() && (event.key == VK_SPACE || event.key == VK_RETURN)) {
            fireAction();
            return;
        }
        break;
    case EInputKind::ButtonDown:
    case EInputKind::DoubleClick:
        if (inside && isOperable()) {
            m_state |= STATE_PUSHED | STATE_CAPTURED;
            requestRepaint();
        }
        return;
    case EInputKind::MouseMove:
        if (m_state & STATE_CAPTURED) {
            m_state = inside ? (m_state | STATE_PUSHED) : (m_state & ~STATE_PUSHED);
            requestRepaint();
        }
        return;
    case EInputKind::ButtonUp:
        if (m_state & STATE_CAPTURED) {
            m_state &= ~(STATE_PUSHED | STATE_CAPTURED);
            requestRepaint();
            if (inside)
                fireAction();
        }
        return;
    case EInputKind::ContextMenu:
        if (wantsMenu())
            sendNotice(L"menu", event.wParam, event.lParam);
        return;
    case EInputKind::MouseEnter:
        if (isOperable()) {
            m_state |= STATE_HOT;
            requestRepaint();
        }
        break;
    case EInputKind::MouseLeave:
        if (isOperable()) {
            m_state &= ~STATE_HOT;
            requestRepaint();
        }
        break;
    case EInputKind::SetCursor:
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return;
    default:
        break;
    }
    CLabelUI::handleInput(event);
}

void CButtonUI::assignButtonImage(TImageDrawInfo& image, const std::wstring& text)
{
    if (image.source == text && image.image)
        return;
    image.Reset(text);
    drawImageSpec(nullptr, image); // loads it now
    requestRepaint();
}

void CButtonUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"normalimage")
        assignButtonImage(m_normalImage, value);
    else if (name == L"hotimage")
        assignButtonImage(m_hotImage, value);
    else if (name == L"pushedimage")
        assignButtonImage(m_pushedImage, value);
    else if (name == L"focusedimage")
        assignButtonImage(m_focusedImage, value);
    else if (name == L"disabledimage")
        assignButtonImage(m_disabledImage, value);
    else if (name == L"hotforeimage")
        assignButtonImage(m_hotForeImage, value);
    else if (name == L"Ellipseimage")
        assignButtonImage(m_ellipseImage, value);
    else if (name == L"foreimage")
        assignButtonImage(m_foreImage, value);
    else if (name == L"hotbkcolor")
        m_hotBackColour = ParseColourText(value);
    else if (name == L"disbkcolor")
        m_disabledBackColour = ParseColourText(value);
    else if (name == L"hottextcolor")
        m_hotTextColour = ParseColourText(value);
    else if (name == L"pushedtextcolor")
        m_pushedTextColour = ParseColourText(value);
    else if (name == L"focusedtextcolor")
        m_focusedTextColour = ParseColourText(value);
    else if (name == L"Angle") {
        m_imageAngle = int(std::wcstol(value.c_str(), nullptr, 16));
        requestRepaint();
    } else if (name == L"Ellipse")
        m_ellipseMode = ParseFlagText(value);
    else if (name == L"Ellipsepadding")
        m_ellipsePadding = ParseRectText(value);
    else if (name == L"Translatepadding")
        ReadFourInts(value, m_ellipseShift);
    else
        CLabelUI::writeAttribute(name, value);
}

SIZE CButtonUI::measure(SIZE available)
{
    if (m_autoCalcWidth)
        return CLabelUI::measure(available);
    if (m_presetHeight != 0)
        return CControlUI::measure(available);
    return SIZE{m_presetWidth, fontHeightPlus(8)};
}

bool CButtonUI::drawButtonImage(HDC dc, TImageDrawInfo& image)
{
    if (image.source.empty())
        return false;
    return drawImageSpec(dc, image, float(m_imageAngle));
}

void CButtonUI::drawImageOrNormal(HDC dc, TImageDrawInfo& image)
{
    if (!drawButtonImage(dc, image))
        drawButtonImage(dc, m_normalImage);
}

void CButtonUI::drawForeImageAgain(HDC dc)
{
    drawButtonImage(dc, m_foreImage);
}

void CButtonUI::fillPaintRect(HDC dc, DWORD argb)
{
    if (argb != 0)
        CRenderKit::FillArgb(dc, m_paintRect, adjustedColour(argb));
}

void CButtonUI::refreshPaintState()
{
    m_state = hasFocus() ? (m_state | STATE_FOCUSED) : (m_state & ~STATE_FOCUSED);
    m_state = !isOperable() ? (m_state | STATE_DISABLED) : (m_state & ~STATE_DISABLED);
    m_state = m_ellipseMode ? (m_state | STATE_ROUNDFILL) : (m_state & ~STATE_ROUNDFILL);
}

void CButtonUI::drawStateImage(HDC dc)
{
    refreshPaintState();
    drawButtonStateImage(dc, m_state);
}

void CButtonUI::drawButtonStateImage(HDC dc, UINT state)
{
    if (state & STATE_ROUNDFILL) {
        drawRoundFill(dc);
        return;
    }
    if (state & STATE_DISABLED) {
        fillPaintRect(dc, m_disabledBackColour);
        drawImageOrNormal(dc, m_disabledImage);
        drawForeImageAgain(dc);
    } else if (state & STATE_PUSHED) {
        drawImageOrNormal(dc, m_pushedImage);
        if (!drawButtonImage(dc, m_pushedForeImage))
            drawForeImageAgain(dc);
    } else if (state & STATE_HOT) {
        drawImageOrNormal(dc, m_hotImage);
        fillPaintRect(dc, m_hotBackColour);
        if (!drawButtonImage(dc, m_hotForeImage))
            drawForeImageAgain(dc);
    } else if (state & STATE_FOCUSED) {
        drawImageOrNormal(dc, m_focusedImage);
        drawForeImageAgain(dc);
    } else {
        drawButtonImage(dc, m_normalImage);
        drawForeImageAgain(dc);
    }
}

void CButtonUI::drawText(HDC dc)
{
    refreshPaintState();
    drawButtonText(dc, m_state);
}

void CButtonUI::drawButtonText(HDC dc, UINT state)
{
    resolveDefaultColours();
    if (m_text.empty())
        return;
    DWORD colour = isOperable() ? m_textColour : m_disabledTextColour;
    int font = m_fontIndex;
    if ((state & STATE_PUSHED) && m_pushedTextColour != 0) {
        colour = m_pushedTextColour;
    } else if ((state & STATE_HOT) && m_hotTextColour != 0) {
        colour = m_hotTextColour;
        if (m_hoverFontIndex >= 0)
            font = m_hoverFontIndex;
    } else if ((state & STATE_FOCUSED) && m_focusedTextColour != 0) {
        colour = m_focusedTextColour;
    }
    paintLabelText(dc, textRect(), colour, font, m_textStyle);
}

} // namespace SkinUI
