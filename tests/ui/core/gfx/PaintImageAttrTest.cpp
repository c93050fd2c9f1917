// Drawing a control's image attribute: parsing once, resolving through the
// cache, the dest/source/corner/fade/mask/tiling keys and unavailable images.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "tests/support/TestEnvironment.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr DWORD kBackground = 0xFF202020;

class PaintImageAttrTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        CSkinSource::SetSkinFolder(m_folder.Path());
        CImageCache::SharedTable().Clear();
        // 2 x 2 quadrants: red, green / blue, white.
        TArgbImage quadrants(2, 2, kRed);
        quadrants.At(1, 0) = kGreen;
        quadrants.At(0, 1) = kBlue;
        quadrants.At(1, 1) = kWhite;
        Write(L"image/KVRN_icon_bk.png", quadrants);
        Write(L"image/KVRN_colortemperature.png", TArgbImage(240, 6, kGreen));
        Write(L"image/white.png", TArgbImage(4, 4, kWhite));
    }
    void TearDown() override
    {
        CSkinSource::Reset();
        CImageCache::SharedTable().Clear();
    }
    void Write(const std::wstring& name, const TArgbImage& picture)
    {
        CreateDirectoryW(m_folder.File(L"image").c_str(), nullptr);
        TestEnv::WriteFileBytes(m_folder.File(name), EncodePng(picture));
    }
    bool Paint(CSurface& surface, TImageDrawInfo& info, const RECT& control, float angle = 0.0f)
    {
        const RECT everything = {0, 0, surface.Width(), surface.Height()};
        return CRenderKit::PaintImageAttr(surface.Dc(), &m_resources, control, everything, info, angle);
    }
    static TImageDrawInfo Info(const std::wstring& text)
    {
        TImageDrawInfo info;
        info.Reset(text);
        return info;
    }

    TestEnv::CScratchFolder m_folder{L"render_attr"};
    CResources m_resources;
};

} // namespace

TEST_F(PaintImageAttrTest, BareNameStretchesTheWholeImageOverTheControl)
{
    CSurface surface(60, 60, kBackground);
    TImageDrawInfo info = Info(L"image/KVRN_icon_bk.png");
    EXPECT_TRUE(Paint(surface, info, {10, 10, 50, 50}));
    EXPECT_EQ(0, surface.CountDifferent({10, 10, 30, 30}, kRed));
    EXPECT_EQ(0, surface.CountDifferent({30, 10, 50, 30}, kGreen));
    EXPECT_EQ(0, surface.CountDifferent({10, 30, 30, 50}, kBlue));
    EXPECT_EQ(0, surface.CountDifferent({30, 30, 50, 50}, kWhite));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 60, 10}, kBackground));
    EXPECT_EQ(L"image/KVRN_icon_bk.png", info.imageName);
    EXPECT_TRUE(info.parsed);
    ASSERT_NE(nullptr, info.image);
    EXPECT_EQ(0, info.sourceRect.left);
    EXPECT_EQ(2, info.sourceRect.right);
}

TEST_F(PaintImageAttrTest, DestBandOnASliderTrack)
{
    CSurface surface(240, 24, kBackground);
    TImageDrawInfo info = Info(L"file='image/KVRN_colortemperature.png' dest='0,9,240,15'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 240, 24}));
    EXPECT_EQ(0, surface.CountDifferent({0, 9, 240, 15}, kGreen));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 240, 9}, kBackground));
    EXPECT_EQ(0, surface.CountDifferent({0, 15, 240, 24}, kBackground));
}

TEST_F(PaintImageAttrTest, DestBeyondTheControlIsClippedToIt)
{
    CSurface surface(200, 200, kBackground);
    TImageDrawInfo info = Info(L"file='image/white.png' dest='0,0,500,500'");
    EXPECT_TRUE(Paint(surface, info, {20, 20, 120, 120}));
    EXPECT_EQ(0, surface.CountDifferent({20, 20, 120, 120}, kWhite));
    EXPECT_EQ(0, surface.CountDifferent({120, 0, 200, 200}, kBackground));
    EXPECT_EQ(0, surface.CountDifferent({0, 120, 200, 200}, kBackground));
}

TEST_F(PaintImageAttrTest, AMissingImageDrawsNothingAndIsNotLookedUpAgain)
{
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"file='image/nothere.png'");
    EXPECT_FALSE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_FALSE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_EQ(1, m_resources.imageLoads);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kBackground, false));

    // Changing the attribute tries again.
    Write(L"image/nothere.png", TArgbImage(1, 1, kRed));
    info.Reset(L"file='image/nothere.png'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_EQ(2, m_resources.imageLoads);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kRed));
}

TEST_F(PaintImageAttrTest, ACorruptImageIsUnavailable)
{
    const std::string png = EncodePng(TArgbImage(16, 16, kRed));
    TestEnv::WriteFileBytes(m_folder.File(L"cut.png"), png.substr(0, 40));
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"cut.png");
    EXPECT_FALSE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_EQ(nullptr, info.image);
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kBackground, false));
}

TEST_F(PaintImageAttrTest, EmptyAttributeDrawsNothing)
{
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"");
    EXPECT_FALSE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_EQ(0, m_resources.imageLoads);
}

TEST_F(PaintImageAttrTest, ParsedOnceThenReused)
{
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"image/white.png");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_TRUE(Paint(surface, info, {0, 0, 10, 10}));
    EXPECT_EQ(1, m_resources.imageLoads);
}

