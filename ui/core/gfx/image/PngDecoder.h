#pragma once
// The fast path for the common PNGs (8 bits per sample, not interlaced; grey,
// RGB, palette, grey+alpha, RGBA): zlib inflates, rows are unfiltered and
// stored straight into the record. Gives the very pixels the general decoder gives.
#include "ui/core/gfx/image/ImageRecord.h"

#include <cstddef>
#include <memory>

namespace SkinUI {

// None when the bytes are not such a PNG, or are damaged in any way: the
// caller then leaves them to the general decoder, which has the final say.
std::unique_ptr<TImageRecord> DecodeCommonPng(const BYTE* bytes, size_t size, DWORD mask);

} // namespace SkinUI
