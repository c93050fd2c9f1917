#pragma once
// Turns the bytes of a PNG, JPEG, BMP, GIF (first frame) or other raster file
// into a premultiplied 32-bit image record.
#include "ui/core/gfx/image/ImageRecord.h"

#include <cstddef>
#include <memory>

namespace SkinUI {

// An image wider or taller than this is refused as corrupt.
constexpr int kMaxImageSide = 1 << 14;

// None when the bytes are not a decodable image (corrupt, truncated, too large).
// A pixel whose premultiplied value equals `mask` becomes fully transparent.
std::unique_ptr<TImageRecord> DecodeImageBytes(const void* bytes, size_t size, DWORD mask);

} // namespace SkinUI
