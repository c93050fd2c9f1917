// Scroll bars of containers: creating them, fitting them to the content and
// scrolling the children.
#include "ui/controls/ContainerUI.h"

#include "ui/controls/ContextLink.h"
#include "ui/controls/RectMath.h"
#include "ui/controls/ScrollBarUI.h"

#include <cstdint>
#include <cstdlib>

namespace SkinUI {

namespace {

// Relayouts that fitting the scroll bars may start before it gives up; only a
// child whose height depends on the width the bar takes could ever need more
// than two.
constexpr int kMaxScrollFitDepth = 8;

// A fixed step when there is no font to measure a line by.
constexpr int kLineStep = 8;

} // namespace

SIZE CContainerUI::scrollOffset() const
{
    return SIZE{isBarShown(m_hBar) ? m_hBar->position() : 0, isBarShown(m_vBar) ? m_vBar->position() : 0};
}

SIZE CContainerUI::scrollExtent() const
{
    return SIZE{isBarShown(m_hBar) ? m_hBar->range() : 0, isBarShown(m_vBar) ? m_vBar->range() : 0};
}

void CContainerUI::scrollTo(int cx, int cy)
{
    int dx = 0;
    int dy = 0;
    if (isBarShown(m_vBar)) {
        const int old = m_vBar->position();
        m_vBar->assignPosition(cy);
        dy = m_vBar->position() - old;
    }
    if (isBarShown(m_hBar)) {
        const int old = m_hBar->position();
        m_hBar->assignPosition(cx);
        dx = m_hBar->position() - old;
    }
    if (dx == 0 && dy == 0)
        return;
    for (CControlUI* child : m_items)
        if (child->isShown() && !child->isFloating())
            child->shiftBy(-dx, -dy, false);
    requestRepaint();
}

void CContainerUI::stepUp()
{
    const int line = m_context ? ContextLink::BaseFontHeight(m_context) + kLineStep : kLineStep;
    const SIZE offset = scrollOffset();
    scrollTo(offset.cx, offset.cy - line);
}

void CContainerUI::stepDown()
{
    const int line = m_context ? ContextLink::BaseFontHeight(m_context) + kLineStep : kLineStep;
    const SIZE offset = scrollOffset();
    scrollTo(offset.cx, offset.cy + line);
}

namespace {

int VerticalPage(const RECT& rect, const RECT& inset, int barHeight)
{
    return rect.bottom - rect.top - inset.top - inset.bottom - barHeight;
}

int HorizontalPage(const RECT& rect, const RECT& inset, int barWidth)
{
    return rect.right - rect.left - inset.left - inset.right - barWidth;
}

} // namespace

void CContainerUI::leapUp()
{
    const SIZE offset = scrollOffset();
    const int page = VerticalPage(m_rect, m_inset, isBarShown(m_hBar) ? m_hBar->presetHeight() : 0);
    scrollTo(offset.cx, offset.cy - page);
}

void CContainerUI::leapDown()
{
    const SIZE offset = scrollOffset();
    const int page = VerticalPage(m_rect, m_inset, isBarShown(m_hBar) ? m_hBar->presetHeight() : 0);
    scrollTo(offset.cx, offset.cy + page);
}

void CContainerUI::scrollToTop() { scrollTo(scrollOffset().cx, 0); }
void CContainerUI::scrollToBottom() { scrollTo(scrollOffset().cx, scrollExtent().cy); }

void CContainerUI::stepLeft()
{
    const SIZE offset = scrollOffset();
    scrollTo(offset.cx - kLineStep, offset.cy);
}

void CContainerUI::stepRight()
{
    const SIZE offset = scrollOffset();
    scrollTo(offset.cx + kLineStep, offset.cy);
}

void CContainerUI::leapLeft()
{
    const SIZE offset = scrollOffset();
    const int page = HorizontalPage(m_rect, m_inset, isBarShown(m_vBar) ? m_vBar->presetWidth() : 0);
    scrollTo(offset.cx - page, offset.cy);
}

void CContainerUI::leapRight()
{
    const SIZE offset = scrollOffset();
    const int page = HorizontalPage(m_rect, m_inset, isBarShown(m_vBar) ? m_vBar->presetWidth() : 0);
    scrollTo(offset.cx + page, offset.cy);
}

void CContainerUI::scrollToLeftEnd() { scrollTo(0, scrollOffset().cy); }
void CContainerUI::scrollToRightEnd() { scrollTo(scrollExtent().cx, scrollOffset().cy); }

void CContainerUI::panScroll(int delta, bool overBar)
{
    const SIZE offset = scrollOffset();
    const long long travel = (long long)scrollExtent().cy * delta;
    long long y = offset.cy;
    if (overBar) {
        const int freeTrack = m_vBar ? m_vBar->freeTrackLength() : 0;
        if (freeTrack <= 0)
            return;
        y -= travel / freeTrack;
    } else {
        const int height = itemHeight();
        if (height <= 0)
            return;
        y += travel / height;
    }
    const long long clamped = y < INT32_MIN ? INT32_MIN : (y > INT32_MAX ? INT32_MAX : y);
    scrollTo(offset.cx, int(clamped));
}

void CContainerUI::enableScrollBars(bool vertical, bool horizontal)
{
    auto makeBar = [this](bool asHorizontal) {
        CScrollBarUI* bar = new CScrollBarUI();
        if (asHorizontal)
            bar->assignHorizontal(true);
        bar->assignOwner(this);
        bar->bindContext(m_context, nullptr, false);
        const std::wstring defaults =
            ContextLink::ClassDefaults(m_context, asHorizontal ? L"HScrollBar" : L"VScrollBar");
        if (!defaults.empty())
            bar->applyAttributeList(defaults);
        return bar;
    };
    if (vertical && !m_vBar) {
        m_vBar = makeBar(false);
    } else if (!vertical && m_vBar) {
        delete m_vBar;
        m_vBar = nullptr;
    }
    if (horizontal && !m_hBar) {
        m_hBar = makeBar(true);
    } else if (!horizontal && m_hBar) {
        delete m_hBar;
        m_hBar = nullptr;
    }
    markForRelayout();
}

CScrollBarUI* CContainerUI::verticalBar() const { return m_vBar; }
CScrollBarUI* CContainerUI::horizontalBar() const { return m_hBar; }

void CContainerUI::relayoutInPlace(bool invalidate)
{
    if (m_scrollFitDepth >= kMaxScrollFitDepth)
        return;
    ++m_scrollFitDepth;
    placeAt(m_floating ? rectInParent() : m_rect, invalidate);
    --m_scrollFitDepth;
}

void CContainerUI::fitScrollBars(const RECT& inner, int, int neededHeight)
{
    if (isBarShown(m_hBar))
        m_hBar->placeAt(RECT{inner.left, inner.bottom, inner.right, inner.bottom + m_hBar->presetHeight()});
    if (!m_vBar)
        return;
    const int overflow = neededHeight - (inner.bottom - inner.top);
    if (overflow > 0 && !m_vBar->isShown()) {
        m_vBar->assignShown(true);
        m_vBar->assignRange(overflow);
        m_vBar->assignPosition(0);
        m_inScrollFit = true;
        relayoutInPlace(true);
        m_inScrollFit = false;
        return;
    }
    if (!m_vBar->isShown())
        return;
    if (overflow > 0 || m_inScrollFit) {
        m_vBar->placeAt(RECT{inner.right, inner.top, inner.right + m_vBar->presetWidth(), inner.bottom});
        if (m_vBar->range() != overflow) {
            const int oldPosition = m_vBar->position();
            m_vBar->assignRange(std::abs(overflow));
            if (m_vBar->range() == 0) {
                m_vBar->assignShown(false);
                m_vBar->assignPosition(0);
            }
            if (oldPosition > m_vBar->position())
                relayoutInPlace(false);
        }
        return;
    }
    m_vBar->assignShown(false);
    m_vBar->assignPosition(0);
    m_vBar->assignRange(0);
    relayoutInPlace(true);
}

} // namespace SkinUI
