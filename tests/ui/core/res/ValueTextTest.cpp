// Colour, rectangle, size and flag texts of skin markup, and the texts written back.
#include "ui/core/res/ValueText.h"

#include <gtest/gtest.h>

using namespace SkinUI;

TEST(ColourText, ReadsAlphaRedGreenBlueWithOrWithoutHash)
{
    EXPECT_EQ(0xFFFFFFFFu, ParseColourText(L"#FFFFFFFF"));
    EXPECT_EQ(0x4CC7CDDDu, ParseColourText(L"#4CC7CDDD"));
    EXPECT_EQ(0x4CC7CDDDu, ParseColourText(L"4cc7cddd"));
}

TEST(ColourText, SixDigitsGiveAlphaZero)
{
    EXPECT_EQ(0x00FF00FFu, ParseColourText(L"#FF00FF"));
}

TEST(ColourText, EmptyOrNonHexTextIsZero)
{
    EXPECT_EQ(0u, ParseColourText(L""));
    EXPECT_EQ(0u, ParseColourText(L"#"));
    EXPECT_EQ(0u, ParseColourText(L"#xyz"));
    EXPECT_EQ(0u, ParseColourText(static_cast<const wchar_t*>(nullptr)));
}

TEST(RectText, ReadsFourSignedDecimals)
{
    const RECT r = ParseRectText(L"0,9,240,15");
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(9, r.top);
    EXPECT_EQ(240, r.right);
    EXPECT_EQ(15, r.bottom);
    const RECT n = ParseRectText(L"-4,-3,-2,-1");
    EXPECT_EQ(-4, n.left);
    EXPECT_EQ(-1, n.bottom);
}

TEST(RectText, SkipsExactlyOneCharacterBetweenNumbers)
{
    const RECT r = ParseRectText(L"1;2 3x4");
    EXPECT_EQ(1, r.left);
    EXPECT_EQ(2, r.top);
    EXPECT_EQ(3, r.right);
    EXPECT_EQ(4, r.bottom);
    // Two separators in a row: the second one reads as a missing number (0).
    const RECT gap = ParseRectText(L"1,,3,4");
    EXPECT_EQ(1, gap.left);
    EXPECT_EQ(0, gap.top);
    EXPECT_EQ(3, gap.right);
    EXPECT_EQ(4, gap.bottom);
}

TEST(RectText, ShortTextLeavesTheRestZeroAndNeverReadsPastTheEnd)
{
    const RECT r = ParseRectText(L"7,8");
    EXPECT_EQ(7, r.left);
    EXPECT_EQ(8, r.top);
    EXPECT_EQ(0, r.right);
    EXPECT_EQ(0, r.bottom);
    const RECT empty = ParseRectText(L"");
    EXPECT_EQ(0, empty.left);
    const RECT single = ParseRectText(L"5");
    EXPECT_EQ(5, single.left);
}

TEST(SizeText, ReadsTwoDecimals)
{
    const SIZE s = ParseSizeText(L"480,323");
    EXPECT_EQ(480, s.cx);
    EXPECT_EQ(323, s.cy);
}

TEST(FlagText, OnlyExactTrueIsTrue)
{
    EXPECT_TRUE(ParseFlagText(L"true"));
    EXPECT_FALSE(ParseFlagText(L"TRUE"));
    EXPECT_FALSE(ParseFlagText(L"true "));
    EXPECT_FALSE(ParseFlagText(L"1"));
    EXPECT_FALSE(ParseFlagText(L""));
}

TEST(ValueToText, WritesTheFormsTheReaderReads)
{
    EXPECT_EQ(L"true", FlagToText(true));
    EXPECT_EQ(L"false", FlagToText(false));
    EXPECT_EQ(L"-17", IntToText(-17));
    EXPECT_EQ(L"1,-2,3,4", RectToText(RECT{1, -2, 3, 4}));
    EXPECT_EQ(L"480,323", SizeToText(SIZE{480, 323}));
    EXPECT_EQ(L"#4CC7CDDD", ColourToText(0x4CC7CDDD));
    EXPECT_EQ(L"#00000000", ColourToText(0));
}

TEST(ValueToText, RoundTripsThroughTheReaders)
{
    for (DWORD colour : {0u, 0xFFFFFFFFu, 0x80FF0000u, 0x0000FF00u})
        EXPECT_EQ(colour, ParseColourText(ColourToText(colour)));
    const RECT r = {-5, 6, 700, -8};
    const RECT back = ParseRectText(RectToText(r));
    EXPECT_TRUE(EqualRect(&r, &back));
}
