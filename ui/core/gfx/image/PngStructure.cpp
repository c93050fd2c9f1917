#include "ui/core/gfx/image/PngStructure.h"

#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/image/ImageDecoder.h"

#include <cstdint>
#include <cstring>

namespace SkinUI {

namespace {

constexpr BYTE kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr size_t kChunkHeader = 8, kChunkCrc = 4;

constexpr uint32_t ChunkType(char a, char b, char c, char d)
{
    return uint32_t(BYTE(a)) << 24 | uint32_t(BYTE(b)) << 16 | uint32_t(BYTE(c)) << 8 | uint32_t(BYTE(d));
}

constexpr uint32_t kHeaderChunk = ChunkType('I', 'H', 'D', 'R');
constexpr uint32_t kPaletteChunk = ChunkType('P', 'L', 'T', 'E');
constexpr uint32_t kTransparencyChunk = ChunkType('t', 'R', 'N', 'S');
constexpr uint32_t kImageDataChunk = ChunkType('I', 'D', 'A', 'T');
constexpr uint32_t kEndChunk = ChunkType('I', 'E', 'N', 'D');
constexpr uint32_t kAppleChunk = ChunkType('C', 'g', 'B', 'I'); // Apple's headerless, BGR variant
constexpr uint32_t kAncillaryBit = 1u << 29;                    // lower-case first letter

uint32_t ReadBigEndian32(const BYTE* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool ReadHeader(const BYTE* data, uint32_t length, TPngStructure& png)
{
    if (length != 13)
        return false;
    const uint32_t width = ReadBigEndian32(data), height = ReadBigEndian32(data + 4);
    const BYTE depth = data[8], colour = data[9], compression = data[10], filter = data[11], interlace = data[12];
    if (width == 0 || height == 0 || width > uint32_t(kMaxImageSide) || height > uint32_t(kMaxImageSide))
        return false;
    if (depth != 8 || compression != 0 || filter != 0 || interlace != 0)
        return false;
    if (colour != 0 && colour != 2 && colour != 3 && colour != 4 && colour != 6)
        return false;
    png.width = int(width);
    png.height = int(height);
    png.colour = EPngColour(colour);
    // The general decoder's own ceiling: a palette image counts four bytes a pixel.
    const uint32_t sampleBytes = png.colour == EPngColour::Palette ? 4 : uint32_t(png.Channels());
    if ((1u << 30) / width / sampleBytes < height)
        return false;
    return (long long)width * height <= kMaxDibPixels;
}

bool ReadPalette(const BYTE* data, uint32_t length, TPngStructure& png)
{
    if (length > 256 * 3 || length % 3 != 0)
        return false;
    png.paletteSize = int(length / 3);
    for (int i = 0; i < png.paletteSize; ++i) {
        std::memcpy(png.palette[i], data + i * 3, 3);
        png.palette[i][3] = 255;
    }
    return true;
}

bool ReadTransparency(const BYTE* data, uint32_t length, TPngStructure& png)
{
    if (png.colour == EPngColour::Palette) {
        if (png.paletteSize == 0 || length > uint32_t(png.paletteSize))
            return false;
        for (uint32_t i = 0; i < length; ++i)
            png.palette[i][3] = data[i];
        return true;
    }
    if (png.colour != EPngColour::Grey && png.colour != EPngColour::Rgb)
        return false; // the image has an alpha channel already
    const int samples = png.Channels();
    if (length != uint32_t(samples) * 2)
        return false;
    png.hasKeyColour = true;
    for (int i = 0; i < samples; ++i)
        png.keyColour[i] = data[i * 2 + 1]; // 16-bit samples; an 8-bit image compares the low byte
    return true;
}

} // namespace

int TPngStructure::Channels() const
{
    switch (colour) {
    case EPngColour::Grey:
    case EPngColour::Palette:
        return 1;
    case EPngColour::GreyAlpha:
        return 2;
    case EPngColour::Rgb:
        return 3;
    case EPngColour::Rgba:
        return 4;
    }
    return 1;
}

bool ReadPngStructure(const BYTE* bytes, size_t size, TPngStructure& png)
{
    if (!bytes || size < sizeof(kSignature) || std::memcmp(bytes, kSignature, sizeof(kSignature)) != 0)
        return false;
    png = TPngStructure();
    bool sawHeader = false;
    bool sawImageData = false; // an IDAT with content (empty ones count for nothing)
    size_t position = sizeof(kSignature);
    for (;;) {
        if (size - position < kChunkHeader)
            return false;
        const uint32_t length = ReadBigEndian32(bytes + position);
        const uint32_t type = ReadBigEndian32(bytes + position + 4);
        const BYTE* data = bytes + position + kChunkHeader;
        const size_t available = size - position - kChunkHeader;
        if (type == kEndChunk)
            return sawHeader && sawImageData; // its length and CRC are never looked at
        if (length > available || available - length < kChunkCrc)
            return false;
        if (!sawHeader && type != kHeaderChunk)
            return false;

        switch (type) {
        case kHeaderChunk:
            if (sawHeader || !ReadHeader(data, length, png))
                return false;
            sawHeader = true;
            break;
        case kPaletteChunk:
            if (!ReadPalette(data, length, png))
                return false;
            break;
        case kTransparencyChunk:
            if (sawImageData || !ReadTransparency(data, length, png))
                return false;
            break;
        case kImageDataChunk:
            if (png.colour == EPngColour::Palette && png.paletteSize == 0)
                return false;
            if (length > 0) {
                png.imageData.push_back(TByteSpan{data, length});
                sawImageData = true;
            }
            break;
        case kAppleChunk:
            return false;
        default:
            if (!(type & kAncillaryBit))
                return false; // an unknown critical chunk
            break;
        }
        position += kChunkHeader + length + kChunkCrc;
    }
}

} // namespace SkinUI
