// Where a skinned window can be dragged and sized, and how maximising
// swaps "maxbtn" and "restorebtn": the hit-test rule itself, then real
// windows laid out from a skin and asked by real messages.
#include "tests/ui/core/build/SkinWindowFixture.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace WindowTest;

namespace {

const RECT kClient = {0, 0, 400, 300};
const RECT kBorder = {4, 4, 4, 4};
const RECT kNoBorder = {0, 0, 0, 0};
const RECT kCaption = {0, 0, 0, 100};

LRESULT Hit(int x, int y, const RECT& border = kBorder, bool maximised = false, const wchar_t* type = L"LabelUI")
{
    return SkinHitTest(POINT{x, y}, kClient, border, kCaption, maximised, type);
}

} // namespace

TEST(SkinHitTest, SizingBordersLieInsideTheClientEdges)
{
    EXPECT_EQ(Hit(0, 0), HTTOPLEFT);
    EXPECT_EQ(Hit(200, 3), HTTOP);
    EXPECT_EQ(Hit(399, 0), HTTOPRIGHT);
    EXPECT_EQ(Hit(0, 150), HTLEFT);
    EXPECT_EQ(Hit(399, 150), HTRIGHT);
    EXPECT_EQ(Hit(0, 299), HTBOTTOMLEFT);
    EXPECT_EQ(Hit(200, 299), HTBOTTOM);
    EXPECT_EQ(Hit(399, 299), HTBOTTOMRIGHT);
}

TEST(SkinHitTest, TheBorderEndsWhereItsWidthEnds)
{
    EXPECT_EQ(Hit(3, 150), HTLEFT);
    EXPECT_EQ(Hit(4, 150, kBorder, false, nullptr), HTCLIENT);
    EXPECT_EQ(Hit(200, 4), HTCAPTION);
    EXPECT_EQ(Hit(397, 150, kBorder, false, nullptr), HTRIGHT);
    EXPECT_EQ(Hit(396, 150, kBorder, false, nullptr), HTCLIENT);
}

TEST(SkinHitTest, WithoutSizeboxThereIsNoSizingBorder)
{
    EXPECT_EQ(Hit(0, 0, kNoBorder), HTCAPTION);
    EXPECT_EQ(Hit(0, 150, kNoBorder), HTCLIENT);
    EXPECT_EQ(Hit(399, 299, kNoBorder), HTCLIENT);
}

TEST(SkinHitTest, AMaximisedWindowHasNoSizingBorder)
{
    EXPECT_EQ(Hit(0, 0, kBorder, true), HTCAPTION);
    EXPECT_EQ(Hit(0, 150, kBorder, true), HTCLIENT);
    EXPECT_EQ(Hit(399, 299, kBorder, true), HTCLIENT);
}

TEST(SkinHitTest, TheCaptionDragsExceptOverButtonsOptionsTextsAndWebViews)
{
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, L"LabelUI"), HTCAPTION);
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, L"HorizontalLayoutUI"), HTCAPTION);
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, L"ButtonUI"), HTCLIENT);
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, L"OptionUI"), HTCLIENT);
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, L"TextUI"), HTCLIENT);
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, L"WebViewWindowlessUI"), HTCLIENT);
    EXPECT_EQ(Hit(100, 50, kNoBorder, false, nullptr), HTCLIENT);
}

TEST(SkinHitTest, TheCaptionEndsAtItsBottomAndItsRightDistance)
{
    EXPECT_EQ(Hit(100, 99, kNoBorder), HTCAPTION);
    EXPECT_EQ(Hit(100, 100, kNoBorder), HTCLIENT);
    RECT inset = {10, 5, 20, 100};
    EXPECT_EQ(SkinHitTest(POINT{9, 50}, kClient, kNoBorder, inset, false, L"LabelUI"), HTCLIENT);
    EXPECT_EQ(SkinHitTest(POINT{10, 50}, kClient, kNoBorder, inset, false, L"LabelUI"), HTCAPTION);
    EXPECT_EQ(SkinHitTest(POINT{379, 50}, kClient, kNoBorder, inset, false, L"LabelUI"), HTCAPTION);
    EXPECT_EQ(SkinHitTest(POINT{380, 50}, kClient, kNoBorder, inset, false, L"LabelUI"), HTCLIENT);
    EXPECT_EQ(SkinHitTest(POINT{100, 4}, kClient, kNoBorder, inset, false, L"LabelUI"), HTCLIENT);
}

