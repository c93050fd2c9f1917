#pragma once
// A decoded skin image: a 32-bit top-down DIB section with premultiplied
// pixels, as the blending functions expect them.
#include "base/ScopedHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace SkinUI {

struct TImageRecord {
    CBitmap bitmap;                 // the DIB section; deleted with the record
    BYTE* pixels = nullptr;         // its pixel memory: blue, green, red, alpha per pixel
    std::vector<BYTE> pixelCopy;    // untouched pixels, kept only for colour-adjusted images
    int width = 0;
    int height = 0;
    bool hasAlpha = false;          // some pixel is not opaque (or was masked out)
    bool useHsl = false;            // follows the global colour adjustment
    std::wstring resourceType;      // the resource type it came from; empty for files
    DWORD mask = 0;                 // the ARGB value made transparent at load

    size_t ByteCount() const { return size_t(width) * size_t(height) * 4; }
};

} // namespace SkinUI
