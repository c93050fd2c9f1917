#pragma once
// Only one instance of the tool runs; a second start brings the first forward.

inline constexpr wchar_t kInstanceMutexName[] = L"OrvaneRuzerodOradirr_Mutex";
inline constexpr wchar_t kMainWindowClassName[] = L"OrvaneRuzerodOradirWnd";

// True when this process now owns the instance mutex; false when another
// instance holds it (after that instance's window was brought forward).
bool EnsureSingleInstance();

// Restores the running instance's window if minimised and brings it to the foreground.
void ActivateRunningInstance();
