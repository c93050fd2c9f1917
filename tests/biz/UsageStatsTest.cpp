// The statistics adapter against the real, signed stand-in library.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "biz/Logger.h"
#include "base/ScopedHandle.h"
#include "biz/UsageStats.h"
#include "biz/libutils.h"
#include "tests/biz/TrustTestSupport.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using TrustTest::ReadJournal;
using TrustTest::SuiteJournal;

const UsageStatsAttr kBluelight[] = {{L"bluelight", L"3500"}};

class UsageStatsLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        UsageStatsTesting::Reset();
        ::DeleteFileW(SuiteJournal().c_str());
        m_loginUid.Remove();
        m_participation.Remove();
        LogLevel = kLogInfo;
    }

    void TearDown() override
    {
        UsageStatsTesting::Reset();
        TestEnv::RemoveFolderTree(GetSuiteDataFolder() + L"mirtel");
    }

    // Puts a build's mirtel.dll (and optionally a data32.cfg) into the scratch folder.
    void Install(const std::wstring& variant, const char* data32 = nullptr)
    {
        TrustTest::CopyOrFail(TrustTest::MirtelBuild(variant), m_folder.File(L"mirtel.dll"));
        if (data32)
            TestEnv::WriteFileBytes(m_folder.File(L"data32.cfg"), data32);
    }

    int Init() { return UsageStatsInit(m_folder.Path().c_str()); }

    int TrackClick(const wchar_t* id, int count, const UsageStatsAttr* attributes)
    {
        return UsageStatsTrack(L"Click", id, L"OrvaneRuzerodOradirr", 1, count, attributes);
    }

    static std::vector<Json::Value> Calls(const char* name)
    {
        std::vector<Json::Value> found;
        for (const Json::Value& call : ReadJournal(SuiteJournal()))
            if (call["call"].asString() == name)
                found.push_back(call);
        return found;
    }

    TrustTest::CConfigIni m_ini{TrustTest::TrustingConfigIni()};
    TestEnv::CScratchFolder m_folder{L"mirtel"};
    TrustTest::CUserRegistryValue m_loginUid{SuiteRegistry::kSuiteKeyUpper, L"loginuid"};
    TrustTest::CUserRegistryValue m_participation{SuiteRegistry::kConfigsKey, L"participation"};
};

std::string Pair(const Json::Value& attribute)
{
    return attribute[0].asString() + "=" + attribute[1].asString();
}

} // namespace

TEST_F(UsageStatsLibrary, InitialisesTheSignedLibraryWithEveryRecordField)
{
    Install(L"signed", "version: 2.5.1\r\nversionCode: 251\r\nchannel :  beta-test  \r\nlogLevel: 4\r\n");
    ASSERT_EQ(Init(), 1);

    auto calls = ReadJournal(SuiteJournal());
    ASSERT_EQ(calls.size(), 1u);
    const Json::Value& init = calls[0];
    EXPECT_EQ(init["call"].asString(), "initialize2");
    EXPECT_EQ(init["reserved"].asInt(), 0);
    EXPECT_EQ(init["appKey"].asString(), "K7QX2M9TBR4P");
    EXPECT_EQ(init["version"].asString(), "2.5.1");
    EXPECT_EQ(init["versionCode"].asInt(), 251);
    EXPECT_EQ(init["dataFolder"].asString(), TrustTest::ToUtf8(GetSuiteDataFolder() + L"mirtel"));
    EXPECT_EQ(init["channel"].asString(), "beta-test");
    EXPECT_EQ(init["logLevel"].asInt(), 4);
    EXPECT_TRUE(init["reservedZero"].asBool());
}

TEST_F(UsageStatsLibrary, WithoutData32CfgTheDefaultsAreSent)
{
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    auto init = Calls("initialize2");
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0]["appKey"].asString(), "H3VN8C6WZL5D");
    EXPECT_EQ(init[0]["version"].asString(), "1.0.0");
    EXPECT_EQ(init[0]["versionCode"].asInt(), 1);
    EXPECT_EQ(init[0]["channel"].asString(), "other");
    EXPECT_EQ(init[0]["logLevel"].asInt(), 2);
}

TEST_F(UsageStatsLibrary, TheInstalledData32CfgIsReadable)
{
    TrustTest::CopyOrFail(TestEnv::SourceFolder() + L"tools\\mirtel\\data32.cfg", m_folder.File(L"data32.cfg"));
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    auto init = Calls("initialize2");
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0]["channel"].asString(), "other");
    EXPECT_EQ(init[0]["version"].asString(), "1.0.0");
}

