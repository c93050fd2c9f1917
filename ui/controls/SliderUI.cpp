#include "ui/controls/ProgressUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/core/res/ValueText.h"

#include <cwchar>

namespace SkinUI {

namespace {

RECT ToControl(const RECT& rect, const RECT& control)
{
    return RECT{rect.left - control.left, rect.top - control.top, rect.right - control.left,
                rect.bottom - control.top};
}

} // namespace

CSliderUI::CSliderUI()
{
    m_textStyle = TEXT_CENTER | TEXT_SINGLELINE;
}

CSliderUI::~CSliderUI() = default;

const wchar_t* CSliderUI::typeName() const
{
    return L"SliderUI";
}

void* CSliderUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"Slider") == 0)
        return this;
    return CProgressUI::queryFacet(facet);
}

UINT CSliderUI::inputTraits() const
{
    return isOperable() ? UINT(TRAIT_CURSOR) : 0u;
}

void CSliderUI::assignOperable(bool enabled)
{
    CControlUI::assignOperable(enabled);
    if (!isOperable())
        m_state = 0;
}

RECT CSliderUI::thumbRect() const
{
    const long long width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
    long long range = (long long)m_maxValue - m_minValue;
    if (range == 0)
        range = 1; // only between a "min" = "max" and the paint that corrects it
    RECT thumb;
    if (m_horizontal) {
        thumb.left = LONG(m_rect.left + (m_value - m_minValue) * (width - m_thumbWidth) / range);
        thumb.top = (m_rect.top + m_rect.bottom - m_thumbHeight) / 2;
        thumb.right = thumb.left + m_thumbWidth;
        thumb.bottom = thumb.top + m_thumbHeight;
    } else {
        thumb.left = (m_rect.left + m_rect.right - m_thumbWidth) / 2;
        thumb.bottom = LONG(m_rect.bottom - (height - m_thumbHeight) * (m_value - m_minValue) / range);
        thumb.top = thumb.bottom - m_thumbHeight;
        thumb.right = thumb.left + m_thumbWidth;
    }
    return thumb;
}

int CSliderUI::valueAt(POINT point) const
{
    const long long range = (long long)m_maxValue - m_minValue;
    if (m_horizontal) {
        const int half = m_thumbWidth / 2;
        if (point.x >= m_rect.right - half)
            return m_maxValue;
        if (point.x <= m_rect.left + half)
            return m_minValue;
        const long long track = (m_rect.right - m_rect.left) - m_thumbWidth;
        return track > 0 ? int(m_minValue + range * (point.x - m_rect.left - half) / track) : m_minValue;
    }
    const int half = m_thumbHeight / 2;
    if (point.y >= m_rect.bottom - half)
        return m_minValue;
    if (point.y <= m_rect.top + half)
        return m_maxValue;
    const long long track = (m_rect.bottom - m_rect.top) - m_thumbHeight;
    return track > 0 ? int(m_minValue + range * (m_rect.bottom - half - point.y) / track) : m_minValue;
}

void CSliderUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        if (m_parent)
            m_parent->handleInput(event);
        else
            CLabelUI::handleInput(event);
        return;
    }
    switch (event.kind) {
    case EInputKind::ButtonDown:
    case EInputKind::DoubleClick:
        if (isOperable()) {
            RECT thumb = thumbRect();
            if (::PtInRect(&thumb, event.mouse))
                m_state |= STATE_CAPTURED;
        }
        return;
    case EInputKind::ButtonUp:
        if (m_state & STATE_CAPTURED) {
            m_value = valueAt(event.mouse);
            sendNotice(L"valuechanged");
            m_state &= ~STATE_CAPTURED;
            requestRepaint();
        }
        return;
    case EInputKind::ContextMenu:
        return;
    case EInputKind::ScrollWheel:
        // The wheel works on a disabled slider too, and does not clamp: the
        // receiver sees maximum + step, the next paint brings it back.
        if (event.wParam == 0 || event.wParam == 1) {
            assignValue(event.wParam == 0 ? m_value + m_step : m_value - m_step);
            sendNotice(L"valuechanged");
            return;
        }
        break;
    case EInputKind::MouseMove:
        if (m_state & STATE_CAPTURED) {
            m_value = valueAt(event.mouse);
            requestRepaint();
        }
        return;
    case EInputKind::SetCursor:
        if (isOperable()) {
            RECT thumb = thumbRect();
            if (::PtInRect(&thumb, event.mouse)) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return;
            }
        }
        break;
    case EInputKind::MouseEnter:
        if (isOperable()) {
            m_state |= STATE_HOT;
            requestRepaint();
        }
        return;
    case EInputKind::MouseLeave:
        if (isOperable()) {
            m_state &= ~STATE_HOT;
            requestRepaint();
        }
        return;
    default:
        break;
    }
    CControlUI::handleInput(event);
}

void CSliderUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"thumbimage")
        assignProgressImage(m_thumbImage, value);
    else if (name == L"thumbhotimage")
        assignProgressImage(m_thumbHotImage, value);
    else if (name == L"thumbpushedimage")
        assignProgressImage(m_thumbPushedImage, value);
    else if (name == L"thumbdisabledimage")
        assignProgressImage(m_thumbDisabledImage, value);
    else if (name == L"disabledimage")
        assignProgressImage(m_disabledBarImage, value);
    else if (name == L"normalimage")
        assignProgressImage(m_normalBarImage, value);
    else if (name == L"thumbsize") {
        SIZE size = ParseSizeText(value);
        assignThumbSize(size.cx, size.cy);
    } else if (name == L"step")
        assignStep(ReadIntValue(value));
    else
        CProgressUI::writeAttribute(name, value);
}

void CSliderUI::drawStateImage(HDC dc)
{
    CProgressUI::drawStateImage(dc);
    m_state = isOperable() ? (m_state & ~STATE_DISABLED) : (m_state | STATE_DISABLED);
    const RECT thumb = ToControl(thumbRect(), m_rect);

    // Without a hot or pushed thumb the plain thumb stands in; the bar is drawn once.
    if (m_state & STATE_DISABLED && !(m_state & (STATE_CAPTURED | STATE_HOT))) {
        drawImageSpec(dc, m_disabledBarImage);
        drawImageAt(dc, m_thumbDisabledImage, thumb);
        return;
    }
    drawImageSpec(dc, m_normalBarImage);
    if ((m_state & STATE_CAPTURED) && drawImageAt(dc, m_thumbPushedImage, thumb))
        return;
    if (!(m_state & STATE_CAPTURED) && (m_state & STATE_HOT) && drawImageAt(dc, m_thumbHotImage, thumb))
        return;
    drawImageAt(dc, m_thumbImage, thumb);
}

} // namespace SkinUI