namespace {

constexpr wchar_t kCaptionSkin[] =
    L"<Window size=\"400,300\" caption=\"0,0,0,100\" sizebox=\"4,4,4,4\">"
    L"<VerticalLayout><HorizontalLayout height=\"150\"><Label name=\"title\" width=\"200\" />"
    L"<Button name=\"press\" /></HorizontalLayout><Control name=\"rest\" /></VerticalLayout></Window>";

LRESULT HitAt(CSkinWindow& window, int x, int y)
{
    return window.Send(WM_NCHITTEST, 0, ScreenPoint(window.Window(), x, y));
}

} // namespace

TEST_F(CSkinWindowTest, APressOnALabelInTheCaptionDragsTheWindowAndOneOnAButtonDoesNot)
{
    CSkinWindow window(kCaptionSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    EXPECT_EQ(HitAt(window, 100, 50), HTCAPTION);
    EXPECT_EQ(HitAt(window, 100, 99), HTCAPTION);
    EXPECT_EQ(HitAt(window, 300, 50), HTCLIENT);
    EXPECT_EQ(HitAt(window, 100, 100), HTCLIENT);
    EXPECT_EQ(HitAt(window, 100, 200), HTCLIENT);
}

TEST_F(CSkinWindowTest, TheSkinsSizeboxGivesSizingBordersOnTheRealWindow)
{
    CSkinWindow window(kCaptionSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    EXPECT_EQ(HitAt(window, 1, 1), HTTOPLEFT);
    EXPECT_EQ(HitAt(window, 200, 2), HTTOP);
    EXPECT_EQ(HitAt(window, 398, 1), HTTOPRIGHT);
    EXPECT_EQ(HitAt(window, 2, 150), HTLEFT);
    EXPECT_EQ(HitAt(window, 398, 150), HTRIGHT);
    EXPECT_EQ(HitAt(window, 1, 298), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(window, 200, 298), HTBOTTOM);
    EXPECT_EQ(HitAt(window, 398, 298), HTBOTTOMRIGHT);
}

TEST_F(CSkinWindowTest, AMaximisedWindowReportsNoSizingBorders)
{
    CSkinWindow window(kCaptionSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    window.Send(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    PumpMessages();
    ASSERT_TRUE(::IsZoomed(window.Window()));
    EXPECT_EQ(HitAt(window, 1, 1), HTCAPTION);
    EXPECT_EQ(HitAt(window, 1, 150), HTCLIENT);
}

TEST_F(CSkinWindowTest, AWebViewInTheCaptionTakesItsOwnClicks)
{
    CSkinWindow window(L"<Window size=\"400,300\" caption=\"0,0,0,100\"><FakeWebView /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    EXPECT_EQ(HitAt(window, 100, 50), HTCLIENT);
}

namespace {

constexpr wchar_t kButtonsSkin[] =
    L"<Window size=\"400,300\"><HorizontalLayout><Button name=\"maxbtn\" width=\"30\" />"
    L"<Button name=\"restorebtn\" width=\"30\" visible=\"false\" /></HorizontalLayout></Window>";

bool Shown(CSkinWindow& window, const wchar_t* name)
{
    return window.Context().ControlByName(name)->isShown();
}

} // namespace

TEST_F(CSkinWindowTest, MaximisingHidesMaxbtnAndShowsRestorebtnAndRestoringSwapsBack)
{
    CSkinWindow window(kButtonsSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    window.Send(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(Shown(window, L"maxbtn"));
    EXPECT_TRUE(Shown(window, L"restorebtn"));
    window.Send(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(Shown(window, L"maxbtn"));
    EXPECT_FALSE(Shown(window, L"restorebtn"));
}

TEST_F(CSkinWindowTest, MinimisingAndRestoringANormalWindowLeavesTheButtonsAlone)
{
    CSkinWindow window(kButtonsSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    window.Context().ControlByName(L"restorebtn")->assignShown(true);
    window.Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(window.Window()));
    window.Send(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(window.Window()));
    // Neither command changed the maximised state, so both stay as they were.
    EXPECT_TRUE(Shown(window, L"maxbtn"));
    EXPECT_TRUE(Shown(window, L"restorebtn"));
}

TEST_F(CSkinWindowTest, WithOnlyOneOfTheTwoButtonsNothingIsSwapped)
{
    CSkinWindow window(L"<Window size=\"400,300\"><Button name=\"maxbtn\" /></Window>");
    ASSERT_NE(window.Open(), nullptr);
    window.ShowAndPaint();
    window.Send(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(::IsZoomed(window.Window()));
    EXPECT_TRUE(Shown(window, L"maxbtn"));
}
