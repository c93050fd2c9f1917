// The drop shadow: its real layered window around a real owner, image mode
// with the skin's corners, following moves, hiding on minimise and maximise,
// the computed mode's pixels, and the setters' ranges.
#include "tests/ui/core/host/ContextTestKit.h"
#include "tests/ui/core/gfx/RenderTestSupport.h"

#include "tests/support/TestEnvironment.h"
#include "ui/core/gfx/ShadowShape.h"
#include "ui/core/host/ShadowUI.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

using namespace ContextTest;
using namespace SkinUI;

namespace {

RECT WindowRect(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

class ShadowWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A 60 x 80 nine-grid shadow image, darker towards the owner.
        RenderTest::TArgbImage image(60, 80, 0x20000000);
        image.FillRect(10, 8, 50, 60, 0x80000000);
        TestEnv::WriteFileBytes(skin.File(L"shadow.png"), RenderTest::EncodePng(image));
        CSkinSource::Reset();
        CWindowContextUI::SetSkinFolder(skin.Path());
        owner = std::make_unique<CTestWindow>(480, 323, WS_POPUP | WS_VISIBLE, nullptr, 200, 150);
    }
    void TearDown() override
    {
        owner.reset();
        CSkinSource::Reset();
    }
    CShadowUI& Shadow() { return owner->Context().Shadow(); }
    // Configures the skin's image shadow and runs the first paint.
    void AttachImageShadow()
    {
        EXPECT_TRUE(Shadow().UseImage(L"shadow.png"));
        EXPECT_TRUE(Shadow().SetCorner(23, 13, 23, 33));
        Shadow().Show(true);
        FirstPaint();
    }
    void FirstPaint()
    {
        owner->Context().AdoptRoot(new CProbeBox("root", &log, RECT{}));
        ::UpdateWindow(owner->Handle());
        PumpMessages();
    }

    TestEnv::CScratchFolder skin{L"shadow-skin"};
    EventLog log;
    std::unique_ptr<CTestWindow> owner;
};

} // namespace

TEST_F(ShadowWindow, WithoutShowShadowNoShadowWindowIsMade)
{
    Shadow().UseImage(L"shadow.png");
    FirstPaint();
    EXPECT_EQ(nullptr, Shadow().ShadowWindow());
    EXPECT_EQ(nullptr, CShadowUI::ForOwner(owner->Handle()));
}

TEST_F(ShadowWindow, TheSkinsImageShadowSurroundsTheOwnerByItsCorners)
{
    AttachImageShadow();
    HWND shadow = Shadow().ShadowWindow();
    ASSERT_NE(nullptr, shadow);
    const RECT rect = WindowRect(shadow);
    EXPECT_EQ(526, rect.right - rect.left);
    EXPECT_EQ(369, rect.bottom - rect.top);
    EXPECT_EQ(200 - 23, rect.left);
    EXPECT_EQ(150 - 13, rect.top);
    EXPECT_TRUE(::IsWindowVisible(shadow));
    EXPECT_EQ(UINT(CShadowUI::STATUS_ENABLED | CShadowUI::STATUS_SHOWN | CShadowUI::STATUS_OWNER_SHOWN),
              Shadow().Status());
}

