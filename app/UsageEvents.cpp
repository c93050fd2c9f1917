#include "app/UsageEvents.h"

#include "biz/UsageStats.h"

namespace UsageEvents {

namespace {

constexpr wchar_t kCategory[] = L"Click";
constexpr wchar_t kApplication[] = L"OrvaneRuzerodOradirr";

} // namespace

void TrackIfAllowed(const wchar_t* eventId, const wchar_t* blueLight)
{
    const UsageStatsAttr attribute{L"bluelight", blueLight};
    UsageStatsTrackIfAllowed(kCategory, eventId, kApplication, 1, blueLight ? 1 : 0, blueLight ? &attribute : nullptr);
}

void TrackChecked(const wchar_t* eventId, const wchar_t* blueLight)
{
    if (!IsParticipationAllowed())
        return;
    const UsageStatsAttr attribute{L"bluelight", blueLight};
    UsageStatsTrack(kCategory, eventId, kApplication, 1, blueLight ? 1 : 0, blueLight ? &attribute : nullptr);
}

} // namespace UsageEvents
