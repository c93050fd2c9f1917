#include "ui/core/gfx/image/DibSection.h"

namespace SkinUI {

CBitmap CreateTopDownDib(int width, int height, BYTE** pixels)
{
    if (pixels)
        *pixels = nullptr;
    if (width <= 0 || height <= 0 || (long long)width * height > kMaxDibPixels)
        return CBitmap();

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = DWORD(width) * DWORD(height) * 4;

    void* bits = nullptr;
    CBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return CBitmap();
    if (pixels)
        *pixels = static_cast<BYTE*>(bits);
    return bitmap;
}

} // namespace SkinUI
