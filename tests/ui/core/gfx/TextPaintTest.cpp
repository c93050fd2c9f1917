// Plain text through GDI and anti-aliased text through GDI+.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "ui/core/gfx/RenderKit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr DWORD kBlack = 0xFF000000;

SIZE Extent(CResources& resources, HDC dc, const std::wstring& text, int fontIndex = -1)
{
    CSelectObject select(dc, resources.FontByIndex(fontIndex));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    return size;
}

// The bounding box of the pixels that differ from the background.
RECT LitBounds(const CSurface& surface, DWORD background)
{
    RECT bounds = {surface.Width(), surface.Height(), 0, 0};
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if ((surface.Pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    return bounds;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST(PaintText, GdiTextUsesTheColourWithRedAndBlueInPlace)
{
    CResources resources;
    CSurface surface(120, 30, kBlack);
    RECT rect = {5, 5, 115, 25};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"Hello", 0xFF2080F0, -1, DT_SINGLELINE);
    const RECT lit = LitBounds(surface, kBlack);
    ASSERT_LT(lit.left, lit.right) << "nothing was drawn";
    EXPECT_TRUE(Inside(lit, {5, 5, 115, 25}));
    // The test fonts are not anti-aliased: every lit pixel has exactly the text colour.
    int lit_pixels = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if ((surface.Pixel(x, y) & 0xFFFFFF) != 0) {
                ++lit_pixels;
                EXPECT_EQ(0x2080F0u, surface.Pixel(x, y) & 0xFFFFFF);
            }
    EXPECT_GT(lit_pixels, 20);
}

TEST(PaintText, AmpersandIsNeverAPrefix)
{
    CResources resources;
    CSurface surface(200, 30, kBlack);
    RECT rect = {0, 0, 200, 30};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"a&b", 0xFFFFFFFF, -1, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(Extent(resources, surface.Dc(), L"a&b").cx, rect.right);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 200, 30}, kBlack)); // measuring draws nothing
}

TEST(PaintText, MeasuringUsesTheIndexedFont)
{
    CResources resources;
    resources.AddFontEntry(3, kTestFace, 30, false, false, false, false);
    CSurface surface(10, 10, kBlack);
    RECT small = {0, 0, 500, 100}, large = {0, 0, 500, 100};
    CRenderKit::PaintText(surface.Dc(), &resources, small, L"Size", 0xFFFFFFFF, -1, DT_SINGLELINE | DT_CALCRECT);
    CRenderKit::PaintText(surface.Dc(), &resources, large, L"Size", 0xFFFFFFFF, 3, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(Extent(resources, surface.Dc(), L"Size", 3).cx, large.right);
    EXPECT_GT(large.bottom, small.bottom);
    // An unknown index falls back to the base font.
    RECT fallback = {0, 0, 500, 100};
    CRenderKit::PaintText(surface.Dc(), &resources, fallback, L"Size", 0xFFFFFFFF, 42, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(small.right, fallback.right);
}

TEST(PaintText, LanguageReferencesAreReplacedFirst)
{
    CResources resources;
    resources.language[L"17"] = L"Eye care";
    CSurface surface(10, 10, kBlack);
    RECT rect = {0, 0, 500, 100};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"%{17}", 0xFFFFFFFF, -1, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(Extent(resources, surface.Dc(), L"Eye care").cx, rect.right);
}

TEST(PaintText, DrawTextFormatFlagsApply)
{
    CResources resources;
    CSurface surface(200, 40, kBlack);
    RECT rect = {0, 0, 200, 40};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"Right", 0xFFFFFFFF, -1,
                          DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    const RECT lit = LitBounds(surface, kBlack);
    EXPECT_GT(lit.left, 150);
    EXPECT_GT(lit.top, 20);
}

TEST(PaintText, WithoutContextTheStockFontIsUsed)
{
    CSurface surface(100, 30, kBlack);
    RECT rect = {0, 0, 100, 30};
    CRenderKit::PaintText(surface.Dc(), nullptr, rect, L"Hi", 0xFFFFFFFF, 0, DT_SINGLELINE);
    const RECT lit = LitBounds(surface, kBlack);
    EXPECT_LT(lit.left, lit.right);
}

TEST(PaintText, GdiPlusDrawsInsideTheRectangleInTheColour)
{
    CResources resources;
    resources.AddFontEntry(1, kTestFace, 20, true, false, false, false);
    CSurface surface(200, 40, kBlack);
    RECT rect = {10, 5, 190, 35};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"Smooth", 0xFF00FF00, 1, DT_SINGLELINE, true);
    const RECT lit = LitBounds(surface, kBlack);
    ASSERT_LT(lit.left, lit.right) << "nothing was drawn";
    EXPECT_TRUE(Inside(lit, {10, 5, 190, 35}));
    int strongest = 0;
    for (int y = lit.top; y < lit.bottom; ++y)
        for (int x = lit.left; x < lit.right; ++x) {
            const DWORD p = surface.Pixel(x, y);
            EXPECT_EQ(0, Channel(p, 2)) << Hex(p); // green only
            EXPECT_EQ(0, Channel(p, 0)) << Hex(p);
            strongest = std::max(strongest, Channel(p, 1));
        }
    EXPECT_GT(strongest, 240);
}

TEST(PaintText, GdiPlusAlphaFadesTheText)
{
    CResources resources;
    resources.AddFontEntry(1, kTestFace, 24, true, false, false, false);
    CSurface surface(200, 40, kBlack);
    RECT rect = {0, 0, 200, 40};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"Faded", 0xFFFFFFFF, 1, DT_SINGLELINE, true, 128);
    int strongest = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            strongest = std::max(strongest, Channel(surface.Pixel(x, y), 2));
    EXPECT_GT(strongest, 60);
    EXPECT_LT(strongest, 140);
}

