// A skinned window on a real native window: creation builds the skin into
// the window's context, and the frame behaves as the skin describes.
#include "tests/support/TestEnvironment.h"
#include "tests/ui/core/build/SkinWindowFixture.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace WindowTest;

namespace {

constexpr wchar_t kPlainSkin[] = L"<Window size=\"400,300\"><Control name=\"body\" /></Window>";

} // namespace

TEST_F(CSkinWindowTest, CreationBuildsTheSkinAndAdoptsItsRoot)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    CControlUI* root = window.Context().Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"body");
    EXPECT_EQ(window.Context().ControlByName(L"body"), root);
    EXPECT_EQ(root->windowContext(), &window.Context());
    EXPECT_EQ(window.skinBuilt, 1);
    EXPECT_TRUE(window.Context().OwnerBackdrop());
    EXPECT_EQ(window.Context().Window(), window.Window());
}

TEST_F(CSkinWindowTest, TheWindowLosesItsCaptionAndClipsItsChildrenAndSiblings)
{
    CSkinWindow window(kPlainSkin);
    HWND handle = window.CreateNative(nullptr, L"Captioned", WS_OVERLAPPEDWINDOW, 0, 10, 10, 400, 300);
    ASSERT_NE(handle, nullptr);
    LONG style = ::GetWindowLongW(handle, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS), WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    EXPECT_EQ(window.StyleWithoutCaption(), style);
}

TEST_F(CSkinWindowTest, TheWholeWindowIsClientArea)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    RECT bounds = {}, client = {};
    ::GetWindowRect(window.Window(), &bounds);
    ::GetClientRect(window.Window(), &client);
    EXPECT_EQ(bounds.right - bounds.left, 400);
    EXPECT_EQ(bounds.bottom - bounds.top, 300);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(CSkinWindowTest, AnEmptySkinFolderBecomesTheAppFolderPlusTheSkinSubfolder)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(CWindowContextUI::SkinFolder(), CWindowContextUI::AppFolder() + L"skin\\");
}

TEST_F(CSkinWindowTest, AGivenSkinFolderIsKeptAndItsMarkupFileIsRead)
{
    TestEnv::CScratchFolder folder(L"skinwnd_folder");
    TestEnv::WriteFileBytes(folder.File(L"Main.xml"),
                            "<Window size=\"250,150\"><Control name=\"fromfile\" /></Window>");
    CWindowContextUI::SetSkinFolder(folder.Path());
    CSkinWindow window(L"Main.xml");
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(CWindowContextUI::SkinFolder(), folder.Path());
    ASSERT_NE(window.Context().Root(), nullptr);
    EXPECT_EQ(window.Context().Root()->controlName(), L"fromfile");
    EXPECT_EQ(window.Context().StartSize().cx, 250);
}

TEST_F(CSkinWindowTest, AZipFileSourceReadsTheMarkupFromTheArchiveInTheSkinFolder)
{
    CWindowContextUI::SetSkinFolder(TestEnv::FromUnixPath(ORVANE_BINARY_DIR "/tools/skinhost/"));
    CSkinWindow window(L"Host.xml", ESkinSourceKind::ZipFile, L"hostskin.zip");
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(CWindowContextUI::SkinZipName(), L"hostskin.zip");
    ASSERT_NE(window.Context().Root(), nullptr);
    EXPECT_EQ(window.Context().Root()->controlName(), L"hostroot");
    EXPECT_EQ(window.Context().CaptionArea().bottom, 40);
}

TEST_F(CSkinWindowTest, EscapeReachesDefaultKeyPressedWhichClosesNothingByItself)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.Post(WM_KEYDOWN, VK_ESCAPE, 1);
    window.Post(WM_KEYDOWN, VK_RETURN, 1);
    window.Post(WM_KEYDOWN, 'A', 1);
    PumpMessages();
    EXPECT_EQ(window.keys, (std::vector<WPARAM>{VK_ESCAPE, VK_RETURN}));
    EXPECT_TRUE(::IsWindow(window.Window()));
    bool handled = false;
    EXPECT_EQ(window.MessageFilter(WM_KEYDOWN, VK_ESCAPE, 0, handled), TRUE);
    EXPECT_EQ(window.MessageFilter(WM_KEYDOWN, VK_RETURN, 0, handled), FALSE);
    EXPECT_FALSE(handled);
}

