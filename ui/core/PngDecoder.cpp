#include "ui/core/PngDecoder.h"

#include "ui/core/PngRowFilters.h"
#include "ui/core/PngStructure.h"
#include "ui/core/PremultipliedPixels.h"

#include <zlib.h>

#include <new>
#include <vector>

namespace SkinUI {

namespace {

class CInflateStream {
public:
    CInflateStream() { m_ready = inflateInit(&m_stream) == Z_OK; }
    ~CInflateStream()
    {
        if (m_ready)
            inflateEnd(&m_stream);
    }
    CInflateStream(const CInflateStream&) = delete;
    CInflateStream& operator=(const CInflateStream&) = delete;

    // True when the spans hold one zlib stream that inflates to exactly `size` bytes.
    // More data than that is declined too, though the general decoder tolerates it.
    bool InflateExactly(const std::vector<TByteSpan>& spans, BYTE* out, size_t size)
    {
        if (!m_ready)
            return false;
        m_stream.next_out = out;
        m_stream.avail_out = uInt(size);
        for (const TByteSpan& span : spans) {
            m_stream.next_in = const_cast<Bytef*>(span.data);
            m_stream.avail_in = uInt(span.size);
            while (m_stream.avail_in > 0) {
                const int status = inflate(&m_stream, Z_NO_FLUSH);
                if (status == Z_STREAM_END)
                    return m_stream.avail_out == 0;
                if (status != Z_OK)
                    return false;
            }
        }
        return false; // the stream never ended
    }

private:
    z_stream m_stream = {};
    bool m_ready = false;
};

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

    // Each row is a filter-type byte then its samples; the header's limits keep this under 2^31.
    const size_t pixelBytes = size_t(png.Channels());
    const size_t rowBytes = size_t(png.width) * pixelBytes;
    const size_t filteredSize = (rowBytes + 1) * size_t(png.height);
    std::unique_ptr<BYTE[]> filtered(new (std::nothrow) BYTE[filteredSize]);
    if (!filtered || !CInflateStream().InflateExactly(png.imageData, filtered.get(), filteredSize))
        return nullptr;

    auto record = CreateBlankImageRecord(png.width, png.height, mask);
    if (!record)
        return nullptr;
    const std::vector<BYTE> zeroRow(rowBytes, 0);
    const BYTE* prior = zeroRow.data();
    BYTE* target = record->pixels;
    bool translucent = false;
    for (int y = 0; y < png.height; ++y, target += size_t(png.width) * 4) {
        BYTE* row = filtered.get() + size_t(y) * (rowBytes + 1);
        if (!UnfilterPngRow(row[0], row + 1, prior, rowBytes, pixelBytes) ||
            !StoreSamples(png, row + 1, target, mask, translucent))
            return nullptr;
        prior = row + 1;
    }
    record->hasAlpha = translucent;
    return record;
}

} // namespace SkinUI
