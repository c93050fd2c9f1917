#include "ui/core/host/WindowWnd.h"

#include "ui/core/host/WindowContextUI.h"

#include <vector>

namespace SkinUI {

namespace {

// The property that links an extended or subclassed window to its object.
constexpr wchar_t kObjectProperty[] = L"WndX";

std::vector<HWND> OwnerChain(HWND window, bool wholeChain)
{
    std::vector<HWND> owners;
    for (HWND owner = ::GetWindow(window, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER)) {
        owners.push_back(owner);
        if (!wholeChain)
            break;
    }
    return owners;
}

void EnableOwners(const std::vector<HWND>& owners)
{
    for (HWND owner : owners)
        ::EnableWindow(owner, TRUE);
    if (!owners.empty())
        ::SetFocus(owners.front());
}

} // namespace

HINSTANCE WindowModule()
{
    HINSTANCE module = CWindowContextUI::AppModule();
    return module ? module : ::GetModuleHandleW(nullptr);
}

const wchar_t* CWindowWnd::BaseClassToExtend() const
{
    return nullptr;
}

UINT CWindowWnd::RegisterStyle() const
{
    return 0;
}

LRESULT CWindowWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_window)
        return 0;
    return ::CallWindowProcW(m_previousProc, m_window, message, wParam, lParam);
}

void CWindowWnd::AfterDestroyed(HWND)
{
}

bool CWindowWnd::RegisterOwnClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = RegisterStyle();
    wc.lpfnWndProc = &CWindowWnd::OwnClassProc;
    wc.hInstance = WindowModule();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = RegisteredClassName();
    if (::RegisterClassExW(&wc))
        return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindowWnd::RegisterExtendedClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    // System classes first, then the application's own.
    if (!::GetClassInfoExW(nullptr, BaseClassToExtend(), &wc) &&
        !::GetClassInfoExW(WindowModule(), BaseClassToExtend(), &wc))
        return false;
    m_previousProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CWindowWnd::ExtendedProc;
    wc.hInstance = WindowModule();
    wc.lpszClassName = RegisteredClassName();
    if (::RegisterClassExW(&wc))
        return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::CreateNative(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int cx,
                              int cy, HMENU menu)
{
    bool registered = BaseClassToExtend() ? RegisterExtendedClass() : RegisterOwnClass();
    if (!registered)
        return nullptr;
    // The procedure stores the object (and m_window) on the non-client create message.
    ::CreateWindowExW(exStyle, RegisteredClassName(), title, style, x, y, cx, cy, parent, menu, WindowModule(),
                      this);
    return m_window;
}

HWND CWindowWnd::CreateNative(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect,
                              HMENU menu)
{
    return CreateNative(parent, title, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, menu);
}

bool CWindowWnd::Subclass(HWND window)
{
    if (!::IsWindow(window) || m_window)
        return false;
    ::SetPropW(window, kObjectProperty, this);
    m_window = window;
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowWnd::ExtendedProc)));
    if (!m_previousProc) {
        ::RemovePropW(window, kObjectProperty);
        m_window = nullptr;
        m_previousProc = ::DefWindowProcW;
        return false;
    }
    m_subclassed = true;
    return true;
}

void CWindowWnd::RestoreProc()
{
    if (!m_subclassed)
        return;
    if (::IsWindow(m_window)) {
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        ::RemovePropW(m_window, kObjectProperty);
    }
    m_previousProc = ::DefWindowProcW;
    m_subclassed = false;
    m_window = nullptr;
}

LRESULT CWindowWnd::FinalMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ::CallWindowProcW(m_previousProc, window, message, wParam, lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::RemovePropW(window, kObjectProperty);
    if (m_subclassed) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        m_subclassed = false;
    }
    m_window = nullptr;
    AfterDestroyed(window);
    return result;
}

LRESULT CALLBACK CWindowWnd::OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWindowWnd*>(create->lpCreateParams);
        if (self) {
            self->m_window = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_NCDESTROY)
            return self->FinalMessage(window, message, wParam, lParam);
    }
    if (self && self->m_window == window)
        return self->RouteMessage(message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::ExtendedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWindowWnd*>(create->lpCreateParams);
        if (self) {
            self->m_window = window;
            ::SetPropW(window, kObjectProperty, self);
        }
    } else {
        self = static_cast<CWindowWnd*>(::GetPropW(window, kObjectProperty));
        if (self && message == WM_NCDESTROY)
            return self->FinalMessage(window, message, wParam, lParam);
    }
    if (self && self->m_window == window)
        return self->RouteMessage(message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

UINT CWindowWnd::RunModal(bool disableOwnerChain)
{
    Show(true, true);
    std::vector<HWND> owners = OwnerChain(m_window, disableOwnerChain);
    for (HWND owner : owners)
        ::EnableWindow(owner, FALSE);

    UINT result = 0;
    bool quit = false;
    WPARAM quitCode = 0;
    MSG message = {};
    while (::IsWindow(m_window)) {
        BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = message.wParam;
            break;
        }
        if (got == -1)
            break;
        if (message.message == WM_CLOSE && message.hwnd == m_window) {
            result = static_cast<UINT>(message.wParam);
            EnableOwners(owners);
        }
        if (!CWindowContextUI::TranslateForAll(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    EnableOwners(owners);
    // The outer loop must see the quit too.
    if (quit)
        ::PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

void CWindowWnd::Show(bool show, bool takeFocus)
{
    if (!::IsWindow(m_window))
        return;
    ::ShowWindow(m_window, !show ? SW_HIDE : takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
}

POINT CenteredPosition(SIZE size, const RECT& anchor, const RECT& workArea)
{
    POINT at;
    at.x = anchor.left + ((anchor.right - anchor.left) - size.cx) / 2;
    at.y = anchor.top + ((anchor.bottom - anchor.top) - size.cy) / 2;
    if (at.x < workArea.left)
        at.x = workArea.left;
    else if (at.x + size.cx > workArea.right)
        at.x = workArea.right - size.cx;
    if (at.y < workArea.top)
        at.y = workArea.top;
    else if (at.y + size.cy > workArea.bottom)
        at.y = workArea.bottom - size.cy;
    return at;
}

void CWindowWnd::Center(bool ignoreOwner)
{
    if (!::IsWindow(m_window))
        return;
    RECT window = {};
    ::GetWindowRect(m_window, &window);
    HWND owner = ::GetWindow(m_window, GW_OWNER);

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : m_window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT anchor = monitor.rcWork;
    if (owner && !ignoreOwner && !::IsIconic(owner))
        ::GetWindowRect(owner, &anchor);

    SIZE size = {window.right - window.left, window.bottom - window.top};
    POINT at = CenteredPosition(size, anchor, monitor.rcWork);
    ::SetWindowPos(m_window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::PostClose(UINT code)
{
    if (::IsWindow(m_window))
        ::PostMessageW(m_window, WM_CLOSE, code, 0);
}

void CWindowWnd::ApplyIcon(UINT resourceId)
{
    if (!::IsWindow(m_window))
        return;
    // Shared icons belong to the module, so nothing has to free them.
    HICON bigIcon = static_cast<HICON>(::LoadImageW(WindowModule(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                    ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                                    LR_DEFAULTCOLOR | LR_SHARED));
    ::SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    HICON smallIcon = static_cast<HICON>(::LoadImageW(WindowModule(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
    ::SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

LRESULT CWindowWnd::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_window, message, wParam, lParam);
}

LRESULT CWindowWnd::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageW(m_window, message, wParam, lParam);
}

} // namespace SkinUI
