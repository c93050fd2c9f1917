#pragma once
// The general decoder: every raster format stb_image reads (PNG of any kind,
// JPEG, BMP, GIF first frame, ...).
#include "ui/core/gfx/image/ImageRecord.h"

#include <cstddef>
#include <memory>

namespace SkinUI {

// None when the bytes are not a decodable image (corrupt, truncated, too large).
std::unique_ptr<TImageRecord> DecodeWithStb(const void* bytes, size_t size, DWORD mask);

} // namespace SkinUI
