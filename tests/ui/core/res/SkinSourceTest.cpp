// Skin sources: the process-wide settings and reading markup and images from
// the skin folder, an archive file, an archive in memory and module resources.
#include "tests/ui/core/res/ZipFixtures.h"
#include "base/ScopedHandle.h"
#include "ui/core/res/SkinMarkup.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;

namespace {

constexpr size_t kLimit = 4194304;

std::string MarkupOfSize(size_t size)
{
    const std::string head = "<Window>", tail = "</Window>";
    return head + std::string(size - head.size() - tail.size(), ' ') + tail;
}

std::string AsString(const std::optional<TByteBlock>& bytes)
{
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

class SkinSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        CSkinSource::SetAppModule(nullptr);
    }
    void TearDown() override
    {
        CSkinSource::Reset();
        CSkinSource::SetAppModule(nullptr);
    }

    static void ExpectLoadFailure(const std::wstring& name, const wchar_t* message)
    {
        CSkinMarkup markup(L"<old/>");
        EXPECT_FALSE(markup.LoadFile(name)) << std::string(name.begin(), name.end());
        EXPECT_STREQ(message, markup.ErrorMessage());
        EXPECT_STREQ(L"", markup.ErrorLocation());
        EXPECT_FALSE(markup.Root().Exists());
    }

    static void ExpectLoads(const std::wstring& name, const wchar_t* rootName = L"Window")
    {
        CSkinMarkup markup;
        EXPECT_TRUE(markup.LoadFile(name)) << markup.ErrorMessage();
        EXPECT_STREQ(rootName, markup.Root().Name());
    }
};

} // namespace

TEST_F(SkinSourceTest, SkinFolderIsStoredWithATrailingSeparator)
{
    CSkinSource::SetSkinFolder(L"C:\\suite\\skin");
    EXPECT_EQ(L"C:\\suite\\skin\\", CSkinSource::SkinFolder());
    CSkinSource::SetSkinFolder(L"C:/suite/skin/");
    EXPECT_EQ(L"C:/suite/skin/", CSkinSource::SkinFolder());
    CSkinSource::SetSkinFolder(L"C:\\suite\\skin\\");
    EXPECT_EQ(L"C:\\suite\\skin\\", CSkinSource::SkinFolder());
    CSkinSource::SetSkinFolder(L"");
    EXPECT_EQ(L"", CSkinSource::SkinFolder());
}

TEST_F(SkinSourceTest, AppFolderIsTheModulesFolder)
{
    EXPECT_EQ(L"", CSkinSource::AppFolder());
    CSkinSource::SetAppModule(::GetModuleHandleW(nullptr));
    EXPECT_EQ(::GetModuleHandleW(nullptr), CSkinSource::AppModule());
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring exe = path;
    EXPECT_EQ(exe.substr(0, exe.rfind(L'\\') + 1), CSkinSource::AppFolder());
}

TEST_F(SkinSourceTest, MarkupFromTheFolderUpToFourMebibytes)
{
    TestEnv::CScratchFolder folder(L"skin_source_folder");
    TestEnv::WriteFileBytes(folder.File(L"exact.xml"), MarkupOfSize(kLimit));
    TestEnv::WriteFileBytes(folder.File(L"over.xml"), MarkupOfSize(kLimit + 1));
    TestEnv::WriteFileBytes(folder.File(L"empty.xml"), "");
    CSkinSource::SetSkinFolder(folder.Path());
    ExpectLoads(L"exact.xml");
    ExpectLoadFailure(L"over.xml", L"File too large");
    ExpectLoadFailure(L"empty.xml", L"File is empty");
    ExpectLoadFailure(L"missing.xml", L"Error opening file");
}

TEST_F(SkinSourceTest, MarkupFromAKeptArchiveIgnoringCase)
{
    CSkinSource::SetSkinFolder(ZipFixtures::Folder());
    CSkinSource::SetSkinZipFile(L"infozip_deflated.zip", true);
    EXPECT_EQ(L"infozip_deflated.zip", CSkinSource::SkinZipName());
    EXPECT_TRUE(CSkinSource::KeepZipOpen());
    const ZipArchive* kept = CSkinSource::OpenZip();
    ASSERT_NE(nullptr, kept);
    ExpectLoads(L"RuzerodOradirWnd.xml");
    ExpectLoads(L"ruzerodoradirwnd.XML");
    // The same settings again change nothing: the kept archive stays.
    CSkinSource::SetSkinZipFile(L"infozip_deflated.zip", true);
    EXPECT_EQ(kept, CSkinSource::OpenZip());
}

TEST_F(SkinSourceTest, MarkupFromAnArchiveOpenedPerRead)
{
    CSkinSource::SetSkinFolder(ZipFixtures::Folder());
    CSkinSource::SetSkinZipFile(L"infozip_descriptors.zip", false);
    EXPECT_EQ(nullptr, CSkinSource::OpenZip());
    ExpectLoads(L"RuzerodOradirWnd.xml");
}