TEST_F(UsageStatsLibrary, ASecondInitReturnsAtOnceAndLoadsNothing)
{
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    TestEnv::CScratchFolder empty(L"mirtel_none");
    EXPECT_EQ(UsageStatsInit(empty.Path().c_str()), 1);
    EXPECT_EQ(Init(), 1);
    EXPECT_EQ(Calls("initialize2").size(), 1u);
}

TEST_F(UsageStatsLibrary, AFolderWithoutTrailingBackslashIsJoined)
{
    Install(L"signed");
    std::wstring folder = m_folder.Path();
    folder.pop_back();
    EXPECT_EQ(UsageStatsInit(folder.c_str()), 1);
}

TEST_F(UsageStatsLibrary, WithAUserIdEveryEventCarriesFiveAttributes)
{
    m_loginUid.SetString(L"user-4711");
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    EXPECT_EQ(TrackClick(L"HS201", 1, kBluelight), 0);

    auto events = Calls("trackEvent2");
    ASSERT_EQ(events.size(), 1u);
    const Json::Value& event = events[0];
    EXPECT_EQ(event["category"].asString(), "Click");
    EXPECT_EQ(event["id"].asString(), "HS201");
    EXPECT_EQ(event["application"].asString(), "OrvaneRuzerodOradirr");
    EXPECT_EQ(event["value"].asInt(), 1);
    EXPECT_EQ(event["count"].asInt(), 5);
    ASSERT_EQ(event["attributes"].size(), 5u);
    EXPECT_EQ(Pair(event["attributes"][0]), "bluelight=3500");
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(Pair(event["attributes"][i]), "=");
    EXPECT_EQ(Pair(event["attributes"][4]), "OrvaneID=user-4711");
}

TEST_F(UsageStatsLibrary, WithAUserIdAnEventWithoutAttributesGetsTheIdLast)
{
    m_loginUid.SetString(L"u1");
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    EXPECT_EQ(TrackClick(L"HS204", 0, nullptr), 0);
    auto events = Calls("trackEvent2");
    ASSERT_EQ(events.size(), 1u);
    ASSERT_EQ(events[0]["count"].asInt(), 5);
    EXPECT_EQ(Pair(events[0]["attributes"][0]), "=");
    EXPECT_EQ(Pair(events[0]["attributes"][4]), "OrvaneID=u1");
}

TEST_F(UsageStatsLibrary, WithoutAUserIdTheCallersArgumentsPassUnchanged)
{
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    EXPECT_EQ(TrackClick(L"HS205", 0, nullptr), 0);
    EXPECT_EQ(TrackClick(L"HS203", 1, kBluelight), 0);

    auto events = Calls("trackEvent2");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["count"].asInt(), 0);
    EXPECT_TRUE(events[0]["attributes"].isNull()); // the caller's null array
    EXPECT_EQ(events[1]["count"].asInt(), 1);
    ASSERT_EQ(events[1]["attributes"].size(), 1u);
    EXPECT_EQ(Pair(events[1]["attributes"][0]), "bluelight=3500");
}

TEST_F(UsageStatsLibrary, FiveAttributesOrMorePassUnchangedEvenWithAUserId)
{
    m_loginUid.SetString(L"u2");
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    const UsageStatsAttr six[] = {{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}, {L"d", L"4"}, {L"e", L"5"}, {L"f", L"6"}};
    EXPECT_EQ(TrackClick(L"HS206", 5, six), 0);
    EXPECT_EQ(TrackClick(L"HS206", 6, six), 0);

    auto events = Calls("trackEvent2");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["count"].asInt(), 5);
    EXPECT_EQ(Pair(events[0]["attributes"][4]), "e=5");
    EXPECT_EQ(events[1]["count"].asInt(), 6);
    EXPECT_EQ(Pair(events[1]["attributes"][5]), "f=6");
}

TEST_F(UsageStatsLibrary, UnusableAttributeArgumentsAreRefused)
{
    m_loginUid.SetString(L"u3");
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    EXPECT_EQ(TrackClick(L"HS201", -1, kBluelight), -1);
    EXPECT_EQ(TrackClick(L"HS201", 2, nullptr), -1);
    EXPECT_TRUE(Calls("trackEvent2").empty());
}

