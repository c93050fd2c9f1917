#include "ui/core/gfx/image/PremultipliedPixels.h"

#include "ui/core/gfx/image/DibSection.h"

namespace SkinUI {

std::unique_ptr<TImageRecord> CreateBlankImageRecord(int width, int height, DWORD mask)
{
    auto record = std::make_unique<TImageRecord>();
    record->bitmap = CreateTopDownDib(width, height, &record->pixels);
    if (!record->bitmap)
        return nullptr;
    record->width = width;
    record->height = height;
    record->mask = mask;
    return record;
}

} // namespace SkinUI
