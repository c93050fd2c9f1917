#pragma once
// Undoing the five PNG row filters (none, sub, up, average, Paeth).
#include <windows.h>

#include <cstddef>

namespace SkinUI {

// Restores `row` (`length` bytes, after its filter-type byte) in place from the
// restored row above, `prior` (all zeros for the first row). `pixelBytes` is
// the distance to the corresponding byte of the pixel on the left.
// False for a filter type that does not exist.
bool UnfilterPngRow(BYTE filterType, BYTE* row, const BYTE* prior, size_t length, size_t pixelBytes);

} // namespace SkinUI
