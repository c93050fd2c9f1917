#pragma once
// The per-pixel blending and gradient functions of msimg32.dll, looked up by
// name once per process, with a software blend when AlphaBlend is missing.
#include <windows.h>

namespace SkinUI {

using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

struct TBlendFunctions {
    AlphaBlendFn alphaBlend = nullptr;     // never null once resolved: the platform's or SoftwareAlphaBlend
    GradientFillFn gradientFill = nullptr; // null when the platform has none
};

// The functions in use; the first call resolves them.
const TBlendFunctions& BlendFunctions();

// Puts other functions in place (tests use it to force the fallbacks) and
// returns those that were in use. A null alphaBlend means SoftwareAlphaBlend.
TBlendFunctions ReplaceBlendFunctions(const TBlendFunctions& functions);

// AlphaBlend's contract in software: premultiplied source-over with a constant
// alpha, per-pixel source alpha with AC_SRC_ALPHA, nearest-pixel stretching.
// Works on any pair of device contexts by copying the two areas through 32-bit
// buffers; pixels outside the source bitmap read as transparent.
BOOL WINAPI SoftwareAlphaBlend(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                               int sourceWidth, int sourceHeight, BLENDFUNCTION blend);

} // namespace SkinUI
