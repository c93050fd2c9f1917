// State, geometry, visibility, tree search and input of the control base.
#include "ui/controls/ControlUI.h"

#include "ui/controls/ContextLink.h"
#include "ui/controls/RectMath.h"

#include <cwchar>

namespace SkinUI {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI()
{
    if (!m_destroyListeners.empty())
        m_destroyListeners.fire(this);
    ContextLink::ForgetControl(m_context, this);
}

std::wstring CControlUI::controlName() const { return m_name; }
void CControlUI::assignName(const std::wstring& name) { m_name = name; }
const wchar_t* CControlUI::typeName() const { return L"ControlUI"; }

void* CControlUI::queryFacet(const wchar_t* facet)
{
    return facet && std::wcscmp(facet, L"Control") == 0 ? this : nullptr;
}

UINT CControlUI::inputTraits() const { return 0; }
bool CControlUI::fireAction() { return isShown() && isOperable(); }
CWindowContextUI* CControlUI::windowContext() const { return m_context; }

void CControlUI::bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit)
{
    m_context = context;
    m_parent = parent;
    if (runInit && m_parent)
        this->runInit();
}

CControlUI* CControlUI::parentControl() const { return m_parent; }
std::wstring CControlUI::textValue() const { return m_text; }

void CControlUI::assignText(const std::wstring& text)
{
    if (m_text == text)
        return;
    m_text = text;
    requestRepaint();
}

RECT CControlUI::itemRect() const { return m_rect; }

RECT CControlUI::rectInParent() const
{
    if (!m_parent)
        return RECT{};
    const RECT parentRect = m_parent->itemRect();
    return OffsetBy(m_rect, -parentRect.left, -parentRect.top);
}

bool CControlUI::clipToAncestors(RECT& dirty, bool stopAtHiddenAncestor) const
{
    for (const CControlUI* ancestor = m_parent; ancestor; ancestor = ancestor->parentControl()) {
        if (stopAtHiddenAncestor && !ancestor->isShown())
            return false;
        if (!Intersect(dirty, dirty, ancestor->itemRect()))
            return false;
    }
    return true;
}

void CControlUI::placeAt(RECT rc, bool invalidate)
{
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;

    RECT dirty = IsEmptyRect(m_rect) ? rc : m_rect;

    if (m_floating) {
        if (m_parent) {
            // rc is relative to the parent; the presets are re-derived so that
            // the next layout pass reproduces this position.
            const RECT parentRect = m_parent->itemRect();
            const LONG width = parentRect.right - parentRect.left;
            const LONG height = parentRect.bottom - parentRect.top;
            m_rect = OffsetBy(rc, parentRect.left, parentRect.top);
            m_floatOrigin.cx = rc.left - TruncScaled(width, m_anchorFractions.left);
            m_floatOrigin.cy = rc.top - TruncScaled(height, m_anchorFractions.top);
            m_presetWidth = rc.right - m_floatOrigin.cx - TruncScaled(width, m_anchorFractions.right);
            m_presetHeight = rc.bottom - m_floatOrigin.cy - TruncScaled(height, m_anchorFractions.bottom);
        }
    } else {
        m_rect = rc;
    }

    if (!m_context)
        return;

    if (!m_inPlaceAt) {
        m_inPlaceAt = true;
        m_sizeListeners.fire(this);
        m_inPlaceAt = false;
    }
    m_relayoutPending = false;

    if (invalidate && isShown()) {
        dirty = Union(dirty, m_rect);
        if (clipToAncestors(dirty, true))
            ContextLink::RepaintRect(m_context, dirty);
    }
}

void CControlUI::shiftBy(int dx, int dy, bool invalidate)
{
    RECT dirty = m_rect;
    m_rect = OffsetBy(m_rect, dx, dy);
    if (!invalidate || !m_context || !isShown())
        return;
    dirty = Union(dirty, m_rect);
    if (clipToAncestors(dirty, true))
        ContextLink::RepaintRect(m_context, dirty);
}

int CControlUI::itemWidth() const { return m_rect.right - m_rect.left; }
int CControlUI::itemHeight() const { return m_rect.bottom - m_rect.top; }
int CControlUI::itemLeft() const { return m_rect.left; }
int CControlUI::itemTop() const { return m_rect.top; }

