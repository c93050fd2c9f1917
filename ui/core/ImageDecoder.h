#pragma once
// Turns the bytes of a PNG, JPEG, BMP, GIF (first frame) or other raster file
// into a premultiplied 32-bit image record.
#include "ui/core/ImageRecord.h"

#include <cstddef>
#include <memory>

namespace SkinUI {

// None when the bytes are not a decodable image (corrupt, truncated, too large).
// A pixel whose premultiplied value equals `mask` becomes fully transparent.
std::unique_ptr<TImageRecord> DecodeImageBytes(const void* bytes, size_t size, DWORD mask);

} // namespace SkinUI
