#include "biz/BlowFishEnc.h"
#include "base/ScopedHandle.h"
#include "biz/XmlAtom.h"
#include "tests/biz/ConfigTestFiles.h"
#include "tests/support/TestEnvironment.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ToolPath()
{
    std::wstring installed = TestEnv::DistFolder() + L"cfgcrypt.exe";
    if (::GetFileAttributesW(installed.c_str()) != INVALID_FILE_ATTRIBUTES)
        return installed;
    return TestEnv::FromUnixPath(ORVANE_BINARY_DIR "/tools/cfgcrypt/cfgcrypt.exe");
}

// Runs the tool with `arguments`; its standard output and error go to `output`.
DWORD RunTool(const std::wstring& arguments, std::string* output = nullptr)
{
    TestEnv::CScratchFolder folder(L"cfgcryptrun");
    std::wstring outputPath = folder.File(L"output.txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CFileHandle outputFile(::CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::wstring commandLine = L"\"" + ToolPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputFile.Get();
    startup.hStdError = outputFile.Get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return 0xFFFFFFFF;
    CKernelHandle processHandle(process.hProcess);
    CKernelHandle threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0xFFFFFFFF;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    outputFile.Reset();
    if (output)
        *output = TestEnv::ReadFileBytes(outputPath);
    return exitCode;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

class CfgCryptTool : public ::testing::Test {
protected:
    TestEnv::CScratchFolder m_folder{L"cfgcrypt"};
};

} // namespace

TEST_F(CfgCryptTool, EncryptProducesWhatTheSuiteDeciphers)
{
    const std::string xml = "<Configs version=\"1.2\"><Globle><Urls>u</Urls></Globle></Configs>";
    TestEnv::WriteFileBytes(m_folder.File(L"config.xml"), xml);
    ASSERT_EQ(0u, RunTool(L"encrypt " + Quoted(m_folder.File(L"config.xml")) + L" " +
                          Quoted(m_folder.File(L"cfg.dll"))));
    std::string sealed = TestEnv::ReadFileBytes(m_folder.File(L"cfg.dll"));
    EXPECT_EQ((xml.size() + 7) / 8 * 8, sealed.size());
    EXPECT_EQ(ConfigTest::Encipher(xml), sealed);

    BlowFishEnc cipher;
    std::string opened = sealed + '\0';
    cipher.Decrypt(reinterpret_cast<uint8_t*>(&opened[0]), sealed.size(), reinterpret_cast<uint8_t*>(&opened[0]));
    IConfigXml atom;
    ASSERT_TRUE(atom.Parse(opened.c_str()));
    EXPECT_EQ("1.2", atom.Version());
}

TEST_F(CfgCryptTool, DecryptRestoresTheTextWithoutPadding)
{
    const std::string xml = "<Configs version=\"3\"/>"; // 22 bytes, two bytes of padding
    TestEnv::WriteFileBytes(m_folder.File(L"cfg.dll"), ConfigTest::Encipher(xml));
    ASSERT_EQ(0u, RunTool(L"decrypt " + Quoted(m_folder.File(L"cfg.dll")) + L" " +
                          Quoted(m_folder.File(L"plain.xml"))));
    EXPECT_EQ(xml, TestEnv::ReadFileBytes(m_folder.File(L"plain.xml")));
}

TEST_F(CfgCryptTool, EncryptThenDecryptRoundTrips)
{
    std::string text = "line one\r\nline two \xE6\x8A\xA4\r\n";
    TestEnv::WriteFileBytes(m_folder.File(L"in.txt"), text);
    ASSERT_EQ(0u, RunTool(L"encrypt " + Quoted(m_folder.File(L"in.txt")) + L" " + Quoted(m_folder.File(L"x.bin"))));
    ASSERT_EQ(0u, RunTool(L"decrypt " + Quoted(m_folder.File(L"x.bin")) + L" " + Quoted(m_folder.File(L"out.txt"))));
    EXPECT_EQ(text, TestEnv::ReadFileBytes(m_folder.File(L"out.txt")));
}

TEST_F(CfgCryptTool, BadArgumentsPrintUsageAndFail)
{
    std::string output;
    EXPECT_EQ(1u, RunTool(L"", &output));
    EXPECT_NE(std::string::npos, output.find("usage: cfgcrypt encrypt IN OUT")) << output;
    EXPECT_EQ(1u, RunTool(L"scramble a b"));
    EXPECT_EQ(1u, RunTool(L"encrypt onlyone"));
    EXPECT_EQ(1u, RunTool(L"decrypt a b c"));
}

TEST_F(CfgCryptTool, HelpPrintsUsageAndSucceeds)
{
    std::string output;
    EXPECT_EQ(0u, RunTool(L"--help", &output));
    EXPECT_NE(std::string::npos, output.find("decrypt IN OUT")) << output;
}

TEST_F(CfgCryptTool, UnreadableInputFails)
{
    std::string output;
    EXPECT_EQ(2u, RunTool(L"encrypt " + Quoted(m_folder.File(L"missing.xml")) + L" " +
                              Quoted(m_folder.File(L"out.bin")),
                          &output));
    EXPECT_NE(std::string::npos, output.find("cannot read")) << output;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(m_folder.File(L"out.bin").c_str()));
}

TEST_F(CfgCryptTool, UnwritableOutputFails)
{
    TestEnv::WriteFileBytes(m_folder.File(L"in.xml"), "<a/>");
    EXPECT_EQ(3u, RunTool(L"encrypt " + Quoted(m_folder.File(L"in.xml")) + L" " +
                          Quoted(m_folder.File(L"no\\such\\folder\\out.bin"))));
}

TEST_F(CfgCryptTool, DecryptRefusesPartialBlocks)
{
    TestEnv::WriteFileBytes(m_folder.File(L"odd.bin"), "0123456789");
    EXPECT_EQ(4u, RunTool(L"decrypt " + Quoted(m_folder.File(L"odd.bin")) + L" " + Quoted(m_folder.File(L"o.xml"))));
}
