// Seeded mutations of "data32.cfg": whatever the bytes, the reader neither
// crashes nor hangs, every record field stays terminated inside its field,
// and each value is the file's own or the stated default.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "biz/UsageStats.h"
#include "biz/libutils.h"
#include "tests/biz/TrustTestSupport.h"
#include "tests/support/TestEnvironment.h"

namespace {

const char kValidFile[] =
    "# usage statistics\r\nversion: 2.5.1\r\nversionCode: 251\r\nchannel: beta-test\r\nlogLevel: 4\r\n";

const std::string kFragments[] = {"version", "versionCode", "channel", "logLevel", ":", "#", "\r", "\n", " ",
                                  "\t", "test", "-", "99999999999", "\xff\xfe", "\x80", std::string(1, '\0')};

std::string Mutate(std::mt19937& random, std::string text)
{
    int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        switch (random() % 7) {
        case 0: // flip a byte
            if (!text.empty())
                text[at % text.size()] = static_cast<char>(random());
            break;
        case 1: // delete a run
            if (!text.empty())
                text.erase(at % text.size(), 1 + random() % 16);
            break;
        case 2: // insert a random byte
            text.insert(at, 1, static_cast<char>(random()));
            break;
        case 3: // insert a meaningful fragment
            text.insert(at, kFragments[random() % (sizeof(kFragments) / sizeof(kFragments[0]))]);
            break;
        case 4: // an overlong run, sometimes across the line limit
            text.insert(at, std::string(100 + random() % 1200, static_cast<char>('a' + random() % 26)));
            break;
        case 5: // duplicate a slice
            if (!text.empty()) {
                size_t from = random() % text.size();
                text.insert(at, text.substr(from, random() % 64));
            }
            break;
        default: // truncate
            text.resize(at);
            break;
        }
    }
    return text;
}

template <size_t N>
std::wstring FieldText(const wchar_t (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length])
        ++length;
    return std::wstring(field, length);
}

template <size_t N>
bool TerminatedAndZeroFilled(const wchar_t (&field)[N])
{
    size_t i = 0;
    while (i < N && field[i])
        ++i;
    if (i == N)
        return false;
    for (; i < N; ++i)
        if (field[i])
            return false;
    return true;
}

std::wstring Cut(const std::wstring& text, size_t maxChars)
{
    std::wstring cut = text.substr(0, std::min(text.size(), maxChars));
    size_t nul = cut.find(L'\0');
    return nul == std::wstring::npos ? cut : cut.substr(0, nul);
}

// What the record must hold for the entries the reader found.
void ExpectRecordMatches(const KeyValueFile& settings, const UsageStatsInitRecord& record, const std::string& input)
{
    SCOPED_TRACE(::testing::Message() << "input of " << input.size() << " bytes");
    ASSERT_TRUE(TerminatedAndZeroFilled(record.appKey));
    ASSERT_TRUE(TerminatedAndZeroFilled(record.version));
    ASSERT_TRUE(TerminatedAndZeroFilled(record.dataFolder));
    ASSERT_TRUE(TerminatedAndZeroFilled(record.channel));
    for (uint8_t byte : record.reserved1)
        ASSERT_EQ(byte, 0);
    ASSERT_EQ(record.reserved2, 0);

    std::wstring channel = settings.Lookup(L"channel", L"other");
    EXPECT_EQ(FieldText(record.channel), Cut(channel, 127));
    EXPECT_EQ(FieldText(record.version), Cut(settings.Lookup(L"version", L"1.0.0"), 127));
    EXPECT_EQ(record.versionCode, ParseDecimal(settings.Lookup(L"versionCode", L"1")));
    EXPECT_EQ(record.logLevel, ParseDecimal(settings.Lookup(L"logLevel", L"2")));
    EXPECT_EQ(FieldText(record.appKey), channel.find(L"test") != std::wstring::npos ? L"K7QX2M9TBR4P" : L"H3VN8C6WZL5D");
    for (const auto& entry : settings.Entries()) {
        EXPECT_LE(entry.first.size(), KeyValueFile::kMaxLineLength);
        EXPECT_LE(entry.second.size(), KeyValueFile::kMaxLineLength);
        EXPECT_TRUE(entry.first.empty() || (entry.first.front() != L' ' && entry.first.back() != L' '));
        EXPECT_TRUE(entry.second.empty() || (entry.second.front() != L' ' && entry.second.back() != L' '));
    }
}

} // namespace

TEST(Data32CfgMutation, FourThousandMutatedTextsGiveWellFormedRecords)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 4000; ++round) {
        std::string input = Mutate(random, kValidFile);
        KeyValueFile settings(KeyValueFile::Parse(input));
        UsageStatsInitRecord record;
        std::memset(&record, 0xAB, sizeof(record));
        BuildInitRecord(settings, L"C:\\ProgramData\\Orvane\\Pellwick\\", record);
        ExpectRecordMatches(settings, record, input);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

TEST(Data32CfgMutation, RandomBytesNeverCrashTheReader)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string input(random() % 2048, '\0');
        for (char& c : input)
            c = static_cast<char>(random() % 4 == 0 ? "\n:# \r"[random() % 5] : random());
        KeyValueFile settings(KeyValueFile::Parse(input));
        UsageStatsInitRecord record;
        BuildInitRecord(settings, std::wstring(random() % 400, L'x'), record);
        ExpectRecordMatches(settings, record, input);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

TEST(Data32CfgMutation, MutatedFilesReachTheLibraryAsTheReaderSawThem)
{
    // The whole road through the signed stand-in: file on disk, adapter, record, journal.
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    TestEnv::CScratchFolder folder(L"mutation");
    TrustTest::CopyOrFail(TrustTest::MirtelBuild(L"signed"), folder.File(L"mirtel.dll"));
    std::mt19937 random(1808);
    for (int round = 0; round < 150; ++round) {
        std::string input = Mutate(random, kValidFile);
        TestEnv::WriteFileBytes(folder.File(L"data32.cfg"), input);
        ::DeleteFileW(TrustTest::SuiteJournal().c_str());
        UsageStatsTesting::Reset();
        int result = UsageStatsInit(folder.Path().c_str());

        KeyValueFile settings(folder.File(L"data32.cfg"));
        auto calls = TrustTest::ReadJournal(TrustTest::SuiteJournal());
        ASSERT_EQ(result, 1) << "round " << round;
        ASSERT_EQ(calls.size(), 1u) << "round " << round;
        EXPECT_EQ(calls[0]["channel"].asString(), TrustTest::ToUtf8(Cut(settings.Lookup(L"channel", L"other"), 127)));
        EXPECT_EQ(calls[0]["version"].asString(), TrustTest::ToUtf8(Cut(settings.Lookup(L"version", L"1.0.0"), 127)));
        EXPECT_EQ(calls[0]["versionCode"].asInt(), ParseDecimal(settings.Lookup(L"versionCode", L"1")));
        EXPECT_EQ(calls[0]["logLevel"].asInt(), ParseDecimal(settings.Lookup(L"logLevel", L"2")));
        if (::testing::Test::HasFailure())
            break;
    }
    UsageStatsTesting::Reset();
    TestEnv::RemoveFolderTree(GetSuiteDataFolder() + L"mirtel");
}
