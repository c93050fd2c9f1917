#include "biz/LogClock.h"

#include <mmsystem.h>

namespace {
constexpr uint64_t kRefreshMicroseconds = 2000;
}

CLogClock& CLogClock::Instance()
{
    static CLogClock clock;
    return clock;
}

uint64_t CLogClock::TimerMicroseconds()
{
    // The caller holds m_lock: the 32-bit millisecond count wraps every 49.7 days.
    DWORD now = ::timeGetTime();
    if (m_started && now < m_lastTimerMs)
        ++m_timerWraps;
    m_lastTimerMs = now;
    return ((m_timerWraps << 32) | now) * 1000;
}

uint64_t CLogClock::SystemMicroseconds()
{
    FILETIME time;
    ::GetSystemTimeAsFileTime(&time);
    uint64_t hundredNs = (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return hundredNs / 10;
}

SYSTEMTIME CLogClock::LocalNow()
{
    uint64_t microseconds;
    {
        CLockGuard guard(m_lock);
        uint64_t timer = TimerMicroseconds();
        if (!m_started || timer - m_timerAtReading >= kRefreshMicroseconds) {
            m_systemAtReading = SystemMicroseconds();
            m_timerAtReading = timer;
            m_started = true;
        }
        microseconds = m_systemAtReading + (timer - m_timerAtReading);
    }
    uint64_t hundredNs = microseconds * 10;
    FILETIME utc{static_cast<DWORD>(hundredNs), static_cast<DWORD>(hundredNs >> 32)};
    FILETIME local;
    SYSTEMTIME result{};
    ::FileTimeToLocalFileTime(&utc, &local);
    ::FileTimeToSystemTime(&local, &result);
    return result;
}
