#pragma once
// Shared by the window tests: running the queued messages the way the
// program's loop does.
#include "ui/core/host/WindowContextUI.h"

#include <windows.h>

namespace WindowTest {

constexpr int kMaxPumpedMessages = 10000;

// Dispatches the queued messages of this thread (through the contexts
// first, as the modal loop does). Returns false when a quit message was
// taken, leaving its code in `quitCode`.
inline bool PumpMessages(WPARAM* quitCode = nullptr)
{
    MSG message;
    // Bounded, so a window that keeps invalidating itself cannot hold a test forever.
    for (int taken = 0; taken < kMaxPumpedMessages && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++taken) {
        if (message.message == WM_QUIT) {
            if (quitCode)
                *quitCode = message.wParam;
            return false;
        }
        if (!SkinUI::CWindowContextUI::TranslateForAll(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return true;
}

inline RECT WorkAreaOf(HWND window)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

inline LPARAM ScreenPoint(HWND window, int clientX, int clientY)
{
    POINT point = {clientX, clientY};
    ::ClientToScreen(window, &point);
    return MAKELPARAM(static_cast<short>(point.x), static_cast<short>(point.y));
}

} // namespace WindowTest
