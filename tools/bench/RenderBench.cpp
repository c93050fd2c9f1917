// Render kit figures: painting the window background as a nine-grid, and what
// the image cache saves over decoding an image again.
#include "tools/bench/Bench.h"

#include "base/ScopedHandle.h"
#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/ImageCache.h"
#include "ui/core/gfx/image/ImageDecoder.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/SkinSource.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cmath>
#include <string>
#include <vector>

using namespace SkinUI;

namespace {

constexpr int kWindowWidth = 480, kWindowHeight = 323;

void Append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

// A window background: a soft vertical gradient with rounded, translucent
// 12-pixel corners, as the skin's background image has.
std::string BackgroundPng(int width, int height)
{
    std::vector<unsigned char> rgba(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgba[(size_t(y) * width + x) * 4];
            p[0] = 0xF4;
            p[1] = (unsigned char)(0xF6 - y * 16 / height);
            p[2] = 0xFA;
            const int cx = x < 12 ? 12 - x : x >= width - 12 ? x - (width - 13) : 0;
            const int cy = y < 12 ? 12 - y : y >= height - 12 ? y - (height - 13) : 0;
            const double distance = std::sqrt(double(cx * cx + cy * cy));
            p[3] = distance > 12 ? 0 : distance > 11 ? 128 : 255;
        }
    std::string png;
    stbi_write_png_to_func(Append, &png, width, height, 4, rgba.data(), width * 4);
    return png;
}

struct TTarget {
    CBitmap bitmap;
    CMemoryDc dc;
    HGDIOBJ previous;
    TTarget() : bitmap(CreateTopDownDib(kWindowWidth, kWindowHeight, nullptr)), dc(CreateCompatibleDC(nullptr))
    {
        previous = SelectObject(dc.Get(), bitmap.Get());
    }
    ~TTarget() { SelectObject(dc.Get(), previous); }
};

void BenchNineGrid()
{
    const std::string png = BackgroundPng(64, 64);
    auto image = DecodeImageBytes(png.data(), png.size(), 0);
    if (!image)
        return;
    TTarget target;
    const RECT window = {0, 0, kWindowWidth, kWindowHeight};
    const RECT source = {0, 0, image->width, image->height};
    const RECT corner = {14, 14, 14, 14};

    const double blended = Bench::TimePerCall([&] {
        CRenderKit::BlitNineGrid(target.dc.Get(), image->bitmap.Get(), window, window, source, corner, true);
        GdiFlush();
    });
    Bench::Report("nine-grid 480x323 background, alpha corners (per frame)", blended * 1e6, "us");

    const double opaque = Bench::TimePerCall([&] {
        CRenderKit::BlitNineGrid(target.dc.Get(), image->bitmap.Get(), window, window, source, corner, false);
        GdiFlush();
    });
    Bench::Report("nine-grid 480x323 background, opaque copy path (per frame)", opaque * 1e6, "us");

    const std::string fullPng = BackgroundPng(kWindowWidth, kWindowHeight);
    auto full = DecodeImageBytes(fullPng.data(), fullPng.size(), 0);
    if (!full)
        return;
    const RECT fullSource = {0, 0, kWindowWidth, kWindowHeight};
    const double oneToOne = Bench::TimePerCall([&] {
        CRenderKit::BlitNineGrid(target.dc.Get(), full->bitmap.Get(), window, window, fullSource, corner, true);
        GdiFlush();
    });
    Bench::Report("nine-grid of a full-size 480x323 background (per frame)", oneToOne * 1e6, "us");
}

void BenchCache()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"orvane_render_bench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"bk.png";
    const std::string png = BackgroundPng(kWindowWidth, kWindowHeight);
    {
        CFileHandle out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(out.Get(), png.data(), DWORD(png.size()), &written, nullptr);
    }
    CSkinSource::SetSkinFolder(folder);

    CImageCache cache;
    const double decode = Bench::TimePerCall([&] {
        cache.DropImageTable(false);
        cache.LookupOrCacheImage(L"bk.png", L"", 0, false);
    });
    cache.LookupOrCacheImage(L"bk.png", L"", 0, false);
    const double lookup = Bench::TimePerCall([&] {
        volatile TImageRecord* found = cache.LookupOrCacheImage(L"bk.png", L"", 0, false);
        (void)found;
    });
    const double decodeOnly = Bench::TimePerCall([&] { DecodeImageBytes(png.data(), png.size(), 0); });
    Bench::Report("first decode of a 480x323 PNG skin image", decode * 1e6, "us");
    Bench::Report("  of which decoding the bytes in memory", decodeOnly * 1e6, "us");
    Bench::Report("cached lookup of the same image", lookup * 1e9, "ns");
    Bench::Report("first decode / cached lookup", decode / lookup, "x");

    cache.DropImageTable(false);
    CSkinSource::Reset();
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace

REGISTER_BENCH("render: nine-grid window background", BenchNineGrid);
REGISTER_BENCH("render: image cache", BenchCache);
