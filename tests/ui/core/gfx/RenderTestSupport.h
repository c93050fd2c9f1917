#pragma once
// What the render kit tests share: a 32-bit DIB surface whose pixels are read
// back, test images encoded at run time, and a small real implementation of
// the window context's render resources (fonts, images, colours, language).
#include "base/ScopedHandle.h"
#include "ui/core/gfx/ImageCache.h"
#include "ui/core/gfx/RenderResources.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace RenderTest {

// A width x height top-down 32-bit DIB selected into a memory DC.
class CSurface {
public:
    CSurface(int width, int height, DWORD argb = 0xFF000000);
    ~CSurface();
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    HDC Dc() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Stores the raw value in every pixel (no blending).
    void Fill(DWORD argb);
    void SetPixel(int x, int y, DWORD argb);
    // 0xAARRGGBB of the pixel, after flushing GDI's batch.
    DWORD Pixel(int x, int y) const;
    // How many pixels of the rectangle differ from `argb` (alpha ignored when `rgbOnly`).
    int CountDifferent(const RECT& area, DWORD argb, bool rgbOnly = true) const;

private:
    int m_width, m_height;
    BYTE* m_pixels = nullptr;
    CBitmap m_bitmap;
    CMemoryDc m_dc;
    HGDIOBJ m_previous = nullptr;
};

// Pixels are 0xAARRGGBB (straight alpha), row by row from the top.
struct TArgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    TArgbImage() = default;
    TArgbImage(int w, int h, uint32_t argb) : width(w), height(h), pixels(size_t(w) * h, argb) {}
    uint32_t& At(int x, int y) { return pixels[size_t(y) * width + x]; }
    void FillRect(int left, int top, int right, int bottom, uint32_t argb);
};

std::string EncodePng(const TArgbImage& image);
std::string EncodeBmp(const TArgbImage& image); // 32-bit BMP with alpha
std::string EncodeJpeg(const TArgbImage& image, int quality = 95);

// Channel of a 0xAARRGGBB value; 3 alpha, 2 red, 1 green, 0 blue.
inline int Channel(DWORD argb, int index) { return int((argb >> (8 * index)) & 0xFF); }
// True when every channel (alpha too unless rgbOnly) is within `tolerance`.
bool Near(DWORD actual, DWORD expected, int tolerance, bool rgbOnly = false);
std::string Hex(DWORD value);

// A window context's resources, built from real GDI fonts and a real image cache.
class CResources : public SkinUI::IRenderResourcesUI {
public:
    CResources();
    SkinUI::TImageRecord* LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                             bool useHsl) override;
    HFONT FontByIndex(int index) override;
    int FindFontIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic) override;
    HFONT AddFontEntry(int index, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                       bool shared) override;
    DWORD LinkColour() const override { return linkColour; }
    DWORD LinkHoverColour() const override { return linkHoverColour; }
    DWORD SelectedBackColour() const override { return selectedBackColour; }
    POINT LastMouse() const override { return lastMouse; }
    bool LanguageText(const std::wstring& id, std::wstring& text) const override;

    SkinUI::CImageCache cache;
    std::map<std::wstring, std::wstring> language;
    DWORD linkColour = 0xFF0000FF;
    DWORD linkHoverColour = 0xFFD3215F;
    DWORD selectedBackColour = 0xFFBAE4FF;
    POINT lastMouse = {-1, -1};
    int imageLoads = 0; // LookupOrCacheImage calls

    struct TFont {
        CFont font;
        std::wstring face;
        int size;
        bool bold, underline, italic;
    };
    std::map<int, TFont> fonts;
    CFont baseFont;
};

// The face every test font uses.
extern const wchar_t kTestFace[];

} // namespace RenderTest
