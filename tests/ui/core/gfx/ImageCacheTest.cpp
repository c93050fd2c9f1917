// The image cache: window and shared tables, loading through the skin sources,
// replacement, dropping, colour-adjusted images and unavailable images.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "tests/support/TestEnvironment.h"
#include "ui/core/gfx/ColourAdjust.h"
#include "ui/core/gfx/ImageCache.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace SkinUI;
using namespace RenderTest;

namespace {

DWORD FirstPixel(const TImageRecord* image)
{
    DWORD value = 0;
    if (image && image->pixels)
        std::memcpy(&value, image->pixels, 4);
    return value;
}

class ImageCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        CSkinSource::SetSkinFolder(m_folder.Path());
        CImageCache::SharedTable().Clear();
        ColourAdjustment() = TColourAdjustment();
    }
    void TearDown() override
    {
        CSkinSource::Reset();
        CImageCache::SharedTable().Clear();
        ColourAdjustment() = TColourAdjustment();
    }
    void WriteImage(const std::wstring& name, DWORD argb, int width = 4, int height = 3)
    {
        TestEnv::WriteFileBytes(m_folder.File(name), EncodePng(TArgbImage(width, height, argb)));
    }

    TestEnv::CScratchFolder m_folder{L"render_cache"};
    CImageCache m_cache;
};

} // namespace

