// Solid and two-tone fills, lines and frames.
#include "ui/core/gfx/RenderKit.h"

#include "ui/core/gfx/BlendFunctions.h"
#include "ui/core/gfx/image/DibSection.h"

namespace SkinUI {

namespace {

// The fast opaque fill: an empty text run over the rectangle on the background colour.
void FillOpaque(HDC dc, const RECT& rect, COLORREF colour)
{
    const COLORREF previous = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

BYTE Channel(DWORD argb, int shift) { return BYTE(argb >> shift); }

// Fills `rect` of `dc` with the gradient, without any transparency.
void DrawGradient(HDC dc, const RECT& rect, DWORD from, DWORD to, bool vertical, int steps)
{
    if (GradientFillFn gradientFill = BlendFunctions().gradientFill) {
        TRIVERTEX vertices[2] = {
            {rect.left, rect.top, COLOR16(Channel(from, 16) << 8), COLOR16(Channel(from, 8) << 8),
             COLOR16(Channel(from, 0) << 8), COLOR16(Channel(from, 24) << 8)},
            {rect.right, rect.bottom, COLOR16(Channel(to, 16) << 8), COLOR16(Channel(to, 8) << 8),
             COLOR16(Channel(to, 0) << 8), COLOR16(Channel(to, 24) << 8)},
        };
        GRADIENT_RECT gradient = {0, 1};
        if (gradientFill(dc, vertices, 2, &gradient, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H))
            return;
    }

    // Solid bands, counted from the bottom (or right) edge, which has the second colour.
    const int shift = steps < 4 ? 1 : steps < 8 ? 2 : steps < 16 ? 3 : steps < 32 ? 4 : steps < 64 ? 5 : 6;
    const long long bands = 1LL << shift;
    const long long extent = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    for (long long i = 0; i < bands; ++i) {
        auto mix = [&](int channelShift) {
            return BYTE(((bands - i) * Channel(to, channelShift) + i * Channel(from, channelShift)) / bands);
        };
        const COLORREF colour = RGB(mix(16), mix(8), mix(0));
        const LONG nearEdge = LONG(i * extent / bands);
        const LONG farEdge = LONG((i + 1) * extent / bands);
        RECT band = rect;
        if (vertical) {
            band.bottom = rect.bottom - nearEdge;
            band.top = rect.bottom - farEdge;
        } else {
            band.right = rect.right - nearEdge;
            band.left = rect.right - farEdge;
        }
        if (band.right > band.left && band.bottom > band.top)
            FillOpaque(dc, band, colour);
    }
}

} // namespace

void CRenderKit::FillArgb(HDC dc, const RECT& rect, DWORD argb)
{
    const unsigned alpha = argb >> 24;
    if (!dc || alpha == 0 || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (alpha == 255) {
        FillOpaque(dc, rect, ArgbToColorRef(argb));
        return;
    }
    BYTE* pixel = nullptr;
    CBitmap dot = CreateTopDownDib(1, 1, &pixel);
    if (!dot)
        return;
    // The blend expects premultiplied colour; the raw ARGB bytes would over-brighten.
    pixel[0] = BYTE(Channel(argb, 0) * alpha / 255);
    pixel[1] = BYTE(Channel(argb, 8) * alpha / 255);
    pixel[2] = BYTE(Channel(argb, 16) * alpha / 255);
    pixel[3] = BYTE(alpha);
    BlitNineGrid(dc, dot.Get(), rect, rect, RECT{0, 0, 1, 1}, RECT{}, true, 255, false, false, false);
}

void CRenderKit::FillTwoTone(HDC dc, const RECT& rect, DWORD argbFrom, DWORD argbTo, bool vertical, int steps)
{
    const BYTE opacity = BYTE(((argbFrom >> 24) + (argbTo >> 24)) / 2);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!dc || opacity == 0 || width <= 0 || height <= 0)
        return;
    if (opacity == 255) {
        DrawGradient(dc, rect, argbFrom, argbTo, vertical, steps);
        return;
    }
    CBitmap buffer = CreateTopDownDib(width, height, nullptr);
    CMemoryDc memory(::CreateCompatibleDC(dc));
    if (!buffer || !memory)
        return;
    CSelectObject select(memory.Get(), buffer.Get());
    DrawGradient(memory.Get(), RECT{0, 0, width, height}, argbFrom, argbTo, vertical, steps);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, opacity, 0};
    BlendFunctions().alphaBlend(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, width, height, blend);
}

void CRenderKit::StrokeLine(HDC dc, const RECT& rect, int width, DWORD argb, int penStyle)
{
    CPen pen(::CreatePen(penStyle, width, ArgbToColorRef(argb)));
    if (!dc || !pen)
        return;
    CSelectObject selectPen(dc, pen.Get());
    POINT previous;
    ::MoveToEx(dc, rect.left, rect.top, &previous);
    ::LineTo(dc, rect.right, rect.bottom);
    ::MoveToEx(dc, previous.x, previous.y, nullptr);
}

void CRenderKit::StrokeFrame(HDC dc, const RECT& rect, int width, DWORD argb)
{
    CPen pen(::CreatePen(PS_INSIDEFRAME, width, ArgbToColorRef(argb)));
    if (!dc || !pen)
        return;
    CSelectObject selectPen(dc, pen.Get());
    CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void CRenderKit::StrokeRoundFrame(HDC dc, const RECT& rect, int width, int ellipseWidth, int ellipseHeight, DWORD argb)
{
    CPen pen(::CreatePen(PS_INSIDEFRAME, width, ArgbToColorRef(argb)));
    if (!dc || !pen)
        return;
    CSelectObject selectPen(dc, pen.Get());
    CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight);
}

} // namespace SkinUI
