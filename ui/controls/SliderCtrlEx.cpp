#include "ui/controls/SliderCtrlEx.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/RectMath.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace SkinUI {

CSliderCtrlEx::~CSliderCtrlEx() = default;

const wchar_t* CSliderCtrlEx::typeName() const
{
    return L"SliderCtrlEx";
}

void* CSliderCtrlEx::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"SliderCtrlEx") == 0)
        return this;
    return CControlUI::queryFacet(facet);
}

UINT CSliderCtrlEx::inputTraits() const
{
    return isOperable() ? UINT(TRAIT_CURSOR) : 0u;
}

void CSliderCtrlEx::assignMax(int value)
{
    m_maxValue = value;
    assignValue(m_value);
}

void CSliderCtrlEx::assignMin(int value)
{
    m_minValue = value;
    assignValue(m_value);
}

void CSliderCtrlEx::assignValue(int value)
{
    // Upper bound first: while markup sets "nmin" before "nmax" the range is
    // briefly inverted, and the minimum must win then.
    m_value = std::max(std::min(value, m_maxValue), m_minValue);
    requestRepaint();
}

int CSliderCtrlEx::valueAt(int x) const
{
    if (m_maxValue <= m_minValue)
        return m_minValue;
    const int half = m_thumbWidth / 2;
    if (x >= m_rect.right - half)
        return m_maxValue;
    if (x <= m_rect.left + half)
        return m_minValue;
    if (m_pixelsPerUnit <= 0.0f)
        return m_minValue;
    // Rounded to the nearest thumb centre, so that a thumb pressed and released
    // in place keeps its value.
    const double units = std::floor(double(x - m_rect.left) / m_pixelsPerUnit + 0.5);
    return int(std::min<double>(double(m_minValue) + units, m_maxValue));
}

void CSliderCtrlEx::stepBesideThumb(POINT point)
{
    if (point.x < m_thumbRectangle.left) {
        if (m_value > m_minValue)
            --m_value;
    } else if (point.x >= m_thumbRectangle.right) {
        if (m_value < m_maxValue)
            ++m_value;
    } else {
        return; // above or below a thumb lower than the control
    }
    // Sent at the limits too, where the value stays.
    sendNotice(L"valuechanged");
    requestRepaint();
}

void CSliderCtrlEx::handleInput(TInputEvent& event)
{
    switch (event.kind) {
    case EInputKind::ButtonDown:
    case EInputKind::DoubleClick:
        if (!isOperable())
            return;
        if (::PtInRect(&m_thumbRectangle, event.mouse))
            m_state |= STATE_CAPTURED;
        else
            stepBesideThumb(event.mouse);
        return;
    case EInputKind::ButtonUp:
        if (m_state & STATE_CAPTURED) {
            m_value = valueAt(event.mouse.x);
            sendNotice(L"valuechanged");
            m_state &= ~STATE_CAPTURED;
            requestRepaint();
        }
        return;
    case EInputKind::MouseMove:
        if (m_state & STATE_CAPTURED) {
            m_value = valueAt(event.mouse.x);
            requestRepaint();
            if (m_notifyWhileDragging)
                sendNotice(L"valuechanged");
        }
        return;
    case EInputKind::ContextMenu:
        return;
    case EInputKind::SetCursor:
        if (isOperable()) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return;
        }
        break;
    default:
        break;
    }
    CControlUI::handleInput(event);
}

void CSliderCtrlEx::replaceImage(TImageDrawInfo& image, const std::wstring& text)
{
    if (image.source == text && image.image)
        return;
    image.Reset(text);
    requestRepaint();
}

