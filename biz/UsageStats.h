#pragma once
// Reports user actions to the suite's statistics library "mirtel.dll": the
// library is checked (signature), loaded, initialised from "data32.cfg"
// beside it, and fed events with the signed-in user's id attached. When it is
// missing, unsigned or incomplete the tool simply sends nothing.
#include <string>

#include "biz/KeyValueFile.h"
#include "biz/UsageStatsRecord.h"

// Loads and initialises the library in `folder` (null: the running exe's
// folder). 1 when initialised (also when it already was), -1 otherwise.
int UsageStatsInit(const wchar_t* folder);

// Forwards one event. With a known user id the library always receives five
// attributes: the caller's, empty pairs, then ("OrvaneID", id). -1 when the
// library has no "trackEvent2" or the arguments are unusable.
int UsageStatsTrack(const wchar_t* category, const wchar_t* eventId, const wchar_t* application, int value,
                    int count, const UsageStatsAttr* attributes);

// The same behind the user's participation choice; -1 when the user opted out.
int UsageStatsTrackIfAllowed(const wchar_t* category, const wchar_t* eventId, const wchar_t* application,
                             int value, int count, const UsageStatsAttr* attributes);

// "participation" under HKCU\SOFTWARE\Orvane\Tamsel\Configs (64-bit view).
// False, and `value` untouched, when the key or value is missing; a value
// that is not a REG_DWORD reads as kNoParticipationChoice.
bool ReadParticipation(int& value);
inline constexpr int kNoParticipationChoice = -1;

// The gate: send unless the participation value was read and differs from 1.
bool IsParticipationAllowed();

// Tells the library the tool is exiting.
void UsageStatsFinish();

// The app keys chosen by the channel of "data32.cfg".
namespace UsageStatsKeys {
inline constexpr wchar_t kTest[] = L"K7QX2M9TBR4P";
inline constexpr wchar_t kProduction[] = L"H3VN8C6WZL5D";
} // namespace UsageStatsKeys

// Fills a zeroed init record from the entries of "data32.cfg" and the suite
// data folder; overlong values are cut to their field.
void BuildInitRecord(const KeyValueFile& settings, const std::wstring& suiteDataFolder,
                     UsageStatsInitRecord& record);

namespace UsageStatsTesting {
// Forgets the loaded library and the initialised flag so a test can start over.
void Reset();
} // namespace UsageStatsTesting
