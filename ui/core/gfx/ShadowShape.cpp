#include "ui/core/gfx/ShadowShape.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace SkinUI {

namespace {

constexpr int kEmptyStart = 1 << 28;
constexpr int kEmptyEnd = -(1 << 28);

bool IsEmpty(const TRowSpan& span) { return span.start >= span.end; }

// One pass of shrinking: each row keeps what it shares with its neighbours, one pixel narrower.
void ShrinkOnce(std::vector<TRowSpan>& rows)
{
    const std::vector<TRowSpan> before = rows;
    const int count = int(rows.size());
    for (int y = 0; y < count; ++y) {
        int start = before[y].start;
        int end = before[y].end;
        for (int n = y - 1; n <= y + 1; n += 2) {
            const TRowSpan neighbour = (n >= 0 && n < count) ? before[n] : TRowSpan{kEmptyStart, kEmptyEnd};
            start = std::max(start, neighbour.start);
            end = std::min(end, neighbour.end);
        }
        rows[y] = (start + 1 < end - 1) ? TRowSpan{start + 1, end - 1} : TRowSpan{kEmptyStart, kEmptyEnd};
    }
}

bool Covers(const std::vector<TRowSpan>& rows, int y, int x)
{
    if (y < 0 || y >= int(rows.size()))
        return false;
    return x >= rows[y].start && x < rows[y].end;
}

} // namespace

std::vector<TRowSpan> RegionRowSpans(HRGN region, int width, int height)
{
    std::vector<TRowSpan> rows(size_t(std::max(height, 0)), TRowSpan{0, std::max(width, 0)});
    if (!region || rows.empty())
        return rows;
    const DWORD bytes = ::GetRegionData(region, 0, nullptr);
    if (bytes < sizeof(RGNDATAHEADER))
        return rows;
    std::unique_ptr<BYTE[]> buffer(new BYTE[bytes]);
    RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.get());
    if (::GetRegionData(region, bytes, data) != bytes)
        return rows;
    std::fill(rows.begin(), rows.end(), TRowSpan{kEmptyStart, kEmptyEnd});
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    const DWORD count = std::min<DWORD>(data->rdh.nCount, (bytes - sizeof(RGNDATAHEADER)) / sizeof(RECT));
    for (DWORD i = 0; i < count; ++i) {
        const RECT& r = rects[i];
        const int left = std::max<int>(r.left, 0);
        const int right = std::min<int>(r.right, width);
        if (left >= right)
            continue;
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, height); ++y) {
            rows[y].start = std::min(rows[y].start, left);
            rows[y].end = std::max(rows[y].end, right);
        }
    }
    return rows;
}

std::vector<DWORD> ComputeShadowPixels(int ownerWidth, int ownerHeight, const std::vector<TRowSpan>& ownerRows,
                                       const TShadowShapeParams& params)
{
    const int size = params.size;
    const int width = ownerWidth + 2 * size;
    const int height = ownerHeight + 2 * size;
    if (width <= 0 || height <= 0 || ownerWidth <= 0 || ownerHeight <= 0)
        return {};

    // The owner's shape in shadow coordinates, `size` empty rows above and below.
    std::vector<TRowSpan> rows(size_t(height), TRowSpan{kEmptyStart, kEmptyEnd});
    for (int y = 0; y < height; ++y) {
        const int ownerY = y - size;
        if (ownerY < 0 || ownerY >= ownerHeight || ownerY >= int(ownerRows.size()) || IsEmpty(ownerRows[ownerY]))
            continue;
        const int start = std::max(ownerRows[ownerY].start + size, 0);
        const int end = std::min(ownerRows[ownerY].end + size, width);
        if (start < end)
            rows[y] = TRowSpan{start, end};
    }
    for (int pass = 0; pass < params.sharpness - size; ++pass)
        ShrinkOnce(rows);

    // The round stamp: solid up to the core, then fading out to its radius.
    const int darkness = std::clamp(params.darkness, 0, 255);
    const int radius = std::max(size, params.sharpness);
    const int core = std::max(0, size - params.sharpness);
    const int side = 2 * radius + 1;
    std::vector<BYTE> stamp(size_t(side) * side, 0);
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const double distance = std::sqrt(double(dx * dx + dy * dy));
            double alpha = 0.0;
            if (distance < core)
                alpha = darkness;
            else if (distance <= radius)
                alpha = darkness * (1.0 - (distance - core) / double(params.sharpness + 1));
            stamp[size_t(dy + radius) * side + (dx + radius)] = BYTE(std::clamp(alpha, 0.0, 255.0));
        }
    }

    // Interiors solid, every edge pixel stamped; overlapping stamps keep the strongest alpha.
    std::vector<BYTE> alpha(size_t(width) * height, 0);
    auto stampAt = [&](int cx, int cy) {
        for (int dy = -radius; dy <= radius; ++dy) {
            const int y = cy + dy;
            if (y < 0 || y >= height)
                continue;
            for (int dx = -radius; dx <= radius; ++dx) {
                const int x = cx + dx;
                if (x < 0 || x >= width)
                    continue;
                BYTE& target = alpha[size_t(y) * width + x];
                target = std::max(target, stamp[size_t(dy + radius) * side + (dx + radius)]);
            }
        }
    };
    for (int y = 0; y < height; ++y) {
        const TRowSpan& span = rows[y];
        if (IsEmpty(span))
            continue;
        for (int x = span.start; x < span.end; ++x) {
            alpha[size_t(y) * width + x] = BYTE(darkness);
            const bool edge = x == span.start || x == span.end - 1 || !Covers(rows, y - 1, x) || !Covers(rows, y + 1, x);
            if (edge)
                stampAt(x, y);
        }
    }

    // The owner covers its own area; leave it clear so the shadow never darkens the window.
    const int shiftX = size - params.offsetX;
    const int shiftY = size - params.offsetY;
    for (int ownerY = 0; ownerY < ownerHeight && ownerY < int(ownerRows.size()); ++ownerY) {
        const int y = ownerY + shiftY;
        if (y < 0 || y >= height || IsEmpty(ownerRows[ownerY]))
            continue;
        const int start = std::max(ownerRows[ownerY].start + shiftX, 0);
        const int end = std::min(ownerRows[ownerY].end + shiftX, width);
        for (int x = start; x < end; ++x)
            alpha[size_t(y) * width + x] = 0;
    }

    const DWORD red = (params.rgb >> 16) & 0xFF;
    const DWORD green = (params.rgb >> 8) & 0xFF;
    const DWORD blue = params.rgb & 0xFF;
    std::vector<DWORD> pixels(alpha.size(), 0);
    for (size_t i = 0; i < alpha.size(); ++i) {
        const DWORD a = alpha[i];
        if (a)
            pixels[i] = (a << 24) | ((red * a / 255) << 16) | ((green * a / 255) << 8) | (blue * a / 255);
    }
    return pixels;
}

} // namespace SkinUI
