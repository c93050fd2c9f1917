#include "ui/core/gfx/image/StbImageDecoder.h"

#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/image/ImageDecoder.h"
#include "ui/core/gfx/image/PremultipliedPixels.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO // skin images only ever come from memory
#define STBI_MAX_DIMENSIONS SkinUI::kMaxImageSide
#include <stb_image.h>

namespace SkinUI {

namespace {

struct TStbPixels {
    stbi_uc* data = nullptr;
    ~TStbPixels() { stbi_image_free(data); }
};

} // namespace

std::unique_ptr<TImageRecord> DecodeWithStb(const void* bytes, size_t size, DWORD mask)
{
    if (!bytes || size == 0 || size > size_t(INT_MAX))
        return nullptr;

    int width = 0, height = 0, channels = 0;
    // Refuse huge images from their header alone, before any pixel memory is taken.
    if (!stbi_info_from_memory(static_cast<const stbi_uc*>(bytes), int(size), &width, &height, &channels) ||
        width <= 0 || height <= 0 || (long long)width * height > kMaxDibPixels)
        return nullptr;
    TStbPixels decoded;
    decoded.data = stbi_load_from_memory(static_cast<const stbi_uc*>(bytes), int(size), &width, &height, &channels, 4);
    if (!decoded.data || width <= 0 || height <= 0)
        return nullptr;

    auto record = CreateBlankImageRecord(width, height, mask);
    if (!record)
        return nullptr;
    const stbi_uc* source = decoded.data;
    BYTE* target = record->pixels;
    const size_t count = size_t(width) * size_t(height);
    bool translucent = false;
    for (size_t i = 0; i < count; ++i, source += 4, target += 4)
        translucent |= StorePremultiplied(target, source[0], source[1], source[2], source[3], mask);
    record->hasAlpha = translucent;
    return record;
}

} // namespace SkinUI
