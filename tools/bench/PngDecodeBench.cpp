// PNG decoding figures: the fast path against stb_image on the same bytes, for
// the skin's 920x600 RGBA background and a generated image of that size.
#include "tools/bench/Bench.h"

#include "base/ScopedHandle.h"
#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/image/PngDecoder.h"
#include "ui/core/gfx/image/StbImageDecoder.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cstring>
#include <string>
#include <vector>

using namespace SkinUI;

namespace {

void Append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

// A 920x600 RGBA picture with gradients, texture and translucent edges.
std::string GeneratedPng()
{
    constexpr int width = 920, height = 600;
    std::vector<unsigned char> rgba(size_t(width) * height * 4);
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgba[(size_t(y) * width + x) * 4];
            noise = noise * 1103515245 + 12345;
            p[0] = (unsigned char)(40 + x * 150 / width + (noise >> 29));
            p[1] = (unsigned char)(90 + y * 120 / height);
            p[2] = (unsigned char)(200 - (x + y) / 16);
            p[3] = (unsigned char)(x < 10 || y < 10 || x >= width - 10 || y >= height - 10 ? (x + y) * 7 : 255);
        }
    std::string png;
    stbi_write_png_to_func(Append, &png, width, height, 4, rgba.data(), width * 4);
    return png;
}

// The build's skin background, found from the bench's own folder (build/<arch>/tools/bench).
std::string SkinBackgroundPng()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file = path;
    file = file.substr(0, file.find_last_of(L'\\')) + L"\\..\\..\\skin\\files\\bk.png";
    CFileHandle in(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!in)
        return {};
    std::string bytes(GetFileSize(in.Get(), nullptr), '\0');
    DWORD read = 0;
    if (bytes.empty() || !ReadFile(in.Get(), &bytes[0], DWORD(bytes.size()), &read, nullptr) || read != bytes.size())
        return {};
    return bytes;
}

void Compare(const char* what, const std::string& png)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(png.data());
    if (!DecodeCommonPng(bytes, png.size(), 0) || !DecodeWithStb(bytes, png.size(), 0)) {
        std::printf("  %s: not decodable on both paths, skipped\n", what);
        return;
    }
    const double fast = Bench::TimePerCall([&] { DecodeCommonPng(bytes, png.size(), 0); });
    const double stb = Bench::TimePerCall([&] { DecodeWithStb(bytes, png.size(), 0); });
    // Both paths end by writing every pixel into a fresh DIB section; its
    // first-touch cost is part of either figure (large under Wine).
    const double bitmap = Bench::TimePerCall([&] {
        BYTE* pixels = nullptr;
        CBitmap dib = CreateTopDownDib(920, 600, &pixels);
        if (pixels)
            std::memset(pixels, 0xFF, 920 * 600 * 4);
    });
    std::printf("  %s (%zu bytes)\n", what, png.size());
    Bench::Report("  fast path: zlib, unfilter, premultiply", fast * 1e3, "ms");
    Bench::Report("  stb_image path", stb * 1e3, "ms");
    Bench::Report("  stb / fast", stb / fast, "x");
    Bench::Report("  of either: creating and first filling the 920x600 bitmap", bitmap * 1e3, "ms");
}

void BenchPngDecode()
{
    Compare("skin background bk.png, 920x600 RGBA", SkinBackgroundPng());
    Compare("generated 920x600 RGBA (stb_image_write)", GeneratedPng());
}

} // namespace

REGISTER_BENCH("decode: 920x600 RGBA PNG, fast path vs stb", BenchPngDecode);