RECT CControlUI::outerMargin() const { return m_margin; }

void CControlUI::assignOuterMargin(const RECT& margin)
{
    m_margin = margin;
    markParentForRelayout();
}

SIZE CControlUI::floatOrigin() const { return m_floatOrigin; }

void CControlUI::relayoutForSizeChange()
{
    // A floating control places itself from its presets; any other is placed
    // by its parent's flow.
    if (m_floating)
        markForRelayout();
    else
        markParentForRelayout();
}

void CControlUI::assignLimit(int& limit, int value)
{
    if (value == limit || value < 0)
        return;
    limit = value;
    relayoutForSizeChange();
}

void CControlUI::assignFloatOrigin(SIZE origin)
{
    m_floatOrigin = origin;
    relayoutForSizeChange();
}

int CControlUI::presetWidth() const { return m_presetWidth; }

void CControlUI::assignPresetWidth(int width)
{
    if (width < 0)
        return;
    m_presetWidth = width;
    relayoutForSizeChange();
}

int CControlUI::presetHeight() const { return m_presetHeight; }

void CControlUI::assignPresetHeight(int height)
{
    if (height < 0)
        return;
    m_presetHeight = height;
    relayoutForSizeChange();
}

int CControlUI::lowerWidth() const { return m_minWidth; }
void CControlUI::assignLowerWidth(int width) { assignLimit(m_minWidth, width); }
int CControlUI::upperWidth() const { return m_maxWidth; }
void CControlUI::assignUpperWidth(int width) { assignLimit(m_maxWidth, width); }
int CControlUI::lowerHeight() const { return m_minHeight; }
void CControlUI::assignLowerHeight(int height) { assignLimit(m_minHeight, height); }
int CControlUI::upperHeight() const { return m_maxHeight; }
void CControlUI::assignUpperHeight(int height) { assignLimit(m_maxHeight, height); }

TAnchorFractions CControlUI::anchorFractions() const { return m_anchorFractions; }

void CControlUI::assignAnchorFractions(const TAnchorFractions& fractions)
{
    m_anchorFractions = fractions;
    markParentForRelayout();
}

std::wstring CControlUI::hintText() const { return m_hint; }

void CControlUI::assignHintText(const std::wstring& text)
{
    // Skins write line breaks of tooltips as "<n>".
    static const std::wstring kBreakTag = L"<n>";
    std::wstring hint;
    hint.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(kBreakTag); at != std::wstring::npos; at = text.find(kBreakTag, from)) {
        hint.append(text, from, at - from);
        hint += L"\r\n";
        from = at + kBreakTag.size();
    }
    hint.append(text, from, std::wstring::npos);
    m_hint = hint;
}

void CControlUI::assignHintWidth(int width) { m_hintWidth = width; }
int CControlUI::hintWidth() const { return m_hintWidth; }
wchar_t CControlUI::accessKey() const { return m_accessKey; }
void CControlUI::assignAccessKey(wchar_t key) { m_accessKey = key; }
bool CControlUI::wantsMenu() const { return m_menuWanted; }
void CControlUI::assignWantsMenu(bool wanted) { m_menuWanted = wanted; }
const std::wstring& CControlUI::userText() const { return m_userText; }
void CControlUI::assignUserText(const std::wstring& text) { m_userText = text; }
UINT_PTR CControlUI::userTag() const { return m_userTag; }
void CControlUI::assignUserTag(UINT_PTR tag) { m_userTag = tag; }

bool CControlUI::isShown() const { return m_visible && m_outerVisible; }

void CControlUI::assignShown(bool shown)
{
    if (shown == m_visible)
        return;
    const bool wasShown = isShown();
    m_visible = shown;
    m_focused = false;
    if (!shown && m_context && ContextLink::FocusedControl(m_context) == this)
        ContextLink::FocusControl(m_context, nullptr);
    if (isShown() != wasShown)
        markParentForRelayout();
}

void CControlUI::assignShownKeepFocus(bool shown)
{
    if (shown == m_visible)
        return;
    const bool wasShown = isShown();
    m_visible = shown;
    m_focused = false;
    if (isShown() != wasShown)
        markParentForRelayout();
}

void CControlUI::assignOuterShown(bool shown)
{
    m_outerVisible = shown;
    if (!shown && m_context && ContextLink::FocusedControl(m_context) == this)
        ContextLink::FocusControl(m_context, nullptr);
}

