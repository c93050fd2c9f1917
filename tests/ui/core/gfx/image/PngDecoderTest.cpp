// The fast PNG path gives byte for byte the records the general (stb) decoder
// gives: for the skin's own art, every colour type, odd widths, every row
// filter, palettes and tRNS, the mask; and it declines what it does not handle.
#include "tests/ui/core/gfx/image/PngTestFiles.h"
#include "tests/support/TestEnvironment.h"
#include "ui/core/gfx/image/ImageDecoder.h"
#include "ui/core/gfx/image/PngDecoder.h"
#include "ui/core/gfx/image/PngRowFilters.h"
#include "ui/core/gfx/image/StbImageDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace SkinUI;
using namespace PngTest;

namespace {

std::unique_ptr<TImageRecord> Fast(const std::string& png, DWORD mask = 0)
{
    return DecodeCommonPng(reinterpret_cast<const BYTE*>(png.data()), png.size(), mask);
}

std::unique_ptr<TImageRecord> Stb(const std::string& png, DWORD mask = 0)
{
    return DecodeWithStb(png.data(), png.size(), mask);
}

::testing::AssertionResult SameRecord(const TImageRecord& fast, const TImageRecord& stb)
{
    if (fast.width != stb.width || fast.height != stb.height)
        return ::testing::AssertionFailure() << "size " << fast.width << "x" << fast.height << " vs "
                                             << stb.width << "x" << stb.height;
    if (fast.hasAlpha != stb.hasAlpha || fast.mask != stb.mask || fast.useHsl || !fast.pixelCopy.empty())
        return ::testing::AssertionFailure() << "flags differ";
    for (size_t i = 0; i < fast.ByteCount(); ++i)
        if (fast.pixels[i] != stb.pixels[i])
            return ::testing::AssertionFailure() << "byte " << i << " (pixel " << i / 4 << "): " << int(fast.pixels[i])
                                                 << " vs " << int(stb.pixels[i]);
    return ::testing::AssertionSuccess();
}

// Both paths decode it, to the same record.
::testing::AssertionResult DecodesAlike(const std::string& png, DWORD mask = 0)
{
    auto fast = Fast(png, mask);
    auto stb = Stb(png, mask);
    if (!fast)
        return ::testing::AssertionFailure() << "the fast path declined it";
    if (!stb)
        return ::testing::AssertionFailure() << "stb could not decode it";
    return SameRecord(*fast, *stb);
}

// The fast path declines it, and the decoder as a whole still answers as stb does.
::testing::AssertionResult LeftToStb(const std::string& png)
{
    if (Fast(png))
        return ::testing::AssertionFailure() << "the fast path took it";
    auto whole = DecodeImageBytes(png.data(), png.size(), 0);
    auto stb = Stb(png);
    if (!whole != !stb)
        return ::testing::AssertionFailure() << "decodable: " << !!whole << " vs stb " << !!stb;
    return whole ? SameRecord(*whole, *stb) : ::testing::AssertionSuccess();
}

DWORD PixelOf(const TImageRecord& image, int x, int y)
{
    DWORD value;
    std::memcpy(&value, image.pixels + (size_t(y) * image.width + x) * 4, 4);
    return value;
}

void ForEachSkinPng(const std::wstring& folder, const std::function<void(const std::wstring&)>& visit)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ForEachSkinPng(folder + name + L"\\", visit);
        else if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".png") == 0)
            visit(folder + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::string BigEndian16(unsigned value)
{
    return {char(value >> 8), char(value)};
}

// An 8-bit PNG put together by hand from raw samples.
std::string HandBuiltPng(int width, int height, int colour, const std::vector<uint8_t>& samples,
                         const std::vector<int>& filters, const std::vector<std::string>& beforeData = {})
{
    const size_t channels = colour == 0 || colour == 3 ? 1 : colour == 4 ? 2 : colour == 2 ? 3 : 4;
    std::vector<std::string> chunks = {HeaderChunk(width, height, 8, colour)};
    chunks.insert(chunks.end(), beforeData.begin(), beforeData.end());
    chunks.push_back(Chunk("IDAT", Compress(FilterRows(samples, size_t(width) * channels, channels, filters))));
    chunks.push_back(Chunk("IEND", ""));
    return PngFile(chunks);
}

std::string PaletteChunk(int entries)
{
    std::string data;
    for (int i = 0; i < entries; ++i)
        data += {char(i * 37), char(255 - i * 11), char(i * i)};
    return Chunk("PLTE", data);
}

std::string PaletteAlphaChunk(int entries)
{
    std::string data;
    for (int i = 0; i < entries; ++i)
        data += char(i * 53);
    return Chunk("tRNS", data);
}

std::vector<uint8_t> PaletteIndices(int width, int height, int entries)
{
    std::vector<uint8_t> samples = MakeSamples(width, height, 1, 7);
    for (uint8_t& index : samples)
        index = uint8_t(index % entries);
    return samples;
}

// A 5x4 RGBA image: a raw stream whose length can be chosen.
std::string RgbaPngWithStream(const std::string& stream)
{
    return PngFile({HeaderChunk(5, 4, 8, 6), Chunk("IDAT", stream), Chunk("IEND", "")});
}

const std::vector<int> kEveryFilter = {0, 1, 2, 3, 4};

} // namespace

