// Drawing nine-grids into a 32-bit DIB: the copy path, the blending path,
// corners, hole, fade, both tilings and the software blend.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/BlendFunctions.h"
#include "ui/core/gfx/image/ImageDecoder.h"
#include "ui/core/gfx/RenderKit.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr DWORD kBackground = 0xFF101010;

std::unique_ptr<TImageRecord> Image(const TArgbImage& picture)
{
    const std::string png = EncodePng(picture);
    return DecodeImageBytes(png.data(), png.size(), 0);
}

// 6 x 6: 2-pixel red corners, green edges, a blue 2 x 2 middle.
TArgbImage FramedPicture()
{
    TArgbImage picture(6, 6, kGreen);
    picture.FillRect(2, 2, 4, 4, kBlue);
    for (int x : {0, 4})
        for (int y : {0, 4})
            picture.FillRect(x, y, x + 2, y + 2, kRed);
    return picture;
}

// A row of colours, one pixel each.
TArgbImage Stripe(std::initializer_list<DWORD> colours, bool vertical = false)
{
    TArgbImage picture(vertical ? 1 : int(colours.size()), vertical ? int(colours.size()) : 1, 0);
    int i = 0;
    for (DWORD c : colours)
        picture.pixels[i++] = c;
    return picture;
}

const RECT kEverything = {-10000, -10000, 10000, 10000};

} // namespace

TEST(NineGridPaint, SameSizeOpaqueImageIsCopiedExactly)
{
    TArgbImage picture(4, 4, kRed);
    picture.At(3, 3) = kBlue;
    auto image = Image(picture);
    CSurface surface(20, 20, kBackground);
    EXPECT_TRUE(CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {10, 10, 14, 14}, kEverything,
                                         {0, 0, 4, 4}, {}, false));
    EXPECT_EQ(kRed, surface.Pixel(10, 10));
    EXPECT_EQ(kBlue, surface.Pixel(13, 13));
    EXPECT_EQ(kBackground, surface.Pixel(9, 10));
    EXPECT_EQ(kBackground, surface.Pixel(14, 14));
}

TEST(NineGridPaint, ThePaintRectangleLimitsTheStraightCopy)
{
    auto image = Image(TArgbImage(8, 8, kRed));
    CSurface surface(20, 20, kBackground);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 8, 8}, {0, 0, 4, 20}, {0, 0, 8, 8}, {},
                             false);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 4, 8}, kRed, false));
    EXPECT_EQ(0, surface.CountDifferent({4, 0, 20, 20}, kBackground, false));
}

TEST(NineGridPaint, CellsThatMissThePaintRectangleAreSkipped)
{
    auto image = Image(FramedPicture());
    CSurface surface(40, 40, kBackground);
    // Only the top-left corner cell meets the paint rectangle.
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 40, 40}, {0, 0, 1, 1}, {0, 0, 6, 6},
                             {2, 2, 2, 2}, false);
    EXPECT_EQ(kRed, surface.Pixel(1, 1));
    EXPECT_EQ(kBackground, surface.Pixel(20, 20));
    EXPECT_EQ(kBackground, surface.Pixel(20, 0));
}

TEST(NineGridPaint, StretchWithoutCornersUsesNearestPixels)
{
    TArgbImage picture(2, 2, kRed);
    picture.At(1, 0) = kGreen;
    picture.At(0, 1) = kBlue;
    picture.At(1, 1) = kWhite;
    auto image = Image(picture);
    CSurface surface(20, 20, kBackground);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 20, 20}, kEverything, {0, 0, 2, 2}, {},
                             false);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 10, 10}, kRed));
    EXPECT_EQ(0, surface.CountDifferent({10, 0, 20, 10}, kGreen));
    EXPECT_EQ(0, surface.CountDifferent({0, 10, 10, 20}, kBlue));
    EXPECT_EQ(0, surface.CountDifferent({10, 10, 20, 20}, kWhite));
}

TEST(NineGridPaint, CornersKeepTheirSizeEdgesAndMiddleStretch)
{
    auto image = Image(FramedPicture());
    CSurface surface(40, 30, kBackground);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 40, 30}, kEverything, {0, 0, 6, 6},
                             {2, 2, 2, 2}, false);
    for (const RECT& corner : {RECT{0, 0, 2, 2}, RECT{38, 0, 40, 2}, RECT{0, 28, 2, 30}, RECT{38, 28, 40, 30}})
        EXPECT_EQ(0, surface.CountDifferent(corner, kRed));
    EXPECT_EQ(0, surface.CountDifferent({2, 0, 38, 2}, kGreen));   // top edge
    EXPECT_EQ(0, surface.CountDifferent({0, 2, 2, 28}, kGreen));   // left edge
    EXPECT_EQ(0, surface.CountDifferent({38, 2, 40, 28}, kGreen)); // right edge
    EXPECT_EQ(0, surface.CountDifferent({2, 28, 38, 30}, kGreen)); // bottom edge
    EXPECT_EQ(0, surface.CountDifferent({2, 2, 38, 28}, kBlue));   // middle
}