void CSliderCtrlEx::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"nmax") {
        assignMax(ReadIntValue(value));
    } else if (name == L"nmin") {
        assignMin(ReadIntValue(value));
    } else if (name == L"value") {
        assignValue(ReadIntValue(value));
    } else if (name == L"pstmsgonmousemove") {
        m_notifyWhileDragging = ParseFlagText(value);
    } else if (name == L"thumbimage") {
        replaceImage(m_thumbImage, value);
    } else if (name == L"prethumbimage") {
        replaceImage(m_leftImage, value);
    } else if (name == L"railimage") {
        replaceImage(m_railImage, value);
    } else if (name == L"thumbimagedisable") {
        replaceImage(m_thumbDisabledImage, value);
    } else if (name == L"prethumbimagedisable") {
        replaceImage(m_leftDisabledImage, value);
    } else if (name == L"railcolor") {
        m_railColour = ParseColourText(value);
        requestRepaint();
    } else if (name == L"railcolordisable") {
        m_railDisabledColour = ParseColourText(value);
        requestRepaint();
    } else if (name == L"railheight") {
        m_railHeight = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"leftwidth") {
        m_leftWidth = ReadIntValue(value);
        requestRepaint();
    } else if (name == L"thumsize") {
        const SIZE size = ParseSizeText(value);
        m_thumbWidth = size.cx;
        m_thumbHeight = size.cy;
        requestRepaint();
    } else {
        CControlUI::writeAttribute(name, value);
    }
}

void CSliderCtrlEx::drawImageAt(HDC dc, TImageDrawInfo& image, const RECT& dest)
{
    // An all-zero destination would mean the whole control to the render kit.
    if (image.source.empty() || IsEmptyRect(dest))
        return;
    drawImageSpec(nullptr, image); // parse first, so the string's own dest does not come back
    image.dest = dest;
    drawImageSpec(dc, image);
}

void CSliderCtrlEx::drawStateImage(HDC dc)
{
    const bool enabled = isOperable();
    m_state = enabled ? (m_state & ~STATE_DISABLED) : (m_state | STATE_DISABLED);
    const LONG width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
    const long long range = (long long)m_maxValue - m_minValue;
    m_pixelsPerUnit = range > 0 ? float(width) / float(range) : 0.0f;
    const double offset = double((long long)m_value - m_minValue) * m_pixelsPerUnit;

    // A rail height of 0 (not set) keeps the rail as high as the control.
    RECT band = m_rect;
    if (m_railHeight > 0 && m_railHeight < height) {
        band.top = m_rect.top + (height - m_railHeight) / 2;
        band.bottom = band.top + m_railHeight;
    }
    const LONG railStart = std::min<LONG>(m_rect.left + std::max(m_leftWidth, 0), m_rect.right);
    const auto inControl = [this](const RECT& r) { return OffsetBy(r, -m_rect.left, -m_rect.top); };
    drawImageAt(dc, enabled ? m_leftImage : m_leftDisabledImage,
                inControl(RECT{m_rect.left, band.top, railStart, band.bottom}));
    drawImageAt(dc, m_railImage, inControl(RECT{railStart, band.top, m_rect.right, band.bottom}));

    // The fill starts after the left part, so near the maximum it would run
    // past the right end; it stops there.
    LONG fillEnd = railStart;
    if (m_value >= m_maxValue)
        fillEnd = m_rect.right;
    else if (m_value > m_minValue)
        fillEnd = std::min<LONG>(railStart + LONG(offset), m_rect.right);
    if (fillEnd > railStart)
        CRenderKit::FillArgb(dc, RECT{railStart, band.top, fillEnd, band.bottom},
                             enabled ? m_railColour : m_railDisabledColour);

    RECT thumb;
    thumb.top = m_thumbHeight < height ? m_rect.top + (height - m_thumbHeight) / 2 : band.top;
    thumb.bottom = thumb.top + m_thumbHeight;
    if (m_value <= m_minValue)
        thumb.left = m_rect.left;
    else if (m_value >= m_maxValue)
        thumb.left = m_rect.right - m_thumbWidth;
    else
        thumb.left = LONG(offset + m_rect.left - m_thumbWidth / 2);
    // Next to the limits the centred thumb would stick out of the control (and
    // step back from where it stands at the limit); it stops at the edges.
    thumb.left = std::max(std::min(thumb.left, m_rect.right - m_thumbWidth), m_rect.left);
    thumb.right = thumb.left + m_thumbWidth;
    m_thumbRectangle = thumb;
    drawImageAt(dc, enabled ? m_thumbImage : m_thumbDisabledImage, inControl(thumb));
}

} // namespace SkinUI