TEST_F(UsageStatsLibrary, FinishIsForwardedWithZero)
{
    Install(L"signed");
    ASSERT_EQ(Init(), 1);
    UsageStatsFinish();
    auto finish = Calls("finish");
    ASSERT_EQ(finish.size(), 1u);
    EXPECT_EQ(finish[0]["reserved"].asInt(), 0);
}

TEST_F(UsageStatsLibrary, ParticipationAbsentOrOneSendsAndZeroRefuses)
{
    Install(L"signed");
    ASSERT_EQ(Init(), 1);

    int value = 42;
    EXPECT_FALSE(ReadParticipation(value));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(UsageStatsTrackIfAllowed(L"Click", L"HS202", L"OrvaneRuzerodOradirr", 1, 1, kBluelight), 0);

    m_participation.SetDword(1);
    EXPECT_TRUE(ReadParticipation(value));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(UsageStatsTrackIfAllowed(L"Click", L"HS202", L"OrvaneRuzerodOradirr", 1, 1, kBluelight), 0);

    m_participation.SetDword(0);
    EXPECT_FALSE(IsParticipationAllowed());
    EXPECT_EQ(UsageStatsTrackIfAllowed(L"Click", L"HS202", L"OrvaneRuzerodOradirr", 1, 1, kBluelight), -1);

    m_participation.SetDword(2);
    EXPECT_EQ(UsageStatsTrackIfAllowed(L"Click", L"HS202", L"OrvaneRuzerodOradirr", 1, 1, kBluelight), -1);

    EXPECT_EQ(Calls("trackEvent2").size(), 2u);
}

TEST_F(UsageStatsLibrary, OnlyTheNumberOneAllowsEventsWhateverElseIsStored)
{
    const BYTE one[8] = {1};
    struct {
        DWORD type;
        DWORD size;
    } others[] = {{REG_BINARY, 8}, {REG_BINARY, 4}, {REG_QWORD, 8}, {REG_DWORD, 2}, {REG_BINARY, 0}};
    for (const auto& other : others) {
        m_participation.SetRaw(other.type, one, other.size);
        int value = 1;
        EXPECT_TRUE(ReadParticipation(value)) << other.type << "/" << other.size;
        EXPECT_NE(value, 1);
        EXPECT_FALSE(IsParticipationAllowed()) << other.type << "/" << other.size;
    }
    // A text "1" is not the number 1 either.
    m_participation.SetString(L"1");
    EXPECT_FALSE(IsParticipationAllowed());
    m_participation.SetDword(1);
    EXPECT_TRUE(IsParticipationAllowed());
}

TEST_F(UsageStatsLibrary, AMissingLibraryLeavesTheToolSilent)
{
    TestLog::CLogCapture log;
    EXPECT_EQ(Init(), -1);
    EXPECT_TRUE(log.Contains(L"file not exit. check signature error:" + m_folder.Path() + L"mirtel.dll"));
    EXPECT_EQ(TrackClick(L"HS201", 1, kBluelight), -1);
    UsageStatsFinish();
    EXPECT_FALSE(IsExistingFile(SuiteJournal()));
}

TEST_F(UsageStatsLibrary, WithoutAFolderTheExecutablesFolderIsSearched)
{
    TestLog::CLogCapture log;
    EXPECT_EQ(UsageStatsInit(nullptr), -1); // no mirtel.dll beside the test executable
    EXPECT_TRUE(log.Contains(L"file not exit. check signature error:" + GetModuleFolder() + L"mirtel.dll"));
}

TEST_F(UsageStatsLibrary, AnUnsignedLibraryIsNeverLoaded)
{
    Install(L"unsigned");
    TestLog::CLogCapture log;
    EXPECT_EQ(Init(), -1);
    std::wstring text = log.Text();
    std::wstring path = m_folder.Path() + L"mirtel.dll";
    size_t thumbprintLine = text.find(L"sigverify_getThrumbPrint failed:" + path);
    size_t errorLine = text.find(L"check signature error:" + path);
    ASSERT_NE(thumbprintLine, std::wstring::npos) << TrustTest::ToUtf8(text);
    ASSERT_NE(errorLine, std::wstring::npos) << TrustTest::ToUtf8(text);
    EXPECT_LT(thumbprintLine, errorLine);
    EXPECT_EQ(::GetModuleHandleW(path.c_str()), nullptr);
    EXPECT_EQ(TrackClick(L"HS201", 1, kBluelight), -1);
    EXPECT_FALSE(IsExistingFile(SuiteJournal()));
    EXPECT_FALSE(IsExistingFile(TrustTest::JournalIn(m_folder.Path())));
}