TEST(NineGridPaint, HoleLeavesTheMiddleUntouchedOnBothPaths)
{
    auto image = Image(FramedPicture());
    for (BYTE fade : {BYTE(255), BYTE(254)}) {
        CSurface surface(40, 30, kBackground);
        CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 40, 30}, kEverything, {0, 0, 6, 6},
                                 {2, 2, 2, 2}, false, fade, true);
        EXPECT_EQ(0, surface.CountDifferent({2, 2, 38, 28}, kBackground, false)) << int(fade);
        EXPECT_TRUE(Near(surface.Pixel(0, 0), kRed, 2, true)) << Hex(surface.Pixel(0, 0));
        EXPECT_TRUE(Near(surface.Pixel(20, 0), kGreen, 2, true));
    }
}

TEST(NineGridPaint, FadeOnAnOpaqueImageBlends)
{
    auto image = Image(TArgbImage(4, 4, kWhite));
    CSurface surface(10, 10, 0xFF000000);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 4, 4}, kEverything, {0, 0, 4, 4}, {}, false,
                             128);
    EXPECT_TRUE(Near(surface.Pixel(2, 2), 0xFF808080, 2, true)) << Hex(surface.Pixel(2, 2));
    EXPECT_EQ(0xFF000000u, surface.Pixel(5, 5));
}

TEST(NineGridPaint, PerPixelAlphaBlendsPremultipliedColour)
{
    auto image = Image(TArgbImage(4, 4, 0x80FF0000)); // red at alpha 128
    ASSERT_TRUE(image->hasAlpha);
    CSurface surface(10, 10, kWhite);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 4, 4}, kEverything, {0, 0, 4, 4}, {}, true);
    // 128 + 255 * (1 - 128/255) = 255 red; 255 * 127/255 = 127 green and blue.
    EXPECT_TRUE(Near(surface.Pixel(1, 1), 0xFFFF7F7F, 2, true)) << Hex(surface.Pixel(1, 1));

    CSurface faded(10, 10, kWhite);
    CRenderKit::BlitNineGrid(faded.Dc(), image->bitmap.Get(), {0, 0, 4, 4}, kEverything, {0, 0, 4, 4}, {}, true, 128);
    // Source scaled by 128/255 first: red 64, alpha 64; white * (1 - 64/255) = 191.
    EXPECT_TRUE(Near(faded.Pixel(1, 1), 0xFFFFBFBF, 2, true)) << Hex(faded.Pixel(1, 1));
}

TEST(NineGridPaint, TransparentPixelsLeaveTheBackground)
{
    TArgbImage picture(2, 1, 0x00000000);
    picture.At(1, 0) = kRed;
    auto image = Image(picture);
    CSurface surface(4, 1, kBlue);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 2, 1}, kEverything, {0, 0, 2, 1}, {}, true);
    EXPECT_TRUE(Near(surface.Pixel(0, 0), kBlue, 0, true));
    EXPECT_TRUE(Near(surface.Pixel(1, 0), kRed, 0, true));
}

TEST(NineGridPaint, HorizontalTilingRepeatsTheMiddle)
{
    auto image = Image(Stripe({kRed, kGreen, kBlue}));
    const DWORD cycle[3] = {kRed, kGreen, kBlue};
    for (BYTE fade : {BYTE(255), BYTE(254)}) { // copy path, then blending path
        CSurface surface(10, 4, kBackground);
        CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 10, 4}, kEverything, {0, 0, 3, 1}, {},
                                 false, fade, false, true, false);
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 4; ++y)
                EXPECT_TRUE(Near(surface.Pixel(x, y), cycle[x % 3], 2, true))
                    << "fade " << int(fade) << " at " << x << "," << y << ": " << Hex(surface.Pixel(x, y));
    }
}

TEST(NineGridPaint, VerticalTilingRepeatsTheMiddle)
{
    auto image = Image(Stripe({kRed, kGreen}, true));
    CSurface surface(3, 7, kBackground);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 3, 7}, kEverything, {0, 0, 1, 2}, {}, false,
                             255, false, false, true);
    for (int y = 0; y < 7; ++y)
        EXPECT_EQ((y % 2) ? kGreen : kRed, surface.Pixel(1, y) | 0xFF000000) << y;
}

