#pragma once
// The global hue/saturation/lightness adjustment that images marked `hsl`
// and colours passed through ShiftArgbHsl follow.
#include "ui/core/gfx/image/ImageRecord.h"

#include <windows.h>

namespace SkinUI {

struct TColourAdjustment {
    int hue = 180;         // 0..360, 180 leaves hues alone
    int saturation = 100;  // 0..200, percent
    int lightness = 100;   // 0..200, percent
    bool enabled = false;

    bool IsNeutral() const { return hue == 180 && saturation == 100 && lightness == 100; }
};

// The process-wide settings (neutral and off until someone changes them).
TColourAdjustment& ColourAdjustment();

// One ARGB colour through the adjustment; alpha is kept.
DWORD AdjustArgb(DWORD argb, const TColourAdjustment& adjustment);

// Recomputes an image's pixels from its untouched copy: restored unchanged when
// the settings are neutral, else each pixel is un-premultiplied, adjusted and
// premultiplied again. Images without a copy are left alone.
void ApplyColourAdjustment(TImageRecord& image, const TColourAdjustment& adjustment);

} // namespace SkinUI