TEST_F(ImageCacheTest, DecodeSkinImageReadsFromTheSkinFolder)
{
    WriteImage(L"bk.png", 0xFF112233, 6, 5);
    auto image = CRenderKit::DecodeSkinImage(L"bk.png", L"", 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(6, image->width);
    EXPECT_EQ(5, image->height);
    EXPECT_EQ(0xFF112233u, FirstPixel(image.get()));
    EXPECT_FALSE(CRenderKit::DecodeSkinImage(L"missing.png", L"", 0));
}

TEST_F(ImageCacheTest, FirstLookupLoadsLaterOnesComeFromTheTable)
{
    WriteImage(L"a.png", 0xFF010203);
    TImageRecord* first = m_cache.LookupOrCacheImage(L"a.png", L"", 0, false);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(1u, m_cache.WindowTable().Size());
    TestEnv::WriteFileBytes(m_folder.File(L"a.png"), "gone"); // no longer decodable on disk
    EXPECT_EQ(first, m_cache.LookupOrCacheImage(L"a.png", L"", 0, false));
    EXPECT_EQ(first, m_cache.LookupImage(L"a.png"));
    EXPECT_EQ(nullptr, m_cache.LookupImage(L"A.PNG")); // names compare exactly
}

TEST_F(ImageCacheTest, WindowTableComesBeforeTheSharedTable)
{
    WriteImage(L"s.png", 0xFF0000FF);
    TImageRecord* shared = m_cache.CacheImage(L"s.png", L"", 0, false, true);
    ASSERT_NE(nullptr, shared);
    CImageCache otherWindow;
    EXPECT_EQ(shared, otherWindow.LookupImage(L"s.png")); // the shared table serves every window

    WriteImage(L"s.png", 0xFF00FF00);
    TImageRecord* own = m_cache.CacheImage(L"s.png", L"", 0, false, false);
    ASSERT_NE(nullptr, own);
    EXPECT_NE(shared, own);
    EXPECT_EQ(own, m_cache.LookupImage(L"s.png"));
    EXPECT_EQ(shared, otherWindow.LookupImage(L"s.png"));
}

TEST_F(ImageCacheTest, CachingANameAgainReplacesTheRecordInPlace)
{
    WriteImage(L"r.png", 0xFFAA0000, 2, 2);
    TImageRecord* before = m_cache.CacheImage(L"r.png", L"", 0, false, false);
    ASSERT_NE(nullptr, before);
    WriteImage(L"r.png", 0xFF00BB00, 7, 3);
    TImageRecord* after = m_cache.CacheImage(L"r.png", L"", 0, false, false);
    // Drawing records hold the address, so it stays valid and shows the new image.
    EXPECT_EQ(before, after);
    EXPECT_EQ(7, after->width);
    EXPECT_EQ(0xFF00BB00u, FirstPixel(after));
    EXPECT_EQ(1u, m_cache.WindowTable().Size());
}

TEST_F(ImageCacheTest, AFailedReloadKeepsTheOlderRecord)
{
    WriteImage(L"k.png", 0xFF123456);
    TImageRecord* kept = m_cache.CacheImage(L"k.png", L"", 0, false, false);
    ASSERT_NE(nullptr, kept);
    TestEnv::WriteFileBytes(m_folder.File(L"k.png"), "\x89PNG broken");
    EXPECT_EQ(nullptr, m_cache.CacheImage(L"k.png", L"", 0, false, false));
    EXPECT_EQ(kept, m_cache.LookupImage(L"k.png"));
    EXPECT_EQ(0xFF123456u, FirstPixel(kept));
}

TEST_F(ImageCacheTest, DropImageTableFreesOneTable)
{
    WriteImage(L"w.png", 0xFF000001);
    WriteImage(L"s.png", 0xFF000002);
    ASSERT_NE(nullptr, m_cache.CacheImage(L"w.png", L"", 0, false, false));
    ASSERT_NE(nullptr, m_cache.CacheImage(L"s.png", L"", 0, false, true));
    m_cache.DropImageTable(false);
    EXPECT_EQ(nullptr, m_cache.LookupImage(L"w.png"));
    EXPECT_NE(nullptr, m_cache.LookupImage(L"s.png"));
    m_cache.DropImageTable(true);
    EXPECT_EQ(nullptr, m_cache.LookupImage(L"s.png"));
}

TEST_F(ImageCacheTest, MissingCorruptAndTruncatedImagesAreUnavailable)
{
    const std::string png = EncodePng(TArgbImage(32, 32, 0xFF445566));
    TestEnv::WriteFileBytes(m_folder.File(L"cut.png"), png.substr(0, png.size() / 2));
    TestEnv::WriteFileBytes(m_folder.File(L"junk.png"), std::string(300, 'x'));
    TestEnv::WriteFileBytes(m_folder.File(L"empty.png"), std::string());
    for (const wchar_t* name : {L"nothere.png", L"cut.png", L"junk.png", L"empty.png", L""}) {
        EXPECT_EQ(nullptr, m_cache.LookupOrCacheImage(name, L"", 0, false));
        EXPECT_EQ(nullptr, m_cache.LookupImage(name));
    }
    EXPECT_EQ(0u, m_cache.WindowTable().Size());
}

TEST_F(ImageCacheTest, AnAbsolutePathIsReadWhenTheSkinHasNoSuchFile)
{
    TestEnv::CScratchFolder elsewhere(L"render_abs");
    TestEnv::WriteFileBytes(elsewhere.File(L"abs.png"), EncodePng(TArgbImage(3, 3, 0xFF777777)));
    TImageRecord* image = m_cache.LookupOrCacheImage(elsewhere.File(L"abs.png"), L"", 0, false);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(3, image->width);
}

TEST_F(ImageCacheTest, MaskAndResourceTypeAreRecorded)
{
    WriteImage(L"m.png", 0xFFFF00FF);
    TImageRecord* image = m_cache.CacheImage(L"m.png", L"", 0xFFFF00FF, false, false);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(0xFFFF00FFu, image->mask);
    EXPECT_TRUE(image->hasAlpha);
    EXPECT_EQ(0u, FirstPixel(image));
}

TEST_F(ImageCacheTest, HslImagesKeepAnUntouchedCopy)
{
    WriteImage(L"h.png", 0xFFFF0000);
    TImageRecord* image = m_cache.CacheImage(L"h.png", L"", 0, true, false);
    ASSERT_NE(nullptr, image);
    EXPECT_TRUE(image->useHsl);
    ASSERT_EQ(image->ByteCount(), image->pixelCopy.size());
    EXPECT_EQ(0xFFFF0000u, FirstPixel(image)); // adjustment off: pixels as decoded

    WriteImage(L"plain.png", 0xFFFF0000);
    TImageRecord* plain = m_cache.CacheImage(L"plain.png", L"", 0, false, false);
    ASSERT_NE(nullptr, plain);
    EXPECT_TRUE(plain->pixelCopy.empty());
}

TEST_F(ImageCacheTest, HslImagesFollowTheAdjustmentWhenItIsOn)
{
    ColourAdjustment() = TColourAdjustment{300, 100, 100, true}; // hue +120: red becomes green
    WriteImage(L"h.png", 0xFFFF0000);
    WriteImage(L"p.png", 0xFFFF0000);
    TImageRecord* adjusted = m_cache.CacheImage(L"h.png", L"", 0, true, false);
    TImageRecord* plain = m_cache.CacheImage(L"p.png", L"", 0, false, false);
    ASSERT_NE(nullptr, adjusted);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(0xFF00FF00u, FirstPixel(adjusted));
    EXPECT_EQ(0xFFFF0000u, FirstPixel(plain));

    // Turning it off and re-applying restores the untouched pixels.
    ColourAdjustment().enabled = false;
    m_cache.ReapplyColourAdjustment();
    EXPECT_EQ(0xFFFF0000u, FirstPixel(adjusted));
}
