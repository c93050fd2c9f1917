#include "biz/ConfigManager.h"
#include "biz/ConfigReader.h"
#include "biz/Logger.h"
#include "biz/libutils.h"
#include "tests/biz/ConfigTestFiles.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>

using ConfigTest::CConfigIni;
using ConfigTest::CInformationLevel;
using ConfigTest::CDataFile;
using ConfigTest::COverrideFile;
using ConfigTest::Document;

namespace {

const char kApiJson[] = R"({"BaseUrl":{"Url":"https://api.example/"},)"
                        R"("Login":{"Url":"/login","Method":"get"},)"
                        R"("Upper":{"Url":"upper","Method":"GET"},)"
                        R"("Whole":{"Url":"https://whole.example/x","Method":"post","Full":true},)"
                        R"("NotFull":{"Url":"part","Method":"post","Full":false},)"
                        R"("NoMethod":{"Url":"x"},)"
                        R"("NumberUrl":{"Url":5,"Method":"get"},)"
                        R"("NotObject":"text"})";

const char kConfigJson[] = R"({"CheckDigitalCertify":"1","ThrumbPrintsList":"aa;bb","Number":5,"Flag":true})";

std::string SuiteDocument(const char* version = "2.1.0")
{
    return Document(version, std::string("<Globle><Urls>https://urls.example</Urls><Adaptation>adapt</Adaptation>") +
                                 "<API>" + kApiJson + "</API><Config>" + kConfigJson + "</Config></Globle>" +
                                 R"(<Module name="stats"><Config>{"a":"1","shared":"first"}</Config></Module>)" +
                                 R"(<Module name="other"><Config>{"x":"9"}</Config></Module>)" +
                                 R"(<Module name="stats"><Config>{"shared":"second","c":"3"}</Config></Module>)");
}

std::string DocumentWithConfig(const char* version, const std::string& configJson)
{
    return Document(version, "<Globle><Config>" + configJson + "</Config></Globle>");
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every test starts without configuration sources.
class ConfigManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::DeleteFileW(CConfigReader::kOverrideFile);
        ::DeleteFileW(CConfigReader::DataFilePath().c_str());
    }
    void TearDown() override { SetUp(); }
};

using ConfigSources = ConfigManagerTest;
using ConfigLookups = ConfigManagerTest;
using ConfigFailures = ConfigManagerTest;

} // namespace

