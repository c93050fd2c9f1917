// The child list, ownership, visibility propagation, tree search, input and
// painting of containers. Scrolling lives in ContainerScroll.cpp.
#include "ui/controls/ContainerUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"
#include "ui/controls/RectMath.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI()
{
    delete m_vBar;
    delete m_hBar;
    m_vBar = m_hBar = nullptr;
    std::vector<CControlUI*> children;
    children.swap(m_items);
    for (CControlUI* child : children)
        disposeChild(child, false);
}

const wchar_t* CContainerUI::typeName() const { return L"ContainerUI"; }

void* CContainerUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"IContainer") == 0)
        return static_cast<IContainerUI*>(this);
    if (facet && std::wcscmp(facet, L"Container") == 0)
        return this;
    return CControlUI::queryFacet(facet);
}

void CContainerUI::bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit)
{
    for (CControlUI* child : m_items)
        child->bindContext(context, this, runInit);
    if (m_vBar)
        m_vBar->bindContext(context, this, runInit);
    if (m_hBar)
        m_hBar->bindContext(context, this, runInit);
    CControlUI::bindContext(context, parent, runInit);
}

// ---- IContainerUI ----

CControlUI* CContainerUI::itemAt(int index) const
{
    if (index < 0 || index >= int(m_items.size()))
        return nullptr;
    return m_items[size_t(index)];
}

