// Solid fills at every alpha, two-tone gradients with and without the
// platform's GradientFill, and lines and frames.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/BlendFunctions.h"
#include "ui/core/gfx/RenderKit.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace RenderTest;

namespace {

// Runs a body with the platform's gradient function hidden, so the band fallback draws.
template <typename Body>
void WithoutGradientFill(Body&& body)
{
    TBlendFunctions replaced = BlendFunctions();
    replaced.gradientFill = nullptr;
    const TBlendFunctions previous = ReplaceBlendFunctions(replaced);
    body();
    ReplaceBlendFunctions(previous);
}

} // namespace

TEST(FillArgb, AlphaZeroDrawsNothing)
{
    CSurface surface(10, 10, 0xFF123456);
    CRenderKit::FillArgb(surface.Dc(), {0, 0, 10, 10}, 0x00FFFFFF);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 10, 10}, 0xFF123456, false));
}

TEST(FillArgb, OpaqueColourFillsExactlyTheRectangle)
{
    CSurface surface(10, 10, 0xFF000000);
    CRenderKit::FillArgb(surface.Dc(), {2, 3, 7, 9}, 0xFF2080F0);
    EXPECT_EQ(0, surface.CountDifferent({2, 3, 7, 9}, 0xFF2080F0));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 10, 3}, 0xFF000000));
    EXPECT_EQ(0, surface.CountDifferent({7, 3, 10, 10}, 0xFF000000));
    EXPECT_EQ(0, surface.CountDifferent({0, 9, 10, 10}, 0xFF000000));
}

TEST(FillArgb, TranslucentColourBlendsOverTheBackground)
{
    CSurface black(8, 8, 0xFF000000);
    CRenderKit::FillArgb(black.Dc(), {0, 0, 4, 4}, 0x80FFFFFF);
    EXPECT_TRUE(Near(black.Pixel(1, 1), 0xFF808080, 2, true)) << Hex(black.Pixel(1, 1));
    EXPECT_EQ(0xFF000000u, black.Pixel(5, 5));

    CSurface white(8, 8, 0xFFFFFFFF);
    CRenderKit::FillArgb(white.Dc(), {0, 0, 8, 8}, 0x40FF0000); // a quarter of red over white
    EXPECT_TRUE(Near(white.Pixel(4, 4), 0xFFFFBFBF, 2, true)) << Hex(white.Pixel(4, 4));
}

TEST(FillArgb, TranslucentFillWorksWithTheSoftwareBlendToo)
{
    CSurface surface(8, 8, 0xFF000000);
    const TBlendFunctions previous = ReplaceBlendFunctions({SoftwareAlphaBlend, BlendFunctions().gradientFill});
    CRenderKit::FillArgb(surface.Dc(), {0, 0, 8, 8}, 0x80FFFFFF);
    ReplaceBlendFunctions(previous);
    EXPECT_TRUE(Near(surface.Pixel(7, 7), 0xFF808080, 1, true)) << Hex(surface.Pixel(7, 7));
}

TEST(FillArgb, EmptyRectanglesAndNoDcAreHarmless)
{
    CSurface surface(4, 4, 0xFF000000);
    CRenderKit::FillArgb(surface.Dc(), {3, 3, 1, 1}, 0xFFFFFFFF);
    CRenderKit::FillArgb(surface.Dc(), {3, 3, 1, 1}, 0x80FFFFFF);
    CRenderKit::FillArgb(nullptr, {0, 0, 4, 4}, 0xFFFFFFFF);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 4, 4}, 0xFF000000));
}

TEST(FillTwoTone, VerticalGradientRunsFromTopToBottom)
{
    CSurface surface(4, 256, 0xFF000000);
    CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 4, 256}, 0xFF000000, 0xFFFFFFFF, true, 64);
    EXPECT_TRUE(Near(surface.Pixel(1, 0), 0xFF000000, 3, true)) << Hex(surface.Pixel(1, 0));
    EXPECT_TRUE(Near(surface.Pixel(1, 128), 0xFF808080, 4, true)) << Hex(surface.Pixel(1, 128));
    EXPECT_TRUE(Near(surface.Pixel(1, 255), 0xFFFFFFFF, 3, true)) << Hex(surface.Pixel(1, 255));
}