TEST(PngDecoder, EverySkinPngDecodesAsStbDecodesIt)
{
    int count = 0;
    bool sawBackground = false;
    ForEachSkinPng(TestEnv::FromUnixPath(std::string(ORVANE_BINARY_DIR) + "/skin/"), [&](const std::wstring& path) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        const std::string png = TestEnv::ReadFileBytes(path);
        EXPECT_TRUE(DecodesAlike(png));
        auto plain = Stb(png);
        ASSERT_TRUE(plain);
        // Mask the colour of a pixel in the middle: some pixels disappear alike.
        EXPECT_TRUE(DecodesAlike(png, PixelOf(*plain, plain->width / 2, plain->height / 2)));
        sawBackground |= path.size() >= 6 && path.compare(path.size() - 6, 6, L"bk.png") == 0;
        ++count;
    });
    EXPECT_GE(count, 10);
    EXPECT_TRUE(sawBackground) << "the skin's background bk.png was not found";
}

TEST(PngDecoder, EveryColourTypeStbWritesDecodesAlikeAtOddWidthsWithEveryFilter)
{
    for (int channels = 1; channels <= 4; ++channels)
        for (int width : {1, 2, 3, 5, 17, 33, 101})
            for (int height : {1, 2, 7})
                for (int filter = -1; filter <= 4; ++filter) {
                    SCOPED_TRACE(::testing::Message() << channels << " channels, " << width << "x" << height
                                                      << ", filter " << filter);
                    const auto samples = MakeSamples(width, height, channels, unsigned(width * 31 + height));
                    EXPECT_TRUE(DecodesAlike(StbWrittenPng(samples, width, height, channels, filter)));
                }
}

TEST(PngDecoder, HandBuiltRowsWithEachFilterInTurnDecodeAlike)
{
    for (int colour : {0, 2, 4, 6})
        for (int width : {1, 3, 8, 29}) {
            SCOPED_TRACE(::testing::Message() << "colour type " << colour << ", width " << width);
            const int channels = colour == 0 ? 1 : colour == 4 ? 2 : colour == 2 ? 3 : 4;
            const auto samples = MakeSamples(width, 11, channels, unsigned(colour + width));
            // Each filter type on the first row (no row above) and on later rows.
            for (int first = 0; first <= 4; ++first) {
                std::vector<int> filters = {first};
                filters.insert(filters.end(), kEveryFilter.begin(), kEveryFilter.end());
                filters.insert(filters.end(), kEveryFilter.rbegin(), kEveryFilter.rend());
                EXPECT_TRUE(DecodesAlike(HandBuiltPng(width, 11, colour, samples, filters)));
            }
        }
}

TEST(PngDecoder, PaletteImagesDecodeAlikeWithAndWithoutTransparency)
{
    for (int width : {1, 6, 13}) {
        SCOPED_TRACE(::testing::Message() << "width " << width);
        const auto indices = PaletteIndices(width, 9, 40);
        EXPECT_TRUE(DecodesAlike(HandBuiltPng(width, 9, 3, indices, kEveryFilter, {PaletteChunk(40)})));
        // Alpha for the first 25 entries only: the rest stay opaque.
        const std::string translucent =
            HandBuiltPng(width, 9, 3, indices, kEveryFilter, {PaletteChunk(40), PaletteAlphaChunk(25)});
        EXPECT_TRUE(DecodesAlike(translucent));
        EXPECT_TRUE(Fast(translucent)->hasAlpha);
        EXPECT_TRUE(DecodesAlike(translucent, 0xFF25F4A9));
    }
    const auto all = PaletteIndices(16, 16, 256);
    EXPECT_TRUE(DecodesAlike(HandBuiltPng(16, 16, 3, all, {4}, {PaletteChunk(256), PaletteAlphaChunk(256)})));
}

