#include "ui/controls/ScrollBarUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ContextLink.h"
#include "ui/controls/RectMath.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

namespace SkinUI {

namespace {

constexpr int kDefaultThickness = 16;

int ClampToInt(int64_t value)
{
    return int(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, value)));
}

} // namespace

CScrollBarUI::CScrollBarUI() { m_presetWidth = kDefaultThickness; }

const wchar_t* CScrollBarUI::typeName() const { return L"ScrollBarUI"; }

void* CScrollBarUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"ScrollBar") == 0)
        return this;
    return CControlUI::queryFacet(facet);
}

void CScrollBarUI::assignHorizontal(bool horizontal)
{
    if (m_horizontal == horizontal)
        return;
    m_horizontal = horizontal;
    m_presetWidth = horizontal ? 0 : kDefaultThickness;
    m_presetHeight = horizontal ? kDefaultThickness : 0;
    if (m_owner)
        m_owner->markForRelayout();
}

void CScrollBarUI::assignRange(int range)
{
    range = std::max(range, 0);
    if (range == m_range)
        return;
    m_range = range;
    m_position = std::min(m_position, m_range);
    placeAt(m_rect, true);
}

void CScrollBarUI::assignPosition(int position)
{
    position = std::min(std::max(position, 0), m_range);
    if (position == m_position)
        return;
    m_position = position;
    placeAt(m_rect, true);
}

int CScrollBarUI::thickness() const { return m_horizontal ? m_presetHeight : m_presetWidth; }
int CScrollBarUI::length() const { return m_horizontal ? itemWidth() : itemHeight(); }

int CScrollBarUI::freeTrackLength() const
{
    const int thumbLength = m_horizontal ? m_thumb.rect.right - m_thumb.rect.left : m_thumb.rect.bottom - m_thumb.rect.top;
    return length() - 2 * thickness() - thumbLength;
}

void CScrollBarUI::placeAt(RECT rc, bool invalidate)
{
    CControlUI::placeAt(rc, invalidate);
    placeParts();
}

void CScrollBarUI::placeParts()
{
    // Worked out along the bar (a, from `start` to `end`) and across it (c,
    // from `side` for `u` pixels), then turned into rectangles.
    const RECT& r = m_rect;
    const int start = m_horizontal ? r.left : r.top;
    const int end = m_horizontal ? r.right : r.bottom;
    const int side = m_horizontal ? r.top : r.left;
    const int farSide = m_horizontal ? r.bottom : r.right;
    const int total = end - start;
    int u = thickness();
    const int track = total - (m_first.visible ? u : 0) - (m_second.visible ? u : 0);

    auto toRect = [this](int a0, int c0, int a1, int c1) {
        return m_horizontal ? RECT{a0, c0, a1, c1} : RECT{c0, a0, c1, a1};
    };

    if (u < track) {
        const int firstEnd = m_first.visible ? start + u : start;
        const int secondStart = m_second.visible ? end - u : end;
        m_first.rect = toRect(start, side, firstEnd, side + u);
        m_second.rect = toRect(secondStart, side, end, side + u);
        if (m_range <= 0) {
            m_thumb.rect = toRect(firstEnd, side, secondStart, farSide);
            return;
        }
        int thumbLength = ClampToInt(int64_t(total) * track / (int64_t(total) + m_range));
        thumbLength = std::max(thumbLength, u);
        if (!m_horizontal && m_minThumbLength > 0)
            thumbLength = std::max(thumbLength, m_minThumbLength);
        int thumbTop = firstEnd + ClampToInt(int64_t(track - thumbLength) * m_position / m_range);
        if (thumbTop + thumbLength > secondStart)
            thumbTop = secondStart - thumbLength;
        m_thumb.rect = toRect(thumbTop, side, thumbTop + thumbLength, farSide);
        return;
    }
    // Too short for a thumb: the buttons share the length.
    u = std::min(u, total / 2);
    m_first.rect = toRect(start, side, start + u, side + u);
    m_second.rect = toRect(end - u, side, end, side + u);
    m_thumb.rect = RECT{};
}

void CScrollBarUI::moveOnOwnBy(int delta)
{
    assignPosition(ClampToInt(int64_t(m_position) + delta));
    sendNotice(L"scroll");
}

void CScrollBarUI::stepBackward()
{
    if (!m_owner)
        moveOnOwnBy(-m_lineSize);
    else if (m_horizontal)
        m_owner->stepLeft();
    else
        m_owner->stepUp();
}

void CScrollBarUI::stepForward()
{
    if (!m_owner)
        moveOnOwnBy(m_lineSize);
    else if (m_horizontal)
        m_owner->stepRight();
    else
        m_owner->stepDown();
}

