#pragma once
// Nine-grid geometry: fixed corners and edges around a middle cell that is
// stretched or tiled. Plain arithmetic, so it is tested without a device context.
#include <windows.h>

#include <functional>

namespace SkinUI {

// One blit: where it goes and which part of the image it takes.
struct TGridCell {
    RECT dest;
    RECT source;
};

// Visits the cells of destination `dest` drawn from `source` with border widths
// `corner` (left, top, right, bottom): first the middle (skipped with `hole`;
// tiles of the source middle's size left to right with `xTiled`, top to bottom
// with `yTiled`, row by row with both, the last ones cut at the edges), then
// top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
// Corners need both widths positive, edges their one width; cells that have
// no area in the destination or the source are skipped. Negative corner
// widths count as 0.
void ForEachNineGridCell(const RECT& dest, const RECT& source, const RECT& corner, bool hole, bool xTiled,
                         bool yTiled, const std::function<void(const TGridCell&)>& visit);

} // namespace SkinUI
