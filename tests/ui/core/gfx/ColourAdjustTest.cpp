// The global hue/saturation/lightness adjustment of colours and images.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/ColourAdjust.h"
#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/RenderKit.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace SkinUI;
using namespace RenderTest;

TEST(ColourAdjust, NeutralSettingsChangeNothing)
{
    const TColourAdjustment neutral;
    for (DWORD argb : {0xFF123456u, 0x80FFFFFFu, 0x00000000u, 0xFF7F7F7Fu})
        EXPECT_EQ(argb, AdjustArgb(argb, neutral));
}

TEST(ColourAdjust, HueMovesByTheDifferenceFrom180)
{
    EXPECT_EQ(0xFF00FF00u, AdjustArgb(0xFFFF0000, TColourAdjustment{300, 100, 100, true})); // +120
    EXPECT_EQ(0xFF0000FFu, AdjustArgb(0xFFFF0000, TColourAdjustment{60, 100, 100, true}));  // -120 wraps to 240
    EXPECT_EQ(0x40FF0000u, AdjustArgb(0x400000FF, TColourAdjustment{300, 100, 100, true})); // alpha kept
}

TEST(ColourAdjust, SaturationAndLightnessScale)
{
    EXPECT_EQ(0xFF808080u, AdjustArgb(0xFFFF0000, TColourAdjustment{180, 0, 100, true}));  // grey
    EXPECT_EQ(0xFF000000u, AdjustArgb(0xFFFF0000, TColourAdjustment{180, 100, 0, true}));  // black
    EXPECT_EQ(0xFFFFFFFFu, AdjustArgb(0xFFFF0000, TColourAdjustment{180, 100, 200, true})); // white
    EXPECT_EQ(0xFFFF8080u, AdjustArgb(0xFFFF0000, TColourAdjustment{180, 100, 150, true}));
}

TEST(ColourAdjust, ShiftArgbHslUsesTheGlobalSettings)
{
    ColourAdjustment() = TColourAdjustment{300, 100, 100, true};
    EXPECT_EQ(0xFF00FF00u, CRenderKit::ShiftArgbHsl(0xFFFF0000));
    ColourAdjustment() = TColourAdjustment();
    EXPECT_EQ(0xFFFF0000u, CRenderKit::ShiftArgbHsl(0xFFFF0000));
}

TEST(ColourAdjust, ImagesAreAdjustedOnStraightColourAndStayValidlyPremultiplied)
{
    TImageRecord image;
    image.bitmap = CreateTopDownDib(2, 1, &image.pixels);
    image.width = 2;
    image.height = 1;
    const BYTE copy[8] = {0x00, 0x00, 0x80, 0x80,  // red at alpha 128, premultiplied
                          0x00, 0x00, 0x00, 0x00}; // fully transparent
    image.pixelCopy.assign(copy, copy + 8);

    ApplyColourAdjustment(image, TColourAdjustment{300, 100, 100, true});
    DWORD first;
    std::memcpy(&first, image.pixels, 4);
    EXPECT_EQ(0x80008000u, first); // green at alpha 128

    ApplyColourAdjustment(image, TColourAdjustment{180, 100, 200, true});
    std::memcpy(&first, image.pixels, 4);
    EXPECT_EQ(0x80808080u, first); // white at alpha 128, no channel above alpha
    DWORD second;
    std::memcpy(&second, image.pixels + 4, 4);
    EXPECT_EQ(0u, second);

    ApplyColourAdjustment(image, TColourAdjustment{180, 100, 100, true}); // neutral: the copy comes back
    EXPECT_EQ(0, std::memcmp(copy, image.pixels, 8));
}

TEST(ColourAdjust, ImagesWithoutACopyAreLeftAlone)
{
    TImageRecord image;
    image.bitmap = CreateTopDownDib(1, 1, &image.pixels);
    image.width = image.height = 1;
    image.pixels[2] = 0xFF;
    image.pixels[3] = 0xFF;
    ApplyColourAdjustment(image, TColourAdjustment{300, 100, 100, true});
    EXPECT_EQ(0xFF, image.pixels[2]);
}