TEST_F(CSkinWindowTest, AClickOnCloseBtnPostsCloseWithCodeOne)
{
    CSkinWindow window(L"<Window size=\"200,100\"><Button name=\"closebtn\" /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    CControlUI* close = window.Context().ControlByName(L"closebtn");
    ASSERT_NE(close, nullptr);
    window.Context().SendNotice(close, L"click");
    EXPECT_EQ(window.RunModal(), 1u);
    EXPECT_FALSE(::IsWindow(window.Window()));
}

TEST_F(CSkinWindowTest, ClicksOnMinbtnMaxbtnAndRestorebtnRunTheirSystemCommands)
{
    CSkinWindow window(L"<Window size=\"200,100\"><Button name=\"maxbtn\" /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    CControlUI* button = window.Context().Root();
    window.Context().SendNotice(button, L"click");
    EXPECT_TRUE(::IsZoomed(window.Window()));
    button->assignName(L"restorebtn");
    window.Context().SendNotice(button, L"click");
    EXPECT_FALSE(::IsZoomed(window.Window()));
    button->assignName(L"minbtn");
    window.Context().SendNotice(button, L"click");
    EXPECT_TRUE(::IsIconic(window.Window()));
    button->assignName(L"other");
    window.Context().SendNotice(button, L"click");
    EXPECT_TRUE(::IsIconic(window.Window()));
}

TEST_F(CSkinWindowTest, TheCloseSystemCommandSendsTheCloseMessage)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(window.Send(WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_FALSE(::IsWindow(window.Window()));
}

TEST_F(CSkinWindowTest, NonClientActivationAnswersTrueOnlyWhenDeactivating)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    bool handled = true;
    EXPECT_EQ(window.MsgNcActivate(WM_NCACTIVATE, FALSE, 0, handled), TRUE);
    EXPECT_TRUE(handled);
    EXPECT_EQ(window.MsgNcActivate(WM_NCACTIVATE, TRUE, 0, handled), FALSE);
    EXPECT_EQ(window.Send(WM_NCPAINT, 1, 0), 0);
}

TEST_F(CSkinWindowTest, MinMaxInfoGivesTheWorkAreaAndTheSkinsMinimumTrackingSize)
{
    CSkinWindow window(L"<Window size=\"400,300\" mininfo=\"220,140\"><Control /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    MINMAXINFO info = {};
    window.Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window.Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(info.ptMaxPosition.x, monitor.rcWork.left - monitor.rcMonitor.left);
    EXPECT_EQ(info.ptMaxPosition.y, monitor.rcWork.top - monitor.rcMonitor.top);
    EXPECT_EQ(info.ptMaxTrackSize.x, monitor.rcWork.right - monitor.rcWork.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, monitor.rcWork.bottom - monitor.rcWork.top);
    EXPECT_EQ(info.ptMinTrackSize.x, 220);
    EXPECT_EQ(info.ptMinTrackSize.y, 140);
}

TEST_F(CSkinWindowTest, AMaximisedWindowCoversExactlyTheWorkArea)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    window.Send(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(::IsZoomed(window.Window()));
    RECT work = WorkAreaOf(window.Window());
    RECT client = {};
    ::GetClientRect(window.Window(), &client);
    EXPECT_EQ(client.right, work.right - work.left);
    EXPECT_EQ(client.bottom, work.bottom - work.top);
}

TEST_F(CSkinWindowTest, RoundCornersCutTheWindowRegion)
{
    CSkinWindow window(L"<Window size=\"400,300\" roundcorner=\"12,12\"><Control /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    CRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window.Window(), region.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(::PtInRegion(region.Get(), 399, 299));
    EXPECT_TRUE(::PtInRegion(region.Get(), 6, 6));
    EXPECT_TRUE(::PtInRegion(region.Get(), 200, 150));
    EXPECT_TRUE(::PtInRegion(region.Get(), 200, 0));
    EXPECT_TRUE(::PtInRegion(region.Get(), 399, 150));
}

TEST_F(CSkinWindowTest, WithoutRoundCornersTheWindowHasNoRegion)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    CRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(window.Window(), region.Get()), ERROR);
}

TEST_F(CSkinWindowTest, UnknownElementsAreOfferedToTheWindowWhichKnowsNone)
{
    CSkinWindow window(L"<Window><Gauge /><Control name=\"body\" /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(window.asked, (std::vector<std::wstring>{L"Gauge"}));
    EXPECT_EQ(window.Context().Root()->controlName(), L"body");
}

TEST_F(CSkinWindowTest, DestroyingTheWindowLetsTheContextForgetTheRoot)
{
    CSkinWindow window(L"<Window><Control name=\"body\" /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    CControlUI* root = window.Context().Root();
    window.Context().FocusControl(root);
    ::DestroyWindow(window.Window());
    EXPECT_EQ(window.Window(), nullptr);
    EXPECT_EQ(window.Context().ControlByName(L"body"), nullptr);
    EXPECT_EQ(window.Context().FocusedControl(), nullptr);
}

namespace {

constexpr UINT kOwnMessage = WM_APP + 7;

// Takes one message of its own in MsgOther and, on request, the erase message too.
class CRoutingWindow : public CSkinWindow {
public:
    using CSkinWindow::CSkinWindow;
    LRESULT MsgOther(UINT message, WPARAM, LPARAM, bool& handled) override
    {
        handled = message == kOwnMessage || (message == WM_ERASEBKGND && takeErase);
        return message == kOwnMessage ? 77 : 5;
    }
    LRESULT MsgSetFocus(UINT, WPARAM, LPARAM, bool& handled) override
    {
        ++focusHandled;
        handled = true;
        return 0;
    }
    bool takeErase = false;
    int focusHandled = 0;
};

} // namespace

TEST_F(CSkinWindowTest, RouteMessageAsksTheHandlerThenMsgOtherThenTheContextThenThePreviousProcedure)
{
    CRoutingWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    // MsgOther first for messages without a handler of their own.
    EXPECT_EQ(window.Send(kOwnMessage), 77);
    // The context handles the erase message when MsgOther leaves it.
    EXPECT_EQ(window.Send(WM_ERASEBKGND, 0, 0), 1);
    window.takeErase = true;
    EXPECT_EQ(window.Send(WM_ERASEBKGND, 0, 0), 5);
    // Nobody in the framework keeps the window text: the platform does.
    ::SetWindowTextW(window.Window(), L"routed");
    wchar_t text[16] = {};
    ::GetWindowTextW(window.Window(), text, 16);
    EXPECT_STREQ(text, L"routed");
    // A handler that keeps the message handled ends the routing.
    window.Send(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(window.focusHandled, 1);
}

TEST_F(CSkinWindowTest, AnimateShowHidesAndShowsTheWindow)
{
    CSkinWindow window(kPlainSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    window.AnimateShow(10, AW_HIDE | AW_BLEND);
    EXPECT_FALSE(::IsWindowVisible(window.Window()));
    EXPECT_FALSE(window.Context().Shadow().IsWanted());
    window.AnimateShow(10, AW_ACTIVATE | AW_BLEND);
    EXPECT_TRUE(::IsWindowVisible(window.Window()));
}
