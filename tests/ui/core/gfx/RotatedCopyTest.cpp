// Rotated copies of images through GDI+.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/image/ImageDecoder.h"
#include "ui/core/gfx/RenderKit.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr DWORD kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

std::unique_ptr<TImageRecord> Image(const TArgbImage& picture)
{
    const std::string png = EncodePng(picture);
    return DecodeImageBytes(png.data(), png.size(), 0);
}

// Draws a bitmap 1:1 onto a fresh surface to read its pixels.
DWORD PixelOfBitmap(HBITMAP bitmap, int width, int height, int x, int y)
{
    CSurface surface(width, height, 0xFF000000);
    CMemoryDc memory(CreateCompatibleDC(surface.Dc()));
    CSelectObject select(memory.Get(), bitmap);
    BitBlt(surface.Dc(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    return surface.Pixel(x, y);
}

} // namespace

TEST(RotatedCopy, HalfTurnSwapsTheHalves)
{
    TArgbImage picture(20, 10, kRed);
    picture.FillRect(10, 0, 20, 10, kBlue);
    auto image = Image(picture);
    CBitmap rotated = CRenderKit::RotatedCopy(image->bitmap.Get(), 180.0f);
    ASSERT_TRUE(rotated);
    BITMAP info = {};
    ASSERT_NE(0, GetObjectW(rotated.Get(), sizeof(info), &info));
    EXPECT_EQ(20, info.bmWidth);
    EXPECT_EQ(10, info.bmHeight);
    EXPECT_TRUE(Near(PixelOfBitmap(rotated.Get(), 20, 10, 4, 5), kBlue, 8, true));
    EXPECT_TRUE(Near(PixelOfBitmap(rotated.Get(), 20, 10, 15, 5), kRed, 8, true));
}

TEST(RotatedCopy, QuarterTurnIsClockwise)
{
    TArgbImage picture(20, 20, kRed);
    picture.FillRect(0, 10, 20, 20, kBlue); // red top, blue bottom
    auto image = Image(picture);
    CBitmap rotated = CRenderKit::RotatedCopy(image->bitmap.Get(), 90.0f);
    ASSERT_TRUE(rotated);
    EXPECT_TRUE(Near(PixelOfBitmap(rotated.Get(), 20, 20, 15, 10), kRed, 8, true));  // top moved right
    EXPECT_TRUE(Near(PixelOfBitmap(rotated.Get(), 20, 20, 4, 10), kBlue, 8, true));  // bottom moved left
}

TEST(RotatedCopy, NoTurnKeepsThePicture)
{
    TArgbImage picture(8, 8, kRed);
    picture.FillRect(0, 0, 4, 4, kBlue);
    auto image = Image(picture);
    CBitmap copy = CRenderKit::RotatedCopy(image->bitmap.Get(), 0.0f);
    ASSERT_TRUE(copy);
    EXPECT_TRUE(Near(PixelOfBitmap(copy.Get(), 8, 8, 1, 1), kBlue, 4, true));
    EXPECT_TRUE(Near(PixelOfBitmap(copy.Get(), 8, 8, 6, 6), kRed, 4, true));
}

TEST(RotatedCopy, NoBitmapGivesNothing)
{
    EXPECT_FALSE(CRenderKit::RotatedCopy(nullptr, 45.0f));
}