TEST_F(ConfigSources, OverrideFileComesFirst)
{
    COverrideFile override(DocumentWithConfig("override", R"({"from":"override"})"));
    CDataFile data(DocumentWithConfig("data", R"({"from":"data"})"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("override", manager.GetVersion());
    EXPECT_EQ("override", manager.GetValue("from"));
    EXPECT_TRUE(Exists(data.Path()));
}

TEST_F(ConfigSources, EncipheredDataFileIsReadWhenThereIsNoOverride)
{
    CDataFile data(SuiteDocument("7.0"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("7.0", manager.GetVersion());
    EXPECT_EQ("1", manager.GetValue("CheckDigitalCertify"));
    EXPECT_EQ("aa;bb", manager.GetValue("ThrumbPrintsList"));
}

TEST_F(ConfigSources, OverrideWithoutVersionIsRejectedAndDataFileIsTried)
{
    COverrideFile override(DocumentWithConfig(nullptr, R"({"from":"override"})"));
    CDataFile data(DocumentWithConfig("data", R"({"from":"data"})"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("data", manager.GetValue("from"));
    EXPECT_TRUE(Exists(override.Path())); // only the data file is ever deleted
}

TEST_F(ConfigSources, LocalConfigOneReadsOnlyTheBuiltInResource)
{
    CConfigIni ini("[config]\r\nlocalconfig=1\r\n");
    COverrideFile override(SuiteDocument());
    CDataFile data(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_EQ("", manager.GetVersion());
    EXPECT_EQ("", manager.GetValue("CheckDigitalCertify"));
}

TEST_F(ConfigSources, LocalConfigOtherThanOneStillReadsTheFiles)
{
    CConfigIni ini("[config]\r\nlocalconfig=0\r\n");
    COverrideFile override(SuiteDocument("9"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("9", manager.GetVersion());
}

TEST_F(ConfigSources, DataFileThatDoesNotParseIsDeleted)
{
    CDataFile data("this is not xml at all");
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_FALSE(Exists(data.Path()));
}

TEST_F(ConfigSources, DataFileWithoutVersionIsDeleted)
{
    CDataFile data(DocumentWithConfig(nullptr, R"({"a":"b"})"));
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_FALSE(Exists(data.Path()));
}

TEST_F(ConfigSources, ADataFileThatLinksElsewhereIsNeitherReadNorDeleted)
{
    TestEnv::CScratchFolder elsewhere(L"cfgvictim");
    const std::wstring victim = elsewhere.File(L"victim.bin");
    const std::string original = "not a configuration, and not the tool's to delete";
    TestEnv::WriteFileBytes(victim, original);
    {
        TestEnv::CSymbolicLink link(victim, CConfigReader::DataFilePath());
        ASSERT_TRUE(link.IsValid());
        CConfigManager manager;
        manager.Load();
        EXPECT_FALSE(manager.IsLoaded());
    }
    EXPECT_EQ(TestEnv::ReadFileBytes(victim), original);
}

TEST_F(ConfigSources, DataFileOfPartialBlocksIsUnreadableAndKept)
{
    std::string sealed = ConfigTest::Encipher(SuiteDocument());
    CDataFile data(sealed.substr(0, sealed.size() - 3), false);
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_TRUE(Exists(data.Path()));
}

TEST_F(ConfigSources, DataFileShorterThanABlockIsUnreadableAndKept)
{
    CDataFile data(std::string(), false);
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_TRUE(Exists(data.Path()));
}

TEST_F(ConfigSources, PlainTextDataFileIsNotAcceptedUnciphered)
{
    std::string plain = SuiteDocument();
    plain.resize((plain.size() + 7) / 8 * 8, ' ');
    CDataFile data(plain, false);
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_FALSE(Exists(data.Path()));
}

TEST_F(ConfigSources, DataFileTextEndsAtItsFirstZeroByte)
{
    std::string text = SuiteDocument("zero");
    text += std::string(1, '\0') + "<<< trailing junk after the terminator";
    CDataFile data(text);
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("zero", manager.GetVersion());
}

TEST_F(ConfigSources, NoSourceAnswersEmptyDefaultsAndLogsNothing)
{
    TestLog::CLogCapture log;
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_EQ("", manager.GetVersion());
    EXPECT_EQ("", manager.GetValue("CheckDigitalCertify"));
    EXPECT_EQ("", manager.GetModuleValue("stats", "a"));
    EXPECT_EQ("", manager.GetModuleConfig("stats"));
    EXPECT_EQ(nullptr, manager.GetApi("Login"));
    EXPECT_FALSE(log.Contains(L"ConfigManager"));
}

TEST_F(ConfigSources, ProcessWideManagerIsOneInstance)
{
    CConfigManager* first = GetConfigManager();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, GetConfigManager());
}

TEST_F(ConfigLookups, ApiEntriesJoinBaseAndUrlByPlainConcatenation)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    const ApiEntry* login = manager.GetApi("Login");
    ASSERT_NE(nullptr, login);
    EXPECT_EQ("https://api.example//login", login->url);
    EXPECT_EQ(1, login->method);
    const ApiEntry* notFull = manager.GetApi("NotFull");
    ASSERT_NE(nullptr, notFull);
    EXPECT_EQ("https://api.example/part", notFull->url);
}

TEST_F(ConfigLookups, FullEntryKeepsItsOwnUrl)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    const ApiEntry* whole = manager.GetApi("Whole");
    ASSERT_NE(nullptr, whole);
    EXPECT_EQ("https://whole.example/x", whole->url);
    EXPECT_EQ(2, whole->method);
}

TEST_F(ConfigLookups, OnlyLowerCaseGetGivesMethodOne)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    ASSERT_NE(nullptr, manager.GetApi("Upper"));
    EXPECT_EQ(2, manager.GetApi("Upper")->method);
}

TEST_F(ConfigLookups, MalformedApiMembersMakeNoEntry)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ(nullptr, manager.GetApi("NoMethod"));
    EXPECT_EQ(nullptr, manager.GetApi("NumberUrl"));
    EXPECT_EQ(nullptr, manager.GetApi("NotObject"));
    EXPECT_EQ(nullptr, manager.GetApi("BaseUrl"));
    EXPECT_EQ(nullptr, manager.GetApi("login")); // names are case-sensitive
}

TEST_F(ConfigLookups, BaseUrlSettingReplacesTheDocumentsBase)
{
    CConfigIni ini("[config]\r\nbase_url=http://local.test\r\n");
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    ASSERT_NE(nullptr, manager.GetApi("Login"));
    EXPECT_EQ("http://local.test/login", manager.GetApi("Login")->url);
    EXPECT_EQ("https://whole.example/x", manager.GetApi("Whole")->url);
}

TEST_F(ConfigLookups, MissingBaseUrlLeavesRelativeUrls)
{
    COverrideFile override(Document("1", R"(<Globle><API>{"A":{"Url":"/a","Method":"get"}}</API></Globle>)"));
    CConfigManager manager;
    manager.Load();
    ASSERT_NE(nullptr, manager.GetApi("A"));
    EXPECT_EQ("/a", manager.GetApi("A")->url);
}

TEST_F(ConfigLookups, OnlyStringMembersAreGlobalValues)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("1", manager.GetValue("CheckDigitalCertify"));
    EXPECT_EQ("", manager.GetValue("Number"));
    EXPECT_EQ("", manager.GetValue("Flag"));
    EXPECT_EQ("", manager.GetValue("checkdigitalcertify"));
}

TEST_F(ConfigLookups, DocumentTextsAreKept)
{
    COverrideFile override(SuiteDocument());
    CConfigReader reader;
    ASSERT_TRUE(reader.LoadOverrideFile());
    std::unique_ptr<ConfigData> data = reader.TakeData();
    EXPECT_EQ("https://urls.example", data->urlsText);
    EXPECT_EQ("adapt", data->adaptationText);
    EXPECT_EQ(kApiJson, data->apiText);
    EXPECT_EQ(kConfigJson, data->configText);
    ASSERT_EQ(3u, data->modules.size());
    EXPECT_EQ("stats", data->modules[0]->name);
    EXPECT_EQ("other", data->modules[1]->name);
}

TEST_F(ConfigLookups, FirstModuleOfANameGivesTheModuleConfig)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ(R"({"a":"1","shared":"first"})", manager.GetModuleConfig("stats"));
    EXPECT_EQ("", manager.GetModuleConfig("absent"));
}

TEST_F(ConfigLookups, ModuleValuesMergeModulesOfTheSameNameFirstWins)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("1", manager.GetModuleValue("stats", "a"));
    EXPECT_EQ("3", manager.GetModuleValue("stats", "c"));
    EXPECT_EQ("first", manager.GetModuleValue("stats", "shared"));
    EXPECT_EQ("", manager.GetModuleValue("stats", "x"));
    EXPECT_EQ("9", manager.GetModuleValue("other", "x"));
}

TEST_F(ConfigLookups, UnknownModuleAnswersEmptyAndIsRemembered)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("", manager.GetModuleValue("absent", "a"));
    ASSERT_NE(nullptr, manager.Data());
    auto remembered = manager.Data()->moduleValueTables.find("absent");
    ASSERT_NE(manager.Data()->moduleValueTables.end(), remembered);
    EXPECT_TRUE(remembered->second.empty());
    EXPECT_EQ("", manager.GetModuleValue("absent", "b"));
}

