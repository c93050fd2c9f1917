#include "ui/core/gfx/NineGrid.h"

#include <algorithm>

namespace SkinUI {

namespace {

constexpr LONG kCoordinateLimit = 1 << 28;

RECT Bounded(const RECT& r, LONG low, LONG high)
{
    return RECT{std::clamp(r.left, low, high), std::clamp(r.top, low, high), std::clamp(r.right, low, high),
                std::clamp(r.bottom, low, high)};
}

bool HasArea(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

void Emit(const RECT& dest, const RECT& source, const std::function<void(const TGridCell&)>& visit)
{
    if (HasArea(dest) && HasArea(source))
        visit(TGridCell{dest, source});
}

void VisitMiddle(const RECT& dm, const RECT& sm, bool xTiled, bool yTiled,
                 const std::function<void(const TGridCell&)>& visit)
{
    const LONG tileWidth = sm.right - sm.left;
    const LONG tileHeight = sm.bottom - sm.top;
    if (!HasArea(dm) || tileWidth <= 0 || tileHeight <= 0)
        return;

    if (xTiled && yTiled) {
        for (long long y = dm.top; y < dm.bottom; y += tileHeight) {
            const LONG height = LONG(std::min<long long>(tileHeight, dm.bottom - y));
            for (long long x = dm.left; x < dm.right; x += tileWidth) {
                const LONG width = LONG(std::min<long long>(tileWidth, dm.right - x));
                Emit(RECT{LONG(x), LONG(y), LONG(x) + width, LONG(y) + height}, RECT{sm.left, sm.top, sm.left + width, sm.top + height},
                     visit);
            }
        }
    } else if (xTiled) {
        for (long long x = dm.left; x < dm.right; x += tileWidth) {
            const LONG width = LONG(std::min<long long>(tileWidth, dm.right - x));
            Emit(RECT{LONG(x), dm.top, LONG(x) + width, dm.bottom}, RECT{sm.left, sm.top, sm.right - (tileWidth - width), sm.bottom},
                 visit);
        }
    } else if (yTiled) {
        for (long long y = dm.top; y < dm.bottom; y += tileHeight) {
            const LONG height = LONG(std::min<long long>(tileHeight, dm.bottom - y));
            Emit(RECT{dm.left, LONG(y), dm.right, LONG(y) + height},
                 RECT{sm.left, sm.top, sm.right, sm.bottom - (tileHeight - height)}, visit);
        }
    } else {
        Emit(dm, sm, visit);
    }
}

} // namespace

void ForEachNineGridCell(const RECT& dest, const RECT& source, const RECT& corner, bool hole, bool xTiled,
                         bool yTiled, const std::function<void(const TGridCell&)>& visit)
{
    // Markup supplies these numbers: bound them so no sum below can overflow.
    const RECT d = Bounded(dest, -kCoordinateLimit, kCoordinateLimit);
    const RECT s = Bounded(source, -kCoordinateLimit, kCoordinateLimit);
    const RECT c = Bounded(corner, 0, kCoordinateLimit);
    if (!hole) {
        VisitMiddle(RECT{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom},
                    RECT{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom}, xTiled, yTiled,
                    visit);
    }
    if (c.left > 0 && c.top > 0) // top-left
        Emit(RECT{d.left, d.top, d.left + c.left, d.top + c.top}, RECT{s.left, s.top, s.left + c.left, s.top + c.top},
             visit);
    if (c.top > 0) // top
        Emit(RECT{d.left + c.left, d.top, d.right - c.right, d.top + c.top},
             RECT{s.left + c.left, s.top, s.right - c.right, s.top + c.top}, visit);
    if (c.right > 0 && c.top > 0) // top-right
        Emit(RECT{d.right - c.right, d.top, d.right, d.top + c.top},
             RECT{s.right - c.right, s.top, s.right, s.top + c.top}, visit);
    if (c.left > 0) // left
        Emit(RECT{d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
             RECT{s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom}, visit);
    if (c.right > 0) // right
        Emit(RECT{d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
             RECT{s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom}, visit);
    if (c.left > 0 && c.bottom > 0) // bottom-left
        Emit(RECT{d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
             RECT{s.left, s.bottom - c.bottom, s.left + c.left, s.bottom}, visit);
    if (c.bottom > 0) // bottom
        Emit(RECT{d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
             RECT{s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom}, visit);
    if (c.right > 0 && c.bottom > 0) // bottom-right
        Emit(RECT{d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
             RECT{s.right - c.right, s.bottom - c.bottom, s.right, s.bottom}, visit);
}

} // namespace SkinUI