void CControlUI::assignOuterShownKeepFocus(bool shown) { m_outerVisible = shown; }

bool CControlUI::isOperable() const { return m_enabled; }

void CControlUI::assignOperable(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    requestRepaint();
}

bool CControlUI::takesMouse() const { return m_mouseEnabled; }
void CControlUI::assignTakesMouse(bool enabled) { m_mouseEnabled = enabled; }
bool CControlUI::takesKeyboard() const { return m_keyboardEnabled; }
void CControlUI::assignTakesKeyboard(bool enabled) { m_keyboardEnabled = enabled; }
bool CControlUI::hasFocus() const { return m_focused; }

void CControlUI::grabFocus()
{
    if (m_context)
        ContextLink::FocusControl(m_context, this);
}

bool CControlUI::isFloating() const { return m_floating; }

void CControlUI::assignFloating(bool floating)
{
    if (m_floating == floating)
        return;
    m_floating = floating;
    markParentForRelayout();
}

CControlUI* CControlUI::searchTree(TreeVisitor visitor, void* data, UINT flags)
{
    if (!visitor)
        return nullptr;
    if ((flags & FIND_SHOWN) && !isShown())
        return nullptr;
    if ((flags & FIND_OPERABLE) && !isOperable())
        return nullptr;
    if (flags & FIND_HITTEST) {
        const POINT* point = static_cast<const POINT*>(data);
        if (!takesMouse() || !point || !::PtInRect(&m_rect, *point))
            return nullptr;
    }
    if ((flags & FIND_UPDATETEST) && visitor(this, data))
        return nullptr;
    return visitor(this, data);
}

void CControlUI::runInit()
{
    onInit();
    m_initListeners.fire(this);
}

void CControlUI::onInit() {}

void CControlUI::dispatchInput(TInputEvent& event)
{
    if (m_inputListeners.fire(&event))
        handleInput(event);
}

void CControlUI::handleInput(TInputEvent& event)
{
    switch (event.kind) {
    case EInputKind::SetCursor:
        ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))); // IDC_ARROW
        return;
    case EInputKind::SetFocus:
        m_focused = true;
        requestRepaint();
        return;
    case EInputKind::KillFocus:
        m_focused = false;
        requestRepaint();
        return;
    case EInputKind::MouseEnter:
        sendNotice(L"mouseenter", event.wParam, event.lParam);
        requestRepaint();
        break;
    case EInputKind::MouseLeave:
        sendNotice(L"mouseleave", event.wParam, event.lParam);
        requestRepaint();
        break;
    case EInputKind::Timer:
        sendNotice(L"timer", event.wParam, event.lParam);
        return;
    case EInputKind::ContextMenu:
        if (m_menuWanted) {
            sendNotice(L"menu", event.wParam, event.lParam);
            return;
        }
        break;
    default:
        break;
    }
    if (m_parent)
        m_parent->handleInput(event);
}

SIZE CControlUI::measure(SIZE) { return SIZE{m_presetWidth, m_presetHeight}; }

void CControlUI::requestRepaint()
{
    if (!isShown())
        return;
    RECT dirty = m_rect;
    if (!clipToAncestors(dirty, false))
        return;
    if (m_context)
        ContextLink::RepaintRect(m_context, dirty);
}

void CControlUI::markForRelayout()
{
    if (!isShown())
        return;
    m_relayoutPending = true;
    requestRepaint();
    if (m_context)
        ContextLink::RequestLayout(m_context);
}

void CControlUI::markParentForRelayout()
{
    if (m_parent) {
        m_parent->markForRelayout();
        m_parent->requestRepaint();
    } else {
        markForRelayout();
    }
    if (m_context)
        ContextLink::RequestLayout(m_context);
}

std::wstring CControlUI::effectiveVirtualWindow() const
{
    if (!m_virtualWindow.empty())
        return m_virtualWindow;
    return m_parent ? m_parent->effectiveVirtualWindow() : std::wstring();
}

void CControlUI::sendNotice(const wchar_t* type, WPARAM wParam, LPARAM lParam)
{
    if (m_context)
        ContextLink::SendNotice(m_context, this, type, wParam, lParam);
}

} // namespace SkinUI
