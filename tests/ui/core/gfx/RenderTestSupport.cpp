#include "tests/ui/core/gfx/RenderTestSupport.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>

namespace RenderTest {

const wchar_t kTestFace[] = L"Tahoma";

CSurface::CSurface(int width, int height, DWORD argb) : m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pixels = static_cast<BYTE*>(bits);
    m_dc.Reset(::CreateCompatibleDC(nullptr));
    m_previous = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    Fill(argb);
}

CSurface::~CSurface()
{
    if (m_previous)
        ::SelectObject(m_dc.Get(), m_previous);
}

void CSurface::Fill(DWORD argb)
{
    ::GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i)
        std::memcpy(m_pixels + size_t(i) * 4, &argb, 4);
}

void CSurface::SetPixel(int x, int y, DWORD argb)
{
    ::GdiFlush();
    std::memcpy(m_pixels + (size_t(y) * m_width + x) * 4, &argb, 4);
}

DWORD CSurface::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xDEADBEEF;
    DWORD value;
    std::memcpy(&value, m_pixels + (size_t(y) * m_width + x) * 4, 4);
    return value;
}

int CSurface::CountDifferent(const RECT& area, DWORD argb, bool rgbOnly) const
{
    const DWORD mask = rgbOnly ? 0x00FFFFFF : 0xFFFFFFFF;
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((Pixel(x, y) & mask) != (argb & mask))
                ++count;
    return count;
}

void TArgbImage::FillRect(int left, int top, int right, int bottom, uint32_t argb)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            At(x, y) = argb;
}

namespace {

std::vector<unsigned char> Rgba(const TArgbImage& image)
{
    std::vector<unsigned char> bytes(image.pixels.size() * 4);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = image.pixels[i];
        bytes[i * 4 + 0] = (p >> 16) & 0xFF;
        bytes[i * 4 + 1] = (p >> 8) & 0xFF;
        bytes[i * 4 + 2] = p & 0xFF;
        bytes[i * 4 + 3] = (p >> 24) & 0xFF;
    }
    return bytes;
}

void Append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

} // namespace

std::string EncodePng(const TArgbImage& image)
{
    std::string out;
    const auto rgba = Rgba(image);
    stbi_write_png_to_func(Append, &out, image.width, image.height, 4, rgba.data(), image.width * 4);
    return out;
}

std::string EncodeBmp(const TArgbImage& image)
{
    std::string out;
    const auto rgba = Rgba(image);
    stbi_write_bmp_to_func(Append, &out, image.width, image.height, 4, rgba.data());
    return out;
}

std::string EncodeJpeg(const TArgbImage& image, int quality)
{
    std::string out;
    const auto rgba = Rgba(image);
    stbi_write_jpg_to_func(Append, &out, image.width, image.height, 4, rgba.data(), quality);
    return out;
}

bool Near(DWORD actual, DWORD expected, int tolerance, bool rgbOnly)
{
    for (int c = 0; c < (rgbOnly ? 3 : 4); ++c)
        if (std::abs(Channel(actual, c) - Channel(expected, c)) > tolerance)
            return false;
    return true;
}

std::string Hex(DWORD value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "0x%08lX", static_cast<unsigned long>(value));
    return buffer;
}

namespace {

HFONT MakeFont(const std::wstring& face, int size, bool bold, bool underline, bool italic)
{
    return ::CreateFontW(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                         face.c_str());
}

} // namespace

CResources::CResources() : baseFont(MakeFont(kTestFace, 12, false, false, false)) {}

SkinUI::TImageRecord* CResources::LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType,
                                                     DWORD mask, bool useHsl)
{
    ++imageLoads;
    return cache.LookupOrCacheImage(name, resourceType, mask, useHsl);
}

HFONT CResources::FontByIndex(int index)
{
    auto found = fonts.find(index);
    return index >= 0 && found != fonts.end() ? found->second.font.Get() : baseFont.Get();
}

int CResources::FindFontIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic)
{
    for (const auto& [index, entry] : fonts)
        if (entry.face == face && entry.size == size && entry.bold == bold && entry.underline == underline &&
            entry.italic == italic)
            return index;
    return -1;
}

HFONT CResources::AddFontEntry(int index, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                               bool)
{
    TFont& entry = fonts[index];
    entry.font.Reset(MakeFont(face, size, bold, underline, italic));
    entry.face = face;
    entry.size = size;
    entry.bold = bold;
    entry.underline = underline;
    entry.italic = italic;
    return entry.font.Get();
}

bool CResources::LanguageText(const std::wstring& id, std::wstring& text) const
{
    auto found = language.find(id);
    if (found == language.end())
        return false;
    text = found->second;
    return true;
}

} // namespace RenderTest