void CScrollBarUI::leapBackward()
{
    if (!m_owner)
        moveOnOwnBy(-length());
    else if (m_horizontal)
        m_owner->leapLeft();
    else
        m_owner->leapUp();
}

void CScrollBarUI::leapForward()
{
    if (!m_owner)
        moveOnOwnBy(length());
    else if (m_horizontal)
        m_owner->leapRight();
    else
        m_owner->leapDown();
}

void CScrollBarUI::applyDrag()
{
    const int target = ClampToInt(int64_t(m_dragStartPosition) + m_dragDelta);
    if (!m_owner) {
        if (target != m_position) {
            assignPosition(target);
            sendNotice(L"scroll");
        }
        return;
    }
    const SIZE offset = m_owner->scrollOffset();
    if (m_horizontal)
        m_owner->scrollTo(target, offset.cy);
    else
        m_owner->scrollTo(offset.cx, target);
}

void CScrollBarUI::onPress(POINT point)
{
    m_dragDelta = 0;
    m_repeatCount = 0;
    ContextLink::StartTimer(m_context, this, kRepeatTimerId, kRepeatPeriodMs);
    if (m_first.visible && Contains(m_first.rect, point)) {
        m_first.state |= STATE_PUSHED;
        stepBackward();
    } else if (m_second.visible && Contains(m_second.rect, point)) {
        m_second.state |= STATE_PUSHED;
        stepForward();
    } else if (Contains(m_thumb.rect, point)) {
        m_thumb.state |= STATE_CAPTURED | STATE_PUSHED;
        m_pressPoint = point;
        m_dragStartPosition = m_position;
    } else {
        m_bar.state |= STATE_PUSHED; // a press on the track, repeated while held
        if (along(point) < thumbStart())
            leapBackward();
        else
            leapForward();
    }
    requestRepaint();
}

void CScrollBarUI::onRelease()
{
    m_repeatCount = 0;
    m_dragDelta = 0;
    ContextLink::StopTimer(m_context, this, kRepeatTimerId);
    m_thumb.state &= ~(STATE_CAPTURED | STATE_PUSHED);
    m_first.state &= ~STATE_PUSHED;
    m_second.state &= ~STATE_PUSHED;
    m_bar.state &= ~STATE_PUSHED;
    requestRepaint();
}

void CScrollBarUI::onRepeatTick()
{
    ++m_repeatCount;
    if (m_thumb.state & STATE_CAPTURED) {
        applyDrag();
        requestRepaint();
        return;
    }
    if (m_repeatCount <= kRepeatDelayTicks)
        return;
    if (m_first.state & STATE_PUSHED) {
        stepBackward();
    } else if (m_second.state & STATE_PUSHED) {
        stepForward();
    } else if (m_bar.state & STATE_PUSHED) {
        // The thumb may have passed the held pointer: page towards it.
        IRenderResourcesUI* resources = ContextLink::RenderResources(m_context);
        if (!resources)
            return;
        if (along(resources->LastMouse()) < thumbStart())
            leapBackward();
        else
            leapForward();
    }
}

void CScrollBarUI::passToOwner(TInputEvent& event)
{
    if (m_owner)
        m_owner->handleInput(event);
    else
        CControlUI::handleInput(event);
}

void CScrollBarUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        passToOwner(event);
        return;
    }
    switch (event.kind) {
    case EInputKind::SetFocus:
    case EInputKind::KillFocus:
    case EInputKind::ContextMenu:
        return;
    case EInputKind::ButtonDown:
    case EInputKind::DoubleClick:
        if (!isOperable())
            break;
        onPress(event.mouse);
        return;
    case EInputKind::ButtonUp:
        onRelease();
        return;
    case EInputKind::MouseMove:
        if (m_thumb.state & STATE_CAPTURED) {
            const int freeTrack = freeTrackLength();
            if (freeTrack > 0)
                m_dragDelta = ClampToInt(int64_t(along(event.mouse) - along(m_pressPoint)) * m_range / freeTrack);
        } else if (isOperable()) {
            const UINT before = m_thumb.state;
            if (Contains(m_thumb.rect, event.mouse))
                m_thumb.state |= STATE_HOT;
            else
                m_thumb.state &= ~STATE_HOT;
            if (before != m_thumb.state)
                requestRepaint();
        }
        return;
    case EInputKind::Timer:
        if (event.wParam != kRepeatTimerId)
            break;
        onRepeatTick();
        return;
    case EInputKind::MouseEnter:
        if (!isOperable())
            break;
        m_first.state |= STATE_HOT;
        m_second.state |= STATE_HOT;
        if (Contains(m_thumb.rect, event.mouse))
            m_thumb.state |= STATE_HOT;
        requestRepaint();
        return;
    case EInputKind::MouseLeave:
        if (!isOperable())
            break;
        m_first.state &= ~STATE_HOT;
        m_second.state &= ~STATE_HOT;
        m_thumb.state &= ~STATE_HOT;
        requestRepaint();
        return;
    default:
        break;
    }
    passToOwner(event);
}

