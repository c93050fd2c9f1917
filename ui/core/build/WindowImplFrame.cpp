// The frame behaviour of a captionless skinned window: client-only
// non-client area, hit-testing for the caption and the sizing borders,
// rounded corners, maximising within the work area and the system commands.
#include "ui/core/build/WindowImplBase.h"

#include "base/ScopedHandle.h"
#include "ui/controls/ControlUI.h"

#include <windowsx.h>

#include <cwchar>

namespace SkinUI {

namespace {

MONITORINFO MonitorOf(HWND window)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor;
}

// Controls that take their own clicks even inside the caption area.
bool IsClickableType(const wchar_t* type)
{
    static const wchar_t* const kTypes[] = {L"ButtonUI", L"OptionUI", L"TextUI", L"WebViewWindowlessUI"};
    for (const wchar_t* clickable : kTypes) {
        if (wcscmp(type, clickable) == 0)
            return true;
    }
    return false;
}

} // namespace

LRESULT SkinHitTest(POINT point, const RECT& client, const RECT& sizeBox, const RECT& caption, bool maximised,
                    const wchar_t* controlType)
{
    if (!maximised) {
        bool left = point.x < client.left + sizeBox.left;
        bool right = point.x > client.right - sizeBox.right;
        if (point.y < client.top + sizeBox.top)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (point.y > client.bottom - sizeBox.bottom)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    // caption.right is a distance from the right edge; top and bottom are y coordinates.
    if (point.x < client.left + caption.left || point.x >= client.right - caption.right ||
        point.y < caption.top || point.y >= caption.bottom)
        return HTCLIENT;
    if (controlType && !IsClickableType(controlType))
        return HTCAPTION;
    return HTCLIENT;
}

LRESULT WindowImplBase::MsgNcHitTest(UINT, WPARAM, LPARAM lParam, bool&)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_window, &point);
    RECT client = {};
    ::GetClientRect(m_window, &client);
    CControlUI* control = m_context.ControlAt(point);
    return SkinHitTest(point, client, m_context.ResizeBorder(), m_context.CaptionArea(), ::IsZoomed(m_window) != 0,
                       control ? control->typeName() : nullptr);
}

LRESULT WindowImplBase::MsgNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (::IsIconic(m_window))
        handled = false;
    return wParam ? FALSE : TRUE;
}

LRESULT WindowImplBase::MsgNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&)
{
    if (!::IsZoomed(m_window))
        return 0; // the whole window is client area
    // Maximised: exactly the work area, whatever frame the platform adds.
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    MONITORINFO monitor = MonitorOf(m_window);
    proposed->right = proposed->left + (monitor.rcWork.right - monitor.rcWork.left);
    proposed->bottom = proposed->top + (monitor.rcWork.bottom - monitor.rcWork.top);
    return WVR_REDRAW;
}

LRESULT WindowImplBase::MsgNcPaint(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT WindowImplBase::MsgMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO monitor = MonitorOf(m_window);
    info->ptMaxPosition.x = monitor.rcWork.left - monitor.rcMonitor.left;
    info->ptMaxPosition.y = monitor.rcWork.top - monitor.rcMonitor.top;
    info->ptMaxTrackSize.x = monitor.rcWork.right - monitor.rcWork.left;
    info->ptMaxTrackSize.y = monitor.rcWork.bottom - monitor.rcWork.top;
    SIZE minTrack = m_context.MinTrack();
    info->ptMinTrackSize.x = minTrack.cx;
    info->ptMinTrackSize.y = minTrack.cy;
    // The context still applies the skin's positive limits.
    handled = false;
    return 0;
}

LRESULT WindowImplBase::MsgSize(UINT, WPARAM, LPARAM, bool& handled)
{
    SIZE corner = m_context.CornerRound();
    if (!::IsIconic(m_window) && (corner.cx != 0 || corner.cy != 0)) {
        RECT window = {};
        ::GetWindowRect(m_window, &window);
        CRegion region(::CreateRoundRectRgn(0, 0, window.right - window.left + 1, window.bottom - window.top + 1,
                                            corner.cx, corner.cy));
        // The window owns the region once it is set.
        if (region && ::SetWindowRgn(m_window, region.Get(), TRUE))
            region.Release();
    }
    handled = false;
    return 0;
}

LRESULT WindowImplBase::MsgSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        Send(WM_CLOSE, 0, 0);
        return 0;
    }
    bool wasMaximised = ::IsZoomed(m_window) != 0;
    LRESULT result = CWindowWnd::RouteMessage(message, wParam, lParam);
    if (::IsWindow(m_window)) {
        bool maximised = ::IsZoomed(m_window) != 0;
        if (maximised != wasMaximised)
            SyncMaximiseButtons(maximised);
    }
    return result;
}

void WindowImplBase::SyncMaximiseButtons(bool maximised)
{
    CControlUI* maxButton = m_context.ControlByName(L"maxbtn");
    CControlUI* restoreButton = m_context.ControlByName(L"restorebtn");
    if (!maxButton || !restoreButton)
        return;
    maxButton->assignShown(!maximised);
    restoreButton->assignShown(maximised);
}

BOOL WindowImplBase::AnimateShow(DWORD time, DWORD flags)
{
    if (flags & AW_HIDE)
        m_context.Shadow().Show(false);
    BOOL done = ::AnimateWindow(m_window, time, flags);
    if (flags & AW_ACTIVATE)
        ::InvalidateRect(m_window, nullptr, FALSE);
    return done;
}

} // namespace SkinUI
