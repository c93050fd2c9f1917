// Window messages into input events: mouse routing with hover, capture and
// clicks, keys, timers, reflected child notifications and touch panning.
#include "ui/core/host/WindowContextUI.h"

#include "ui/controls/ContainerUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/ControlUI.h"

#include <windowsx.h>

#include <cstdlib>
#include <cwchar>

namespace SkinUI {

namespace {

TInputEvent MakeEvent(EInputKind kind, CControlUI* sender, POINT mouse)
{
    TInputEvent event;
    event.kind = kind;
    event.sender = sender;
    event.timestamp = ::GetTickCount();
    event.mouse = mouse;
    return event;
}

// The modifier flags of a key event, from the keyboard's current state.
WORD CurrentKeyState()
{
    WORD state = 0;
    if (::GetKeyState(VK_LBUTTON) < 0)
        state |= KEYSTATE_LBUTTON;
    if (::GetKeyState(VK_RBUTTON) < 0)
        state |= KEYSTATE_RBUTTON;
    if (::GetKeyState(VK_SHIFT) < 0)
        state |= KEYSTATE_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0)
        state |= KEYSTATE_CONTROL;
    if (::GetKeyState(VK_MENU) < 0)
        state |= KEYSTATE_ALT;
    return state;
}

POINT ClientPoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool IsClass(const CControlUI* control, const wchar_t* name)
{
    const wchar_t* type = control ? control->typeName() : nullptr;
    return type && std::wcscmp(type, name) == 0;
}

// Controls that use the left button themselves never start a parent drag.
bool StartsParentDrag(const CControlUI* control)
{
    static const wchar_t* const kOwnClicks[] = {L"ButtonUI",           L"LabelUI",    L"CheckBoxUI", L"ComboUI",
                                                L"ListLabelElementUI", L"ScrollBarUI"};
    for (const wchar_t* name : kOwnClicks)
        if (IsClass(control, name))
            return false;
    return true;
}

// Dragging inside a scrolling container would fight its scroll bars.
bool InsideScrollingContainer(const CControlUI* control)
{
    for (CControlUI* ancestor = control->parentControl(); ancestor; ancestor = ancestor->parentControl()) {
        auto* container = static_cast<CContainerUI*>(ancestor->queryFacet(L"Container"));
        if (!container)
            continue;
        const CControlUI* bars[] = {container->verticalBar(), container->horizontalBar()};
        for (const CControlUI* bar : bars)
            if (bar && bar->isShown())
                return true;
    }
    return false;
}

} // namespace

void CWindowContextUI::Dispatch(CControlUI* control, EInputKind kind, WPARAM wParam, LPARAM lParam, WORD keyState,
                                CControlUI* sender)
{
    if (!control)
        return;
    TInputEvent event = MakeEvent(kind, sender ? sender : control, m_lastMouse);
    event.keyState = keyState;
    event.wParam = wParam;
    event.lParam = lParam;
    control->dispatchInput(event);
}

CControlUI* CWindowContextUI::OwnControlAt(POINT point) const
{
    CControlUI* control = ControlAt(point);
    return control && control->windowContext() == this ? control : nullptr;
}

bool CWindowContextUI::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!m_window)
        return false;
    DeliverDeferredNotices();
    const std::vector<IMessageFilterUI*> filters = m_filters;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LRESULT filtered = 0;
        try {
            filtered = filter->FilterMessage(message, wParam, lParam, handled);
        } catch (...) {
            // A filter that throws leaves the window in an unknown state.
            ::ExitProcess(1);
        }
        if (handled) {
            result = filtered;
            return true;
        }
    }
    const bool handled = RouteWindowMessage(message, wParam, lParam, result);
    DeliverDeferredNotices();
    return handled;
}

