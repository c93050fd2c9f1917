#include "ui/core/gfx/RenderKit.h"

#include "ui/core/gfx/BlendFunctions.h"
#include "ui/core/gfx/ColourAdjust.h"
#include "ui/core/gfx/image/ImageDecoder.h"
#include "ui/core/gfx/NineGrid.h"
#include "ui/core/res/SkinSource.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace SkinUI {

namespace {

bool Intersects(const RECT& a, const RECT& b)
{
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

bool IsZero(const RECT& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

LONG Clamped(long long value) { return LONG(std::clamp<long long>(value, LONG_MIN, LONG_MAX)); }

// The last rotated copy drawn; replaced by the next one.
CBitmap& RotatedSlot()
{
    static CBitmap slot;
    return slot;
}

} // namespace

std::unique_ptr<TImageRecord> CRenderKit::DecodeSkinImage(const std::wstring& name, const std::wstring& resourceType,
                                                          DWORD mask)
{
    std::optional<TByteBlock> bytes = ReadSkinImageBytes(name, resourceType);
    if (!bytes || bytes->empty())
        return nullptr;
    return DecodeImageBytes(bytes->data(), bytes->size(), mask);
}

void CRenderKit::ReleaseImageRecord(TImageRecord* record) { delete record; }

bool CRenderKit::BlitNineGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paintRect, const RECT& sourceRect,
                              const RECT& corner, bool hasAlpha, BYTE fade, bool hole, bool xTiled, bool yTiled)
{
    if (!dc || !bitmap)
        return false;
    CMemoryDc memory(::CreateCompatibleDC(dc));
    if (!memory)
        return false;
    CSelectObject select(memory.Get(), bitmap);
    ::SetStretchBltMode(dc, COLORONCOLOR);

    if (hasAlpha || fade != 255) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
        const AlphaBlendFn alphaBlend = BlendFunctions().alphaBlend;
        ForEachNineGridCell(dest, sourceRect, corner, hole, xTiled, yTiled, [&](const TGridCell& cell) {
            if (!Intersects(cell.dest, paintRect))
                return;
            alphaBlend(dc, cell.dest.left, cell.dest.top, cell.dest.right - cell.dest.left,
                       cell.dest.bottom - cell.dest.top, memory.Get(), cell.source.left, cell.source.top,
                       cell.source.right - cell.source.left, cell.source.bottom - cell.source.top, blend);
        });
        return true;
    }

    const bool sameSize = dest.right - dest.left == sourceRect.right - sourceRect.left &&
                          dest.bottom - dest.top == sourceRect.bottom - sourceRect.top;
    if (sameSize && IsZero(corner) && !hole) {
        RECT part;
        if (::IntersectRect(&part, &dest, &paintRect))
            ::BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, memory.Get(),
                     sourceRect.left + (part.left - dest.left), sourceRect.top + (part.top - dest.top), SRCCOPY);
        return true;
    }
    ForEachNineGridCell(dest, sourceRect, corner, hole, xTiled, yTiled, [&](const TGridCell& cell) {
        if (!Intersects(cell.dest, paintRect))
            return;
        const int width = cell.dest.right - cell.dest.left, height = cell.dest.bottom - cell.dest.top;
        const int sourceWidth = cell.source.right - cell.source.left;
        const int sourceHeight = cell.source.bottom - cell.source.top;
        if (width == sourceWidth && height == sourceHeight)
            ::BitBlt(dc, cell.dest.left, cell.dest.top, width, height, memory.Get(), cell.source.left, cell.source.top,
                     SRCCOPY);
        else
            ::StretchBlt(dc, cell.dest.left, cell.dest.top, width, height, memory.Get(), cell.source.left,
                         cell.source.top, sourceWidth, sourceHeight, SRCCOPY);
    });
    return true;
}

bool CRenderKit::PaintImageAttr(HDC dc, IRenderResourcesUI* context, const RECT& controlRect, const RECT& paintRect,
                                TImageDrawInfo& drawInfo, float angle)
{
    if (!drawInfo.image) {
        if (drawInfo.parsed)
            return false; // failed before; retried only once the attribute changes
        drawInfo.parsed = true;
        if (drawInfo.source.empty() || !context)
            return false;

        const TImageAttrKeys keys = ParseImageAttr(drawInfo.source);
        drawInfo.imageName = keys.imageName;
        drawInfo.dest = keys.dest;
        drawInfo.sourceRect = keys.source;
        drawInfo.corner = keys.corner;
        drawInfo.fade = keys.fade;
        drawInfo.hole = keys.hole;
        drawInfo.xTiled = keys.xTiled;
        drawInfo.yTiled = keys.yTiled;
        drawInfo.image = context->LookupOrCacheImage(keys.imageName, keys.resourceType, keys.mask, keys.hsl);
        if (!drawInfo.image)
            return false;
        if (IsZero(drawInfo.sourceRect))
            drawInfo.sourceRect = RECT{0, 0, drawInfo.image->width, drawInfo.image->height};
    }
    const TImageRecord& image = *drawInfo.image;
    drawInfo.sourceRect.right = std::min<LONG>(drawInfo.sourceRect.right, image.width);
    drawInfo.sourceRect.bottom = std::min<LONG>(drawInfo.sourceRect.bottom, image.height);

    RECT dest = controlRect;
    if (!IsZero(drawInfo.dest)) {
        const RECT& offset = drawInfo.dest;
        dest = RECT{Clamped((long long)controlRect.left + offset.left), Clamped((long long)controlRect.top + offset.top),
                    std::min(controlRect.right, Clamped((long long)controlRect.left + offset.right)),
                    std::min(controlRect.bottom, Clamped((long long)controlRect.top + offset.bottom))};
    }
    if (!Intersects(dest, controlRect) || !Intersects(dest, paintRect))
        return true;

    HBITMAP bitmap = image.bitmap.Get();
    if (angle != 0.0f) {
        RotatedSlot() = RotatedCopy(bitmap, angle);
        if (!RotatedSlot())
            return false;
        bitmap = RotatedSlot().Get();
    }
    return BlitNineGrid(dc, bitmap, dest, paintRect, drawInfo.sourceRect, drawInfo.corner, image.hasAlpha,
                        drawInfo.fade, drawInfo.hole, drawInfo.xTiled, drawInfo.yTiled);
}

DWORD CRenderKit::ShiftArgbHsl(DWORD argb) { return AdjustArgb(argb, ColourAdjustment()); }

} // namespace SkinUI