RECT CScrollBarUI::railRect() const
{
    const int u = thickness();
    const RECT& t = m_thumb.rect;
    if (m_horizontal) {
        const int middle = (t.left + t.right) / 2;
        return RECT{middle - u / 2, m_rect.top, middle - u / 2 + u, m_rect.top + u};
    }
    const int middle = (t.top + t.bottom) / 2;
    return RECT{m_rect.left, middle - u / 2, m_rect.left + u, middle - u / 2 + u};
}

void CScrollBarUI::drawPartImage(HDC dc, TImageDrawInfo& image, const RECT& rect)
{
    IRenderResourcesUI* resources = ContextLink::RenderResources(m_context);
    if (resources && !image.source.empty())
        CRenderKit::PaintImageAttr(dc, resources, rect, m_paintRect, image);
}

void CScrollBarUI::drawPart(HDC dc, TBarPart& part, const RECT& rect)
{
    if (part.colour != 0)
        CRenderKit::FillArgb(dc, rect, part.colour);
    TImageDrawInfo* image = &part.normal;
    if (!isOperable() && !part.disabled.source.empty())
        image = &part.disabled;
    else if ((part.state & STATE_PUSHED) && !part.pushed.source.empty())
        image = &part.pushed;
    else if ((part.state & STATE_HOT) && !part.hot.source.empty())
        image = &part.hot;
    drawPartImage(dc, *image, rect);
}

void CScrollBarUI::render(HDC dc, const RECT& request)
{
    if (!Intersect(m_paintRect, request, m_rect))
        return;
    drawBackColour(dc);
    drawBackImage(dc);
    drawPart(dc, m_bar, m_rect);
    if (m_first.visible)
        drawPart(dc, m_first, m_first.rect);
    if (m_second.visible)
        drawPart(dc, m_second, m_second.rect);
    if (!IsEmptyRect(m_thumb.rect)) {
        drawPart(dc, m_thumb, m_thumb.rect);
        m_rail.state = m_thumb.state;
        drawPart(dc, m_rail, railRect());
    }
    drawBorder(dc);
}

bool CScrollBarUI::writePartAttribute(TBarPart& part, const std::wstring& key, const std::wstring& value)
{
    TImageDrawInfo* image = nullptr;
    if (key == L"normalimage")
        image = &part.normal;
    else if (key == L"hotimage")
        image = &part.hot;
    else if (key == L"pushedimage")
        image = &part.pushed;
    else if (key == L"disabledimage")
        image = &part.disabled;
    else if (key == L"color")
        part.colour = ParseColourText(value);
    else
        return false;
    if (image)
        image->Reset(value);
    requestRepaint();
    return true;
}

void CScrollBarUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    struct TPrefix {
        const wchar_t* text;
        TBarPart* part;
    };
    const TPrefix prefixes[] = {{L"button1", &m_first}, {L"button2", &m_second}, {L"thumb", &m_thumb},
                                {L"bk", &m_bar},       {L"rail", &m_rail}};
    if (name == L"range") {
        assignRange(ReadIntValue(value));
    } else if (name == L"value") {
        assignPosition(ReadIntValue(value));
    } else if (name == L"linesize") {
        assignLineSize(ReadIntValue(value));
    } else if (name == L"minthumbheight") {
        assignMinThumbLength(ReadIntValue(value));
    } else if (name == L"showbutton1") {
        m_first.visible = ParseFlagText(value);
        placeAt(m_rect, true);
    } else if (name == L"showbutton2") {
        m_second.visible = ParseFlagText(value);
        placeAt(m_rect, true);
    } else {
        for (const TPrefix& prefix : prefixes) {
            const size_t prefixLength = std::wcslen(prefix.text);
            if (name.compare(0, prefixLength, prefix.text) != 0)
                continue;
            const std::wstring key = name.substr(prefixLength);
            // The bar and the rail have images only; "bkcolor" stays the control's.
            const bool imageOnly = prefix.part == &m_bar || prefix.part == &m_rail;
            if ((!imageOnly || key != L"color") && writePartAttribute(*prefix.part, key, value))
                return;
        }
        CControlUI::writeAttribute(name, value);
    }
}

} // namespace SkinUI