TEST(NineGridPaint, BothTilingsRepeatInBothDirectionsInsideTheBorder)
{
    TArgbImage picture(4, 4, kWhite); // 1-pixel white border around a 2 x 2 checker
    picture.At(1, 1) = kRed;
    picture.At(2, 1) = kGreen;
    picture.At(1, 2) = kBlue;
    picture.At(2, 2) = 0xFF000000;
    auto image = Image(picture);
    CSurface surface(9, 9, kBackground);
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 9, 9}, kEverything, {0, 0, 4, 4},
                             {1, 1, 1, 1}, false, 255, false, true, true);
    const DWORD checker[2][2] = {{kRed, kGreen}, {kBlue, 0xFF000000}};
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x)
            EXPECT_EQ(checker[(y - 1) % 2][(x - 1) % 2], surface.Pixel(x, y) | 0xFF000000) << x << "," << y;
    EXPECT_EQ(kWhite, surface.Pixel(0, 4) | 0xFF000000);
    EXPECT_EQ(kWhite, surface.Pixel(8, 8) | 0xFF000000);
}

TEST(NineGridPaint, SoftwareBlendMatchesThePlatformBlend)
{
    TArgbImage picture(8, 8, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture.At(x, y) = (DWORD(x * 32) << 24) | (DWORD(y * 30) << 16) | 0x00408000 | DWORD(x * 20);
    auto image = Image(picture);
    for (BYTE fade : {BYTE(255), BYTE(100)}) {
        CSurface platform(20, 20, 0xFF336699);
        CSurface software(20, 20, 0xFF336699);
        CRenderKit::BlitNineGrid(platform.Dc(), image->bitmap.Get(), {2, 2, 10, 10}, kEverything, {0, 0, 8, 8}, {},
                                 true, fade);
        const TBlendFunctions previous = ReplaceBlendFunctions({SoftwareAlphaBlend, nullptr});
        CRenderKit::BlitNineGrid(software.Dc(), image->bitmap.Get(), {2, 2, 10, 10}, kEverything, {0, 0, 8, 8}, {},
                                 true, fade);
        ReplaceBlendFunctions(previous);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                EXPECT_TRUE(Near(software.Pixel(x, y), platform.Pixel(x, y), 2, true))
                    << x << "," << y << " " << Hex(software.Pixel(x, y)) << " vs " << Hex(platform.Pixel(x, y));
    }
}

TEST(NineGridPaint, SoftwareBlendStretchesAndRefusesBadArguments)
{
    auto image = Image(TArgbImage(2, 2, 0x80FF0000));
    CSurface surface(8, 8, 0xFF000000);
    const TBlendFunctions previous = ReplaceBlendFunctions({SoftwareAlphaBlend, nullptr});
    CRenderKit::BlitNineGrid(surface.Dc(), image->bitmap.Get(), {0, 0, 8, 8}, kEverything, {0, 0, 2, 2}, {}, true);
    ReplaceBlendFunctions(previous);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 8, 8}, 0xFF800000));

    CMemoryDc memory(CreateCompatibleDC(surface.Dc()));
    CSelectObject select(memory.Get(), image->bitmap.Get());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_FALSE(SoftwareAlphaBlend(surface.Dc(), 0, 0, 0, 4, memory.Get(), 0, 0, 2, 2, blend));
    EXPECT_FALSE(SoftwareAlphaBlend(surface.Dc(), 0, 0, 4, 4, memory.Get(), 0, 0, -2, 2, blend));
    EXPECT_FALSE(SoftwareAlphaBlend(nullptr, 0, 0, 4, 4, memory.Get(), 0, 0, 2, 2, blend));
    // A source area beyond the bitmap reads as transparent rather than outside memory.
    EXPECT_TRUE(SoftwareAlphaBlend(surface.Dc(), 0, 0, 4, 4, memory.Get(), 100, 100, 50, 50, blend));
}

TEST(NineGridPaint, NoBitmapOrNoDcDrawsNothing)
{
    CSurface surface(4, 4, kBackground);
    EXPECT_FALSE(CRenderKit::BlitNineGrid(surface.Dc(), nullptr, {0, 0, 4, 4}, kEverything, {0, 0, 1, 1}, {}, true));
    auto image = Image(TArgbImage(1, 1, kRed));
    EXPECT_FALSE(CRenderKit::BlitNineGrid(nullptr, image->bitmap.Get(), {0, 0, 4, 4}, kEverything, {0, 0, 1, 1}, {},
                                          true));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 4, 4}, kBackground, false));
}