bool CWindowContextUI::RouteWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_SKINUI_DELETE_LATER: {
        ControlList doomed;
        doomed.swap(m_deleteLater);
        for (CControlUI* control : doomed)
            delete control;
        result = 0;
        return true;
    }
    case WM_CLOSE:
        OnClose();
        return false;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_PRINTCLIENT:
        OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
        result = 0;
        return true;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (!info)
            return false;
        if (m_minTrack.cx > 0)
            info->ptMinTrackSize.x = m_minTrack.cx;
        if (m_minTrack.cy > 0)
            info->ptMinTrackSize.y = m_minTrack.cy;
        if (m_maxTrack.cx > 0)
            info->ptMaxTrackSize.x = m_maxTrack.cx;
        if (m_maxTrack.cy > 0)
            info->ptMaxTrackSize.y = m_maxTrack.cy;
        return false;
    }
    case WM_SIZE:
        OnSize();
        result = 0;
        return true;
    case WM_TIMER:
        OnTimer(wParam);
        return false;
    case WM_MOUSEHOVER:
        result = 0;
        return OnMouseHover(lParam);
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return false;
    case WM_MOUSEMOVE:
        if (m_dragParent && (wParam & MK_LBUTTON))
            DragParentTo(true);
        OnMouseMove(lParam);
        return false;
    case WM_LBUTTONDOWN:
        OnButtonDown(wParam, lParam);
        return false;
    case WM_LBUTTONUP:
        OnButtonUp(wParam, lParam);
        return false;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(wParam, lParam);
        return false;
    case WM_RBUTTONDOWN:
        OnRightButtonDown(wParam, lParam);
        return false;
    case WM_RBUTTONUP:
        OnRightButtonUp(wParam, lParam);
        return false;
    case WM_CONTEXTMENU:
        OnContextMenu(wParam, lParam);
        return false;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, lParam);
        return false;
    case WM_SETCURSOR:
        if (!OnSetCursor(lParam))
            return false;
        result = TRUE;
        return true;
    case WM_KEYDOWN:
        OnKey(EInputKind::KeyDown, wParam, lParam);
        return false;
    case WM_KEYUP:
        OnKey(EInputKind::KeyUp, wParam, lParam);
        return false;
    case WM_CHAR:
        OnKey(EInputKind::Char, wParam, lParam);
        return false;
    case WM_IME_COMPOSITION:
        if (m_focus) {
            TInputEvent event;
            event.kind = EInputKind::ImeComposition;
            event.wParam = wParam;
            event.lParam = lParam;
            m_focus->dispatchInput(event);
        }
        return false;
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // Reflected to the child control window that sent it.
        HWND child = nullptr;
        if (message == WM_NOTIFY) {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            child = header ? header->hwndFrom : nullptr;
        } else {
            child = reinterpret_cast<HWND>(lParam);
        }
        if (!child || !::IsWindow(child) || child == m_window)
            return false;
        result = ::SendMessageW(child, message + 0x2000, wParam, lParam);
        return true;
    }
    case WM_GESTURENOTIFY:
    case WM_GESTURE:
        return OnGesture(message, wParam, lParam, result);
    default:
        return false;
    }
}

void CWindowContextUI::OnClose()
{
    if (m_hover) {
        CControlUI* hover = m_hover;
        m_hover = nullptr;
        Dispatch(hover, EInputKind::MouseLeave);
    }
    if (m_click) {
        CControlUI* click = m_click;
        m_click = nullptr;
        ReleaseMouse();
        Dispatch(click, EInputKind::ButtonUp);
    }
    FocusControl(nullptr);
    HWND owner = ::GetWindow(m_window, GW_OWNER);
    if (owner)
        ::SetFocus(owner);
}

void CWindowContextUI::OnSize()
{
    Dispatch(m_focus, EInputKind::WindowSize);
    if (m_root)
        m_root->markForRelayout();
    m_layoutNeeded = true;
}

void CWindowContextUI::OnTimer(WPARAM nativeId)
{
    const TTimerEntry* entry = m_timers.FindRunning(m_window, nativeId);
    if (entry)
        Dispatch(entry->control, EInputKind::Timer, entry->timerId, 0);
}

bool CWindowContextUI::OnMouseHover(LPARAM lParam)
{
    m_mouseTracking = false;
    const POINT point = ClientPoint(lParam);
    CControlUI* control = ControlAt(point);
    if (!control)
        return true;
    Dispatch(m_hover, EInputKind::MouseHover);
    ShowTooltip(control);
    return true;
}

void CWindowContextUI::OnMouseLeave()
{
    HideTooltip();
    if (m_mouseTracking)
        ::SendMessageW(m_window, WM_MOUSEMOVE, 0, LPARAM(-1));
    m_mouseTracking = false;
}

