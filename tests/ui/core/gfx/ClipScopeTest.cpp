// Clip scopes narrow the clipping for one painting step and put it back.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/RenderKit.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr DWORD kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

void FillAll(CSurface& surface, DWORD argb)
{
    CRenderKit::FillArgb(surface.Dc(), {0, 0, surface.Width(), surface.Height()}, argb);
}

} // namespace

TEST(ClipScope, DrawingStaysInsideTheRectangleUntilTheScopeEnds)
{
    CSurface surface(20, 20, kBlack);
    {
        CClipScope scope;
        ASSERT_TRUE(CRenderKit::ClipToRect(surface.Dc(), {5, 5, 10, 10}, scope));
        FillAll(surface, kWhite);
        EXPECT_EQ(0, surface.CountDifferent({5, 5, 10, 10}, kWhite));
        EXPECT_EQ(25, surface.CountDifferent({0, 0, 20, 20}, kBlack));
    }
    FillAll(surface, 0xFF00FF00);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, 0xFF00FF00));
}

TEST(ClipScope, SwitchesBetweenTheSavedAndTheNarrowedClipping)
{
    CSurface surface(20, 20, kBlack);
    CClipScope scope;
    ASSERT_TRUE(CRenderKit::ClipToRect(surface.Dc(), {0, 0, 4, 4}, scope));
    CRenderKit::UseSavedClip(surface.Dc(), scope);
    FillAll(surface, kWhite);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kWhite));
    CRenderKit::UseScopeClip(surface.Dc(), scope);
    FillAll(surface, kBlack);
    EXPECT_EQ(16, surface.CountDifferent({0, 0, 20, 20}, kWhite));
    scope.End();
    EXPECT_FALSE(scope.Active());
}

TEST(ClipScope, NarrowsWithinAnExistingClipAndRestoresIt)
{
    CSurface surface(20, 20, kBlack);
    CRegion outer(CreateRectRgn(0, 0, 10, 20));
    SelectClipRgn(surface.Dc(), outer.Get());
    {
        CClipScope scope;
        ASSERT_TRUE(CRenderKit::ClipToRect(surface.Dc(), {5, 0, 15, 5}, scope));
        FillAll(surface, kWhite);
        EXPECT_EQ(0, surface.CountDifferent({5, 0, 10, 5}, kWhite));
        EXPECT_EQ(0, surface.CountDifferent({10, 0, 20, 20}, kBlack)); // outside the outer clip
    }
    FillAll(surface, 0xFF0000FF);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 10, 20}, 0xFF0000FF));
    EXPECT_EQ(0, surface.CountDifferent({10, 0, 20, 20}, kBlack)); // the outer clip is back
    SelectClipRgn(surface.Dc(), nullptr);
}

TEST(ClipScope, RoundedRectangleCutsTheCorners)
{
    CSurface surface(40, 40, kBlack);
    {
        CClipScope scope;
        ASSERT_TRUE(CRenderKit::ClipToRoundRect(surface.Dc(), {0, 0, 40, 40}, {0, 0, 39, 39}, 16, 16, scope));
        FillAll(surface, kWhite);
    }
    EXPECT_EQ(kBlack, surface.Pixel(0, 0) | 0xFF000000);
    EXPECT_EQ(kBlack, surface.Pixel(39, 39) | 0xFF000000);
    EXPECT_EQ(kWhite, surface.Pixel(20, 20) | 0xFF000000);
    EXPECT_EQ(kWhite, surface.Pixel(20, 0) | 0xFF000000);
    EXPECT_EQ(kWhite, surface.Pixel(38, 20) | 0xFF000000); // the region reaches the rounded rectangle's right
}

TEST(ClipScope, BeginningAgainEndsThePreviousStepFirst)
{
    CSurface surface(20, 20, kBlack);
    CClipScope scope;
    ASSERT_TRUE(scope.Begin(surface.Dc(), {0, 0, 5, 5}));
    ASSERT_TRUE(scope.Begin(surface.Dc(), {10, 10, 20, 20}));
    FillAll(surface, kWhite);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 5, 5}, kBlack));
    EXPECT_EQ(0, surface.CountDifferent({10, 10, 20, 20}, kWhite));
    scope.End();
    scope.End(); // harmless
    FillAll(surface, kWhite);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kWhite));
}

TEST(ClipScope, NoDcFails)
{
    CClipScope scope;
    EXPECT_FALSE(CRenderKit::ClipToRect(nullptr, {0, 0, 5, 5}, scope));
    EXPECT_FALSE(scope.Active());
}
