// The native window wrapper on real windows: class registration, message
// routing, the final message, the modal loop and placement helpers.
#include "tests/ui/core/host/WindowTestSupport.h"
#include "ui/core/host/WindowWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace SkinUI;
using WindowTest::PumpMessages;

namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kCheckOwners = WM_APP + 2;

class CPlainWindow : public CWindowWnd {
public:
    ~CPlainWindow()
    {
        if (::IsWindow(Window()))
            ::DestroyWindow(Window());
    }
    const wchar_t* RegisteredClassName() const override { return L"OrvanePlainTestWnd"; }
    UINT RegisterStyle() const override { return CS_DBLCLKS; }
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == kProbe)
            return 42;
        if (message == kCheckOwners) {
            for (HWND owner : watchedOwners)
                ownersEnabledInLoop.push_back(::IsWindowEnabled(owner) != FALSE);
            PostClose(static_cast<UINT>(wParam));
            return 0;
        }
        return CWindowWnd::RouteMessage(message, wParam, lParam);
    }
    void AfterDestroyed(HWND window) override
    {
        destroyedWindow = window;
        windowWhenDestroyed = Window();
    }
    bool Saw(UINT message) const { return std::find(messages.begin(), messages.end(), message) != messages.end(); }

    std::vector<UINT> messages;
    std::vector<HWND> watchedOwners;
    std::vector<bool> ownersEnabledInLoop;
    HWND destroyedWindow = nullptr;
    HWND windowWhenDestroyed = reinterpret_cast<HWND>(1);
};

// Extends the system's edit class: its procedure keeps the edit behaviour.
class CExtendedEdit : public CWindowWnd {
public:
    ~CExtendedEdit()
    {
        if (::IsWindow(Window()))
            ::DestroyWindow(Window());
    }
    const wchar_t* RegisteredClassName() const override { return L"OrvaneExtendedEdit"; }
    const wchar_t* BaseClassToExtend() const override { return L"Edit"; }
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        ++routed;
        return CWindowWnd::RouteMessage(message, wParam, lParam);
    }
    int routed = 0;
};

HWND CreatePlain(CPlainWindow& window, HWND owner = nullptr, int x = 100, int y = 100, int cx = 300, int cy = 200)
{
    return window.CreateNative(owner, L"Plain", WS_POPUP, 0, x, y, cx, cy);
}

bool QuitIsQueued(WPARAM& code)
{
    MSG message;
    if (!::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    code = message.wParam;
    return true;
}

} // namespace

TEST(WindowWnd, CreationRegistersTheClassWithItsStyleArrowCursorAndNoBackground)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window), nullptr);
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetClassInfoExW(WindowModule(), L"OrvanePlainTestWnd", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.hbrBackground, nullptr);
    EXPECT_EQ(info.hCursor, ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST(WindowWnd, ASecondWindowOfAnAlreadyRegisteredClassIsCreated)
{
    CPlainWindow first, second;
    EXPECT_NE(CreatePlain(first), nullptr);
    EXPECT_NE(CreatePlain(second), nullptr);
    EXPECT_NE(first.Window(), second.Window());
}

TEST(WindowWnd, EveryMessageFromNonClientCreateOnReachesRouteMessage)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window), nullptr);
    EXPECT_TRUE(window.Saw(WM_NCCREATE));
    EXPECT_TRUE(window.Saw(WM_CREATE));
    EXPECT_EQ(window.Send(kProbe), 42);
    EXPECT_EQ(::SendMessageW(window.Window(), kProbe, 0, 0), 42);
}

TEST(WindowWnd, UnhandledMessagesReachThePlatformsDefaultProcedure)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window), nullptr);
    ::SetWindowTextW(window.Window(), L"renamed");
    wchar_t text[32] = {};
    ::GetWindowTextW(window.Window(), text, 32);
    EXPECT_STREQ(text, L"renamed");
}

