#include "biz/LogClock.h"

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
    // Split so that the multiplication cannot overflow however long the machine runs.
    static const uint64_t frequency = [] {
        LARGE_INTEGER value{};
        ::QueryPerformanceFrequency(&value);
        return value.QuadPart > 0 ? uint64_t(value.QuadPart) : 1;
    }();
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    const uint64_t ticks = uint64_t(counter.QuadPart);
    return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
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