TEST_F(SkinSourceTest, MarkupLimitsInsideTheArchive)
{
    CSkinSource::SetSkinFolder(ZipFixtures::Folder());
    CSkinSource::SetSkinZipFile(L"limits.zip", true);
    ExpectLoads(L"exact.xml");
    ExpectLoadFailure(L"over.xml", L"File too large");
    ExpectLoadFailure(L"empty.xml", L"File is empty");
}

TEST_F(SkinSourceTest, MarkupMissingFromTheArchiveIsReadFromTheFolder)
{
    TestEnv::CScratchFolder folder(L"skin_source_fallback");
    TestEnv::WriteFileBytes(folder.File(L"skin.zip"), ZipFixtures::Bytes(L"infozip_deflated.zip"));
    TestEnv::WriteFileBytes(folder.File(L"Extra.xml"), "<Extra/>");
    CSkinSource::SetSkinFolder(folder.Path());
    CSkinSource::SetSkinZipFile(L"skin.zip", true);
    ASSERT_NE(nullptr, CSkinSource::OpenZip());
    ExpectLoads(L"Extra.xml", L"Extra");
    ExpectLoadFailure(L"Missing.xml", L"Error opening file");
}

TEST_F(SkinSourceTest, MissingArchiveFailsEveryMarkupRead)
{
    CSkinSource::SetSkinFolder(ZipFixtures::Folder());
    CSkinSource::SetSkinZipFile(L"no_such.zip", true);
    EXPECT_EQ(nullptr, CSkinSource::OpenZip());
    ExpectLoadFailure(L"RuzerodOradirWnd.xml", L"Error opening zip file");
    CSkinSource::SetSkinZipFile(L"no_such.zip", false);
    ExpectLoadFailure(L"RuzerodOradirWnd.xml", L"Error opening zip file");
}

TEST_F(SkinSourceTest, DamagedMemberCannotBeUnzipped)
{
    std::string bytes = ZipFixtures::Bytes(L"python_mixed.zip");
    bytes[30 + 20] = char(0x07); // the markup's deflate data starts with a reserved block type
    TestEnv::CScratchFolder folder(L"skin_source_damaged");
    TestEnv::WriteFileBytes(folder.File(L"skin.zip"), bytes);
    CSkinSource::SetSkinFolder(folder.Path());
    CSkinSource::SetSkinZipFile(L"skin.zip", true);
    ExpectLoadFailure(L"RuzerodOradirWnd.xml", L"Could not unzip file");
}

TEST_F(SkinSourceTest, ImagesFromTheArchiveByAnySpelling)
{
    const std::string expected = ZipFixtures::Bytes(L"expected_topbar_min_normal.png");
    CSkinSource::SetSkinFolder(ZipFixtures::Folder());
    for (bool keep : {true, false}) {
        CSkinSource::SetSkinZipFile(L"infozip_deflated.zip", keep);
        EXPECT_EQ(expected, AsString(ReadSkinImageBytes(L"image\\topbar_min_normal.png")));
        EXPECT_EQ(expected, AsString(ReadSkinImageBytes(L"IMAGE/Topbar_Min_Normal.PNG")));
        EXPECT_FALSE(ReadSkinImageBytes(L"image/missing.png"));
    }
}

TEST_F(SkinSourceTest, AbsoluteImagePathIsReadWhenTheArchiveLacksIt)
{
    CSkinSource::SetSkinFolder(ZipFixtures::Folder());
    CSkinSource::SetSkinZipFile(L"python_prefixed.zip", true);
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_big.txt"), AsString(ReadSkinImageBytes(ZipFixtures::Path(L"expected_big.txt"))));
}

TEST_F(SkinSourceTest, LastResortFolderImageHoldsAtMostFourMebibytes)
{
    TestEnv::CScratchFolder folder(L"skin_source_images");
    TestEnv::WriteFileBytes(folder.File(L"skin.zip"), ZipFixtures::Bytes(L"python_prefixed.zip"));
    TestEnv::WriteFileBytes(folder.File(L"exact.png"), std::string(kLimit, 'x'));
    TestEnv::WriteFileBytes(folder.File(L"over.png"), std::string(kLimit + 1, 'x'));
    TestEnv::WriteFileBytes(folder.File(L"empty.png"), "");
    CSkinSource::SetSkinFolder(folder.Path());
    CSkinSource::SetSkinZipFile(L"skin.zip", true);
    std::optional<TByteBlock> exact = ReadSkinImageBytes(L"exact.png");
    ASSERT_TRUE(exact);
    EXPECT_EQ(kLimit, exact->size());
    EXPECT_FALSE(ReadSkinImageBytes(L"over.png"));
    EXPECT_FALSE(ReadSkinImageBytes(L"empty.png"));

    // A plain skin folder reads images of any size.
    CSkinSource::SetSkinZipFile(L"", true);
    std::optional<TByteBlock> over = ReadSkinImageBytes(L"over.png");
    ASSERT_TRUE(over);
    EXPECT_EQ(kLimit + 1, over->size());
    EXPECT_FALSE(ReadSkinImageBytes(L"empty.png"));
}

