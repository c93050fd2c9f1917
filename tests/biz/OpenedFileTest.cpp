// Files opened where anyone may plant a link: the handle says where the file
// really lies. Wine shows a Unix symbolic link as the file it points at (no
// reparse point), so these tests rely on that final path.
#include "biz/OpenedFile.h"

#include "biz/libutils.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

class PlainFiles : public ::testing::Test {
protected:
    CFileHandle Open(const std::wstring& path, DWORD disposition = OPEN_EXISTING)
    {
        return OpenPlainFile(path, m_base.Path(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, disposition);
    }

    TestEnv::CScratchFolder m_base{L"plain"};
    TestEnv::CScratchFolder m_elsewhere{L"victim"};
};

} // namespace

TEST_F(PlainFiles, AFileAtItsOwnPlaceIsOpenedAndReadWhole)
{
    TestEnv::WriteFileBytes(m_base.File(L"own.txt"), "kept");
    CFileHandle file = Open(m_base.File(L"own.txt"));
    ASSERT_TRUE(file);
    std::vector<char> bytes{'x'};
    ASSERT_TRUE(ReadOpenedFile(file.Get(), 100, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "kept");
    EXPECT_FALSE(ReadOpenedFile(file.Get(), 3, bytes)); // larger than allowed
    file.Reset();
    // Other capitals name the same place.
    EXPECT_TRUE(OpenPlainFile(m_base.Path() + L"OWN.txt", m_base.Path(), GENERIC_READ, FILE_SHARE_READ,
                              OPEN_EXISTING));
}

TEST_F(PlainFiles, ALinkedFileOrFolderIsRefusedAndItsTargetLeftAsItWas)
{
    const std::wstring victim = m_elsewhere.File(L"victim.txt");
    TestEnv::WriteFileBytes(victim, "victim");
    ::CreateDirectoryW(m_base.File(L"real").c_str(), nullptr);
    TestEnv::CSymbolicLink file(victim, m_base.File(L"linked.txt"));
    TestEnv::CSymbolicLink folder(m_elsewhere.Path(), m_base.File(L"folder"));
    ASSERT_TRUE(file.IsValid() && folder.IsValid());

    EXPECT_FALSE(Open(m_base.File(L"linked.txt")));
    EXPECT_FALSE(Open(m_base.File(L"linked.txt"), OPEN_ALWAYS));
    EXPECT_FALSE(Open(m_base.File(L"folder\\victim.txt")));
    // A file the open would create in the linked folder is removed again.
    EXPECT_FALSE(Open(m_base.File(L"folder\\new.txt"), OPEN_ALWAYS));
    EXPECT_FALSE(IsExistingFile(m_elsewhere.File(L"new.txt")));
    // A path that climbs out of the trusted folder is not below it.
    TestEnv::WriteFileBytes(m_base.File(L"real\\inner.txt"), "inner");
    EXPECT_FALSE(Open(m_base.File(L"real\\..\\real\\inner.txt")));
    EXPECT_FALSE(OpenPlainFile(victim, m_base.Path(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    EXPECT_EQ(TestEnv::ReadFileBytes(victim), "victim");
}

TEST_F(PlainFiles, AFileWithASecondNameIsRefused)
{
    const std::wstring victim = m_elsewhere.File(L"victim.txt");
    TestEnv::WriteFileBytes(victim, "victim");
    ASSERT_TRUE(::CreateHardLinkW(m_base.File(L"hard.txt").c_str(), victim.c_str(), nullptr));
    EXPECT_FALSE(Open(m_base.File(L"hard.txt")));
    EXPECT_EQ(TestEnv::ReadFileBytes(victim), "victim");
}

TEST_F(PlainFiles, TheTrustedFolderItselfMayLieElsewhere)
{
    // A moved data folder is the system's choice, not a planted link.
    TestEnv::WriteFileBytes(m_elsewhere.File(L"data.txt"), "data");
    TestEnv::CSymbolicLink moved(m_elsewhere.Path(), m_base.File(L"moved"));
    ASSERT_TRUE(moved.IsValid());
    const std::wstring trusted = m_base.File(L"moved");
    EXPECT_TRUE(OpenPlainFile(trusted + L"\\data.txt", trusted, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
}

TEST_F(PlainFiles, AnOpenedFileIsDeletedThroughItsHandle)
{
    const std::wstring path = m_base.File(L"gone.txt");
    TestEnv::WriteFileBytes(path, "x");
    {
        CFileHandle file = OpenPlainFile(path, m_base.Path(), DELETE, 0, OPEN_EXISTING);
        ASSERT_TRUE(file);
        EXPECT_TRUE(DeleteOpenedFile(file.Get()));
    }
    EXPECT_FALSE(IsExistingFile(path));
}