TEST_F(ConfigLookups, ReturnedTextsStayValidAcrossLaterLookups)
{
    COverrideFile override(SuiteDocument());
    CConfigManager manager;
    manager.Load();
    const std::string& a = manager.GetModuleValue("stats", "a");
    for (int i = 0; i < 50; ++i)
        manager.GetModuleValue("module" + std::to_string(i), "k");
    EXPECT_EQ("1", a);
}

TEST_F(ConfigLookups, ModuleConfigThatIsNotAnObjectGivesNoValues)
{
    COverrideFile override(Document("1", R"(<Module name="m"><Config>[1,2]</Config></Module>)"
                                         R"(<Module name="m"><Config>"text"</Config></Module>)"
                                         R"(<Module name="m"><Config>{"k":"v"}</Config></Module>)"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("v", manager.GetModuleValue("m", "k"));
}

TEST_F(ConfigLookups, LocalConfigReadsConfigIniWithEmptyDefault)
{
    CConfigIni ini("[config]\r\nsomekey=somevalue\r\n");
    CConfigManager manager;
    EXPECT_EQ(L"somevalue", manager.GetLocalConfig(L"somekey"));
    EXPECT_EQ(L"", manager.GetLocalConfig(L"missingkey"));
}

TEST_F(ConfigFailures, ApiTextThatIsJsonButNotAnObjectLogsException)
{
    CInformationLevel level;
    TestLog::CLogCapture log;
    COverrideFile override(Document("1", R"(<Globle><API>[1,2,3]</API><Config>{"a":"b"}</Config></Globle>)"));
    CConfigManager manager;
    manager.Load();
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_EQ("", manager.GetValue("a"));
    EXPECT_EQ("", manager.GetVersion());
    EXPECT_TRUE(log.Contains(L"ConfigManager  (")) << log.Text();
    EXPECT_TRUE(log.Contains(L"exception!!"));
}

TEST_F(ConfigFailures, ExceptionLineIsInformationLevel)
{
    COverrideFile override(Document("1", R"(<Globle><API>"just a string"</API></Globle>)"));
    CInformationLevel level;
    TestLog::CLogCapture log;
    LogLevel = kLogError;
    CConfigManager quiet;
    quiet.Load();
    LogLevel = kLogInfo;
    EXPECT_FALSE(log.Contains(L"exception!!"));
    CConfigManager loud;
    loud.Load();
    EXPECT_TRUE(log.Contains(L"exception!!"));
}

TEST_F(ConfigFailures, JsonThatDoesNotParseLeavesOnlyItsTableEmpty)
{
    COverrideFile override(Document("3", R"(<Globle><API>{not json</API><Config>{"a":"b"}</Config></Globle>)"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("3", manager.GetVersion());
    EXPECT_EQ("b", manager.GetValue("a"));
    EXPECT_EQ(nullptr, manager.GetApi("anything"));
}

TEST_F(ConfigFailures, DeeplyNestedJsonCountsAsNotParsed)
{
    std::string deep = R"({"a":"b","deep":)" + std::string(5000, '[') + std::string(5000, ']') + "}";
    COverrideFile override(Document("4", "<Globle><Config>" + deep + "</Config></Globle>"));
    CConfigManager manager;
    manager.Load();
    EXPECT_EQ("4", manager.GetVersion());
    EXPECT_EQ("", manager.GetValue("a"));
}
