#pragma once
// The records exchanged with the statistics library "mirtel.dll". The init
// record is a fixed wire format: inline arrays and 32-bit integers only, so
// its layout is the same 1808 bytes in 32-bit and 64-bit builds.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct UsageStatsInitRecord {
    wchar_t appKey[128];
    wchar_t version[128];
    int32_t versionCode;
    wchar_t dataFolder[256];
    wchar_t channel[128];
    uint8_t reserved1[516];
    int32_t logLevel;
    int32_t reserved2;
};
#pragma pack(pop)

static_assert(sizeof(wchar_t) == 2, "the record carries UTF-16 text");
static_assert(sizeof(UsageStatsInitRecord) == 1808, "wire size of the init record");
static_assert(offsetof(UsageStatsInitRecord, version) == 256, "record layout");
static_assert(offsetof(UsageStatsInitRecord, versionCode) == 512, "record layout");
static_assert(offsetof(UsageStatsInitRecord, dataFolder) == 516, "record layout");
static_assert(offsetof(UsageStatsInitRecord, channel) == 1028, "record layout");
static_assert(offsetof(UsageStatsInitRecord, reserved1) == 1284, "record layout");
static_assert(offsetof(UsageStatsInitRecord, logLevel) == 1800, "record layout");
static_assert(offsetof(UsageStatsInitRecord, reserved2) == 1804, "record layout");

// One event attribute: two borrowed zero-terminated strings. Pointer-sized,
// so an array of them is 8 bytes an entry in 32-bit builds and 16 in 64-bit.
struct UsageStatsAttr {
    const wchar_t* key;
    const wchar_t* value;
};

// The library's exports (standard calling convention, undecorated names).
using PFN_UsageStatsInitialize = int(WINAPI*)();
using PFN_UsageStatsInitialize2 = int(WINAPI*)(int reserved, const UsageStatsInitRecord* record);
using PFN_UsageStatsFinish = int(WINAPI*)(int reserved);
using PFN_UsageStatsTrackEvent2 = int(WINAPI*)(const wchar_t* category, const wchar_t* eventId,
                                               const wchar_t* application, int value, int count,
                                               const UsageStatsAttr* attributes);