TEST(FillTwoTone, HorizontalGradientRunsFromLeftToRight)
{
    CSurface surface(256, 2, 0xFF000000);
    CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 256, 2}, 0xFFFF0000, 0xFF0000FF, false, 64);
    EXPECT_TRUE(Near(surface.Pixel(0, 0), 0xFFFF0000, 3, true)) << Hex(surface.Pixel(0, 0));
    EXPECT_TRUE(Near(surface.Pixel(255, 1), 0xFF0000FF, 3, true)) << Hex(surface.Pixel(255, 1));
    EXPECT_TRUE(Near(surface.Pixel(128, 1), 0xFF7F0080, 4, true)) << Hex(surface.Pixel(128, 1));
}

TEST(FillTwoTone, WithoutGradientFillTwoBandsForFewSteps)
{
    CSurface surface(4, 40, 0xFF000000);
    WithoutGradientFill([&] {
        CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 4, 40}, 0xFF000000, 0xFFFFFFFF, true, 2);
    });
    // Bottom band: the second colour; top band: (1 x to + 1 x from) / 2.
    EXPECT_EQ(0, surface.CountDifferent({0, 20, 4, 40}, 0xFFFFFFFF));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 4, 20}, 0xFF7F7F7F));
}

TEST(FillTwoTone, WithoutGradientFillBandCountFollowsSteps)
{
    // steps 10 -> 2^3 = 8 bands of 10 pixels, counted from the right edge.
    CSurface surface(80, 2, 0xFF000000);
    WithoutGradientFill([&] {
        CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 80, 2}, 0xFF000000, 0xFFF0F0F0, false, 10);
    });
    for (int band = 0; band < 8; ++band) {
        const int value = ((8 - band) * 0xF0) / 8; // band 0 is the rightmost
        const DWORD expected = 0xFF000000 | DWORD(value) << 16 | DWORD(value) << 8 | DWORD(value);
        const int right = 80 - band * 10;
        EXPECT_EQ(0, surface.CountDifferent({right - 10, 0, right, 2}, expected)) << "band " << band;
    }
}

TEST(FillTwoTone, ManyStepsGiveSixtyFourBands)
{
    CSurface surface(2, 128, 0xFF000000);
    WithoutGradientFill([&] {
        CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 2, 128}, 0xFF000000, 0xFF800000, true, 500);
    });
    // 64 bands of 2 pixels: band i from the bottom has red (64 - i) * 128 / 64.
    EXPECT_EQ(0xFF800000u, surface.Pixel(0, 127) | 0xFF000000);
    EXPECT_EQ(0xFF7E0000u, surface.Pixel(0, 125) | 0xFF000000);
    EXPECT_EQ(0xFF020000u, surface.Pixel(0, 0) | 0xFF000000);
}

TEST(FillTwoTone, MeanAlphaBelowOpaqueBlendsTheWholeGradient)
{
    CSurface surface(8, 8, 0xFF000000);
    CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 8, 8}, 0x80FFFFFF, 0x80FFFFFF, true, 64);
    EXPECT_TRUE(Near(surface.Pixel(4, 4), 0xFF808080, 2, true)) << Hex(surface.Pixel(4, 4));

    CSurface mixed(8, 8, 0xFF000000);
    WithoutGradientFill([&] {
        CRenderKit::FillTwoTone(mixed.Dc(), {0, 0, 8, 8}, 0xFFFFFFFF, 0x00FFFFFF, true, 2); // mean alpha 127
    });
    EXPECT_TRUE(Near(mixed.Pixel(4, 6), 0xFF7F7F7F, 2, true)) << Hex(mixed.Pixel(4, 6));
}