TEST_F(SkinSourceTest, ArchiveInMemoryKeepsTheFirstBlock)
{
    const std::string first = ZipFixtures::Bytes(L"infozip_deflated.zip");
    const std::string second = ZipFixtures::Bytes(L"python_mixed.zip");
    CSkinSource::SetSkinZipBlock(first.data(), first.size());
    EXPECT_EQ(std::wstring(kMemoryZipName), CSkinSource::SkinZipName());
    const ZipArchive* kept = CSkinSource::OpenZip();
    ASSERT_NE(nullptr, kept);
    CSkinSource::SetSkinZipBlock(second.data(), second.size());
    EXPECT_EQ(kept, CSkinSource::OpenZip());
    ExpectLoads(L"RuzerodOradirWnd.xml");
    int index;
    TZipEntry entry;
    EXPECT_EQ(kZipOk, ZipFind(CSkinSource::OpenZip(), L"empty.txt", true, index, entry)); // only in the first
}

TEST_F(SkinSourceTest, ArchiveInMemoryOpenedPerRead)
{
    const std::string bytes = ZipFixtures::Bytes(L"infozip_stored.zip");
    CSkinSource::SetSkinZipFile(L"", false);
    CSkinSource::SetSkinZipBlock(bytes.data(), bytes.size());
    EXPECT_EQ(nullptr, CSkinSource::OpenZip());
    ExpectLoads(L"RuzerodOradirWnd.xml");
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_big.txt"), AsString(ReadSkinImageBytes(L"big.txt")));
}

TEST_F(SkinSourceTest, ModuleResourcesAndTheZipResource)
{
    CModule library(::LoadLibraryW(ZipFixtures::ResourceLibrary().c_str()));
    ASSERT_TRUE(library) << ::GetLastError();
    CSkinSource::SetAppModule(library.Get());
    const std::wstring folder = CSkinSource::AppFolder();
    EXPECT_EQ(L"testdata\\", folder.substr(folder.size() - 9));

    // Images and markup stored as plain resources.
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_topbar_min_normal.png"), AsString(ReadSkinImageBytes(L"TOPBAR", L"PNG")));
    EXPECT_FALSE(ReadSkinImageBytes(L"NOPE", L"PNG"));
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_RuzerodOradirWnd.xml"), AsString(ReadSkinResourceBytes(L"WINDOW", L"XML")));

    // Missing or empty zip resources install nothing.
    EXPECT_FALSE(CSkinSource::InstallZipResource(MAKEINTRESOURCEW(999)));
    EXPECT_FALSE(CSkinSource::InstallZipResource(MAKEINTRESOURCEW(133)));
    EXPECT_EQ(L"", CSkinSource::SkinZipName());

    ASSERT_TRUE(CSkinSource::InstallZipResource(MAKEINTRESOURCEW(131)));
    EXPECT_EQ(std::wstring(kMemoryZipName), CSkinSource::SkinZipName());
    const ZipArchive* kept = CSkinSource::OpenZip();
    ASSERT_NE(nullptr, kept);
    ExpectLoads(L"RuzerodOradirWnd.xml");
    EXPECT_EQ(ZipFixtures::Bytes(L"expected_topbar_min_normal.png"),
              AsString(ReadSkinImageBytes(L"image\\topbar_min_normal.png")));

    // A second window's zip resource reuses the first copy.
    ASSERT_TRUE(CSkinSource::InstallZipResource(MAKEINTRESOURCEW(132)));
    EXPECT_EQ(kept, CSkinSource::OpenZip());
    int index;
    TZipEntry entry;
    EXPECT_EQ(kZipOk, ZipFind(CSkinSource::OpenZip(), L"empty.txt", true, index, entry));

    // Even after the settings are reset, the process keeps its one copy:
    // the second resource still yields the first archive.
    CSkinSource::Reset();
    ASSERT_TRUE(CSkinSource::InstallZipResource(MAKEINTRESOURCEW(132)));
    EXPECT_EQ(kZipOk, ZipFind(CSkinSource::OpenZip(), L"empty.txt", true, index, entry));
    CSkinSource::Reset();
}

TEST_F(SkinSourceTest, ProductSkinArchiveGivesItsMarkup)
{
    CSkinSource::SetSkinFolder(TestEnv::FromUnixPath(std::string(ORVANE_BINARY_DIR) + "/skin/"));
    CSkinSource::SetSkinZipFile(L"RuzerodOradirWnd.zip", true);
    ASSERT_NE(nullptr, CSkinSource::OpenZip());
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadFile(L"RuzerodOradirWnd.xml")) << markup.ErrorMessage();
    EXPECT_STREQ(L"Window", markup.Root().Name());
}
