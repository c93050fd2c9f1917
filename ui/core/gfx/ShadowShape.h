#pragma once
// The computed shadow: a soft-edged copy of the owner window's shape.
#include <windows.h>

#include <vector>

namespace SkinUI {

// The part of one row inside the owner's shape: [start, end); empty when start >= end.
struct TRowSpan {
    int start = 0;
    int end = 0;
};

struct TShadowShapeParams {
    int size = 0;       // spread: the shadow is this much larger on every side (-20..20)
    int sharpness = 5;  // width of the soft edge (0..20)
    int darkness = 150; // alpha of the solid part (0..255)
    int offsetX = 0;    // where the shadow sits relative to the owner
    int offsetY = 0;
    DWORD rgb = 0;      // 0x00RRGGBB
};

// The rows of a window region within width x height; no region: full rows.
std::vector<TRowSpan> RegionRowSpans(HRGN region, int width, int height);

// Premultiplied 32-bit pixels (top-down, 0xAARRGGBB) of a shadow of
// (ownerWidth + 2 size) x (ownerHeight + 2 size); empty when that is not
// positive. The owner's own area (at the offset) stays transparent, since
// the shadow window lies above its owner.
std::vector<DWORD> ComputeShadowPixels(int ownerWidth, int ownerHeight, const std::vector<TRowSpan>& ownerRows,
                                       const TShadowShapeParams& params);

} // namespace SkinUI