TEST(WindowWnd, TheFinalMessageUnlinksTheObjectBeforeAfterDestroyed)
{
    CPlainWindow window;
    HWND handle = CreatePlain(window);
    ASSERT_NE(handle, nullptr);
    ::DestroyWindow(handle);
    EXPECT_EQ(window.destroyedWindow, handle);
    EXPECT_EQ(window.windowWhenDestroyed, nullptr);
    EXPECT_EQ(window.Window(), nullptr);
    EXPECT_EQ(window.Send(kProbe), 0);
}

TEST(WindowWnd, RunModalReturnsTheCodeOfTheCloseMessage)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window), nullptr);
    window.PostClose(7);
    EXPECT_EQ(window.RunModal(), 7u);
    EXPECT_FALSE(::IsWindow(window.Window()));
    WPARAM code = 0;
    EXPECT_FALSE(QuitIsQueued(code));
}

TEST(WindowWnd, AModalLoopEndedByAQuitMessagePostsItAgain)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window), nullptr);
    ::PostQuitMessage(5);
    EXPECT_EQ(window.RunModal(), 0u);
    EXPECT_TRUE(::IsWindow(window.Window()));
    WPARAM code = 0;
    ASSERT_TRUE(QuitIsQueued(code));
    EXPECT_EQ(code, 5u);
}

TEST(WindowWnd, RunModalDisablesTheOwnerWhileItRunsAndEnablesItAfterwards)
{
    CPlainWindow top, owner, dialog;
    ASSERT_NE(CreatePlain(top), nullptr);
    ASSERT_NE(CreatePlain(owner, top.Window()), nullptr);
    ASSERT_NE(CreatePlain(dialog, owner.Window()), nullptr);
    dialog.watchedOwners = {owner.Window(), top.Window()};
    dialog.Post(kCheckOwners, 3);
    EXPECT_EQ(dialog.RunModal(false), 3u);
    EXPECT_EQ(dialog.ownersEnabledInLoop, (std::vector<bool>{false, true}));
    EXPECT_TRUE(::IsWindowEnabled(owner.Window()));
}

TEST(WindowWnd, RunModalWithTheChainFlagDisablesEveryOwnerUpTheChain)
{
    CPlainWindow top, owner, dialog;
    ASSERT_NE(CreatePlain(top), nullptr);
    ASSERT_NE(CreatePlain(owner, top.Window()), nullptr);
    ASSERT_NE(CreatePlain(dialog, owner.Window()), nullptr);
    dialog.watchedOwners = {owner.Window(), top.Window()};
    dialog.Post(kCheckOwners, 4);
    EXPECT_EQ(dialog.RunModal(true), 4u);
    EXPECT_EQ(dialog.ownersEnabledInLoop, (std::vector<bool>{false, false}));
    EXPECT_TRUE(::IsWindowEnabled(owner.Window()));
    EXPECT_TRUE(::IsWindowEnabled(top.Window()));
}

TEST(WindowWnd, ShowHidesShowsAndShowsWithoutActivating)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window), nullptr);
    window.Show(true, false);
    EXPECT_TRUE(::IsWindowVisible(window.Window()));
    window.Show(false);
    EXPECT_FALSE(::IsWindowVisible(window.Window()));
    window.Show(true, true);
    EXPECT_TRUE(::IsWindowVisible(window.Window()));
}

TEST(WindowWnd, PostCloseWithoutAWindowDoesNothing)
{
    CPlainWindow window;
    window.PostClose(1);
    window.Center();
    window.Show(true);
    WPARAM code = 0;
    EXPECT_TRUE(PumpMessages(&code));
}

TEST(CenteredPosition, CentresOnTheAnchor)
{
    POINT at = CenteredPosition(SIZE{100, 50}, RECT{200, 100, 600, 400}, RECT{0, 0, 1024, 768});
    EXPECT_EQ(at.x, 350);
    EXPECT_EQ(at.y, 225);
}

