// Image attribute strings: bare names, every key, and the separators that end parsing.
#include "ui/core/gfx/ImageAttr.h"

#include <gtest/gtest.h>

using namespace SkinUI;

namespace {

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

} // namespace

TEST(ImageAttr, BareNameIsTheImageName)
{
    const TImageAttrKeys keys = ParseImageAttr(L"image/KVRN_icon_bk.png");
    EXPECT_EQ(L"image/KVRN_icon_bk.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{}, keys.dest));
    EXPECT_EQ(255, keys.fade);
    EXPECT_TRUE(keys.resourceType.empty());
}

TEST(ImageAttr, FileAndDest)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='image/KVRN_colortemperature.png' dest='0,9,240,15'");
    EXPECT_EQ(L"image/KVRN_colortemperature.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{0, 9, 240, 15}, keys.dest));
}

TEST(ImageAttr, EveryKey)
{
    const TImageAttrKeys keys = ParseImageAttr(
        L"file='a.png' source='1,2,3,4' corner='5,6,7,8' dest='9,10,11,12' mask='#FFFF00FF' fade='128' "
        L"hole='true' xtiled='true' ytiled='true' hsl='true'");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{1, 2, 3, 4}, keys.source));
    EXPECT_TRUE(Same(RECT{5, 6, 7, 8}, keys.corner));
    EXPECT_TRUE(Same(RECT{9, 10, 11, 12}, keys.dest));
    EXPECT_EQ(0xFFFF00FFu, keys.mask);
    EXPECT_EQ(128, keys.fade);
    EXPECT_TRUE(keys.hole);
    EXPECT_TRUE(keys.xTiled);
    EXPECT_TRUE(keys.yTiled);
    EXPECT_TRUE(keys.hsl);
}

TEST(ImageAttr, FlagsAreTrueOnlyForExactTrue)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='a.png' hole='yes' xtiled='TRUE' ytiled='1' hsl='false'");
    EXPECT_FALSE(keys.hole);
    EXPECT_FALSE(keys.xTiled);
    EXPECT_FALSE(keys.yTiled);
    EXPECT_FALSE(keys.hsl);
}

TEST(ImageAttr, MaskWithoutHashAndWithoutAlpha)
{
    EXPECT_EQ(0xFFFF00FFu, ParseImageAttr(L"file='a.png' mask='FFFF00FF'").mask);
    EXPECT_EQ(0x00FF00FFu, ParseImageAttr(L"file='a.png' mask='#FF00FF'").mask);
}

TEST(ImageAttr, ResourceTypeCountsOnlyWithRes)
{
    const TImageAttrKeys fromRes = ParseImageAttr(L"res='LOGO' restype='PNG'");
    EXPECT_EQ(L"LOGO", fromRes.imageName);
    EXPECT_EQ(L"PNG", fromRes.resourceType);
    const TImageAttrKeys fromFile = ParseImageAttr(L"file='logo.png' restype='PNG'");
    EXPECT_EQ(L"logo.png", fromFile.imageName);
    EXPECT_TRUE(fromFile.resourceType.empty());
}

TEST(ImageAttr, TwoSpacesBetweenPairsStillParseBoth)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='a.png'  dest='1,2,3,4'");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{1, 2, 3, 4}, keys.dest));
}

TEST(ImageAttr, TabAfterAPairEndsParsing)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='a.png'\tdest='1,2,3,4'");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{}, keys.dest));
}

TEST(ImageAttr, NoSeparatorEndsParsing)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='a.png'dest='1,2,3,4'");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{}, keys.dest));
}

TEST(ImageAttr, WhitespaceAroundTheEqualsSignIsAllowed)
{
    const TImageAttrKeys keys = ParseImageAttr(L"  file = 'a.png' fade =  '7'");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_EQ(7, keys.fade);
}

TEST(ImageAttr, UnknownKeysAndEmptyValuesAreIgnored)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='a.png' colour='red' fade='' dest='1,1,2,2'");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_EQ(255, keys.fade);
    EXPECT_TRUE(Same(RECT{1, 1, 2, 2}, keys.dest));
}

TEST(ImageAttr, FadeIsClampedToAByte)
{
    EXPECT_EQ(255, ParseImageAttr(L"file='a.png' fade='300'").fade);
    EXPECT_EQ(0, ParseImageAttr(L"file='a.png' fade='-5'").fade);
}

TEST(ImageAttr, MalformedTextKeepsTheWholeTextAsName)
{
    for (const wchar_t* text : {L"file=", L"file='unterminated", L"file=a.png", L"=", L"'", L""}) {
        const TImageAttrKeys keys = ParseImageAttr(text);
        EXPECT_EQ(std::wstring(text), keys.imageName);
    }
}

TEST(ImageAttr, PairsBeforeABrokenOneStillApply)
{
    const TImageAttrKeys keys = ParseImageAttr(L"file='a.png' dest='1,2,3,4' fade='9");
    EXPECT_EQ(L"a.png", keys.imageName);
    EXPECT_TRUE(Same(RECT{1, 2, 3, 4}, keys.dest));
    EXPECT_EQ(255, keys.fade);
}

TEST(ImageDrawInfo, ResetRestoresDefaultsAndStoresTheText)
{
    TImageDrawInfo info;
    info.parsed = true;
    info.fade = 3;
    info.hole = true;
    info.imageName = L"old";
    info.Reset(L"file='new.png'");
    EXPECT_EQ(L"file='new.png'", info.source);
    EXPECT_FALSE(info.parsed);
    EXPECT_EQ(255, info.fade);
    EXPECT_FALSE(info.hole);
    EXPECT_TRUE(info.imageName.empty());
    EXPECT_EQ(nullptr, info.image);
}