TEST(FillTwoTone, MeanAlphaZeroDrawsNothing)
{
    CSurface surface(8, 8, 0xFF445566);
    CRenderKit::FillTwoTone(surface.Dc(), {0, 0, 8, 8}, 0x00FFFFFF, 0x01FFFFFF, true, 64);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 8, 8}, 0xFF445566, false));
}

TEST(StrokeLine, DrawsFromTopLeftTowardsBottomRightIgnoringAlpha)
{
    CSurface surface(30, 10, 0xFF000000);
    CRenderKit::StrokeLine(surface.Dc(), {2, 5, 20, 5}, 1, 0x00FF0000);
    EXPECT_EQ(0, surface.CountDifferent({2, 5, 20, 6}, 0xFFFF0000));
    EXPECT_EQ(0xFF000000u, surface.Pixel(1, 5) | 0xFF000000);
    EXPECT_EQ(0xFF000000u, surface.Pixel(20, 5) | 0xFF000000); // the end point is not drawn
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 30, 5}, 0xFF000000));
}

TEST(StrokeLine, PenStyleAndWidthApply)
{
    CSurface thick(30, 10, 0xFF000000);
    CRenderKit::StrokeLine(thick.Dc(), {0, 5, 30, 5}, 3, 0xFF00FF00);
    EXPECT_EQ(0xFF00FF00u, thick.Pixel(10, 4) | 0xFF000000);
    EXPECT_EQ(0xFF00FF00u, thick.Pixel(10, 6) | 0xFF000000);

    CSurface dotted(40, 3, 0xFF000000);
    CRenderKit::StrokeLine(dotted.Dc(), {0, 1, 40, 1}, 1, 0xFF00FF00, PS_DOT);
    const int lit = 40 - dotted.CountDifferent({0, 1, 40, 2}, 0xFF00FF00);
    EXPECT_GT(lit, 5);
    EXPECT_LT(lit, 35);
}

TEST(StrokeFrame, DrawsInsideTheRectangleWithoutFilling)
{
    CSurface surface(40, 30, 0xFF000000);
    CRenderKit::StrokeFrame(surface.Dc(), {10, 10, 30, 20}, 2, 0xFF0000FF);
    EXPECT_EQ(0, surface.CountDifferent({10, 10, 30, 12}, 0xFF0000FF)); // top, 2 pixels thick
    EXPECT_EQ(0, surface.CountDifferent({10, 18, 30, 20}, 0xFF0000FF)); // bottom
    EXPECT_EQ(0, surface.CountDifferent({10, 10, 12, 20}, 0xFF0000FF)); // left
    EXPECT_EQ(0, surface.CountDifferent({28, 10, 30, 20}, 0xFF0000FF)); // right
    EXPECT_EQ(0, surface.CountDifferent({12, 12, 28, 18}, 0xFF000000)); // not filled
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 40, 10}, 0xFF000000));  // nothing outside
    EXPECT_EQ(0, surface.CountDifferent({30, 0, 40, 30}, 0xFF000000));
}

TEST(StrokeRoundFrame, RoundsTheCornersAndLeavesTheInsideAlone)
{
    CSurface surface(50, 40, 0xFF000000);
    CRenderKit::StrokeRoundFrame(surface.Dc(), {5, 5, 45, 35}, 1, 12, 12, 0xFFFFFFFF);
    EXPECT_EQ(0xFFFFFFFFu, surface.Pixel(25, 5) | 0xFF000000);  // top edge middle
    EXPECT_EQ(0xFFFFFFFFu, surface.Pixel(5, 20) | 0xFF000000);  // left edge middle
    EXPECT_EQ(0xFF000000u, surface.Pixel(5, 5) | 0xFF000000);   // the corner is cut
    EXPECT_EQ(0, surface.CountDifferent({10, 10, 40, 30}, 0xFF000000));
}