void CWindowContextUI::OnMouseMove(LPARAM lParam)
{
    if (!m_mouseTracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_window, HoverDelay()};
        ::TrackMouseEvent(&track);
        m_mouseTracking = true;
    }
    m_lastMouse = ClientPoint(lParam);
    CControlUI* control = ControlAt(m_lastMouse);
    if (control && control->windowContext() != this)
        return;
    if (control != m_hover) {
        CControlUI* previous = m_hover;
        m_hover = control;
        if (previous) {
            Dispatch(previous, EInputKind::MouseLeave);
            HideTooltip();
        }
        // The leave handler may have removed the new control.
        if (m_hover == control && control)
            Dispatch(control, EInputKind::MouseEnter);
    }
    if (m_click)
        Dispatch(m_click, EInputKind::MouseMove);
    else if (m_hover == control)
        Dispatch(control, EInputKind::MouseMove);
}

void CWindowContextUI::OnButtonDown(WPARAM wParam, LPARAM lParam)
{
    ::SetFocus(m_window);
    m_lastMouse = ClientPoint(lParam);
    CControlUI* control = OwnControlAt(m_lastMouse);
    if (!control)
        return;
    m_click = control;
    control->grabFocus();
    if (m_click != control)
        return; // the focus change removed it
    CaptureMouse();
    BeginParentDrag(control);
    Dispatch(control, EInputKind::ButtonDown, wParam, lParam, WORD(wParam));
}

void CWindowContextUI::OnButtonUp(WPARAM wParam, LPARAM lParam)
{
    m_dragging = false;
    m_lastMouse = ClientPoint(lParam);
    if (!m_click)
        return;
    CControlUI* click = m_click;
    ReleaseMouse();
    Dispatch(click, EInputKind::ButtonUp, wParam, lParam, WORD(wParam));
    if (m_click == click)
        m_click = nullptr;
}

void CWindowContextUI::OnDoubleClick(WPARAM wParam, LPARAM lParam)
{
    ::SetFocus(m_window);
    m_lastMouse = ClientPoint(lParam);
    CControlUI* control = OwnControlAt(m_lastMouse);
    if (!control)
        return;
    CaptureMouse();
    m_click = control;
    Dispatch(control, EInputKind::DoubleClick, wParam, lParam, WORD(wParam));
}

void CWindowContextUI::OnRightButtonDown(WPARAM wParam, LPARAM lParam)
{
    ::SetFocus(m_window);
    m_lastMouse = ClientPoint(lParam);
    CControlUI* control = OwnControlAt(m_lastMouse);
    if (!control)
        return;
    m_click = control;
    control->grabFocus();
    if (m_click != control)
        return;
    CaptureMouse();
    Dispatch(control, EInputKind::RightButtonDown, wParam, lParam, WORD(wParam));
}

void CWindowContextUI::OnRightButtonUp(WPARAM wParam, LPARAM lParam)
{
    m_lastMouse = ClientPoint(lParam);
    if (!m_click)
        return;
    CControlUI* click = m_click;
    ReleaseMouse();
    Dispatch(click, EInputKind::RightButtonUp, wParam, lParam, WORD(wParam));
    if (m_click == click)
        m_click = nullptr;
}

void CWindowContextUI::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    POINT point = ClientPoint(lParam);
    ::ScreenToClient(m_window, &point);
    m_lastMouse = point;
    if (!m_click)
        return;
    CControlUI* click = m_click;
    ReleaseMouse();
    Dispatch(click, EInputKind::ContextMenu, wParam, reinterpret_cast<LPARAM>(click));
    if (m_click == click)
        m_click = nullptr;
}