TEST_F(ShadowWindow, TheShadowWindowIsAClickThroughLayeredPopupOwnedByTheOwner)
{
    AttachImageShadow();
    HWND shadow = Shadow().ShadowWindow();
    ASSERT_NE(nullptr, shadow);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(shadow, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TRANSPARENT);
    EXPECT_TRUE(::GetWindowLongPtrW(shadow, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(owner->Handle(), ::GetWindow(shadow, GW_OWNER));
    wchar_t className[64] = {};
    ::GetClassNameW(shadow, className, 64);
    EXPECT_STREQ(L"TovinShadowWnd", className);
    EXPECT_EQ(&Shadow(), CShadowUI::ForOwner(owner->Handle()));
}

TEST_F(ShadowWindow, TheShadowFollowsTheOwnersMoves)
{
    AttachImageShadow();
    ::SetWindowPos(owner->Handle(), nullptr, 300, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT rect = WindowRect(Shadow().ShadowWindow());
    EXPECT_EQ(300 - 23, rect.left);
    EXPECT_EQ(260 - 13, rect.top);
    EXPECT_EQ(526, rect.right - rect.left);
}

TEST_F(ShadowWindow, MaximisingHidesTheShadowAndRestoringShowsAndRepaintsIt)
{
    AttachImageShadow();
    HWND shadow = Shadow().ShadowWindow();
    ::ShowWindow(owner->Handle(), SW_MAXIMIZE);
    PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(shadow));
    EXPECT_FALSE(Shadow().Status() & CShadowUI::STATUS_SHOWN);

    ::ShowWindow(owner->Handle(), SW_RESTORE);
    ::UpdateWindow(owner->Handle());
    PumpMessages();
    EXPECT_TRUE(::IsWindowVisible(shadow));
    EXPECT_TRUE(Shadow().Status() & CShadowUI::STATUS_SHOWN);
    const RECT ownerRect = WindowRect(owner->Handle());
    const RECT rect = WindowRect(shadow);
    EXPECT_EQ(ownerRect.right - ownerRect.left + 46, rect.right - rect.left);
    EXPECT_EQ(ownerRect.bottom - ownerRect.top + 46, rect.bottom - rect.top);
    EXPECT_EQ(ownerRect.left - 23, rect.left);
}

TEST_F(ShadowWindow, MinimisingHidesTheShadow)
{
    AttachImageShadow();
    ::ShowWindow(owner->Handle(), SW_MINIMIZE);
    PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(Shadow().ShadowWindow()));
    ::ShowWindow(owner->Handle(), SW_RESTORE);
    PumpMessages();
    EXPECT_TRUE(::IsWindowVisible(Shadow().ShadowWindow()));
}

TEST_F(ShadowWindow, HidingTheOwnerHidesTheShadowAndShowingItShowsTheShadow)
{
    AttachImageShadow();
    ::ShowWindow(owner->Handle(), SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(Shadow().ShadowWindow()));
    EXPECT_EQ(UINT(CShadowUI::STATUS_ENABLED), Shadow().Status());
    ::ShowWindow(owner->Handle(), SW_SHOWNA);
    ::UpdateWindow(owner->Handle());
    EXPECT_TRUE(::IsWindowVisible(Shadow().ShadowWindow()));
}

TEST_F(ShadowWindow, ASmallerOwnerRepaintsAtOnceAndALargerOneOnItsPaint)
{
    AttachImageShadow();
    ::SetWindowPos(owner->Handle(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rect = WindowRect(Shadow().ShadowWindow());
    EXPECT_EQ(446, rect.right - rect.left);
    ::SetWindowPos(owner->Handle(), nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::UpdateWindow(owner->Handle());
    PumpMessages();
    rect = WindowRect(Shadow().ShadowWindow());
    EXPECT_EQ(546, rect.right - rect.left);
    EXPECT_EQ(396, rect.bottom - rect.top);
}

TEST_F(ShadowWindow, AMissingImageLeavesTheShadowWindowAlone)
{
    Shadow().UseImage(L"missing.png");
    Shadow().Show(true);
    FirstPaint();
    HWND shadow = Shadow().ShadowWindow();
    ASSERT_NE(nullptr, shadow);
    const RECT rect = WindowRect(shadow);
    EXPECT_EQ(0, rect.right - rect.left);
}

TEST_F(ShadowWindow, TheComputedShadowIsLargerByItsSpreadAndSitsAtItsOffset)
{
    ASSERT_TRUE(Shadow().SetSpread(10));
    ASSERT_TRUE(Shadow().SetOffset(4, 6));
    Shadow().Show(true);
    FirstPaint();
    ASSERT_FALSE(Shadow().ImageMode());
    const RECT rect = WindowRect(Shadow().ShadowWindow());
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(343, rect.bottom - rect.top);
    EXPECT_EQ(200 + 4 - 10, rect.left);
    EXPECT_EQ(150 + 6 - 10, rect.top);
}

TEST_F(ShadowWindow, DestroyingTheOwnerDestroysTheShadowWindow)
{
    CTestWindow second(120, 80, WS_POPUP | WS_VISIBLE, nullptr, 40, 40);
    second.Context().Shadow().SetSpread(5);
    second.Context().Shadow().Show(true);
    second.Context().AdoptRoot(new CProbeBox("root", &log, RECT{}));
    ::UpdateWindow(second.Handle());
    HWND shadow = second.Context().Shadow().ShadowWindow();
    ASSERT_TRUE(::IsWindow(shadow));
    HWND handle = second.Handle();
    ::DestroyWindow(handle);
    EXPECT_FALSE(::IsWindow(shadow));
    EXPECT_EQ(nullptr, CShadowUI::ForOwner(handle));
}

TEST_F(ShadowWindow, ADestroyedShadowGivesTheOwnerItsProcedureBack)
{
    const LONG_PTR before = ::GetWindowLongPtrW(owner->Handle(), GWLP_WNDPROC);
    {
        CShadowUI shadow;
        shadow.SetSpread(3);
        shadow.Show(true);
        shadow.AttachToWindow(owner->Handle(), &owner->Context());
        ASSERT_NE(nullptr, shadow.ShadowWindow());
        EXPECT_NE(before, ::GetWindowLongPtrW(owner->Handle(), GWLP_WNDPROC));
        shadow.AttachToWindow(owner->Handle(), &owner->Context()); // a second attach changes nothing
    }
    EXPECT_EQ(before, ::GetWindowLongPtrW(owner->Handle(), GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CShadowUI::ForOwner(owner->Handle()));
    EXPECT_EQ(1, owner->Send(WM_ERASEBKGND)) << "the owner still reaches its context";
}

TEST(ShadowSettings, OutOfRangeValuesAreRefused)
{
    CShadowUI shadow;
    EXPECT_FALSE(shadow.SetSpread(21));
    EXPECT_FALSE(shadow.SetSpread(-21));
    EXPECT_TRUE(shadow.SetSpread(-20));
    EXPECT_EQ(-20, shadow.Spread());
    EXPECT_FALSE(shadow.SetOffset(0, -21));
    EXPECT_FALSE(shadow.SetOffset(21, 0));
    EXPECT_EQ(0, shadow.Offset().y);
    EXPECT_TRUE(shadow.SetOffset(20, -20));
    EXPECT_TRUE(shadow.SetEdgeSoftness(20));
    EXPECT_FALSE(shadow.SetEdgeSoftness(21));
    EXPECT_FALSE(shadow.SetEdgeSoftness(-1));
    EXPECT_EQ(20, shadow.EdgeSoftness());
    EXPECT_FALSE(shadow.SetOpacityLevel(256));
    EXPECT_TRUE(shadow.SetOpacityLevel(0));
    EXPECT_FALSE(shadow.SetCorner(0, -1, 0, 0));
    EXPECT_TRUE(shadow.SetCorner(23, 13, 23, 33));
    EXPECT_EQ(33, shadow.Corner().bottom);
}

TEST(ShadowSettings, DefaultsAndImageMode)
{
    CShadowUI shadow;
    EXPECT_FALSE(shadow.IsWanted());
    EXPECT_EQ(150, shadow.OpacityLevel());
    EXPECT_EQ(5, shadow.EdgeSoftness());
    EXPECT_EQ(0, shadow.Spread());
    EXPECT_EQ(0u, shadow.Colour());
    EXPECT_FALSE(shadow.ImageMode());
    shadow.UseImage(L"shadow.png");
    EXPECT_TRUE(shadow.ImageMode());
    shadow.UseImage(L"");
    EXPECT_FALSE(shadow.ImageMode());
    EXPECT_TRUE(shadow.SetColour(0x123456));
    EXPECT_EQ(0x123456u, shadow.Colour());
    shadow.Show(true); // no window yet: only remembered
    EXPECT_TRUE(shadow.IsWanted());
    EXPECT_EQ(nullptr, shadow.ShadowWindow());
}

// ---------------------------------------------------------------------------
// Computed mode pixels
// ---------------------------------------------------------------------------

namespace {

BYTE AlphaAt(const std::vector<DWORD>& pixels, int width, int x, int y) { return BYTE(pixels[size_t(y) * width + x] >> 24); }

std::vector<TRowSpan> FullRows(int width, int height) { return std::vector<TRowSpan>(height, TRowSpan{0, width}); }

} // namespace

TEST(ShadowShape, TheShadowIsLargerByTheSpreadOnEverySide)
{
    TShadowShapeParams params;
    params.size = 6;
    params.sharpness = 4;
    const auto pixels = ComputeShadowPixels(40, 30, FullRows(40, 30), params);
    EXPECT_EQ(size_t(52 * 42), pixels.size());
}

TEST(ShadowShape, EdgesFadeOutwardsAndTheOwnersAreaStaysClear)
{
    TShadowShapeParams params;
    params.size = 8;
    params.sharpness = 4;
    params.darkness = 200;
    params.offsetX = 3;
    params.offsetY = 3;
    const int width = 40 + 16;
    const auto pixels = ComputeShadowPixels(40, 30, FullRows(40, 30), params);
    ASSERT_FALSE(pixels.empty());
    // The owner sits at (size - offset) inside the bitmap and covers its own area.
    EXPECT_EQ(0, AlphaAt(pixels, width, 5 + 20, 5 + 15));
    // The band outside the owner on the right/bottom is solid shadow near the owner ...
    EXPECT_EQ(200, AlphaAt(pixels, width, 8 + 40 - 1, 8 + 15));
    // ... and fades towards the bitmap's edge.
    const BYTE nearEdge = AlphaAt(pixels, width, width - 2, 8 + 15);
    EXPECT_LT(nearEdge, 200);
    EXPECT_EQ(0, AlphaAt(pixels, width, 0, 0));
    // Pixels are premultiplied black.
    EXPECT_EQ(0u, pixels[size_t(8 + 15) * width + 8 + 40 - 1] & 0x00FFFFFFu);
}

TEST(ShadowShape, ColourIsPremultipliedByAlpha)
{
    TShadowShapeParams params;
    params.size = 4;
    params.sharpness = 0;
    params.darkness = 128;
    params.rgb = 0xFF0000;
    params.offsetX = 4;
    const auto pixels = ComputeShadowPixels(10, 10, FullRows(10, 10), params);
    const int width = 18;
    const DWORD pixel = pixels[size_t(9) * width + 12]; // right of the owner's area, inside the shadow
    EXPECT_EQ(128u, pixel >> 24);
    EXPECT_EQ(128u, (pixel >> 16) & 0xFF);
    EXPECT_EQ(0u, pixel & 0xFFFF);
}

TEST(ShadowShape, SharpnessBeyondTheSpreadShrinksTheSolidShape)
{
    TShadowShapeParams params;
    params.size = 0;
    params.sharpness = 5;
    params.darkness = 255;
    params.offsetX = 20; // the owner's own area moves up and left, out of the way
    params.offsetY = 20;
    const auto pixels = ComputeShadowPixels(30, 30, FullRows(30, 30), params);
    EXPECT_LT(AlphaAt(pixels, 30, 0, 15), 128);
    EXPECT_LT(AlphaAt(pixels, 30, 29, 20), 128);
    EXPECT_EQ(255, AlphaAt(pixels, 30, 20, 20));
}

TEST(ShadowShape, ANonPositiveSizeGivesNothing)
{
    TShadowShapeParams params;
    params.size = -20;
    EXPECT_TRUE(ComputeShadowPixels(30, 30, FullRows(30, 30), params).empty());
    params.size = 0;
    EXPECT_TRUE(ComputeShadowPixels(0, 30, FullRows(0, 30), params).empty());
}

TEST(ShadowShape, AWindowRegionGivesTheRowsItsShape)
{
    CRegion region(::CreateEllipticRgn(0, 0, 40, 40));
    const auto rows = RegionRowSpans(region.Get(), 40, 40);
    ASSERT_EQ(40u, rows.size());
    EXPECT_GT(rows[0].start, 5);
    EXPECT_LE(rows[20].start, 1);
    EXPECT_GE(rows[20].end, 39);
    const auto plain = RegionRowSpans(nullptr, 40, 10);
    EXPECT_EQ(0, plain[3].start);
    EXPECT_EQ(40, plain[3].end);
}
