#include "ui/core/gfx/image/PngRowFilters.h"

#include <cstdlib>

namespace SkinUI {

namespace {

// Of left, above and upper-left, the one closest to left + above - upper-left
// (ties prefer left, then above).
inline int Paeth(int left, int above, int upperLeft)
{
    const int toLeft = std::abs(above - upperLeft);
    const int toAbove = std::abs(left - upperLeft);
    const int toUpperLeft = std::abs(left + above - 2 * upperLeft);
    if (toLeft <= toAbove && toLeft <= toUpperLeft)
        return left;
    return toAbove <= toUpperLeft ? above : upperLeft;
}

} // namespace

bool UnfilterPngRow(BYTE filterType, BYTE* row, const BYTE* prior, size_t length, size_t pixelBytes)
{
    const size_t first = pixelBytes < length ? pixelBytes : length; // bytes with no pixel on their left
    switch (filterType) {
    case 0:
        return true;
    case 1:
        for (size_t i = first; i < length; ++i)
            row[i] = BYTE(row[i] + row[i - pixelBytes]);
        return true;
    case 2:
        for (size_t i = 0; i < length; ++i)
            row[i] = BYTE(row[i] + prior[i]);
        return true;
    case 3:
        for (size_t i = 0; i < first; ++i)
            row[i] = BYTE(row[i] + (prior[i] >> 1));
        for (size_t i = first; i < length; ++i)
            row[i] = BYTE(row[i] + ((prior[i] + row[i - pixelBytes]) >> 1));
        return true;
    case 4:
        for (size_t i = 0; i < first; ++i)
            row[i] = BYTE(row[i] + prior[i]); // Paeth of (0, above, 0) is above
        for (size_t i = first; i < length; ++i)
            row[i] = BYTE(row[i] + Paeth(row[i - pixelBytes], prior[i], prior[i - pixelBytes]));
        return true;
    default:
        return false;
    }
}

} // namespace SkinUI
