#include "ui/core/gfx/ColourAdjust.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace SkinUI {

namespace {

struct THsl {
    double h, s, l; // degrees, fractions of 1
};

THsl RgbToHsl(double r, double g, double b)
{
    const double maxc = std::max({r, g, b});
    const double minc = std::min({r, g, b});
    THsl hsl{0.0, 0.0, (maxc + minc) / 2.0};
    const double delta = maxc - minc;
    if (delta <= 0.0)
        return hsl;
    hsl.s = delta / (1.0 - std::fabs(2.0 * hsl.l - 1.0));
    if (maxc == r)
        hsl.h = 60.0 * std::fmod((g - b) / delta, 6.0);
    else if (maxc == g)
        hsl.h = 60.0 * ((b - r) / delta + 2.0);
    else
        hsl.h = 60.0 * ((r - g) / delta + 4.0);
    if (hsl.h < 0.0)
        hsl.h += 360.0;
    return hsl;
}

void HslToRgb(const THsl& hsl, double& r, double& g, double& b)
{
    const double c = (1.0 - std::fabs(2.0 * hsl.l - 1.0)) * hsl.s;
    const double hp = hsl.h / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(hp, 2.0) - 1.0));
    double r1 = 0, g1 = 0, b1 = 0;
    if (hp < 1)
        r1 = c, g1 = x;
    else if (hp < 2)
        r1 = x, g1 = c;
    else if (hp < 3)
        g1 = c, b1 = x;
    else if (hp < 4)
        g1 = x, b1 = c;
    else if (hp < 5)
        r1 = x, b1 = c;
    else
        r1 = c, b1 = x;
    const double m = hsl.l - c / 2.0;
    r = r1 + m;
    g = g1 + m;
    b = b1 + m;
}

BYTE ToByte(double value) { return BYTE(std::clamp(std::lround(value * 255.0), 0L, 255L)); }

// Adjusts straight (not premultiplied) red, green and blue in place.
void AdjustRgb(BYTE& red, BYTE& green, BYTE& blue, const TColourAdjustment& adjustment)
{
    THsl hsl = RgbToHsl(red / 255.0, green / 255.0, blue / 255.0);
    hsl.h = std::fmod(hsl.h + (adjustment.hue - 180), 360.0);
    if (hsl.h < 0.0)
        hsl.h += 360.0;
    hsl.s = std::clamp(hsl.s * adjustment.saturation / 100.0, 0.0, 1.0);
    hsl.l = std::clamp(hsl.l * adjustment.lightness / 100.0, 0.0, 1.0);
    double r, g, b;
    HslToRgb(hsl, r, g, b);
    red = ToByte(r);
    green = ToByte(g);
    blue = ToByte(b);
}

} // namespace

TColourAdjustment& ColourAdjustment()
{
    static TColourAdjustment settings;
    return settings;
}

DWORD AdjustArgb(DWORD argb, const TColourAdjustment& adjustment)
{
    if (adjustment.IsNeutral())
        return argb;
    BYTE red = BYTE(argb >> 16), green = BYTE(argb >> 8), blue = BYTE(argb);
    AdjustRgb(red, green, blue, adjustment);
    return (argb & 0xFF000000) | (DWORD(red) << 16) | (DWORD(green) << 8) | blue;
}

void ApplyColourAdjustment(TImageRecord& image, const TColourAdjustment& adjustment)
{
    const size_t bytes = image.ByteCount();
    if (!image.pixels || image.pixelCopy.size() != bytes)
        return;
    if (adjustment.IsNeutral()) {
        std::memcpy(image.pixels, image.pixelCopy.data(), bytes);
        return;
    }
    const BYTE* source = image.pixelCopy.data();
    BYTE* target = image.pixels;
    for (size_t i = 0; i < bytes; i += 4) {
        const unsigned alpha = source[i + 3];
        if (alpha == 0) {
            std::memset(target + i, 0, 4);
            continue;
        }
        // Premultiplied channels would leave the valid range once lightness
        // grows, so the adjustment works on straight colour.
        auto straight = [alpha](BYTE c) { return BYTE(std::min(255u, (c * 255u + alpha / 2) / alpha)); };
        BYTE blue = straight(source[i]), green = straight(source[i + 1]), red = straight(source[i + 2]);
        AdjustRgb(red, green, blue, adjustment);
        target[i] = BYTE(blue * alpha / 255);
        target[i + 1] = BYTE(green * alpha / 255);
        target[i + 2] = BYTE(red * alpha / 255);
        target[i + 3] = BYTE(alpha);
    }
}

} // namespace SkinUI
