#pragma once
// A tiny benchmark registry: each file registers named benchmarks that print
// their own figures; `orvane_bench [filter]` runs those whose name contains filter.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace Bench {

struct TEntry {
    const char* name;
    std::function<void()> run;
};

inline std::vector<TEntry>& Registry()
{
    static std::vector<TEntry> entries;
    return entries;
}

struct CRegistrar {
    CRegistrar(const char* name, std::function<void()> run) { Registry().push_back({name, std::move(run)}); }
};

// Seconds on the high-resolution counter.
inline double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Runs `body` repeatedly for at least `minSeconds` and returns seconds per call.
template <typename Body>
double TimePerCall(Body&& body, double minSeconds = 0.5)
{
    body(); // warm-up
    long calls = 0;
    double start = Now(), elapsed = 0;
    do {
        body();
        ++calls;
        elapsed = Now() - start;
    } while (elapsed < minSeconds);
    return elapsed / double(calls);
}

inline void Report(const char* what, double value, const char* unit)
{
    std::printf("  %-58s %12.3f %s\n", what, value, unit);
}

} // namespace Bench

#define BENCH_CONCAT2(a, b) a##b
#define BENCH_CONCAT(a, b) BENCH_CONCAT2(a, b)
#define REGISTER_BENCH(name, fn) static Bench::CRegistrar BENCH_CONCAT(benchRegistrar, __LINE__)(name, fn)
