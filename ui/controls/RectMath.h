#pragma once
// Rectangle arithmetic of layout and painting, free of any device context.
#include <windows.h>

#include <cmath>

namespace SkinUI {

inline bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline RECT OffsetBy(RECT r, LONG dx, LONG dy)
{
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}

// The common part of a and b; false (and an all-zero result) when they do not meet.
inline bool Intersect(RECT& out, const RECT& a, const RECT& b)
{
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (IsEmptyRect(r)) {
        out = RECT{};
        return false;
    }
    out = r;
    return true;
}

inline bool Meets(const RECT& a, const RECT& b)
{
    RECT ignored;
    return Intersect(ignored, a, b);
}

// The smallest rectangle holding both; an empty one does not count.
inline RECT Union(const RECT& a, const RECT& b)
{
    if (IsEmptyRect(a))
        return b;
    if (IsEmptyRect(b))
        return a;
    return RECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

inline RECT Deflate(const RECT& r, const RECT& by)
{
    return RECT{r.left + by.left, r.top + by.top, r.right - by.right, r.bottom - by.bottom};
}

inline bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

inline int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Raised to the minimum first, then lowered to the maximum (so the maximum
// wins when the limits cross).
inline int ApplyLimits(int value, int minimum, int maximum)
{
    if (value < minimum)
        value = minimum;
    if (value > maximum)
        value = maximum;
    return value;
}

// trunc(extent × fraction), kept inside the int range (a NaN gives 0) so that a
// wild anchor fraction cannot overflow the conversion.
inline LONG TruncScaled(LONG extent, double fraction)
{
    const double value = std::trunc(double(extent) * fraction);
    if (!(value == value))
        return 0;
    if (value > 1e9)
        return 1000000000;
    if (value < -1e9)
        return -1000000000;
    return LONG(value);
}

} // namespace SkinUI