int CContainerUI::indexOf(CControlUI* control) const
{
    const auto found = std::find(m_items.begin(), m_items.end(), control);
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

bool CContainerUI::moveItem(CControlUI* control, int newIndex)
{
    const int index = indexOf(control);
    if (index < 0)
        return false;
    markForRelayout();
    m_items.erase(m_items.begin() + index);
    newIndex = Clamp(newIndex, 0, int(m_items.size()));
    m_items.insert(m_items.begin() + newIndex, control);
    return true;
}

int CContainerUI::itemCount() const { return int(m_items.size()); }

bool CContainerUI::adopt(CControlUI* control)
{
    if (!control || control == this || indexOf(control) >= 0)
        return false;
    if (m_context)
        ContextLink::RegisterTree(m_context, control, this);
    else
        control->bindContext(nullptr, this, false); // the parent link serves layout before any window exists
    if (isShown())
        markForRelayout();
    else
        control->assignOuterShown(false);
    return true;
}

bool CContainerUI::addItem(CControlUI* control)
{
    if (!adopt(control))
        return false;
    m_items.push_back(control);
    return true;
}

bool CContainerUI::insertItem(CControlUI* control, int index)
{
    if (index < 0 || index > int(m_items.size()) || !adopt(control))
        return false;
    m_items.insert(m_items.begin() + index, control);
    return true;
}

void CContainerUI::disposeChild(CControlUI* child, bool mayDefer)
{
    if (!m_autoDestroy) {
        // The child outlives this container in its owner's hands: it must
        // not keep pointing at a parent that may go away.
        child->bindContext(child->windowContext(), nullptr, false);
        return;
    }
    if (mayDefer && m_delayedDestroy && m_context)
        ContextLink::DeleteLater(m_context, child);
    else
        delete child;
}

bool CContainerUI::removeItem(CControlUI* control)
{
    const int index = indexOf(control);
    if (index < 0)
        return false;
    markForRelayout();
    m_items.erase(m_items.begin() + index);
    disposeChild(control, true);
    return true;
}

bool CContainerUI::removeItemAt(int index) { return removeItem(itemAt(index)); }

void CContainerUI::removeAllItems()
{
    std::vector<CControlUI*> children;
    children.swap(m_items);
    for (CControlUI* child : children)
        disposeChild(child, true);
    markForRelayout();
}

// ---- Settings ----

RECT CContainerUI::innerMargin() const { return m_inset; }

void CContainerUI::assignInnerMargin(const RECT& inset)
{
    m_inset = inset;
    markForRelayout();
}

int CContainerUI::childGapValue() const { return m_childGap; }

void CContainerUI::assignChildGap(int gap)
{
    m_childGap = gap;
    markForRelayout();
}

bool CContainerUI::autoDestroysChildren() const { return m_autoDestroy; }
void CContainerUI::assignAutoDestroy(bool autoDestroy) { m_autoDestroy = autoDestroy; }
bool CContainerUI::delaysDestroy() const { return m_delayedDestroy; }
void CContainerUI::assignDelayedDestroy(bool delayed) { m_delayedDestroy = delayed; }
bool CContainerUI::childrenTakeMouseValue() const { return m_childrenTakeMouse; }
void CContainerUI::assignChildrenTakeMouse(bool enabled) { m_childrenTakeMouse = enabled; }

int CContainerUI::findSelectableItem(int start, bool forward) const
{
    const int count = int(m_items.size());
    if (count == 0)
        return -1;
    start = Clamp(start, 0, count - 1);
    auto selectable = [](CControlUI* item) {
        return item->queryFacet(L"ListItem") && item->isShown() && item->isOperable();
    };
    if (!forward) {
        for (int i = start; i >= 0; --i)
            if (selectable(m_items[size_t(i)]))
                return i;
        start = 0;
    }
    for (int i = start; i < count; ++i)
        if (selectable(m_items[size_t(i)]))
            return i;
    return -1;
}

// ---- Geometry ----

bool CContainerUI::isBarShown(const CScrollBarUI* bar) const { return bar && bar->isShown(); }

RECT CContainerUI::innerWithoutBars() const
{
    RECT inner = Deflate(m_rect, m_inset);
    if (isBarShown(m_vBar))
        inner.right -= m_vBar->presetWidth();
    if (isBarShown(m_hBar))
        inner.bottom -= m_hBar->presetHeight();
    return inner;
}

void CContainerUI::placeAt(RECT rc, bool invalidate)
{
    CControlUI::placeAt(rc, invalidate);
    if (m_items.empty())
        return;
    RECT inner = Deflate(m_rect, m_inset);
    if (isBarShown(m_vBar)) {
        inner.top -= m_vBar->position();
        inner.right -= m_vBar->presetWidth();
        inner.bottom += m_vBar->range() - m_vBar->position();
    }
    if (isBarShown(m_hBar)) {
        inner.left -= m_hBar->position();
        inner.right += m_hBar->range() - m_hBar->position();
        inner.bottom -= m_hBar->presetHeight();
    }
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI* child = m_items[i];
        if (!child->isShown())
            continue;
        if (child->isFloating()) {
            placeFloatingChild(int(i));
            continue;
        }
        const int width = ApplyLimits(inner.right - inner.left, child->lowerWidth(), child->upperWidth());
        const int height = ApplyLimits(inner.bottom - inner.top, child->lowerHeight(), child->upperHeight());
        child->placeAt(RECT{inner.left, inner.top, inner.left + width, inner.top + height}, false);
    }
}

void CContainerUI::placeFloatingChild(int index)
{
    CControlUI* child = itemAt(index);
    if (!child || !child->isShown() || !child->isFloating())
        return;
    const LONG width = itemWidth();
    const LONG height = itemHeight();
    const SIZE origin = child->floatOrigin();
    const TAnchorFractions anchor = child->anchorFractions();
    const RECT relative{TruncScaled(width, anchor.left) + origin.cx, TruncScaled(height, anchor.top) + origin.cy,
                        child->presetWidth() + TruncScaled(width, anchor.right) + origin.cx,
                        child->presetHeight() + TruncScaled(height, anchor.bottom) + origin.cy};
    child->placeAt(relative, false);
}

void CContainerUI::shiftBy(int dx, int dy, bool invalidate)
{
    CControlUI::shiftBy(dx, dy, invalidate);
    if (isBarShown(m_vBar))
        m_vBar->shiftBy(dx, dy, false);
    if (isBarShown(m_hBar))
        m_hBar->shiftBy(dx, dy, false);
    for (CControlUI* child : m_items)
        if (child->isShown())
            child->shiftBy(dx, dy, false);
}