TEST(PaintText, GdiPlusAlignmentFlagsMapToStringAlignment)
{
    CResources resources;
    CSurface left(300, 60, kBlack), centre(300, 60, kBlack), right(300, 60, kBlack);
    RECT rect = {0, 0, 300, 60};
    RECT r1 = rect, r2 = rect, r3 = rect;
    CRenderKit::PaintText(left.Dc(), &resources, r1, L"Mid", 0xFFFFFFFF, -1, DT_SINGLELINE, true);
    CRenderKit::PaintText(centre.Dc(), &resources, r2, L"Mid", 0xFFFFFFFF, -1, DT_SINGLELINE | DT_CENTER | DT_VCENTER,
                          true);
    CRenderKit::PaintText(right.Dc(), &resources, r3, L"Mid", 0xFFFFFFFF, -1, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM,
                          true);
    const RECT a = LitBounds(left, kBlack), b = LitBounds(centre, kBlack), c = LitBounds(right, kBlack);
    EXPECT_LT(a.right, 60);
    EXPECT_LT(a.top, 15);
    EXPECT_NEAR((b.left + b.right) / 2, 150, 8);
    EXPECT_NEAR((b.top + b.bottom) / 2, 30, 8);
    EXPECT_GT(c.left, 240);
    EXPECT_GT(c.top, 35);
}

TEST(PaintText, GdiPlusMeasuringWritesTheSizeBack)
{
    CResources resources;
    CSurface surface(10, 10, kBlack);
    RECT rect = {20, 30, 520, 130};
    CRenderKit::PaintText(surface.Dc(), &resources, rect, L"Measure me", 0xFFFFFFFF, -1, DT_SINGLELINE | DT_CALCRECT,
                          true);
    const SIZE gdi = Extent(resources, surface.Dc(), L"Measure me");
    EXPECT_EQ(20, rect.left);
    EXPECT_EQ(30, rect.top);
    EXPECT_NEAR(rect.right - 20, gdi.cx, gdi.cx / 4 + 2);
    EXPECT_GT(rect.bottom - 30, 5);
    EXPECT_LT(rect.bottom - 30, 60);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 10, 10}, kBlack));
}
