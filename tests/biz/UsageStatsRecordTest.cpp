#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "biz/UsageStats.h"

namespace {

UsageStatsInitRecord RecordFrom(const std::string& data32, const std::wstring& dataFolder = L"C:\\Data\\Pellwick\\")
{
    UsageStatsInitRecord record;
    std::memset(&record, 0xCD, sizeof(record)); // proves the record is zeroed first
    BuildInitRecord(KeyValueFile(KeyValueFile::Parse(data32)), dataFolder, record);
    return record;
}

template <size_t N>
bool TerminatedWithin(const wchar_t (&field)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (field[i] == L'\0')
            return true;
    return false;
}

template <size_t N>
bool ZeroAfterText(const wchar_t (&field)[N])
{
    size_t i = 0;
    while (i < N && field[i])
        ++i;
    for (; i < N; ++i)
        if (field[i])
            return false;
    return true;
}

} // namespace

TEST(UsageStatsRecordLayout, Is1808BytesWithTheWireOffsets)
{
    EXPECT_EQ(sizeof(UsageStatsInitRecord), 1808u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, appKey), 0u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, version), 256u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, versionCode), 512u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, dataFolder), 516u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, channel), 1028u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, reserved1), 1284u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, logLevel), 1800u);
    EXPECT_EQ(offsetof(UsageStatsInitRecord, reserved2), 1804u);
}

TEST(UsageStatsRecordLayout, AttributesArePairsOfPointers)
{
    EXPECT_EQ(sizeof(UsageStatsAttr), 2 * sizeof(void*));
    EXPECT_EQ(offsetof(UsageStatsAttr, value), sizeof(void*));
}

TEST(UsageStatsRecordFields, DefaultsWhenTheFileSaysNothing)
{
    UsageStatsInitRecord record = RecordFrom("");
    EXPECT_STREQ(record.appKey, L"H3VN8C6WZL5D");
    EXPECT_STREQ(record.version, L"1.0.0");
    EXPECT_EQ(record.versionCode, 1);
    EXPECT_STREQ(record.dataFolder, L"C:\\Data\\Pellwick\\mirtel");
    EXPECT_STREQ(record.channel, L"other");
    EXPECT_EQ(record.logLevel, 2);
}

TEST(UsageStatsRecordFields, TakesEveryValueFromTheFile)
{
    UsageStatsInitRecord record = RecordFrom("version: 3.4.5\nversionCode: 345\nchannel: store\nlogLevel: -1\n");
    EXPECT_STREQ(record.version, L"3.4.5");
    EXPECT_EQ(record.versionCode, 345);
    EXPECT_STREQ(record.channel, L"store");
    EXPECT_EQ(record.logLevel, -1);
    EXPECT_STREQ(record.appKey, L"H3VN8C6WZL5D");
}

TEST(UsageStatsRecordFields, ReservedBytesAndTextTailsAreZero)
{
    UsageStatsInitRecord record = RecordFrom("version: 2\n");
    for (uint8_t byte : record.reserved1)
        ASSERT_EQ(byte, 0);
    EXPECT_EQ(record.reserved2, 0);
    EXPECT_TRUE(ZeroAfterText(record.appKey));
    EXPECT_TRUE(ZeroAfterText(record.version));
    EXPECT_TRUE(ZeroAfterText(record.dataFolder));
    EXPECT_TRUE(ZeroAfterText(record.channel));
}

TEST(UsageStatsRecordFields, NonNumericCodesBecomeZero)
{
    UsageStatsInitRecord record = RecordFrom("versionCode: v2\nlogLevel: 4x\n");
    EXPECT_EQ(record.versionCode, 0);
    EXPECT_EQ(record.logLevel, 4);
}

TEST(UsageStatsAppKey, ATestChannelGetsTheTestKey)
{
    UsageStatsInitRecord record = RecordFrom("channel :  beta-test  \n");
    EXPECT_STREQ(record.channel, L"beta-test");
    EXPECT_STREQ(record.appKey, L"K7QX2M9TBR4P");
}

TEST(UsageStatsAppKey, TheTestWordIsCaseSensitive)
{
    EXPECT_STREQ(RecordFrom("channel: TEST\n").appKey, L"H3VN8C6WZL5D");
    EXPECT_STREQ(RecordFrom("channel: attestation\n").appKey, L"K7QX2M9TBR4P");
    EXPECT_STREQ(RecordFrom("").appKey, L"H3VN8C6WZL5D");
}

TEST(UsageStatsAppKey, KeysAreTwelveUpperCaseAlphanumerics)
{
    for (const wchar_t* key : {UsageStatsKeys::kTest, UsageStatsKeys::kProduction}) {
        std::wstring text = key;
        ASSERT_EQ(text.size(), 12u);
        for (wchar_t c : text)
            EXPECT_TRUE((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'));
    }
}

TEST(UsageStatsRecordLimits, OverlongValuesAreCutToTheirField)
{
    std::string longValue(400, 'v');
    UsageStatsInitRecord record = RecordFrom("version: " + longValue + "\nchannel: " + longValue + "test\n",
                                             std::wstring(300, L'd'));
    EXPECT_EQ(std::wstring(record.version), std::wstring(127, L'v'));
    // The key is chosen from the whole channel, before it is cut.
    EXPECT_EQ(std::wstring(record.channel), std::wstring(127, L'v'));
    EXPECT_STREQ(record.appKey, L"K7QX2M9TBR4P");
    EXPECT_EQ(std::wstring(record.dataFolder), std::wstring(255, L'd'));
    EXPECT_TRUE(TerminatedWithin(record.version));
    EXPECT_TRUE(TerminatedWithin(record.channel));
    EXPECT_TRUE(TerminatedWithin(record.dataFolder));
}

TEST(UsageStatsRecordLimits, AnEmbeddedNullEndsTheFieldText)
{
    UsageStatsInitRecord record = RecordFrom(std::string("channel: beta\0-test\n", 20));
    EXPECT_STREQ(record.channel, L"beta");
    EXPECT_TRUE(ZeroAfterText(record.channel));
    // The key is chosen from the value the file holds.
    EXPECT_STREQ(record.appKey, L"K7QX2M9TBR4P");
}
