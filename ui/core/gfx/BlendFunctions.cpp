#include "ui/core/gfx/BlendFunctions.h"

#include "base/ScopedHandle.h"
#include "ui/core/gfx/image/DibSection.h"

#include <algorithm>
#include <string>

namespace SkinUI {

namespace {

CModule LoadMsimg32()
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        CModule module(::LoadLibraryW((std::wstring(folder) + L"\\msimg32.dll").c_str()));
        if (module)
            return module;
    }
    return CModule(::LoadLibraryW(L"msimg32.dll"));
}

template <typename Fn>
Fn LookUp(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

TBlendFunctions& Current()
{
    // The module stays loaded for the process: the pointers below live in it.
    static CModule msimg32 = LoadMsimg32();
    static TBlendFunctions functions = [] {
        TBlendFunctions resolved;
        resolved.alphaBlend = LookUp<AlphaBlendFn>(msimg32.Get(), "AlphaBlend");
        resolved.gradientFill = LookUp<GradientFillFn>(msimg32.Get(), "GradientFill");
        if (!resolved.alphaBlend)
            resolved.alphaBlend = SoftwareAlphaBlend;
        return resolved;
    }();
    return functions;
}

inline unsigned Scale(unsigned value, unsigned factor) { return (value * factor + 127) / 255; }

} // namespace

const TBlendFunctions& BlendFunctions() { return Current(); }

TBlendFunctions ReplaceBlendFunctions(const TBlendFunctions& functions)
{
    TBlendFunctions previous = Current();
    Current() = functions;
    if (!Current().alphaBlend)
        Current().alphaBlend = SoftwareAlphaBlend;
    return previous;
}

BOOL WINAPI SoftwareAlphaBlend(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                               int sourceWidth, int sourceHeight, BLENDFUNCTION blend)
{
    if (!target || !source || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0 ||
        blend.BlendOp != AC_SRC_OVER)
        return FALSE;

    BYTE* from = nullptr;
    BYTE* to = nullptr;
    CBitmap fromBitmap = CreateTopDownDib(sourceWidth, sourceHeight, &from);
    CBitmap toBitmap = CreateTopDownDib(width, height, &to);
    CMemoryDc fromDc(::CreateCompatibleDC(target));
    CMemoryDc toDc(::CreateCompatibleDC(target));
    if (!fromBitmap || !toBitmap || !fromDc || !toDc)
        return FALSE;
    CSelectObject selectFrom(fromDc.Get(), fromBitmap.Get());
    CSelectObject selectTo(toDc.Get(), toBitmap.Get());
    // A 32-bit to 32-bit copy keeps the alpha bytes; areas outside the source stay zero.
    ::BitBlt(fromDc.Get(), 0, 0, sourceWidth, sourceHeight, source, sourceX, sourceY, SRCCOPY);
    ::BitBlt(toDc.Get(), 0, 0, width, height, target, x, y, SRCCOPY);
    ::GdiFlush();

    const unsigned constant = blend.SourceConstantAlpha;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    for (int row = 0; row < height; ++row) {
        const int sourceRow = int((2LL * row + 1) * sourceHeight / (2LL * height));
        for (int column = 0; column < width; ++column) {
            const int sourceColumn = int((2LL * column + 1) * sourceWidth / (2LL * width));
            const BYTE* s = from + (size_t(sourceRow) * sourceWidth + sourceColumn) * 4;
            BYTE* d = to + (size_t(row) * width + column) * 4;
            if (perPixel) {
                const unsigned alpha = Scale(s[3], constant);
                for (int c = 0; c < 4; ++c)
                    d[c] = BYTE(std::min(255u, Scale(s[c], constant) + Scale(d[c], 255 - alpha)));
            } else {
                for (int c = 0; c < 4; ++c)
                    d[c] = BYTE(std::min(255u, Scale(s[c], constant) + Scale(d[c], 255 - constant)));
            }
        }
    }
    return ::BitBlt(target, x, y, width, height, toDc.Get(), 0, 0, SRCCOPY);
}

} // namespace SkinUI
