#include "ui/core/host/TimerTable.h"

#include <algorithm>

namespace SkinUI {

UINT_PTR CTimerTable::TakeNativeId()
{
    // Native ids stay in 32 bits on both builds and never fall below the
    // first id, so they cannot meet the small ids window code uses itself.
    if (m_lastNativeId >= 0xFFFFFFFEu)
        m_lastNativeId = kFirstNativeId;
    else
        ++m_lastNativeId;
    return m_lastNativeId;
}

void CTimerTable::Kill(const TTimerEntry& entry)
{
    if (!entry.stopped && ::IsWindow(entry.window))
        ::KillTimer(entry.window, entry.nativeId);
}

bool CTimerTable::Start(HWND window, CControlUI* control, UINT timerId, UINT elapseMs)
{
    if (!window || !control)
        return false;
    for (auto& entry : m_entries) {
        if (entry.control != control || entry.timerId != timerId || entry.window != window)
            continue;
        if (!entry.stopped)
            return false;
        if (!::SetTimer(window, entry.nativeId, elapseMs, nullptr))
            return false;
        entry.stopped = false;
        return true;
    }
    const UINT_PTR nativeId = TakeNativeId();
    if (!::SetTimer(window, nativeId, elapseMs, nullptr))
        return false;
    m_entries.push_back(TTimerEntry{control, timerId, window, nativeId, false});
    return true;
}

bool CTimerTable::Stop(HWND window, CControlUI* control, UINT timerId)
{
    for (auto& entry : m_entries) {
        if (entry.control == control && entry.timerId == timerId && entry.window == window && !entry.stopped) {
            Kill(entry);
            entry.stopped = true;
            return true;
        }
    }
    return false;
}

void CTimerTable::RemoveControl(HWND window, CControlUI* control)
{
    auto end = std::remove_if(m_entries.begin(), m_entries.end(), [&](const TTimerEntry& entry) {
        if (entry.control != control || entry.window != window)
            return false;
        Kill(entry);
        return true;
    });
    m_entries.erase(end, m_entries.end());
}

void CTimerTable::RemoveAll(HWND window)
{
    auto end = std::remove_if(m_entries.begin(), m_entries.end(), [&](const TTimerEntry& entry) {
        if (entry.window != window)
            return false;
        Kill(entry);
        return true;
    });
    m_entries.erase(end, m_entries.end());
}

const TTimerEntry* CTimerTable::FindRunning(HWND window, UINT_PTR nativeId) const
{
    for (const auto& entry : m_entries)
        if (entry.window == window && entry.nativeId == nativeId && !entry.stopped)
            return &entry;
    return nullptr;
}

} // namespace SkinUI
