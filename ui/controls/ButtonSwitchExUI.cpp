#include "ui/controls/ButtonSwitchExUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

const wchar_t* CButtonSwitchExUI::typeName() const
{
    return L"CButtonSwitchExUI";
}

void* CButtonSwitchExUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"CheckBox") == 0)
        return this;
    return CButtonUI::queryFacet(facet);
}

int CButtonSwitchExUI::knobSpan() const
{
    return std::max(0, itemWidth() - m_knobWidth);
}

int CButtonSwitchExUI::knobBase() const
{
    if (m_minPosition >= m_maxPosition)
        return 0;
    // 64-bit: a wide control times a wide range overflows int.
    const long long range = (long long)m_maxPosition - m_minPosition;
    const long long steps = std::clamp((long long)m_position - m_minPosition, 0LL, range);
    return int(knobSpan() * steps / range);
}

int CButtonSwitchExUI::positionAt(int x) const
{
    if (m_minPosition >= m_maxPosition)
        return m_minPosition;
    const long long span = knobSpan();
    if (span == 0)
        return m_minPosition;
    // Each position's slot is centred on where the knob's centre sits at that
    // position; beyond the track the nearest end wins, and a point exactly
    // between two slots takes the lower one.
    const long long range = (long long)m_maxPosition - m_minPosition;
    const long long travel = std::clamp((long long)x - m_rect.left - m_knobWidth / 2, 0LL, span);
    const long long steps = (2 * travel * range + span - 1) / (2 * span);
    return int(m_minPosition + steps);
}

void CButtonSwitchExUI::rebuildKnobImage()
{
    const int left = std::clamp(knobBase() + m_dragOffset, 0, knobSpan());
    const std::wstring& file = isOperable() ? m_knobImage : m_disabledKnobImage;
    const std::wstring text = L"file='" + file + L"' dest='" + std::to_wstring(left) + L",0," +
                              std::to_wstring(left + m_knobWidth) + L"," + std::to_wstring(m_knobHeight) + L"'";
    if (text == m_normalImage.source && m_normalImage.image)
        return;
    // No repaint request here: this runs while painting.
    m_normalImage.Reset(text);
    drawImageSpec(nullptr, m_normalImage);
}

void CButtonSwitchExUI::setPosition(int position, bool notify)
{
    const int clamped = std::max(std::min(position, m_maxPosition), m_minPosition);
    const bool changed = clamped != m_position;
    m_position = clamped;
    rebuildKnobImage();
    requestRepaint();
    if (changed && notify)
        sendNotice(L"selectchanged");
}

void CButtonSwitchExUI::assignOperable(bool enabled)
{
    assignBackImage(enabled ? m_enabledBackImage : m_disabledBackImage);
    CButtonUI::assignOperable(enabled);
}

void CButtonSwitchExUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        CButtonUI::handleInput(event);
        return;
    }
    switch (event.kind) {
    case EInputKind::ButtonDown:
    case EInputKind::DoubleClick: {
        if (!isOperable())
            return;
        const int base = knobBase();
        m_knobRect = RECT{m_rect.left + base, m_rect.top, m_rect.left + base + m_knobWidth, m_rect.top + m_knobHeight};
        if (::PtInRect(&m_knobRect, event.mouse)) {
            ContextLink::StartTimer(m_context, this, kDragTimerId, kDragTimerMs);
            m_state |= STATE_PUSHED | STATE_CAPTURED;
            m_pressPoint = event.mouse;
            requestRepaint();
        } else if (m_minPosition < m_maxPosition) {
            setPosition(positionAt(event.mouse.x), true);
        }
        return;
    }
    case EInputKind::MouseMove:
        if (m_state & STATE_CAPTURED) {
            m_dragOffset = event.mouse.x - m_pressPoint.x;
            return;
        }
        break;
    case EInputKind::Timer:
        if (event.wParam == kDragTimerId) {
            rebuildKnobImage();
            requestRepaint();
            return;
        }
        break;
    case EInputKind::ButtonUp:
        if (m_state & STATE_CAPTURED) {
            ContextLink::StopTimer(m_context, this, kDragTimerId);
            m_state &= ~(STATE_PUSHED | STATE_CAPTURED);
            m_dragOffset = 0;
            setPosition(positionAt(event.mouse.x), true);
            return;
        }
        break;
    default:
        break;
    }
    CButtonUI::handleInput(event);
}

void CButtonSwitchExUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"pointImage") {
        m_knobImage = value;
    } else if (name == L"disabledpointImage") {
        m_disabledKnobImage = value;
    } else if (name == L"enabledbkImage") {
        m_enabledBackImage = value;
        if (isOperable())
            assignBackImage(value);
    } else if (name == L"disabledbkImage") {
        m_disabledBackImage = value;
        if (!isOperable())
            assignBackImage(value);
    } else if (name == L"pointheight") {
        m_knobHeight = ReadIntValue(value);
    } else if (name == L"pointwidth") {
        m_knobWidth = ReadIntValue(value);
    } else if (name == L"max") {
        m_maxPosition = ReadIntValue(value);
    } else if (name == L"min") {
        m_minPosition = ReadIntValue(value);
    } else if (name == L"value") {
        setPosition(ReadIntValue(value), false);
    }
    // The button sees every name too; it ignores the ones it does not know.
    CButtonUI::writeAttribute(name, value);
}

void CButtonSwitchExUI::render(HDC dc, const RECT& request)
{
    rebuildKnobImage();
    CButtonUI::render(dc, request);
}

} // namespace SkinUI
