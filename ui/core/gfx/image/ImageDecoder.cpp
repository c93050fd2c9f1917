#include "ui/core/gfx/image/ImageDecoder.h"

#include "ui/core/gfx/image/PngDecoder.h"
#include "ui/core/gfx/image/StbImageDecoder.h"

#include <climits>

namespace SkinUI {

std::unique_ptr<TImageRecord> DecodeImageBytes(const void* bytes, size_t size, DWORD mask)
{
    if (!bytes || size == 0 || size > size_t(INT_MAX))
        return nullptr;
    // The skin's own art takes the fast path; any other PNG, and every other
    // format, goes to the general decoder, which gives the same pixels.
    if (auto record = DecodeCommonPng(static_cast<const BYTE*>(bytes), size, mask))
        return record;
    return DecodeWithStb(bytes, size, mask);
}

} // namespace SkinUI
