// Skin sources kept in an exe's own resources, and the hard stop of a skin
// that cannot be built, seen from outside the skin host process.
#include "tests/support/TestEnvironment.h"
#include "ui/core/build/WindowImplBase.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring HostExe()
{
    return TestEnv::FromUnixPath(ORVANE_BINARY_DIR "/tools/skinhost/orvane_skinhost.exe");
}

class CHostProcess {
public:
    bool Start(const std::wstring& mode, const std::wstring& resultFile)
    {
        std::wstring command = L"\"" + HostExe() + L"\" " + mode + L" \"" + resultFile + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return false;
        ::CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_processId = info.dwProcessId;
        return true;
    }
    ~CHostProcess()
    {
        if (m_process) {
            if (::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(m_process, 99);
            ::CloseHandle(m_process);
        }
    }
    // Waits for the exit (a guard against a hung child, not a measurement).
    DWORD ExitCode(DWORD waitMs = 60000)
    {
        if (::WaitForSingleObject(m_process, waitMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_process, &code);
        return code;
    }
    bool Running() const { return ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }
    DWORD Id() const { return m_processId; }

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

DWORD RunHost(const std::wstring& mode, std::string& result)
{
    TestEnv::CScratchFolder folder(L"skinhost_" + mode);
    std::wstring resultFile = folder.File(L"result.txt");
    CHostProcess host;
    if (!host.Start(mode, resultFile))
        return STILL_ACTIVE;
    DWORD code = host.ExitCode();
    result = TestEnv::ReadFileBytes(resultFile);
    return code;
}

// The failure box of a process, found by its caption.
HWND FindFailureBox(DWORD processId)
{
    struct TSearch {
        DWORD processId;
        HWND found;
    } search = {processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(parameter);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t caption[32] = {};
            ::GetWindowTextW(window, caption, 32);
            if (owner == s->processId && std::wstring(caption) == SkinUI::kSkinFailureCaption) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

TEST(SkinHost, AZipResourceSkinIsCopiedIntoMemoryAndBuilt)
{
    std::string result;
    ASSERT_EQ(RunHost(L"zipresource", result), 0u);
    EXPECT_EQ(result, "root=hostroot\nstart=320,200\nsize=320,200\nzip=membuffer\n");
}

TEST(SkinHost, AMarkupResourceOfTypeXmlIsBuiltFromItsDecimalId)
{
    std::string result;
    ASSERT_EQ(RunHost(L"resource", result), 0u);
    EXPECT_EQ(result, "root=resourceroot\nstart=300,180\nsize=300,180\nzip=\n");
}

TEST(SkinHost, AMissingZipResourceLeavesTheWindowWithoutSkinAndWithoutMessage)
{
    std::string result;
    ASSERT_EQ(RunHost(L"missingzip", result), 0u);
    EXPECT_EQ(result, "root=(none)\nstart=0,0\nsize=200,100\nzip=\n");
}

TEST(SkinHost, ASkinThatCannotBeBuiltShowsTheFailureBoxAndEndsWithExitCodeOne)
{
    TestEnv::CScratchFolder folder(L"skinhost_broken");
    CHostProcess host;
    ASSERT_TRUE(host.Start(L"broken", folder.File(L"result.txt")));

    // The box blocks the child until someone answers it; look for it as a user would.
    HWND box = nullptr;
    for (int attempt = 0; attempt < 1200 && !box && host.Running(); ++attempt) {
        ::Sleep(50);
        box = FindFailureBox(host.Id());
    }
    ASSERT_NE(box, nullptr) << "no failure box appeared";
    wchar_t text[64] = {};
    // The message text of a message box is its static control 0xFFFF.
    ::GetDlgItemTextW(box, 0xFFFF, text, 64);
    EXPECT_STREQ(text, SkinUI::kSkinFailureText);
    EXPECT_TRUE(host.Running());

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(host.ExitCode(), 1u);
    EXPECT_EQ(TestEnv::ReadFileBytes(folder.File(L"result.txt")), "");
}
