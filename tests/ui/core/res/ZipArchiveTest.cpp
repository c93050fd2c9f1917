// The zip reader against archives written by real tools: Info-ZIP (stored,
// deflated, data descriptors, streamed, stdin members, a comment) and Python.
#include "tests/ui/core/res/ZipFixtures.h"
#include "ui/core/res/ZipArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SkinUI;

namespace {

std::string ExtractWhole(const ZipArchive& archive, const std::wstring& name, ZipResult* result = nullptr)
{
    int index = -1;
    TZipEntry entry;
    if (archive.Find(name, true, index, entry) != kZipOk)
        return "<not found>";
    std::string bytes(entry.uncompressedSize, '\0');
    uint32_t written = 0;
    const ZipResult extracted = archive.Extract(index, &bytes[0], uint32_t(bytes.size()), &written);
    if (result != nullptr)
        *result = extracted;
    if (extracted != kZipOk)
        return "<error " + std::to_string(extracted) + ">";
    bytes.resize(written);
    return bytes;
}

struct TArchiveCase {
    const wchar_t* file;
    bool hasBigMember;
};

class ZipArchiveFromTools : public ::testing::TestWithParam<TArchiveCase> {};

void ExpectSkinMembers(const ZipArchive& archive, bool hasBigMember)
{
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_RuzerodOradirWnd.xml"), ExtractWhole(archive, L"RuzerodOradirWnd.xml"));
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_topbar_min_normal.png"),
              ExtractWhole(archive, L"image/topbar_min_normal.png"));
    if (hasBigMember) {
        EXPECT_EQ(ZipFixtures::Bytes(L"expected_big.txt"), ExtractWhole(archive, L"big.txt"));
    }
}

} // namespace

TEST_P(ZipArchiveFromTools, ReadsEveryMemberFromFile)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(GetParam().file));
    ASSERT_TRUE(archive);
    ExpectSkinMembers(*archive, GetParam().hasBigMember);
}

TEST_P(ZipArchiveFromTools, ReadsEveryMemberFromMemory)
{
    const std::string bytes = ZipFixtures::Bytes(GetParam().file);
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(archive);
    ExpectSkinMembers(*archive, GetParam().hasBigMember);
}

INSTANTIATE_TEST_SUITE_P(Archives, ZipArchiveFromTools,
                         ::testing::Values(TArchiveCase{L"infozip_deflated.zip", true},
                                           TArchiveCase{L"infozip_stored.zip", true},
                                           TArchiveCase{L"infozip_descriptors.zip", true},
                                           TArchiveCase{L"infozip_streamed.zip", true},
                                           TArchiveCase{L"python_mixed.zip", true},
                                           TArchiveCase{L"python_prefixed.zip", false}));

TEST(ZipArchiveMembers, StdinMemberWithZip64LocalSizes)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_stdin.zip"));
    ASSERT_TRUE(archive);
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_big.txt"), ExtractWhole(*archive, L"-"));
}

TEST(ZipArchiveMembers, ArchiveCommentIsRead)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_deflated.zip"));
    ASSERT_TRUE(archive);
    EXPECT_EQ(0u, archive->Comment().rfind("Orvane skin fixture comment", 0)) << archive->Comment();
}

TEST(ZipArchiveMembers, DescribesEntries)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"python_mixed.zip"));
    ASSERT_TRUE(archive);
    ASSERT_EQ(4, archive->EntryCount());
    int index = -1;
    TZipEntry entry;
    ASSERT_EQ(kZipOk, archive->Find(L"big.txt", false, index, entry));
    EXPECT_EQ(2, index);
    EXPECT_EQ(L"big.txt", entry.name);
    EXPECT_EQ(360000u, entry.uncompressedSize);
    EXPECT_EQ(8, entry.method);
    ASSERT_EQ(kZipOk, archive->EntryAt(1, entry));
    EXPECT_EQ(L"image/topbar_min_normal.png", entry.name);
    EXPECT_EQ(0, entry.method);
    EXPECT_EQ(kZipBadArgs, archive->EntryAt(4, entry));
}

