#pragma once
// Per-control timers of one window, each backed by a real WM_TIMER of that
// window under a native id of its own.
#include <windows.h>

#include <vector>

namespace SkinUI {

class CControlUI;

struct TTimerEntry {
    CControlUI* control = nullptr;
    UINT timerId = 0;          // the control's own id
    HWND window = nullptr;
    UINT_PTR nativeId = 0;     // the id given to SetTimer
    bool stopped = false;
};

class CTimerTable {
public:
    static constexpr UINT_PTR kFirstNativeId = 4096;

    // A stopped (control, id) pair restarts under its old native id; a
    // running one is left alone and refused. Otherwise a new native id is
    // taken. False when the platform refuses the timer.
    bool Start(HWND window, CControlUI* control, UINT timerId, UINT elapseMs);
    // Kills the platform timer of the running pair and keeps it as stopped.
    bool Stop(HWND window, CControlUI* control, UINT timerId);
    // Kills and forgets every timer of the control.
    void RemoveControl(HWND window, CControlUI* control);
    // Kills and forgets every timer of the window.
    void RemoveAll(HWND window);
    // The running entry behind a WM_TIMER, or none.
    const TTimerEntry* FindRunning(HWND window, UINT_PTR nativeId) const;

    const std::vector<TTimerEntry>& Entries() const { return m_entries; }
    // The next native id is the one after this (tests start near the wrap).
    void SetLastNativeId(UINT_PTR id) { m_lastNativeId = id; }
    UINT_PTR LastNativeId() const { return m_lastNativeId; }

private:
    UINT_PTR TakeNativeId();
    static void Kill(const TTimerEntry& entry);

    std::vector<TTimerEntry> m_entries;
    UINT_PTR m_lastNativeId = kFirstNativeId;
};

} // namespace SkinUI
