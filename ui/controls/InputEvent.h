#pragma once
// The records the window context hands to controls and to notification
// receivers: input events translated from window messages, and notifications.
#include <windows.h>

#include <string>

namespace SkinUI {

class CControlUI;

// Kinds of input event. The *First/*Last values only mark ranges: key kinds
// lie strictly between KeyFirst and KeyLast, mouse kinds between MouseFirst
// and MouseLast.
enum class EInputKind : int {
    KeyFirst = 2,
    KeyDown = 3,
    KeyUp = 4,
    Char = 5,
    SysKey = 6,
    KeyLast = 7,
    MouseFirst = 8,
    MouseMove = 9,
    MouseLeave = 10,
    MouseEnter = 11,
    MouseHover = 12,
    ButtonDown = 13,
    ButtonUp = 14,
    RightButtonDown = 15,
    RightButtonUp = 16,
    DoubleClick = 17,
    ContextMenu = 18,
    ScrollWheel = 19,
    MouseLast = 20,
    KillFocus = 21,
    SetFocus = 22,
    WindowSize = 23,
    SetCursor = 24,
    Timer = 25,
    ImeComposition = 28,
    PanGesture = 30,
};

inline bool IsKeyKind(EInputKind kind)
{
    return int(kind) > int(EInputKind::KeyFirst) && int(kind) < int(EInputKind::KeyLast);
}
inline bool IsMouseKind(EInputKind kind)
{
    return int(kind) > int(EInputKind::MouseFirst) && int(kind) < int(EInputKind::MouseLast);
}

// Modifier bits of TInputEvent::keyState for key events. Mouse button events
// carry the window message's own MK_* word instead, whose low bits agree.
enum : WORD {
    KEYSTATE_LBUTTON = 0x01,
    KEYSTATE_RBUTTON = 0x02,
    KEYSTATE_SHIFT = 0x04,
    KEYSTATE_CONTROL = 0x08,
    KEYSTATE_ALT = 0x20,
};

// One input event for a control's dispatchInput. wParam and lParam are
// pointer-sized because a context-menu event carries a control in lParam.
struct TInputEvent {
    EInputKind kind = EInputKind{};
    CControlUI* sender = nullptr; // for KillFocus: the control that receives the focus
    DWORD timestamp = 0;          // milliseconds since system start
    POINT mouse = {0, 0};         // client coordinates (the last known position for key events)
    WCHAR key = 0;                // character or virtual-key code
    WORD keyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One notification ("click", "selectchanged", "valuechanged", ...).
struct TNotifyMsg {
    std::wstring type;
    std::wstring virtualWindow;   // filled only while virtual-window routing is on
    CControlUI* sender = nullptr; // none when a deferred notice outlived its sender
    DWORD timestamp = 0;
    POINT mouse = {0, 0};         // the context's last mouse position
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

} // namespace SkinUI