TEST(ZipArchiveFind, BackslashesAndCaseAreFolded)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_deflated.zip"));
    ASSERT_TRUE(archive);
    int index = -1;
    TZipEntry entry;
    EXPECT_EQ(kZipOk, archive->Find(L"image\\topbar_min_normal.png", true, index, entry));
    EXPECT_EQ(L"image/topbar_min_normal.png", entry.name);
    EXPECT_EQ(kZipOk, archive->Find(L"IMAGE/Topbar_Min_Normal.PNG", true, index, entry));
    EXPECT_EQ(kZipNotFound, archive->Find(L"IMAGE/Topbar_Min_Normal.PNG", false, index, entry));
    EXPECT_EQ(kZipOk, archive->Find(L"image\\topbar_min_normal.png", false, index, entry));
    EXPECT_EQ(kZipNotFound, archive->Find(L"missing.png", true, index, entry));
    EXPECT_EQ(-1, index);
}

TEST(ZipArchiveFind, NamesOf256CharactersOrMoreAreNotFound)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_deflated.zip"));
    ASSERT_TRUE(archive);
    int index = -1;
    TZipEntry entry;
    EXPECT_EQ(kZipNotFound, archive->Find(std::wstring(256, L'a'), true, index, entry));
    EXPECT_EQ(kZipNotFound, archive->Find(std::wstring(255, L'a'), true, index, entry));
}

TEST(ZipArchiveFind, Utf8FlaggedNamesAreFound)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"python_mixed.zip"));
    ASSERT_TRUE(archive);
    int index = -1;
    TZipEntry entry;
    ASSERT_EQ(kZipOk, archive->Find(L"\x56FE\x7247\\\x6309\x94AE.png", true, index, entry));
    EXPECT_EQ(L"\x56FE\x7247/\x6309\x94AE.png", entry.name);
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_topbar_min_normal.png"),
              ExtractWhole(*archive, L"\x56FE\x7247/\x6309\x94AE.png"));
}

TEST(ZipArchiveExtract, SmallBufferGivesMoreDataWithThePrefix)
{
    for (const wchar_t* file : {L"infozip_deflated.zip", L"infozip_stored.zip"}) {
        std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(file));
        ASSERT_TRUE(archive);
        int index = -1;
        TZipEntry entry;
        ASSERT_EQ(kZipOk, archive->Find(L"big.txt", true, index, entry));
        std::string buffer(1000, '\0');
        uint32_t written = 0;
        EXPECT_EQ(kZipMoreData, archive->Extract(index, &buffer[0], 1000, &written)) << file;
        EXPECT_EQ(1000u, written);
        EXPECT_EQ(ZipFixtures::Bytes(L"expected_big.txt").substr(0, 1000), buffer);
    }
}

TEST(ZipArchiveExtract, LargerBufferTakesTheWholeEntry)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_deflated.zip"));
    ASSERT_TRUE(archive);
    int index = -1;
    TZipEntry entry;
    ASSERT_EQ(kZipOk, archive->Find(L"RuzerodOradirWnd.xml", true, index, entry));
    std::string buffer(entry.uncompressedSize + 100, '\0');
    uint32_t written = 0;
    EXPECT_EQ(kZipOk, archive->Extract(index, &buffer[0], uint32_t(buffer.size()), &written));
    EXPECT_EQ(entry.uncompressedSize, written);
}

TEST(ZipArchiveExtract, EmptyMemberAndDirectoryEntry)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_descriptors.zip"));
    ASSERT_TRUE(archive);
    int index = -1;
    TZipEntry entry;
    ASSERT_EQ(kZipOk, archive->Find(L"empty.txt", true, index, entry));
    EXPECT_EQ(0u, entry.uncompressedSize);
    char byte = 0;
    EXPECT_EQ(kZipOk, archive->Extract(index, &byte, 0));
    ASSERT_EQ(kZipOk, archive->Find(L"image/", true, index, entry));
    EXPECT_EQ(kZipOk, archive->Extract(index, &byte, 1));
}