TEST_F(UsageStatsLibrary, ALibraryWithoutTrackEvent2SendsNothing)
{
    Install(L"signed-notrack");
    EXPECT_EQ(Init(), -1);
    EXPECT_EQ(TrackClick(L"HS201", 1, kBluelight), -1);
    EXPECT_FALSE(IsExistingFile(SuiteJournal())); // initialize2 was never called
}

TEST_F(UsageStatsLibrary, ALibraryWithoutInitialize2StillReceivesEvents)
{
    Install(L"signed-noinit");
    EXPECT_EQ(Init(), -1);
    EXPECT_EQ(TrackClick(L"HS205", 0, nullptr), 0);
    // Not initialised, the stand-in keeps its journal beside itself.
    auto events = ReadJournal(TrustTest::JournalIn(m_folder.Path()));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]["id"].asString(), "HS205");
    // The flag stayed clear: the next init tries again.
    EXPECT_EQ(Init(), -1);
}

TEST_F(UsageStatsLibrary, TrackingBeforeInitReturnsMinusOne)
{
    EXPECT_EQ(TrackClick(L"HS201", 1, kBluelight), -1);
    EXPECT_EQ(UsageStatsTrackIfAllowed(L"Click", L"HS201", L"OrvaneRuzerodOradirr", 1, 1, kBluelight), -1);
    UsageStatsFinish(); // nothing resolved: nothing happens
}

TEST_F(UsageStatsLibrary, ALibraryHeldOpenForWritingIsRefused)
{
    Install(L"signed");
    const std::wstring path = m_folder.File(L"mirtel.dll");
    CFileHandle writer(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    TestLog::CLogCapture log;
    EXPECT_EQ(Init(), -1);
    EXPECT_TRUE(log.Contains(L"file unreadable:" + path)) << TrustTest::ToUtf8(log.Text());
    EXPECT_EQ(::GetModuleHandleW(path.c_str()), nullptr);
}

TEST_F(UsageStatsLibrary, ALibrarySwappedDuringStartsIsNeverLoadedUnchecked)
{
    // Another thread keeps replacing the library with the signed build or a
    // planted unsigned one that notes every load, while the adapter starts
    // again and again.
    TestEnv::CScratchFolder sources(L"mirtel_swap");
    const std::wstring marker = sources.File(L"loads.txt");
    const std::wstring planted = sources.File(L"planted.dll"), genuine = sources.File(L"genuine.dll");
    TrustTest::CopyOrFail(TrustTest::MirtelBuild(L"unsigned-marker"), planted);
    TrustTest::CopyOrFail(TrustTest::MirtelBuild(L"signed"), genuine);
    ASSERT_TRUE(::SetEnvironmentVariableW(L"ORVANE_LOAD_MARKER", marker.c_str()));

    const std::wstring library = m_folder.File(L"mirtel.dll"), staged = sources.File(L"staged.dll");
    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    std::thread swapper([&] {
        for (int i = 0; !stop; ++i)
            if (::CopyFileW(i % 2 ? genuine.c_str() : planted.c_str(), staged.c_str(), FALSE) &&
                ::MoveFileExW(staged.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING))
                ++swaps;
    });
    int loaded = 0;
    for (int start = 0; start < 200; ++start) {
        UsageStatsTesting::Reset();
        ::Sleep(1); // between starts nothing holds the file: the swapper's turn
        loaded += Init() == 1;
    }
    stop = true;
    swapper.join();
    UsageStatsTesting::Reset();
    ::SetEnvironmentVariableW(L"ORVANE_LOAD_MARKER", nullptr);

    EXPECT_FALSE(IsExistingFile(marker)) << TestEnv::ReadFileBytes(marker);
    EXPECT_GT(swaps.load(), 0);
    std::printf("%d swaps, %d of 200 starts loaded the signed library\n", swaps.load(), loaded);
}

TEST_F(UsageStatsLibrary, AnOverlongFolderIsRefused)
{
    std::wstring folder(300, L'a');
    EXPECT_EQ(UsageStatsInit(folder.c_str()), -1);
}