void CWindowContextUI::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    POINT point = ClientPoint(lParam);
    ::ScreenToClient(m_window, &point);
    m_lastMouse = point;
    CControlUI* control = OwnControlAt(point);
    if (control) {
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        const WPARAM towardsUser = delta < 0 ? 1 : 0;
        Dispatch(control, EInputKind::ScrollWheel, IsClass(control, L"WebViewWindowlessUI") ? wParam : towardsUser,
                 lParam, GET_KEYSTATE_WPARAM(wParam));
    }
    ::SendMessageW(m_window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

bool CWindowContextUI::OnSetCursor(LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    if (m_mouseCaptured)
        return true;
    POINT point = {};
    ::GetCursorPos(&point);
    ::ScreenToClient(m_window, &point);
    CControlUI* control = ControlAt(point);
    if (!control || !(control->inputTraits() & TRAIT_CURSOR))
        return false;
    Dispatch(control, EInputKind::SetCursor);
    return true;
}

void CWindowContextUI::OnKey(EInputKind kind, WPARAM wParam, LPARAM lParam)
{
    CControlUI* target = kind == EInputKind::KeyUp ? m_keyTarget : m_focus;
    if (kind == EInputKind::KeyUp)
        m_keyTarget = nullptr;
    if (!target)
        return;
    if (kind == EInputKind::KeyDown)
        m_keyTarget = target;
    TInputEvent event = MakeEvent(kind, target, m_lastMouse);
    event.key = WCHAR(wParam);
    event.keyState = CurrentKeyState();
    event.wParam = wParam;
    event.lParam = lParam;
    target->dispatchInput(event);
}

// ---------------------------------------------------------------------------
// Capture and parent dragging
// ---------------------------------------------------------------------------

void CWindowContextUI::CaptureMouse()
{
    ::SetCapture(m_window);
    m_mouseCaptured = true;
}

void CWindowContextUI::ReleaseMouse()
{
    if (!m_mouseCaptured)
        return;
    m_mouseCaptured = false;
    ::ReleaseCapture();
}

void CWindowContextUI::BeginParentDrag(CControlUI* control)
{
    if (!m_dragParent || !control || !StartsParentDrag(control) || InsideScrollingContainer(control))
        return;
    if (!(::GetWindowLongPtrW(m_window, GWL_STYLE) & WS_CHILD))
        return;
    HWND parent = ::GetParent(m_window);
    if (!parent || !::GetWindowRect(parent, &m_dragParentRect) || !::GetCursorPos(&m_dragCursor))
        return;
    m_dragging = true;
}

bool CWindowContextUI::DragParentTo(bool repaint)
{
    if (!m_dragging)
        return false;
    HWND parent = ::GetParent(m_window);
    POINT cursor = {};
    if (!parent || !::GetCursorPos(&cursor))
        return false;
    RECT target = m_dragParentRect;
    ::OffsetRect(&target, cursor.x - m_dragCursor.x, cursor.y - m_dragCursor.y);
    // A child parent is placed in its own parent's client coordinates.
    if (::GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(parent), reinterpret_cast<POINT*>(&target), 2);
    ::MoveWindow(parent, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 repaint ? TRUE : FALSE);
    return true;
}

// ---------------------------------------------------------------------------
// Touch
// ---------------------------------------------------------------------------

bool CWindowContextUI::OnGesture(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message == WM_GESTURENOTIFY) {
        GESTURECONFIG config = {GID_PAN, GC_PAN_WITH_SINGLE_FINGER_VERTICALLY | GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY,
                                GC_PAN_WITH_GUTTER | GC_PAN_WITH_INERTIA};
        ::SetGestureConfig(m_window, 0, 1, &config, sizeof(config));
        return false;
    }
    GESTUREINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetGestureInfo(reinterpret_cast<HGESTUREINFO>(lParam), &info))
        return false;
    POINT point = {info.ptsLocation.x, info.ptsLocation.y};
    ::ScreenToClient(m_window, &point);
    if (info.dwID == GID_END) {
        m_dragging = false;
    } else if (info.dwID == GID_PAN) {
        if (info.dwFlags & GF_BEGIN) {
            m_panPoint = point;
            BeginParentDrag(OwnControlAt(point));
        } else if (info.dwFlags & GF_END) {
            m_dragging = false;
        } else if (m_dragging) {
            DragParentTo(false);
        } else {
            CControlUI* control = OwnControlAt(point);
            if (control) {
                m_lastMouse = point;
                Dispatch(control, EInputKind::PanGesture, IsClass(control, L"ScrollBarUI") ? 1 : 0,
                         LPARAM(m_panPoint.y - point.y));
            }
            ::SendMessageW(m_window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
            m_panPoint = point;
        }
    } else {
        return false;
    }
    ::CloseGestureInfoHandle(reinterpret_cast<HGESTUREINFO>(lParam));
    result = 0;
    return true;
}

} // namespace SkinUI
