// Decoding image bytes into premultiplied 32-bit bitmaps, and what bad bytes give.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/image/ImageDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace SkinUI;
using namespace RenderTest;

namespace {

DWORD PixelOf(const TImageRecord& image, int x, int y)
{
    DWORD value;
    std::memcpy(&value, image.pixels + (size_t(y) * image.width + x) * 4, 4);
    return value;
}

std::unique_ptr<TImageRecord> Decode(const std::string& bytes, DWORD mask = 0)
{
    return DecodeImageBytes(bytes.data(), bytes.size(), mask);
}

} // namespace

TEST(ImageDecoder, OpaquePngKeepsItsColoursAndHasNoAlpha)
{
    TArgbImage png(3, 2, 0xFF102030);
    png.At(2, 1) = 0xFFFF8000;
    auto image = Decode(EncodePng(png));
    ASSERT_TRUE(image);
    EXPECT_EQ(3, image->width);
    EXPECT_EQ(2, image->height);
    EXPECT_FALSE(image->hasAlpha);
    EXPECT_EQ(0xFF102030u, PixelOf(*image, 0, 0));
    EXPECT_EQ(0xFFFF8000u, PixelOf(*image, 2, 1)); // top-down rows, blue-green-red-alpha bytes
    EXPECT_TRUE(image->pixelCopy.empty());
    EXPECT_FALSE(image->useHsl);
}

TEST(ImageDecoder, TranslucentPixelsArePremultipliedWithIntegerDivision)
{
    TArgbImage png(2, 1, 0x80FF6432); // alpha 128: 255*128/255 = 128, 100*128/255 = 50, 50*128/255 = 25
    png.At(1, 0) = 0x00FFFFFF;
    auto image = Decode(EncodePng(png));
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha);
    EXPECT_EQ(0x80803219u, PixelOf(*image, 0, 0));
    EXPECT_EQ(0x00000000u, PixelOf(*image, 1, 0));
}

TEST(ImageDecoder, TheBitmapIsATopDownDibSection)
{
    auto image = Decode(EncodePng(TArgbImage(5, 4, 0xFF000000)));
    ASSERT_TRUE(image);
    DIBSECTION section = {};
    ASSERT_EQ(int(sizeof(section)), GetObjectW(image->bitmap.Get(), sizeof(section), &section));
    EXPECT_EQ(32, section.dsBm.bmBitsPixel);
    EXPECT_EQ(5, section.dsBm.bmWidth);
    EXPECT_EQ(4, section.dsBm.bmHeight);
    EXPECT_EQ(image->pixels, section.dsBm.bmBits);
}

TEST(ImageDecoder, MaskMakesExactMatchesTransparent)
{
    TArgbImage png(2, 1, 0xFFFF00FF);
    png.At(1, 0) = 0xFFFF00FE;
    auto image = Decode(EncodePng(png), 0xFFFF00FF);
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha);
    EXPECT_EQ(0u, PixelOf(*image, 0, 0));
    EXPECT_EQ(0xFFFF00FEu, PixelOf(*image, 1, 0));
    EXPECT_EQ(0xFFFF00FFu, image->mask);
}

TEST(ImageDecoder, MaskWithoutAlphaMatchesNoOpaquePixel)
{
    auto image = Decode(EncodePng(TArgbImage(2, 2, 0xFFFF00FF)), 0x00FF00FF);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->hasAlpha);
    EXPECT_EQ(0xFFFF00FFu, PixelOf(*image, 1, 1));
}

TEST(ImageDecoder, BmpAndJpegDecodeToo)
{
    TArgbImage picture(8, 8, 0xFF2050A0);
    auto bmp = Decode(EncodeBmp(picture));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(0xFF2050A0u, PixelOf(*bmp, 7, 7));
    auto jpeg = Decode(EncodeJpeg(picture));
    ASSERT_TRUE(jpeg);
    EXPECT_FALSE(jpeg->hasAlpha);
    EXPECT_TRUE(Near(PixelOf(*jpeg, 4, 4), 0xFF2050A0, 6)) << Hex(PixelOf(*jpeg, 4, 4));
}

TEST(ImageDecoder, EmptyOrGarbageBytesGiveNothing)
{
    EXPECT_FALSE(DecodeImageBytes(nullptr, 0, 0));
    EXPECT_FALSE(Decode(std::string()));
    EXPECT_FALSE(Decode("not an image at all"));
    EXPECT_FALSE(Decode(std::string(4096, '\0')));
}

TEST(ImageDecoder, EveryTruncationOfAPngGivesNothing)
{
    TArgbImage picture(16, 16, 0xFF808080);
    for (int i = 0; i < 16; ++i)
        picture.At(i, i) = 0x40FF0000;
    const std::string png = EncodePng(picture);
    ASSERT_TRUE(Decode(png));
    // The last 20 bytes are the zlib checksum, the IDAT chunk's CRC and the IEND
    // chunk, none of which holds pixels; any shorter file lacks pixel data.
    for (size_t length = 0; length < png.size(); ++length) {
        const std::string cut = png.substr(0, length);
        auto image = Decode(cut);
        if (length + 20 < png.size()) {
            EXPECT_FALSE(image) << "length " << length;
        } else if (image) {
            EXPECT_EQ(16, image->width);
        }
    }
}

TEST(ImageDecoder, CorruptedPngsNeverCrash)
{
    TArgbImage picture(24, 12, 0xFF336699);
    const std::string png = EncodePng(picture);
    std::mt19937 random(20261208);
    int decoded = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bad = png;
        const int flips = 1 + int(random() % 8);
        for (int f = 0; f < flips; ++f)
            bad[random() % bad.size()] = char(random() & 0xFF);
        if (auto image = Decode(bad)) {
            ++decoded;
            EXPECT_GT(image->width, 0);
            EXPECT_GT(image->height, 0);
        }
    }
    SUCCEED() << decoded << " of 400 corrupted files still decoded";
}

TEST(ImageDecoder, HugeDimensionsInTheHeaderAreRefusedUpFront)
{
    // A PNG header claiming 60000 x 60000 pixels with no real data behind it.
    std::string png = EncodePng(TArgbImage(1, 1, 0xFF000000));
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char((value >> (24 - 8 * i)) & 0xFF);
    };
    put32(16, 60000); // IHDR width
    put32(20, 60000); // IHDR height
    EXPECT_FALSE(Decode(png));
}
