#pragma once
// The log's time source: the system time, refreshed at most every 2 ms and
// extrapolated in between with the performance counter, which is cheap to read.
#include <windows.h>

#include "base/ScopedHandle.h"

#include <cstdint>

class CLogClock {
public:
    // Local time with milliseconds.
    SYSTEMTIME LocalNow();

    static CLogClock& Instance();

private:
    uint64_t TimerMicroseconds();
    uint64_t SystemMicroseconds();

    CCriticalSection m_lock;
    bool m_started = false;
    uint64_t m_systemAtReading = 0; // microseconds since 1601
    uint64_t m_timerAtReading = 0;  // microseconds on the performance counter
};
