#include "app/SingleInstance.h"
#include "app/StartupSwitches.h"

#include "base/ScopedHandle.h"
#include "tests/support/LogCapture.h"

#include <aclapi.h>

#include <gtest/gtest.h>

TEST(StartupSwitches, KeepsOnlyTheTwoKnownTokensInOrder)
{
    EXPECT_EQ(ParseSwitches(L""), L"");
    EXPECT_EQ(ParseSwitches(L"-tamsel"), L"-tamsel");
    EXPECT_EQ(ParseSwitches(L"-redefault"), L"-redefault");
    EXPECT_EQ(ParseSwitches(L"-tamsel unknown"), L"-tamsel");
    EXPECT_EQ(ParseSwitches(L"unknown   -redefault"), L"-redefault");
    EXPECT_EQ(ParseSwitches(L"-tamsel -tamsel"), L"-tamsel-tamsel");
    EXPECT_EQ(ParseSwitches(L"-redefault -tamsel"), L"-redefault-tamsel");
}

TEST(StartupSwitches, CaseQuotesAndGlueAreNotRecognised)
{
    EXPECT_EQ(ParseSwitches(L"-TAMSEL"), L"");
    EXPECT_EQ(ParseSwitches(L"\"-tamsel\""), L"");
    EXPECT_EQ(ParseSwitches(L"-tamsel-redefault"), L"");
    EXPECT_EQ(ParseSwitches(L"x\t-tamsel"), L"");
}

TEST(StartupSwitches, SpacesAroundTokensMakeNoEmptyMatches)
{
    EXPECT_EQ(ParseSwitches(L" -tamsel"), L"-tamsel");
    EXPECT_EQ(ParseSwitches(L"-tamsel   "), L"-tamsel");
    EXPECT_EQ(ParseSwitches(L"   "), L"");
}

namespace {

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    BYTE known[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(known);
    return ::CreateWellKnownSid(type, nullptr, known, &size) && ::EqualSid(sid, known);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A stand-in for the running instance's main window, found by its class name.
class CRunningInstanceWindow {
public:
    CRunningInstanceWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kMainWindowClassName;
        ::RegisterClassW(&windowClass);
        m_window = ::CreateWindowExW(0, kMainWindowClassName, L"Eyeward", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~CRunningInstanceWindow() { ::DestroyWindow(m_window); }
    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

} // namespace

TEST(SingleInstance, FirstCallOwnsTheMutexLaterCallsActivateTheRunningWindow)
{
    TestLog::CLogCapture log;
    ASSERT_TRUE(EnsureSingleInstance());
    {
        // An access list that names who may use and change it (a null one
        // would let anyone take it over), and nothing for everyone else.
        CKernelHandle opened(::OpenMutexW(SYNCHRONIZE | READ_CONTROL, FALSE, kInstanceMutexName));
        ASSERT_TRUE(opened.IsValid());
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        PACL dacl = nullptr;
        ASSERT_EQ(::GetSecurityInfo(opened.Get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                    nullptr, &descriptor),
                  static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_NE(dacl, nullptr);
        EXPECT_GT(dacl->AceCount, 0);
        for (WORD i = 0; i < dacl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            ASSERT_TRUE(::GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
            PSID sid = &ace->SidStart;
            EXPECT_FALSE(IsWellKnown(sid, WinWorldSid) || IsWellKnown(sid, WinBuiltinUsersSid) ||
                         IsWellKnown(sid, WinAuthenticatedUserSid) || IsWellKnown(sid, WinInteractiveSid));
        }
        ::LocalFree(descriptor);
    }

    CRunningInstanceWindow running;
    ASSERT_NE(running.Get(), nullptr);
    ::ShowWindow(running.Get(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(running.Get()));

    EXPECT_FALSE(EnsureSingleInstance());
    EXPECT_FALSE(::IsIconic(running.Get()));
    EXPECT_TRUE(log.Contains(L"Active old window"));
}

TEST(SingleInstance, ActivationWithoutAWindowDoesNothingHarmful)
{
    TestLog::CLogCapture log;
    ActivateRunningInstance();
    EXPECT_TRUE(log.Contains(L"Active old window"));
}
