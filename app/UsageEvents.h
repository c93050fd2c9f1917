#pragma once
// The tool's usage events: category "Click", application "OrvaneRuzerodOradirr", value 1.
#include <string>

namespace UsageEvents {

inline constexpr wchar_t kEyeComfortOn[] = L"HS201";
inline constexpr wchar_t kEyeComfortOff[] = L"HS202";
inline constexpr wchar_t kSliderMoved[] = L"HS203";
inline constexpr wchar_t kRestoreDefaults[] = L"HS204";
inline constexpr wchar_t kMinimise[] = L"HS205";
inline constexpr wchar_t kClose[] = L"HS206";

// Sent behind the participation gate by the adapter.
void TrackIfAllowed(const wchar_t* eventId, const wchar_t* blueLight = nullptr);
// Sent after the caller's own participation test.
void TrackChecked(const wchar_t* eventId, const wchar_t* blueLight = nullptr);

} // namespace UsageEvents
