// Rotated copies of images, drawn through GDI+.
#include "ui/core/gfx/RenderKit.h"

#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/GdiPlusSession.h"

#include <gdiplus.h>

#include <vector>

namespace SkinUI {

CBitmap CRenderKit::RotatedCopy(HBITMAP bitmap, float angle)
{
    BITMAP info = {};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != int(sizeof(info)) || info.bmWidth <= 0 ||
        info.bmHeight <= 0 || (long long)info.bmWidth * info.bmHeight > kMaxDibPixels || !EnsureGdiPlus())
        return CBitmap();
    const int width = info.bmWidth, height = info.bmHeight;

    // The pixels as 32-bit premultiplied rows, top row first, whatever the bitmap's layout.
    std::vector<BYTE> pixels(size_t(width) * size_t(height) * 4);
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    {
        CWindowDc screen(nullptr);
        if (::GetDIBits(screen.Get(), bitmap, 0, UINT(height), pixels.data(), &request, DIB_RGB_COLORS) != height)
            return CBitmap();
    }

    Gdiplus::Bitmap source(width, height, width * 4, PixelFormat32bppPARGB, pixels.data());
    Gdiplus::Bitmap rotated(width, height, PixelFormat32bppPARGB);
    if (source.GetLastStatus() != Gdiplus::Ok || rotated.GetLastStatus() != Gdiplus::Ok)
        return CBitmap();
    {
        Gdiplus::Graphics graphics(&rotated);
        const Gdiplus::REAL centreX = Gdiplus::REAL(width) / 2, centreY = Gdiplus::REAL(height) / 2;
        graphics.TranslateTransform(centreX, centreY);
        graphics.RotateTransform(angle);
        graphics.TranslateTransform(-centreX, -centreY);
        graphics.DrawImage(&source, 0, 0, width, height);
    }
    HBITMAP copy = nullptr;
    if (rotated.GetHBITMAP(Gdiplus::Color(255, 0, 0, 0), &copy) != Gdiplus::Ok)
        return CBitmap();
    return CBitmap(copy);
}

} // namespace SkinUI
