#include "ui/core/ImageDecoder.h"

#include "ui/core/DibSection.h"

#include <climits>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO // skin images only ever come from memory
#define STBI_MAX_DIMENSIONS (1 << 14)
#include <stb_image.h>

namespace SkinUI {

namespace {

struct TStbPixels {
    stbi_uc* data = nullptr;
    ~TStbPixels() { stbi_image_free(data); }
};

} // namespace

std::unique_ptr<TImageRecord> DecodeImageBytes(const void* bytes, size_t size, DWORD mask)
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

    auto record = std::make_unique<TImageRecord>();
    record->bitmap = CreateTopDownDib(width, height, &record->pixels);
    if (!record->bitmap)
        return nullptr;
    record->width = width;
    record->height = height;
    record->mask = mask;

    const stbi_uc* source = decoded.data;
    BYTE* target = record->pixels;
    const size_t count = size_t(width) * size_t(height);
    for (size_t i = 0; i < count; ++i, source += 4, target += 4) {
        const unsigned alpha = source[3];
        if (alpha == 255) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        } else {
            target[0] = BYTE(source[2] * alpha / 255);
            target[1] = BYTE(source[1] * alpha / 255);
            target[2] = BYTE(source[0] * alpha / 255);
            record->hasAlpha = true;
        }
        target[3] = BYTE(alpha);

        DWORD value;
        std::memcpy(&value, target, 4);
        if (value == mask) {
            std::memset(target, 0, 4);
            record->hasAlpha = true;
        }
    }
    return record;
}

} // namespace SkinUI
