#include "ui/controls/layout/LinearLayoutUI.h"

#include "ui/controls/ContextLink.h"
#include "ui/controls/RectMath.h"
#include "ui/core/gfx/RenderKit.h"

#include <algorithm>

namespace SkinUI {

namespace {

// Shaded feedback over the band while it is dragged.
constexpr DWORD kDragFeedbackColour = 0xAA000000;

} // namespace

UINT CLinearLayoutUI::inputTraits() const { return isOperable() && m_sepSize != 0 ? UINT(TRAIT_CURSOR) : 0u; }

RECT CLinearLayoutUI::separatorBand() const
{
    const RECT& base = separatorCaptured() ? m_dragRect : m_rect;
    RECT band = base;
    if (m_vertical) {
        if (m_sepSize < 0)
            band.bottom = std::min<LONG>(base.bottom, base.top - m_sepSize);
        else
            band.top = std::max<LONG>(base.top, base.bottom - m_sepSize);
    } else {
        if (m_sepSize < 0)
            band.right = std::min<LONG>(base.right, base.left - m_sepSize);
        else
            band.left = std::max<LONG>(base.left, base.right - m_sepSize);
    }
    return band;
}

void CLinearLayoutUI::dragSeparatorTo(POINT point)
{
    const int pointer = m_vertical ? point.y : point.x;
    const int last = m_vertical ? m_lastMouse.y : m_lastMouse.x;
    const int delta = pointer - last;
    m_lastMouse = point;
    if (delta == 0)
        return;

    // The edge only follows the pointer once the pointer is past it, so a
    // drag beyond a limit does not jump back the moment it turns.
    LONG& leading = m_vertical ? m_dragRect.top : m_dragRect.left;
    LONG& trailing = m_vertical ? m_dragRect.bottom : m_dragRect.right;
    const bool trailingBand = m_sepSize >= 0;
    const int edge = trailingBand ? trailing : leading;
    const bool counts = trailingBand ? (delta > 0 ? pointer >= edge + m_sepSize : pointer <= edge)
                                     : (delta > 0 ? pointer >= edge : pointer <= edge + m_sepSize);
    if (!counts)
        return;

    const int minimum = m_vertical ? m_minHeight : m_minWidth;
    const int maximum = m_vertical ? m_maxHeight : m_maxWidth;
    const int oldSize = trailing - leading;
    int newSize = oldSize + (trailingBand ? delta : -delta);
    if (newSize <= minimum) {
        if (oldSize <= minimum)
            return;
        newSize = minimum;
    } else if (newSize >= maximum) {
        if (oldSize >= maximum)
            return;
        newSize = maximum;
    }

    const RECT oldBand = separatorBand();
    if (trailingBand)
        trailing = leading + newSize;
    else
        leading = trailing - newSize;
    if (m_vertical)
        m_presetHeight = newSize;
    else
        m_presetWidth = newSize;

    if (m_sepImmediate) {
        m_rect = m_dragRect;
        markParentForRelayout();
    } else {
        ContextLink::RepaintRect(m_context, Union(oldBand, separatorBand()));
    }
}

bool CLinearLayoutUI::handleSeparatorInput(TInputEvent& event)
{
    if (m_sepSize == 0)
        return false;
    switch (event.kind) {
    case EInputKind::ButtonDown:
        if (!isOperable() || !Contains(separatorBand(), event.mouse))
            return false;
        m_sepState |= STATE_CAPTURED;
        m_lastMouse = event.mouse;
        m_dragRect = m_rect;
        if (!m_sepImmediate)
            ContextLink::AddPostPainter(m_context, this);
        return true;
    case EInputKind::MouseMove:
        if (!separatorCaptured())
            return false;
        dragSeparatorTo(event.mouse);
        return true;
    case EInputKind::ButtonUp:
        if (!separatorCaptured())
            return false;
        m_sepState &= ~STATE_CAPTURED;
        m_rect = m_dragRect;
        if (!m_sepImmediate)
            ContextLink::RemovePostPainter(m_context, this);
        markParentForRelayout();
        return true;
    case EInputKind::SetCursor:
        if (!isOperable() || !Contains(separatorBand(), event.mouse))
            return false;
        ::SetCursor(::LoadCursorW(nullptr, m_vertical ? IDC_SIZENS : IDC_SIZEWE));
        return true;
    default:
        return false;
    }
}

void CLinearLayoutUI::handleInput(TInputEvent& event)
{
    if (!handleSeparatorInput(event))
        CContainerUI::handleInput(event);
}

void CLinearLayoutUI::drawAfter(HDC dc, const RECT&)
{
    if (separatorCaptured() && !m_sepImmediate)
        CRenderKit::FillArgb(dc, separatorBand(), kDragFeedbackColour);
}

} // namespace SkinUI