TEST(CenteredPosition, APositionBeforeTheWorkAreaMovesToItsEdge)
{
    POINT at = CenteredPosition(SIZE{400, 300}, RECT{-100, -50, 100, 50}, RECT{0, 30, 1024, 768});
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 30);
}

TEST(CenteredPosition, AWindowOverhangingTheRightOrBottomEndsAtThatEdge)
{
    POINT at = CenteredPosition(SIZE{400, 300}, RECT{900, 700, 1100, 800}, RECT{0, 0, 1024, 768});
    EXPECT_EQ(at.x, 624);
    EXPECT_EQ(at.y, 468);
}

TEST(CenteredPosition, AWindowLargerThanTheWorkAreaKeepsItsLeftAndTopInside)
{
    POINT at = CenteredPosition(SIZE{2000, 1000}, RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 768});
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
}

TEST(WindowWnd, CenterWithoutOwnerCentresInTheWorkAreaWithoutResizing)
{
    CPlainWindow window;
    ASSERT_NE(CreatePlain(window, nullptr, 3, 5, 300, 200), nullptr);
    window.Center();
    RECT work = WindowTest::WorkAreaOf(window.Window());
    RECT placed = {};
    ::GetWindowRect(window.Window(), &placed);
    EXPECT_EQ(placed.right - placed.left, 300);
    EXPECT_EQ(placed.bottom - placed.top, 200);
    EXPECT_EQ(placed.left, work.left + (work.right - work.left - 300) / 2);
    EXPECT_EQ(placed.top, work.top + (work.bottom - work.top - 200) / 2);
}

TEST(WindowWnd, CenterCentresOnTheOwnerUnlessToldToIgnoreIt)
{
    CPlainWindow owner, window;
    ASSERT_NE(CreatePlain(owner, nullptr, 40, 60, 400, 300), nullptr);
    ASSERT_NE(CreatePlain(window, owner.Window(), 0, 0, 200, 100), nullptr);
    window.Center();
    RECT placed = {};
    ::GetWindowRect(window.Window(), &placed);
    EXPECT_EQ(placed.left, 140);
    EXPECT_EQ(placed.top, 160);

    window.Center(true);
    RECT work = WindowTest::WorkAreaOf(owner.Window());
    ::GetWindowRect(window.Window(), &placed);
    EXPECT_EQ(placed.left, work.left + (work.right - work.left - 200) / 2);
    EXPECT_EQ(placed.top, work.top + (work.bottom - work.top - 100) / 2);
}

TEST(WindowWnd, SubclassRoutesAnExistingWindowAndRestoreProcGivesItsProcedureBack)
{
    CPlainWindow host;
    ASSERT_NE(CreatePlain(host), nullptr);
    HWND other = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    LONG_PTR original = ::GetWindowLongPtrW(other, GWLP_WNDPROC);

    CPlainWindow subclasser;
    ASSERT_TRUE(subclasser.Subclass(other));
    EXPECT_EQ(::SendMessageW(other, kProbe, 0, 0), 42);
    subclasser.RestoreProc();
    EXPECT_EQ(::GetWindowLongPtrW(other, GWLP_WNDPROC), original);
    EXPECT_EQ(::SendMessageW(other, kProbe, 0, 0), 0);
    ::DestroyWindow(other);
    EXPECT_EQ(subclasser.destroyedWindow, nullptr);
}

TEST(WindowWnd, AnExtendedClassKeepsTheBehaviourOfTheClassItExtends)
{
    CExtendedEdit edit;
    ASSERT_NE(edit.CreateNative(nullptr, L"", WS_POPUP, 0, 0, 0, 100, 20), nullptr);
    wchar_t className[64] = {};
    ::GetClassNameW(edit.Window(), className, 64);
    EXPECT_STREQ(className, L"OrvaneExtendedEdit");
    edit.Send(EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(edit.Send(EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_GT(edit.routed, 0);
}
