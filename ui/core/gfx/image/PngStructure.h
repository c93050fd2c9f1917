#pragma once
// The chunk layout of a PNG of the common kind the fast decoder handles:
// 8 bits per sample, not interlaced, grey, RGB, palette, grey+alpha or RGBA.
// Anything else is declined so that the general decoder takes it.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace SkinUI {

enum class EPngColour : BYTE { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

struct TByteSpan {
    const BYTE* data;
    size_t size;
};

struct TPngStructure {
    int width = 0;
    int height = 0;
    EPngColour colour = EPngColour::Grey;
    BYTE palette[256][4] = {};        // red, green, blue, alpha
    int paletteSize = 0;              // entries of the last PLTE chunk
    bool hasKeyColour = false;        // tRNS of a grey or RGB image: this colour is transparent
    BYTE keyColour[3] = {};           // grey in [0]; or red, green, blue
    std::vector<TByteSpan> imageData; // the IDAT chunks' contents, in order: one zlib stream

    int Channels() const;             // samples per pixel in the filtered rows
};

// False when the bytes are not such a PNG, or not one the general decoder
// would accept (it is the reference: bad chunk order, sizes or lengths are
// declined here the way it refuses them). Never reads outside [bytes, bytes + size).
bool ReadPngStructure(const BYTE* bytes, size_t size, TPngStructure& png);

} // namespace SkinUI