TEST(PngDecoder, TransparentKeyColourOfGreyAndRgbImagesDecodesAlike)
{
    const auto grey = MakeSamples(9, 5, 1, 3);
    auto image = Fast(HandBuiltPng(9, 5, 0, grey, kEveryFilter, {Chunk("tRNS", BigEndian16(grey[4]))}));
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha);
    EXPECT_EQ(0u, PixelOf(*image, 4, 0));
    EXPECT_TRUE(DecodesAlike(HandBuiltPng(9, 5, 0, grey, kEveryFilter, {Chunk("tRNS", BigEndian16(grey[4]))})));
    // An 8-bit image compares only the key's low byte.
    EXPECT_TRUE(
        DecodesAlike(HandBuiltPng(9, 5, 0, grey, kEveryFilter, {Chunk("tRNS", BigEndian16(0x0100 | grey[4]))})));

    auto rgb = MakeSamples(9, 5, 3, 4);
    std::memcpy(&rgb[3 * 7], &rgb[0], 3); // two pixels of the key colour
    const std::string key = BigEndian16(rgb[0]) + BigEndian16(rgb[1]) + BigEndian16(0xFF00 | rgb[2]);
    const std::string keyed = HandBuiltPng(9, 5, 2, rgb, kEveryFilter, {Chunk("tRNS", key)});
    EXPECT_TRUE(DecodesAlike(keyed));
    EXPECT_EQ(0u, PixelOf(*Fast(keyed), 0, 0));
    EXPECT_EQ(0u, PixelOf(*Fast(keyed), 7, 0));
}

TEST(PngDecoder, TheMaskClearsMatchingPixelsOnBothPaths)
{
    const auto samples = MakeSamples(12, 6, 4, 11);
    const std::string png = StbWrittenPng(samples, 12, 6, 4);
    auto plain = Fast(png);
    ASSERT_TRUE(plain);
    for (int x : {0, 3, 7, 11}) {
        const DWORD mask = PixelOf(*plain, x, 2);
        EXPECT_TRUE(DecodesAlike(png, mask));
        auto masked = Fast(png, mask);
        EXPECT_EQ(0u, PixelOf(*masked, x, 2));
        EXPECT_TRUE(masked->hasAlpha);
        EXPECT_EQ(mask, masked->mask);
    }
    const auto opaque = MakeSamples(12, 6, 3, 12);
    const std::string rgb = StbWrittenPng(opaque, 12, 6, 3);
    EXPECT_FALSE(Fast(rgb)->hasAlpha);
    EXPECT_TRUE(DecodesAlike(rgb, PixelOf(*Fast(rgb), 5, 5)));
}

TEST(PngDecoder, ImageDataSplitOverManyChunksAmongOthersDecodesAlike)
{
    const auto samples = MakeSamples(21, 13, 4, 5);
    const std::string stream = Compress(FilterRows(samples, 21 * 4, 4, kEveryFilter));
    std::vector<std::string> chunks = {HeaderChunk(21, 13, 8, 6), Chunk("tEXt", std::string("Comment\0x", 9)),
                                       Chunk("IDAT", "")};
    for (size_t at = 0, piece = 1; at < stream.size(); at += piece, piece = piece * 2 + 1) {
        chunks.push_back(Chunk("IDAT", stream.substr(at, piece)));
        chunks.push_back(Chunk("zzZz", "between"));
    }
    chunks.push_back(Chunk("IEND", ""));
    EXPECT_TRUE(DecodesAlike(PngFile(chunks)));
}

TEST(PngDecoder, BytesAfterTheStreamInsideImageDataAreIgnoredAlike)
{
    const auto samples = MakeSamples(5, 4, 4, 6);
    EXPECT_TRUE(DecodesAlike(RgbaPngWithStream(Compress(FilterRows(samples, 20, 4, {1})) + "trailing")));
}

TEST(PngDecoder, FormatsItDoesNotHandleAreLeftToStb)
{
    const std::string rows16 = FilterRows(MakeSamples(3, 2, 6, 1), 3 * 6, 6, {4});
    const std::string deep = PngFile({HeaderChunk(3, 2, 16, 2), Chunk("IDAT", Compress(rows16)), Chunk("IEND", "")});
    EXPECT_TRUE(LeftToStb(deep));
    EXPECT_TRUE(Stb(deep));
    const std::string rows4 = FilterRows(MakeSamples(2, 3, 1, 2), 2, 1, {1});
    const std::string shallow = PngFile({HeaderChunk(4, 3, 4, 0), Chunk("IDAT", Compress(rows4)), Chunk("IEND", "")});
    EXPECT_TRUE(LeftToStb(shallow));
    EXPECT_TRUE(Stb(shallow));
    // Interlaced 1x1: one pass with one row.
    EXPECT_TRUE(LeftToStb(
        PngFile({HeaderChunk(1, 1, 8, 6, 1), Chunk("IDAT", Compress(std::string("\0\1\2\3\4", 5))), Chunk("IEND", "")})));
    const std::string good = StbWrittenPng(MakeSamples(4, 4, 4, 1), 4, 4, 4);
    EXPECT_TRUE(LeftToStb(good.substr(0, 8) + Chunk("CgBI", std::string(4, '\0')) + good.substr(8)));
    EXPECT_TRUE(LeftToStb("GIF89a, not a PNG at all"));
}

