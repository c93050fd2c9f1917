#pragma once
// 32-bit top-down DIB sections: the pixel surface of decoded images,
// one-pixel fills and off-screen gradients.
#include "base/ScopedHandle.h"

#include <windows.h>

namespace SkinUI {

// Largest pixel count accepted for one bitmap (keeps width * height * 4 far from overflow).
constexpr long long kMaxDibPixels = 1LL << 26;

// Creates a zero-filled width x height bitmap; `pixels` receives its memory.
// Returns an empty handle for sizes that are not positive or too large.
CBitmap CreateTopDownDib(int width, int height, BYTE** pixels);

} // namespace SkinUI
