// Seeded random damage to PNGs of every kind the fast path handles. Each
// variant sits right before a no-access page (and so does the decoder's row
// strip), so a read past either end crashes; whatever the fast path still
// decodes, stb must decode to the very same record.
#include "tests/support/GuardedMemory.h"
#include "tests/ui/core/gfx/image/PngTestFiles.h"
#include "ui/core/gfx/image/PngDecoder.h"
#include "ui/core/gfx/image/StbImageDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace SkinUI;
using namespace PngTest;

namespace {

std::string BigEndian32(uint32_t value)
{
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::vector<std::string> Originals()
{
    std::vector<std::string> pngs = {
        StbWrittenPng(MakeSamples(13, 7, 4, 1), 13, 7, 4),
        StbWrittenPng(MakeSamples(6, 5, 3, 2), 6, 5, 3),
        StbWrittenPng(MakeSamples(9, 3, 1, 3), 9, 3, 1),
        StbWrittenPng(MakeSamples(5, 5, 2, 4), 5, 5, 2, 4),
    };
    std::vector<uint8_t> indices = MakeSamples(7, 6, 1, 5);
    for (uint8_t& index : indices)
        index %= 12;
    std::string palette, alpha;
    for (int i = 0; i < 12; ++i) {
        palette += {char(i * 20), char(200 - i), char(i * 7)};
        alpha += char(i * 23);
    }
    pngs.push_back(PngFile({HeaderChunk(7, 6, 8, 3), Chunk("PLTE", palette), Chunk("tRNS", alpha.substr(0, 9)),
                            Chunk("IDAT", Compress(FilterRows(indices, 7, 1, {0, 1, 2, 3, 4}))), Chunk("IEND", "")}));
    const auto rgb = MakeSamples(5, 4, 3, 6);
    const std::string stream = Compress(FilterRows(rgb, 15, 3, {4, 3, 2, 1}));
    pngs.push_back(PngFile({HeaderChunk(5, 4, 8, 2), Chunk("tRNS", std::string("\0\1\0\2\0\3", 6)),
                            Chunk("IDAT", stream.substr(0, 9)), Chunk("tEXt", "a"), Chunk("IDAT", stream.substr(9)),
                            Chunk("IEND", "")}));
    return pngs;
}

std::string Damaged(const std::string& original, std::mt19937& random)
{
    std::string png = original;
    auto at = [&](size_t size) { return size == 0 ? size_t(0) : size_t(random() % size); };
    const auto chunks = ChunkPlaces(png);
    const TChunkPlace& chunk = chunks[at(chunks.size())];
    switch (random() % 8) {
    case 0: // flipped bits
        for (unsigned n = 1 + random() % 3; n > 0; --n)
            png[at(png.size())] ^= char(1 << (random() % 8));
        break;
    case 1: // a byte anywhere
        png[at(png.size())] = char(random());
        break;
    case 2: // cut short
        png.resize(at(png.size()));
        break;
    case 3: { // a chunk length off by a little or a lot
        static const uint32_t lengths[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF4};
        const uint32_t length = random() % 2 ? chunk.length + uint32_t(int(random() % 9) - 4) : lengths[random() % 6];
        png.replace(chunk.offset, 4, BigEndian32(length));
        break;
    }
    case 4: // bytes inserted
        png.insert(at(png.size() + 1), std::string(1 + random() % 5, char(random())));
        break;
    case 5: // bytes removed
        png.erase(at(png.size()), 1 + random() % 6);
        break;
    case 6: { // a chunk's content changed, its CRC made right again
        if (chunk.length == 0 || chunk.offset + 12 + chunk.length > png.size())
            break;
        std::string data = png.substr(chunk.offset + 8, chunk.length);
        data[at(data.size())] ^= char(1 + random() % 255);
        png.replace(chunk.offset, 12 + chunk.length, Chunk(chunk.type.c_str(), data));
        break;
    }
    default: { // the header: sizes, depth, colour type, interlace
        static const uint32_t sides[] = {0, 1, 2, 5, 6, 7, 8, 13, 16384, 16385, 0x10000, 0x7FFFFFFF, 0xFFFFFFFF};
        const size_t field = 16 + at(13);
        if (field < 24)
            png.replace(field & ~size_t(3), 4, BigEndian32(sides[random() % 13]));
        else
            png[field] = char(random() % 2 ? random() % 8 : random() % 20);
        break;
    }
    }
    return png;
}

bool SameRecord(const TImageRecord& a, const TImageRecord& b)
{
    return a.width == b.width && a.height == b.height && a.hasAlpha == b.hasAlpha && a.mask == b.mask &&
           std::memcmp(a.pixels, b.pixels, a.ByteCount()) == 0;
}

} // namespace

TEST(PngDecoderMutation, DamagedPngsNeverReadOutsideAndDecodeOnlyAsStbDoes)
{
    std::mt19937 random(20261209);
    const auto originals = Originals();
    int fastDecoded = 0, stbOnly = 0, neither = 0;
    GuardedMemory::CGuardArrays guardArrays;
    const size_t guardedBefore = GuardedMemory::GuardedArrayCount();
    for (int i = 0; i < 4000; ++i) {
        const std::string bytes = Damaged(originals[size_t(i) % originals.size()], random);
        const DWORD mask = i % 5 == 0 ? DWORD(random()) | 0xFF000000 : 0;
        GuardedMemory::CBlock block(bytes);
        auto fast = DecodeCommonPng(block.Data(), block.Size(), mask);
        auto stb = DecodeWithStb(block.Data(), block.Size(), mask);
        if (fast) {
            ++fastDecoded;
            ASSERT_TRUE(stb) << "variant " << i << ": the fast path decoded what stb refuses";
            ASSERT_TRUE(SameRecord(*fast, *stb)) << "variant " << i << " decodes differently";
        } else if (stb) {
            ++stbOnly;
        } else {
            ++neither;
        }
    }
    EXPECT_GT(GuardedMemory::GuardedArrayCount(), guardedBefore); // the row strip was guarded too
    EXPECT_GT(fastDecoded, 200);
    EXPECT_GT(neither, 1000);
    std::printf("  %d variants decoded alike, %d left to stb, %d refused by both\n", fastDecoded, stbOnly, neither);
}
