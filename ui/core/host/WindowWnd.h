#pragma once
// One native window wrapped by an object: class registration, creation, the
// window procedure that routes every message to a virtual handler, a modal
// message loop and small helpers.
#include <windows.h>

namespace SkinUI {

class CWindowWnd {
public:
    CWindowWnd() = default;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    // The virtual operations keep this order.
    virtual const wchar_t* RegisteredClassName() const = 0;
    // A class to extend (its procedure gets the unhandled messages); none by default.
    virtual const wchar_t* BaseClassToExtend() const;
    virtual UINT RegisterStyle() const;
    virtual LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window's final message; the window handle is already gone.
    virtual void AfterDestroyed(HWND window);

    HWND Window() const { return m_window; }

    // Registers the class on first use and creates the window; none on failure.
    HWND CreateNative(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
                      int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, HMENU menu = nullptr);
    HWND CreateNative(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect,
                      HMENU menu = nullptr);

    // Routes an existing window's messages through this object.
    bool Subclass(HWND window);
    // Gives a subclassed window its own procedure back.
    void RestoreProc();

    // Shows the window and runs a message loop until it closes; returns the
    // close code (the wParam of the close message). A quit message ends the
    // loop too and is posted again for the outer loop.
    UINT RunModal(bool disableOwnerChain = false);
    // Hide, show normally, or show without activating.
    void Show(bool show = true, bool takeFocus = true);
    // Centres on the owner, else on the nearest monitor's work area, and keeps the window inside that area.
    void Center(bool ignoreOwner = false);
    void PostClose(UINT code = IDOK);
    // Loads the big and small icons of `resourceId` from the application module.
    void ApplyIcon(UINT resourceId);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    // Not deleted through this type: the derived window owns its lifetime.
    ~CWindowWnd() = default;

    HWND m_window = nullptr;
    WNDPROC m_previousProc = ::DefWindowProcW;
    bool m_subclassed = false;

private:
    bool RegisterOwnClass();
    bool RegisterExtendedClass();
    // The procedures of windows of our own class (object in the user-data
    // slot) and of extended or subclassed windows (object in a property).
    static LRESULT CALLBACK OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ExtendedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FinalMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Where a window of `size` goes when centred on `anchor` and kept inside `workArea`.
POINT CenteredPosition(SIZE size, const RECT& anchor, const RECT& workArea);

// The module windows are registered with and icons are loaded from.
HINSTANCE WindowModule();

} // namespace SkinUI
