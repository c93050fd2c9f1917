#pragma once
// Writing decoded straight-alpha pixels into an image record: premultiplied
// blue-green-red-alpha, with the load mask applied. Every decoder goes through
// here so that all of them round and mask alike.
#include "ui/core/gfx/image/ImageRecord.h"

#include <cstring>
#include <memory>

namespace SkinUI {

// A record with its zero-filled DIB section; none for sizes the DIB refuses.
std::unique_ptr<TImageRecord> CreateBlankImageRecord(int width, int height, DWORD mask);

// Stores one pixel at `target` (integer division: a colour never rounds up
// past its alpha). True when the pixel ends up not opaque or masked out.
inline bool StorePremultiplied(BYTE* target, unsigned red, unsigned green, unsigned blue, unsigned alpha,
                               DWORD mask)
{
    bool translucent = false;
    if (alpha == 255) {
        target[0] = BYTE(blue);
        target[1] = BYTE(green);
        target[2] = BYTE(red);
    } else {
        target[0] = BYTE(blue * alpha / 255);
        target[1] = BYTE(green * alpha / 255);
        target[2] = BYTE(red * alpha / 255);
        translucent = true;
    }
    target[3] = BYTE(alpha);

    DWORD value;
    std::memcpy(&value, target, 4);
    if (value == mask) {
        std::memset(target, 0, 4);
        translucent = true;
    }
    return translucent;
}

} // namespace SkinUI