TEST_F(PaintImageAttrTest, SourcePicksPartOfTheImageAndIsClampedToIt)
{
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"file='image/KVRN_icon_bk.png' source='1,1,2,2'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 20, 20}));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kWhite));

    CSurface clamped(20, 20, kBackground);
    TImageDrawInfo big = Info(L"file='image/KVRN_icon_bk.png' source='0,0,100,100'");
    EXPECT_TRUE(Paint(clamped, big, {0, 0, 20, 20}));
    EXPECT_EQ(2, big.sourceRect.right);
    EXPECT_EQ(2, big.sourceRect.bottom);
    EXPECT_EQ(0, clamped.CountDifferent({0, 0, 10, 10}, kRed));
}

TEST_F(PaintImageAttrTest, CornerKeysDrawANineGrid)
{
    TArgbImage framed(6, 6, kGreen);
    framed.FillRect(2, 2, 4, 4, kBlue);
    Write(L"image/framed.png", framed);
    CSurface surface(50, 40, kBackground);
    TImageDrawInfo info = Info(L"file='image/framed.png' corner='2,2,2,2' hole='true'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 50, 40}));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 50, 2}, kGreen));
    EXPECT_EQ(0, surface.CountDifferent({2, 2, 48, 38}, kBackground));
}

TEST_F(PaintImageAttrTest, FadeOnAnOpaqueImageBlends)
{
    CSurface surface(10, 10, 0xFF000000);
    TImageDrawInfo info = Info(L"file='image/white.png' fade='128'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 10, 10}));
    EXPECT_TRUE(Near(surface.Pixel(5, 5), 0xFF808080, 2, true)) << Hex(surface.Pixel(5, 5));
}

TEST_F(PaintImageAttrTest, MaskColourBecomesTransparent)
{
    TArgbImage picture(2, 1, 0xFFFF00FF);
    picture.At(1, 0) = kBlue;
    Write(L"image/masked.png", picture);
    CSurface surface(2, 1, kBackground);
    TImageDrawInfo info = Info(L"file='image/masked.png' mask='#FFFF00FF'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 2, 1}));
    EXPECT_EQ(kBackground & 0xFFFFFF, surface.Pixel(0, 0) & 0xFFFFFF);
    EXPECT_EQ(kBlue & 0xFFFFFF, surface.Pixel(1, 0) & 0xFFFFFF);
}

TEST_F(PaintImageAttrTest, MaskWithoutAlphaMatchesNothing)
{
    Write(L"image/magenta.png", TArgbImage(2, 2, 0xFFFF00FF));
    CSurface surface(2, 2, kBackground);
    TImageDrawInfo info = Info(L"file='image/magenta.png' mask='#FF00FF'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 2, 2}));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 2, 2}, 0xFFFF00FF));
}

TEST_F(PaintImageAttrTest, TiledKeysRepeatTheImage)
{
    TArgbImage stripe(2, 1, kRed);
    stripe.At(1, 0) = kBlue;
    Write(L"image/stripe.png", stripe);
    CSurface surface(9, 3, kBackground);
    TImageDrawInfo info = Info(L"file='image/stripe.png' xtiled='true'");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 9, 3}));
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ((x % 2 ? kBlue : kRed) & 0xFFFFFF, surface.Pixel(x, 1) & 0xFFFFFF) << x;
}

TEST_F(PaintImageAttrTest, NothingIsDrawnOutsideThePaintRectangle)
{
    CSurface surface(40, 40, kBackground);
    TImageDrawInfo info = Info(L"image/white.png");
    EXPECT_TRUE(CRenderKit::PaintImageAttr(surface.Dc(), &m_resources, {0, 0, 10, 10}, {20, 20, 40, 40}, info, 0));
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 40, 40}, kBackground, false));
}

TEST_F(PaintImageAttrTest, AnAngleDrawsARotatedCopy)
{
    TArgbImage halves(20, 20, kRed);
    halves.FillRect(10, 0, 20, 20, kBlue);
    Write(L"image/halves.png", halves);
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"image/halves.png");
    EXPECT_TRUE(Paint(surface, info, {0, 0, 20, 20}, 180.0f));
    EXPECT_TRUE(Near(surface.Pixel(4, 10), kBlue, 8, true)) << Hex(surface.Pixel(4, 10));
    EXPECT_TRUE(Near(surface.Pixel(15, 10), kRed, 8, true)) << Hex(surface.Pixel(15, 10));
}

TEST_F(PaintImageAttrTest, ResourceImagesNeedTheirResource)
{
    CSurface surface(10, 10, kBackground);
    TImageDrawInfo info = Info(L"res='NO_SUCH_IMAGE' restype='PNG'");
    EXPECT_FALSE(Paint(surface, info, {0, 0, 10, 10}));
    EXPECT_EQ(L"NO_SUCH_IMAGE", info.imageName);
}

TEST_F(PaintImageAttrTest, HugeDestOffsetsDoNotOverflow)
{
    CSurface surface(20, 20, kBackground);
    TImageDrawInfo info = Info(L"file='image/white.png' dest='2147483647,2147483647,2147483647,2147483647'");
    Paint(surface, info, {10, 10, 20, 20});
    EXPECT_EQ(0, surface.CountDifferent({0, 0, 20, 20}, kBackground, false));
    TImageDrawInfo negative = Info(L"file='image/white.png' dest='-2147483647,0,5,5'");
    Paint(surface, negative, {10, 10, 20, 20});
    // Offsets only ever shrink the right and bottom edges to the control's.
    EXPECT_EQ(0, surface.CountDifferent({15, 0, 20, 20}, kBackground, false));
    EXPECT_EQ(0, surface.CountDifferent({0, 15, 20, 20}, kBackground, false));
}
