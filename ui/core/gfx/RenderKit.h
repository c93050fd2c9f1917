#pragma once
// Stateless drawing for controls and the window context: images described by
// attribute strings (nine-grid, fading, tiling), solid and two-tone fills,
// lines and frames, plain, anti-aliased and inline-markup text, rotation,
// clipping and the colour adjustment.
#include "base/ScopedHandle.h"
#include "ui/core/gfx/ClipScope.h"
#include "ui/core/gfx/ImageAttr.h"
#include "ui/core/gfx/image/ImageRecord.h"
#include "ui/core/gfx/RenderResources.h"

#include <windows.h>

#include <memory>
#include <string>

namespace SkinUI {

class CRenderKit {
public:
    // Reads the image through the skin sources and decodes it; none when it
    // is missing or not a decodable image.
    static std::unique_ptr<TImageRecord> DecodeSkinImage(const std::wstring& name, const std::wstring& resourceType,
                                                         DWORD mask);
    static void ReleaseImageRecord(TImageRecord* record);

    // Draws `bitmap`'s `sourceRect` into `dest` as a nine-grid. Cells that miss
    // `paintRect` are skipped. Blends when the image has alpha or `fade` is
    // below 255, else copies.
    static bool BlitNineGrid(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paintRect, const RECT& sourceRect,
                             const RECT& corner, bool hasAlpha, BYTE fade = 255, bool hole = false,
                             bool xTiled = false, bool yTiled = false);

    // Parses the record's attribute text once, resolves the image through the
    // context's cache and draws it into the control rectangle. False when
    // there is nothing to draw (an image that failed is not retried).
    static bool PaintImageAttr(HDC dc, IRenderResourcesUI* context, const RECT& controlRect, const RECT& paintRect,
                               TImageDrawInfo& drawInfo, float angle = 0.0f);

    // Alpha 0 draws nothing, 255 fills opaquely, anything between blends.
    static void FillArgb(HDC dc, const RECT& rect, DWORD argb);
    // A two-colour gradient, top to bottom when `vertical`, else left to right,
    // at the mean opacity of the two colours. `steps` sets the number of bands
    // when the platform has no gradient function.
    static void FillTwoTone(HDC dc, const RECT& rect, DWORD argbFrom, DWORD argbTo, bool vertical, int steps);

    // Lines and unfilled frames; alpha is ignored.
    static void StrokeLine(HDC dc, const RECT& rect, int width, DWORD argb, int penStyle = PS_SOLID);
    static void StrokeFrame(HDC dc, const RECT& rect, int width, DWORD argb);
    static void StrokeRoundFrame(HDC dc, const RECT& rect, int width, int ellipseWidth, int ellipseHeight, DWORD argb);

    // Text in a font of the context with DrawText format flags; `&` is never a
    // prefix. With DT_CALCRECT the text is measured and `rect` receives its size.
    // `useGdiPlus` draws anti-aliased through GDI+ with the given alpha.
    static void PaintText(HDC dc, IRenderResourcesUI* context, RECT& rect, const std::wstring& text, DWORD argb,
                          int fontIndex, UINT format, bool useGdiPlus = false, BYTE alpha = 255);

    // Text with inline tags (<b>, <a data>, <c #RRGGBB>, <f N>, <i ...>, <n>, ...).
    // `linkCount` holds the capacity of `links`/`linkTexts` on entry and the
    // number of links recorded on return; the rectangles already in `links`
    // decide which link the mouse hovers.
    static void PaintMarkedText(HDC dc, IRenderResourcesUI* context, RECT& rect, const std::wstring& text, DWORD argb,
                                RECT* links, std::wstring* linkTexts, int& linkCount, UINT format);

    // A copy of a 32-bit bitmap rotated by `angle` degrees about its centre, same size.
    static CBitmap RotatedCopy(HBITMAP bitmap, float angle);

    // One colour through the global colour adjustment.
    static DWORD ShiftArgbHsl(DWORD argb);

    // Clip scopes: narrow the clipping for one painting step; the scope puts
    // the original clipping back when it ends.
    static bool ClipToRect(HDC dc, const RECT& rect, CClipScope& scope) { return scope.Begin(dc, rect); }
    static bool ClipToRoundRect(HDC dc, const RECT& rect, const RECT& roundRect, int ellipseWidth, int ellipseHeight,
                                CClipScope& scope)
    {
        return scope.BeginRounded(dc, rect, roundRect, ellipseWidth, ellipseHeight);
    }
    static void UseSavedClip(HDC, const CClipScope& scope) { scope.UseSaved(); }
    static void UseScopeClip(HDC, const CClipScope& scope) { scope.UseScope(); }
};

// The platform colour of an ARGB value (alpha dropped, red and blue swapped into COLORREF order).
inline COLORREF ArgbToColorRef(DWORD argb) { return RGB(BYTE(argb >> 16), BYTE(argb >> 8), BYTE(argb)); }

} // namespace SkinUI