// ---- Visibility ----

void CContainerUI::assignShown(bool shown)
{
    if (shown == m_visible)
        return;
    CControlUI::assignShown(shown);
    for (CControlUI* child : m_items)
        child->assignOuterShown(isShown());
}

void CContainerUI::assignShownKeepFocus(bool shown)
{
    if (shown == m_visible)
        return;
    CControlUI::assignShown(shown);
    for (CControlUI* child : m_items)
        child->assignOuterShownKeepFocus(isShown());
}

void CContainerUI::assignOuterShown(bool shown)
{
    CControlUI::assignOuterShown(shown);
    for (CControlUI* child : m_items)
        child->assignOuterShown(isShown());
}

void CContainerUI::assignOuterShownKeepFocus(bool shown)
{
    CControlUI::assignOuterShownKeepFocus(shown);
    for (CControlUI* child : m_items)
        child->assignOuterShownKeepFocus(isShown());
}

void CContainerUI::assignTakesMouse(bool enabled)
{
    if (m_vBar)
        m_vBar->assignTakesMouse(enabled);
    if (m_hBar)
        m_hBar->assignTakesMouse(enabled);
    CControlUI::assignTakesMouse(enabled);
}

// ---- Search and input ----

CControlUI* CContainerUI::searchTree(TreeVisitor visitor, void* data, UINT flags)
{
    if (!visitor)
        return nullptr;
    if ((flags & FIND_SHOWN) && !isShown())
        return nullptr;
    if ((flags & FIND_OPERABLE) && !isOperable())
        return nullptr;
    const bool hitTest = (flags & FIND_HITTEST) != 0;
    const POINT* point = static_cast<const POINT*>(data);
    if (hitTest && (!point || !::PtInRect(&m_rect, *point)))
        return nullptr;
    if ((flags & FIND_UPDATETEST) && visitor(this, data))
        return nullptr;

    const bool mouseOk = !hitTest || takesMouse();
    if ((flags & FIND_CONTAINER_FIRST) && mouseOk) {
        if (CControlUI* found = visitor(this, data))
            return found;
    }
    if (mouseOk) {
        if (m_vBar) {
            if (CControlUI* found = m_vBar->searchTree(visitor, data, flags))
                return found;
        }
        if (m_hBar) {
            if (CControlUI* found = m_hBar->searchTree(visitor, data, flags))
                return found;
        }
    }
    if (!hitTest || m_childrenTakeMouse) {
        const RECT inner = innerWithoutBars();
        const bool topFirst = (flags & FIND_TOPFIRST) != 0;
        // A visitor may change the tree; index again on every step.
        for (size_t step = 0; step < m_items.size(); ++step) {
            const size_t i = topFirst ? m_items.size() - 1 - step : step;
            CControlUI* found = m_items[i]->searchTree(visitor, data, flags);
            if (!found)
                continue;
            if (!hitTest || found->isFloating() || ::PtInRect(&inner, *point))
                return found;
        }
    }
    if ((flags & FIND_CONTAINER_FIRST) || !mouseOk)
        return nullptr;
    return visitor(this, data);
}

void CContainerUI::passOnInput(TInputEvent& event)
{
    if (m_inputListeners.fire(&event))
        CControlUI::handleInput(event);
}

void CContainerUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        if (m_parent)
            m_parent->handleInput(event);
        else
            CControlUI::handleInput(event);
        return;
    }
    if (event.kind == EInputKind::SetFocus || event.kind == EInputKind::KillFocus) {
        m_focused = event.kind == EInputKind::SetFocus;
        return;
    }
    const bool vertical = isBarShown(m_vBar) && m_vBar->isOperable();
    const bool horizontal = !vertical && isBarShown(m_hBar) && m_hBar->isOperable();
    if (vertical || horizontal) {
        if (event.kind == EInputKind::KeyDown) {
            switch (event.key) {
            case VK_PRIOR:
                vertical ? leapUp() : leapLeft();
                return;
            case VK_NEXT:
                vertical ? leapDown() : leapRight();
                return;
            case VK_END:
                vertical ? scrollToBottom() : scrollToRightEnd();
                return;
            case VK_HOME:
                vertical ? scrollToTop() : scrollToLeftEnd();
                return;
            case VK_UP:
                vertical ? stepUp() : stepLeft();
                return;
            case VK_DOWN:
                vertical ? stepDown() : stepRight();
                return;
            default:
                break;
            }
        } else if (event.kind == EInputKind::ScrollWheel && (event.wParam == 0 || event.wParam == 1)) {
            if (event.wParam == 0)
                vertical ? stepUp() : stepLeft();
            else
                vertical ? stepDown() : stepRight();
            return;
        } else if (event.kind == EInputKind::PanGesture && vertical) {
            panScroll(int(event.lParam), event.wParam != 0);
            return;
        }
    }
    passOnInput(event);
}

// ---- Attributes ----

void CContainerUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"inset") {
        assignInnerMargin(ParseRectText(value));
    } else if (name == L"mousechild") {
        assignChildrenTakeMouse(ParseFlagText(value));
    } else if (name == L"vscrollbar") {
        enableScrollBars(ParseFlagText(value), m_hBar != nullptr);
    } else if (name == L"vscrollbarstyle") {
        enableScrollBars(true, m_hBar != nullptr);
        if (m_vBar)
            m_vBar->applyAttributeList(value);
    } else if (name == L"hscrollbar") {
        enableScrollBars(m_vBar != nullptr, ParseFlagText(value));
    } else if (name == L"hscrollbarstyle") {
        enableScrollBars(m_vBar != nullptr, true);
        if (m_hBar)
            m_hBar->applyAttributeList(value);
    } else if (name == L"childpadding") {
        assignChildGap(ReadIntValue(value));
    } else if (name == L"icon") {
        m_drawIcon = ParseFlagText(value);
    } else {
        CControlUI::writeAttribute(name, value);
    }
}

// ---- Painting ----

void CContainerUI::render(HDC dc, const RECT& request)
{
    RECT area;
    if (!Intersect(area, request, m_rect))
        return;
    CClipScope outerClip;
    CRenderKit::ClipToRect(dc, area, outerClip);

    if (m_drawIcon) {
        if (m_icon) {
            const int side = itemWidth() + m_inset.left - m_inset.right;
            ::DrawIconEx(dc, m_rect.left, m_rect.top, m_icon, side, side, 0, nullptr, DI_NORMAL);
        }
    } else {
        CControlUI::render(dc, request);
    }

    if (!m_items.empty()) {
        const RECT inner = innerWithoutBars();
        RECT childArea;
        if (!Intersect(childArea, request, inner)) {
            for (CControlUI* child : m_items) {
                const RECT childRect = child->itemRect();
                if (child->isShown() && child->isFloating() && Meets(childRect, request) && Meets(childRect, m_rect))
                    child->render(dc, request);
            }
        } else {
            CClipScope childClip;
            CRenderKit::ClipToRect(dc, childArea, childClip);
            for (CControlUI* child : m_items) {
                const RECT childRect = child->itemRect();
                if (!child->isShown() || !Meets(childRect, request))
                    continue;
                if (child->isFloating()) {
                    if (!Meets(childRect, m_rect))
                        continue;
                    CRenderKit::UseSavedClip(dc, childClip);
                    child->render(dc, request);
                    CRenderKit::UseScopeClip(dc, childClip);
                } else if (Meets(childRect, inner)) {
                    child->render(dc, request);
                }
            }
        }
    }

    if (isBarShown(m_vBar) && Meets(m_vBar->itemRect(), request))
        m_vBar->render(dc, request);
    if (isBarShown(m_hBar) && Meets(m_hBar->itemRect(), request))
        m_hBar->render(dc, request);
}

} // namespace SkinUI