TEST(PngDecoder, DamagedFilesAreDeclinedAndDecodeAsStbDecodesThem)
{
    const auto samples = MakeSamples(5, 4, 4, 8);
    const std::string rows = FilterRows(samples, 20, 4, kEveryFilter);
    const std::string good = RgbaPngWithStream(Compress(rows));
    ASSERT_TRUE(DecodesAlike(good));

    for (size_t size : {size_t(0), size_t(7), size_t(8), size_t(20), size_t(33), good.size() / 2, good.size() - 12,
                        good.size() - 9})
        EXPECT_TRUE(LeftToStb(good.substr(0, size))) << "cut to " << size;
    std::string badFilter = rows;
    badFilter[21] = 5;
    EXPECT_TRUE(LeftToStb(RgbaPngWithStream(Compress(badFilter))));
    EXPECT_TRUE(LeftToStb(RgbaPngWithStream(Compress(rows.substr(0, rows.size() - 1))))); // a byte short
    EXPECT_TRUE(LeftToStb(RgbaPngWithStream(Compress(rows + "x"))));                     // a byte too many
    const std::string stream = Compress(rows);
    EXPECT_TRUE(LeftToStb(RgbaPngWithStream(stream.substr(0, stream.size() - 4)))); // no checksum
    std::string badChecksum = stream;
    badChecksum.back() ^= 1;
    EXPECT_TRUE(LeftToStb(RgbaPngWithStream(badChecksum)));

    std::string longChunk = good;
    const size_t idat = ChunkPlaces(good)[1].offset;
    longChunk.replace(idat, 4, "\xFF\xFF\xFF\xF0", 4);
    EXPECT_TRUE(LeftToStb(longChunk));
    std::string noEnd = good.substr(0, good.size() - 12);
    EXPECT_TRUE(LeftToStb(noEnd + Chunk("tEXt", "x")));
    EXPECT_TRUE(LeftToStb(noEnd + Chunk("ABCD", "") + Chunk("IEND", ""))); // an unknown critical chunk
    // tRNS after the image data, for an image with alpha, or before any palette.
    EXPECT_TRUE(LeftToStb(noEnd + Chunk("tRNS", std::string(8, '\0')) + Chunk("IEND", "")));
    const auto indices = PaletteIndices(6, 3, 10);
    EXPECT_TRUE(LeftToStb(HandBuiltPng(6, 3, 3, indices, {0}, {PaletteAlphaChunk(5), PaletteChunk(10)})));
    EXPECT_TRUE(LeftToStb(HandBuiltPng(6, 3, 3, indices, {0}, {PaletteChunk(10), PaletteAlphaChunk(11)})));
    EXPECT_TRUE(LeftToStb(HandBuiltPng(6, 3, 3, indices, {0})));                   // no palette at all
    auto beyond = indices;
    beyond[4] = 9;
    EXPECT_TRUE(LeftToStb(HandBuiltPng(6, 3, 3, beyond, {0}, {PaletteChunk(9)}))); // index 9 has no entry
}

TEST(PngDecoder, HeadersBeyondTheLimitsAreDeclinedBeforeAnyPixelMemory)
{
    const std::string stream = Compress(std::string(64, '\0'));
    for (uint32_t width : {0u, 16385u, 0x80000000u, 0xFFFFFFFFu})
        EXPECT_TRUE(LeftToStb(PngFile({HeaderChunk(width, 1, 8, 6), Chunk("IDAT", stream), Chunk("IEND", "")})));
    // Within each side's limit, but too many pixels in all.
    EXPECT_TRUE(LeftToStb(PngFile({HeaderChunk(16384, 16384, 8, 0), Chunk("IDAT", stream), Chunk("IEND", "")})));
    EXPECT_TRUE(LeftToStb(PngFile({HeaderChunk(16384, 8192, 8, 6), Chunk("IDAT", stream), Chunk("IEND", "")})));
    EXPECT_TRUE(LeftToStb(PngFile({HeaderChunk(4, 4, 8, 1), Chunk("IDAT", stream), Chunk("IEND", "")})));
    EXPECT_TRUE(LeftToStb(PngFile({HeaderChunk(4, 4, 8, 6), HeaderChunk(4, 4, 8, 6), Chunk("IDAT", stream),
                                   Chunk("IEND", "")})));
}

TEST(PngRowFilters, AnUnknownFilterTypeIsRefused)
{
    BYTE row[4] = {1, 2, 3, 4};
    const BYTE prior[4] = {};
    EXPECT_FALSE(UnfilterPngRow(5, row, prior, 4, 1));
    EXPECT_FALSE(UnfilterPngRow(255, row, prior, 4, 1));
    EXPECT_TRUE(UnfilterPngRow(1, row, prior, 4, 1));
    EXPECT_EQ(10, row[3]); // sub: a running sum
}
