#include "ui/core/gfx/image/PngDecoder.h"

#include "ui/core/gfx/image/PngImageData.h"
#include "ui/core/gfx/image/PngRowFilters.h"
#include "ui/core/gfx/image/PngStructure.h"
#include "ui/core/gfx/image/PremultipliedPixels.h"

#include <algorithm>
#include <cstring>

namespace SkinUI {

namespace {

// Rows are inflated a strip at a time: small enough to stay in cache, and no
// image-sized buffer besides the bitmap (fresh pages cost more than inflating).
constexpr size_t kStripBytes = 64 * 1024;

// Stores one row of `width` pixels, reading each with `read(x, red, green, blue, alpha)`.
// True when some pixel is not opaque.
template <typename ReadPixel>
bool StoreRow(BYTE* target, int width, DWORD mask, ReadPixel read)
{
    bool translucent = false;
    for (int x = 0; x < width; ++x, target += 4) {
        unsigned red, green, blue, alpha;
        read(x, red, green, blue, alpha);
        translucent |= StorePremultiplied(target, red, green, blue, alpha, mask);
    }
    return translucent;
}

// False when a palette index has no entry (the general decoder reads
// unset memory then; it is left to it).
bool StoreSamples(const TPngStructure& png, const BYTE* row, BYTE* target, DWORD mask, bool& translucent)
{
    const int width = png.width;
    const BYTE* key = png.keyColour;
    switch (png.colour) {
    case EPngColour::Grey:
        if (png.hasKeyColour)
            translucent |= StoreRow(target, width, mask, [&](int x, unsigned& r, unsigned& g, unsigned& b, unsigned& a) {
                r = g = b = row[x];
                a = row[x] == key[0] ? 0 : 255;
            });
        else
            translucent |= StoreRow(target, width, mask, [&](int x, unsigned& r, unsigned& g, unsigned& b, unsigned& a) {
                r = g = b = row[x];
                a = 255;
            });
        return true;
    case EPngColour::GreyAlpha:
        translucent |= StoreRow(target, width, mask, [&](int x, unsigned& r, unsigned& g, unsigned& b, unsigned& a) {
            r = g = b = row[x * 2];
            a = row[x * 2 + 1];
        });
        return true;
    case EPngColour::Rgb:
        translucent |= StoreRow(target, width, mask, [&](int x, unsigned& r, unsigned& g, unsigned& b, unsigned& a) {
            const BYTE* p = row + x * 3;
            r = p[0];
            g = p[1];
            b = p[2];
            a = png.hasKeyColour && p[0] == key[0] && p[1] == key[1] && p[2] == key[2] ? 0 : 255;
        });
        return true;
    case EPngColour::Rgba:
        translucent |= StoreRow(target, width, mask, [&](int x, unsigned& r, unsigned& g, unsigned& b, unsigned& a) {
            const BYTE* p = row + x * 4;
            r = p[0];
            g = p[1];
            b = p[2];
            a = p[3];
        });
        return true;
    case EPngColour::Palette:
        for (int x = 0; x < width; ++x)
            if (row[x] >= png.paletteSize)
                return false;
        translucent |= StoreRow(target, width, mask, [&](int x, unsigned& r, unsigned& g, unsigned& b, unsigned& a) {
            const BYTE* entry = png.palette[row[x]];
            r = entry[0];
            g = entry[1];
            b = entry[2];
            a = entry[3];
        });
        return true;
    }
    return false;
}

} // namespace

std::unique_ptr<TImageRecord> DecodeCommonPng(const BYTE* bytes, size_t size, DWORD mask)
{
    TPngStructure png;
    if (!ReadPngStructure(bytes, size, png))
        return nullptr;
    auto record = CreateBlankImageRecord(png.width, png.height, mask);
    if (!record)
        return nullptr;

    // Each row is a filter-type byte then its samples. The strip's first slot
    // keeps the row above the strip (zeros above the first row).
    const size_t pixelBytes = size_t(png.Channels());
    const size_t rowBytes = size_t(png.width) * pixelBytes;
    const size_t rowStride = rowBytes + 1;
    const size_t stripRows = std::max<size_t>(1, kStripBytes / rowStride);
    std::unique_ptr<BYTE[]> strip(new BYTE[(stripRows + 1) * rowStride]());
    CPngImageData imageData(png.imageData);

    BYTE* target = record->pixels;
    const size_t targetStride = size_t(png.width) * 4;
    bool translucent = false;
    for (size_t y = 0; y < size_t(png.height);) {
        const size_t rows = std::min(stripRows, size_t(png.height) - y);
        if (!imageData.Read(strip.get() + rowStride, rows * rowStride))
            return nullptr;
        for (size_t i = 1; i <= rows; ++i, ++y, target += targetStride) {
            BYTE* row = strip.get() + i * rowStride;
            const BYTE* prior = row - rowStride + 1;
            if (!UnfilterPngRow(row[0], row + 1, prior, rowBytes, pixelBytes) ||
                !StoreSamples(png, row + 1, target, mask, translucent))
                return nullptr;
        }
        std::memcpy(strip.get() + 1, strip.get() + rows * rowStride + 1, rowBytes);
    }
    // The general decoder tolerates more data than the image needs; such
    // rare files are left to it rather than inflated twice here.
    if (!imageData.EndsHere())
        return nullptr;
    record->hasAlpha = translucent;
    return record;
}

} // namespace SkinUI