TEST(ZipArchiveHandles, MissingHandleOrIndexIsBadArguments)
{
    int index = 0;
    TZipEntry entry;
    char byte;
    EXPECT_EQ(kZipBadArgs, ZipFind(nullptr, L"a", true, index, entry));
    EXPECT_EQ(kZipBadArgs, ZipExtract(nullptr, 0, &byte, 1));
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_stored.zip"));
    ASSERT_TRUE(archive);
    EXPECT_EQ(kZipBadArgs, ZipExtract(archive.get(), -1, &byte, 1));
    EXPECT_EQ(kZipBadArgs, ZipExtract(archive.get(), archive->EntryCount(), &byte, 1));
    EXPECT_EQ(kZipBadArgs, ZipExtract(archive.get(), 0, nullptr, 1));
}

TEST(ZipArchiveHandles, OpeningSomethingElseGivesNone)
{
    EXPECT_FALSE(ZipArchive::OpenFromFile(ZipFixtures::Path(L"no_such_archive.zip")));
    EXPECT_FALSE(ZipArchive::OpenFromFile(ZipFixtures::Path(L"expected_big.txt")));
    EXPECT_FALSE(ZipArchive::OpenFromFile(ZipFixtures::Path(L"empty.bin")));
    EXPECT_FALSE(ZipArchive::OpenFromMemory(nullptr, 100));
    EXPECT_FALSE(ZipArchive::OpenFromMemory("PK\5\6", 4));
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"infozip_stored.zip"));
    ZipArchive::Close(archive);
    EXPECT_FALSE(archive);
}

TEST(ZipArchiveFind, FirstOfDuplicateNamesWins)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"python_duplicates.zip"));
    ASSERT_TRUE(archive);
    EXPECT_EQ("first", ExtractWhole(*archive, L"dup.txt"));
    int index = -1;
    TZipEntry entry;
    ASSERT_EQ(kZipOk, archive->Find(L"dup.txt", false, index, entry));
    EXPECT_EQ(1, index);
}

TEST(ZipArchiveMembers, Zip64EndRecordsGiveTheEntryCount)
{
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(ZipFixtures::Path(L"python_zip64.zip"));
    ASSERT_TRUE(archive);
    EXPECT_EQ(70000, archive->EntryCount());
    EXPECT_EQ("69999", ExtractWhole(*archive, L"F/69999.TXT"));
    EXPECT_EQ("0", ExtractWhole(*archive, L"f\\00000.txt"));
}

// The archive the build packs from skin/ (the exe's "ZIPRES" 131).
TEST(ZipArchiveProductSkin, EveryEntryUnpacksAndTheMarkupIsTheSource)
{
    const std::wstring path = TestEnv::FromUnixPath(std::string(ORVANE_BINARY_DIR) + "/skin/RuzerodOradirWnd.zip");
    std::unique_ptr<ZipArchive> archive = ZipArchive::OpenFromFile(path);
    ASSERT_TRUE(archive);
    ASSERT_GT(archive->EntryCount(), 1);
    for (int i = 0; i < archive->EntryCount(); ++i) {
        TZipEntry entry;
        ASSERT_EQ(kZipOk, archive->EntryAt(i, entry));
        std::string bytes(entry.uncompressedSize, '\0');
        EXPECT_EQ(kZipOk, archive->Extract(i, &bytes[0], entry.uncompressedSize));
    }
    EXPECT_EQ(TestEnv::ReadFileBytes(TestEnv::SourceFolder() + L"skin\\RuzerodOradirWnd.xml"),
              ExtractWhole(*archive, L"RuzerodOradirWnd.xml"));
}
