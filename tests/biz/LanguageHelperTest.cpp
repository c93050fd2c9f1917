#include "biz/LanguageHelper.h"
#include "biz/Logger.h"
#include "biz/libutils.h"
#include "tests/biz/ConfigTestFiles.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <windows.h>

#include <gtest/gtest.h>

using ConfigTest::CConfigIni;
using ConfigTest::CInformationLevel;
using ConfigTest::CRegistryLanguage;

namespace {

std::wstring SystemLanguageCode()
{
    return (::GetUserDefaultUILanguage() & 0x3FF) == LANG_ENGLISH ? L"en" : L"zh-cn";
}

const char kDocument[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                         "<lang>\n"
                         "  <String id=\"title\">Eyeward</String>\n"
                         "  <string name=\"title\" id=\"other\">Second</string>\n"
                         "  <string>no attributes</string>\n"
                         "  <string id=\"empty\"></string>\n"
                         "  <string id=\"selfclosed\"/>\n"
                         "  <STRING key=\"upper\">Upper</STRING>\n"
                         "  <text id=\"notastring\">x</text>\n"
                         "  <string id=\"nested\"><b>bold</b>after</string>\n"
                         "  <group><string id=\"deeper\">ignored</string></group>\n"
                         "  <string id=\"chinese\">\xE6\x8A\xA4\xE7\x9C\xBC\xE6\xA8\xA1\xE5\xBC\x8F</string>\n"
                         "  <string id=\"cdata\"><![CDATA[a < b]]></string>\n"
                         "</lang>\n"
                         "<second><string id=\"ignored\">x</string></second>\n";

} // namespace

TEST(LanguageChoice, ConfigIniWinsOverTheRegistry)
{
    CRegistryLanguage reg(L"zh-cn");
    CConfigIni ini("[config]\r\nlanguage=en\r\n");
    CInformationLevel level;
    TestLog::CLogCapture log;
    EXPECT_EQ(L"en", LanguageText::DecideLanguage());
    EXPECT_TRUE(log.Contains(L"local config lan:en"));
}

TEST(LanguageChoice, RegistryIsUsedWhenConfigIniHasNone)
{
    CRegistryLanguage reg(L"ja");
    CConfigIni ini("[other]\r\nlanguage=en\r\n");
    CInformationLevel level;
    TestLog::CLogCapture log;
    EXPECT_EQ(L"ja", LanguageText::DecideLanguage());
    EXPECT_TRUE(log.Contains(L"reg config lan:ja"));
}

TEST(LanguageChoice, EmptyRegistryValueLeavesItToTheSystem)
{
    CRegistryLanguage reg(L"");
    CInformationLevel level;
    TestLog::CLogCapture log;
    EXPECT_EQ(SystemLanguageCode(), LanguageText::DecideLanguage());
    EXPECT_TRUE(log.Contains(L"current wlangpid:")) << log.Text();
}

TEST(LanguageChoice, NothingConfiguredUsesTheSystemLanguage)
{
    CRegistryLanguage reg(L"", false);
    EXPECT_EQ(SystemLanguageCode(), LanguageText::DecideLanguage());
}

TEST(LanguageChoice, OnlyLettersAndHyphensMakeACode)
{
    for (const wchar_t* code : {L"en", L"zh-cn", L"ZH-TW", L"x"})
        EXPECT_TRUE(LanguageText::IsLanguageCode(code)) << code;
    for (const wchar_t* code : {L"", L"..\\..\\x", L"en/", L"en.x", L"en%s", L"zh cn", L"en\r\nforged", L"\x65e5"})
        EXPECT_FALSE(LanguageText::IsLanguageCode(code)) << code;
}

TEST(LanguageChoice, ACodeThatIsAPathIsPassedOverAndNotLogged)
{
    CRegistryLanguage reg(L"..\\..\\..\\planted");
    CConfigIni ini("[config]\r\nlanguage=en\\..\\planted\r\n");
    CInformationLevel level;
    TestLog::CLogCapture log;
    EXPECT_EQ(SystemLanguageCode(), LanguageText::DecideLanguage());
    EXPECT_FALSE(log.Contains(L"planted")) << log.Text();
}

TEST(LanguageChoice, OnlyEnglishMapsToEn)
{
    EXPECT_EQ(L"en", LanguageText::CodeForPrimaryLanguage(LANG_ENGLISH));
    EXPECT_EQ(L"zh-cn", LanguageText::CodeForPrimaryLanguage(LANG_CHINESE));
    EXPECT_EQ(L"zh-cn", LanguageText::CodeForPrimaryLanguage(LANG_GERMAN));
    EXPECT_EQ(L"zh-cn", LanguageText::CodeForPrimaryLanguage(LANG_NEUTRAL));
}

TEST(LanguageChoice, CurrentLanguageIsDecidedOnce)
{
    std::wstring first = CurrentLanguage();
    EXPECT_FALSE(first.empty());
    CRegistryLanguage reg(first == L"fr" ? L"de" : L"fr");
    EXPECT_EQ(first, CurrentLanguage());
}

TEST(LanguageFilePath, PrefixGoesBetweenCodeAndExtension)
{
    EXPECT_EQ(L"C:\\s\\lan\\zh-cn.dat", LanguageText::FilePath(L"C:\\s\\lan\\", L"zh-cn", L""));
    EXPECT_EQ(L"C:\\s\\lan\\en.tool.dat", LanguageText::FilePath(L"C:\\s\\lan\\", L"en", L"tool"));
}

TEST(LanguageFileFormat, EntriesOfTheFirstElementWithFirstAttributeAsKey)
{
    LanguageTextTable table;
    ASSERT_TRUE(LanguageText::ParseText(kDocument, table));
    EXPECT_EQ(L"Eyeward", table[L"title"]);      // the duplicate key keeps the first text
    EXPECT_EQ(0u, table.count(L"other"));         // only the first attribute names the key
    EXPECT_EQ(L"", table.at(L"empty"));
    EXPECT_EQ(L"", table.at(L"selfclosed"));
    EXPECT_EQ(L"Upper", table.at(L"upper"));
    EXPECT_EQ(0u, table.count(L"notastring"));
    EXPECT_EQ(L"", table.at(L"nested"));         // first child is an element, not text
    EXPECT_EQ(0u, table.count(L"deeper"));
    EXPECT_EQ(0u, table.count(L"ignored"));
    EXPECT_EQ(L"\u62A4\u773C\u6A21\u5F0F", table.at(L"chinese"));
    EXPECT_EQ(L"a < b", table.at(L"cdata"));
}

TEST(LanguageFileFormat, StringWithoutAttributesIsSkipped)
{
    LanguageTextTable table;
    ASSERT_TRUE(LanguageText::ParseText("<l><string>a</string><string k=\"b\">B</string></l>", table));
    ASSERT_EQ(1u, table.size());
    EXPECT_EQ(L"B", table.at(L"b"));
}

TEST(LanguageFileFormat, MalformedOrElementlessTextFails)
{
    LanguageTextTable table;
    EXPECT_FALSE(LanguageText::ParseText("<l><string id=\"a\">x</l>", table));
    EXPECT_FALSE(LanguageText::ParseText("", table));
    EXPECT_FALSE(LanguageText::ParseText("<!-- nothing -->", table));
    EXPECT_TRUE(table.empty());
}

TEST(LanguageFileFormat, ByteOrderMarkIsAccepted)
{
    LanguageTextTable table;
    ASSERT_TRUE(LanguageText::ParseText("\xEF\xBB\xBF<l><string id=\"a\">A</string></l>", table));
    EXPECT_EQ(L"A", table.at(L"a"));
}

TEST(LanguageFiles, InstalledFilesHoldTheWindowTexts)
{
    for (const wchar_t* code : {L"zh-cn", L"en"}) {
        LanguageTextTable table;
        std::wstring path = TestEnv::SourceFolder() + L"tools\\lan\\" + code + L".dat";
        ASSERT_TRUE(LanguageText::LoadFile(path, table)) << code;
        EXPECT_EQ(L"Eyeward", table[L"title"]);
        for (const wchar_t* key : {L"minimize", L"close", L"eye_comfort", L"color_temperature", L"restore_defaults"})
            EXPECT_FALSE(table[key].empty()) << code << L" " << key;
    }
    LanguageTextTable chinese;
    ASSERT_TRUE(LanguageText::LoadFile(TestEnv::SourceFolder() + L"tools\\lan\\zh-cn.dat", chinese));
    EXPECT_EQ(L"\u62A4\u773C\u6A21\u5F0F", chinese[L"eye_comfort"]);
}

TEST(LanguageFileFormat, LargeFilesAreParsedWhole)
{
    std::string text = "<l>";
    for (int i = 0; i < 3000; ++i)
        text += "<string id=\"k" + std::to_string(i) + "\">v" + std::to_string(i) + "</string>";
    text += "</l>";
    LanguageTextTable table;
    ASSERT_TRUE(LanguageText::ParseText(text.c_str(), table));
    EXPECT_EQ(3000u, table.size());
    EXPECT_EQ(L"v2999", table.at(L"k2999"));
}

TEST(LanguageFiles, MissingFileFailsToLoad)
{
    LanguageTextTable table;
    EXPECT_FALSE(LanguageText::LoadFile(L"C:\\no\\such\\folder\\en.dat", table));
}

// The process-wide table: a missing file leaves it unloaded and may be
// retried; the first successful load sticks.
TEST(LanguageTextInit, MissingFileLogsAndRetryLoadsOnce)
{
    TestEnv::CScratchFolder folder(L"lantest");
    std::wstring code = CurrentLanguage();
    CInformationLevel level;
    TestLog::CLogCapture log;

    LanguageTextInit(L"", folder.Path());
    EXPECT_FALSE(IsLanguageTextLoaded());
    EXPECT_TRUE(log.Contains(L"start init language text"));
    EXPECT_TRUE(log.Contains(L" :" + folder.Path() + code + L".dat")) << log.Text();

    TestEnv::WriteFileBytes(folder.File(code + L".dat"), "<l><string id=\"k\">broken</l>");
    log.Clear();
    LanguageTextInit(L"", folder.Path());
    EXPECT_FALSE(IsLanguageTextLoaded());
    EXPECT_FALSE(log.Contains(L"end init language text"));

    TestEnv::WriteFileBytes(folder.File(code + L".tool.dat"), "<l><string id=\"k\">first</string></l>");
    LanguageTextInit(L"tool", folder.Path());
    EXPECT_TRUE(IsLanguageTextLoaded());
    EXPECT_TRUE(log.Contains(L"end init language text"));
    EXPECT_EQ(L"first", GetLanguageText(L"k"));
    EXPECT_EQ(L"", GetLanguageText(L"absent"));

    TestEnv::WriteFileBytes(folder.File(code + L".tool.dat"), "<l><string id=\"k\">second</string></l>");
    LanguageTextInit(L"tool", folder.Path());
    EXPECT_EQ(L"first", GetLanguageText(L"k"));
}
