#include <gtest/gtest.h>

#include "biz/KeyValueFile.h"
#include "tests/support/TestEnvironment.h"

namespace {

std::wstring LookupIn(const std::string& text, const std::wstring& key, const std::wstring& fallback = L"default")
{
    return KeyValueFile(KeyValueFile::Parse(text)).Lookup(key, fallback);
}

} // namespace

TEST(KeyValueFileParsing, SplitsAtTheFirstColonAndStripsSpacesOnly)
{
    EXPECT_EQ(LookupIn("channel :  beta-test  \n", L"channel"), L"beta-test");
    EXPECT_EQ(LookupIn("url: https://host:8080/x\n", L"url"), L"https://host:8080/x");
    EXPECT_EQ(LookupIn("key:\tvalue\t\n", L"key"), L"\tvalue\t");
    EXPECT_EQ(LookupIn("\tkey: value\n", L"\tkey"), L"value");
}

TEST(KeyValueFileParsing, DropsTheCarriageReturnBeforeTheLineBreak)
{
    EXPECT_EQ(LookupIn("version: 2.0\r\nchannel: other\r\n", L"version"), L"2.0");
    EXPECT_EQ(LookupIn("version: 2.0\r\nchannel: other\r\n", L"channel"), L"other");
}

TEST(KeyValueFileParsing, TakesALastLineWithoutLineBreak)
{
    EXPECT_EQ(LookupIn("a: 1\nversion: 3.1", L"version"), L"3.1");
}

TEST(KeyValueFileParsing, SkipsCommentsEmptyLinesAndLinesWithoutColon)
{
    auto entries = KeyValueFile::Parse("\n# version: 9\n\nversion=8\nversion: 7\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[L"version"], L"7");
    // Only a "#" in the first column makes a comment.
    EXPECT_EQ(LookupIn(" # key: value\n", L"# key"), L"value");
}

TEST(KeyValueFileParsing, ALaterLineReplacesAnEarlierOne)
{
    EXPECT_EQ(LookupIn("version: 1.0\nversion: 2.0\n", L"version"), L"2.0");
}

TEST(KeyValueFileParsing, AllowsAnEmptyKey)
{
    auto entries = KeyValueFile::Parse(": nameless\n");
    ASSERT_EQ(entries.count(L""), 1u);
    EXPECT_EQ(entries[L""], L"nameless");
}

TEST(KeyValueFileParsing, EntriesAreOrderedByKey)
{
    auto entries = KeyValueFile::Parse("zeta: 1\nalpha: 2\nmid: 3\n");
    std::wstring order;
    for (const auto& entry : entries)
        order += entry.first + L";";
    EXPECT_EQ(order, L"alpha;mid;zeta;");
}

TEST(KeyValueFileLookup, MissingKeyOrEmptyValueGivesTheDefault)
{
    EXPECT_EQ(LookupIn("channel:\n", L"channel", L"other"), L"other");
    EXPECT_EQ(LookupIn("channel:    \n", L"channel", L"other"), L"other");
    EXPECT_EQ(LookupIn("version: 1\n", L"channel", L"other"), L"other");
    // Keys compare exactly.
    EXPECT_EQ(LookupIn("Channel: x\n", L"channel", L"other"), L"other");
}

TEST(KeyValueFileLimits, ALineOf511CharactersIsReadAndALongerOneSkippedWhole)
{
    std::string fits = "k:" + std::string(509, 'v');
    ASSERT_EQ(fits.size(), 511u);
    EXPECT_EQ(LookupIn(fits + "\n", L"k"), std::wstring(509, L'v'));
    EXPECT_EQ(LookupIn(fits + "\r\n", L"k"), std::wstring(509, L'v'));

    std::string tooLong = "k:" + std::string(510, 'v');
    EXPECT_EQ(LookupIn(tooLong + "\nother: 1\n", L"k"), L"default");
    EXPECT_EQ(LookupIn(tooLong + "\nother: 1\n", L"other"), L"1");
    // The tail of an overlong line never turns into an entry of its own.
    EXPECT_TRUE(KeyValueFile::Parse(std::string(600, 'x') + "key:value\n").empty());
}

TEST(KeyValueFileLimits, EmbeddedNulBytesStayInsideTheirLine)
{
    std::string text("a: x\0y\nb: 2\n", 12);
    auto entries = KeyValueFile::Parse(text);
    EXPECT_EQ(entries[L"b"], L"2");
    EXPECT_EQ(entries[L"a"].size(), 3u);
}

TEST(KeyValueFileReading, ReadsAFileFromDisk)
{
    TestEnv::CScratchFolder folder(L"kvfile");
    TestEnv::WriteFileBytes(folder.File(L"data32.cfg"), "# stats\r\nversion: 4.2.0\r\nchannel: beta-test \r\n");
    KeyValueFile file(folder.File(L"data32.cfg"));
    EXPECT_EQ(file.Lookup(L"version", L"1.0.0"), L"4.2.0");
    EXPECT_EQ(file.Lookup(L"channel", L"other"), L"beta-test");
}

TEST(KeyValueFileReading, AMissingFileOrAFolderHoldsNothing)
{
    TestEnv::CScratchFolder folder(L"kvmissing");
    EXPECT_TRUE(KeyValueFile(folder.File(L"absent.cfg")).Entries().empty());
    EXPECT_TRUE(KeyValueFile(folder.Path()).Entries().empty());
    EXPECT_TRUE(KeyValueFile(L"").Entries().empty());
}

TEST(KeyValueFileReading, AnOversizedFileIsTreatedAsUnreadable)
{
    TestEnv::CScratchFolder folder(L"kvhuge");
    std::string text = "version: 9.9\n" + std::string(KeyValueFile::kMaxFileSize, '#');
    TestEnv::WriteFileBytes(folder.File(L"data32.cfg"), text);
    EXPECT_TRUE(KeyValueFile(folder.File(L"data32.cfg")).Entries().empty());
}

TEST(DecimalText, ReadsASignAndLeadingDigits)
{
    EXPECT_EQ(ParseDecimal(L"42"), 42);
    EXPECT_EQ(ParseDecimal(L"-7"), -7);
    EXPECT_EQ(ParseDecimal(L"+3"), 3);
    EXPECT_EQ(ParseDecimal(L"12abc"), 12);
    EXPECT_EQ(ParseDecimal(L"abc"), 0);
    EXPECT_EQ(ParseDecimal(L""), 0);
    EXPECT_EQ(ParseDecimal(L"-"), 0);
    EXPECT_EQ(ParseDecimal(L" 5"), 0);
}

TEST(DecimalText, SaturatesBeyondThe32BitRange)
{
    EXPECT_EQ(ParseDecimal(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal(L"2147483648"), 2147483647);
    EXPECT_EQ(ParseDecimal(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal(L"-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal(std::wstring(5000, L'9')), 2147483647);
}
