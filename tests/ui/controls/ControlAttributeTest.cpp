// Markup attributes of the control base: value forms, the setters they reach
// and reading them back.
#include "ControlTestSupport.h"

#include "ui/controls/ControlUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using ControlTest::Rect;

TEST(ControlAttributes, PosSetsOriginAndPresetSizeWithoutFloating)
{
    CControlUI control;
    control.writeAttribute(L"pos", L"10,20,110,60");
    EXPECT_EQ(10, control.floatOrigin().cx);
    EXPECT_EQ(20, control.floatOrigin().cy);
    EXPECT_EQ(100, control.presetWidth());
    EXPECT_EQ(40, control.presetHeight());
    EXPECT_FALSE(control.isFloating());
}

TEST(ControlAttributes, PosWithExtremeCoordinatesDoesNotOverflow)
{
    CControlUI control;
    control.writeAttribute(L"pos", L"-2147483648,0,2147483647,10");
    EXPECT_EQ(2147483647, control.presetWidth());
    EXPECT_EQ(10, control.presetHeight());
    control.writeAttribute(L"pos", L"2147483647,0,-2147483648,0");
    EXPECT_EQ(2147483647, control.presetWidth()); // a negative span is ignored
}

TEST(ControlAttributes, TupleValuesMissingAtTheEndCountAsZero)
{
    CControlUI control;
    control.writeAttribute(L"padding", L"5,6");
    EXPECT_EQ(Rect(5, 6, 0, 0), control.outerMargin());
    control.writeAttribute(L"padding", L"");
    EXPECT_EQ(Rect(0, 0, 0, 0), control.outerMargin());
}

TEST(ControlAttributes, BorderSizeWithoutCommaClearsTheSideWidths)
{
    CControlUI control;
    control.writeAttribute(L"bordersize", L"1,0,1,0");
    EXPECT_EQ(Rect(1, 0, 1, 0), control.sideBorders());
    EXPECT_EQ(0, control.borderSize());
    control.writeAttribute(L"bordersize", L"2");
    EXPECT_EQ(2, control.borderSize());
    EXPECT_EQ(Rect(0, 0, 0, 0), control.sideBorders());
}

TEST(ControlAttributes, BorderSizeWithCommaKeepsTheUniformWidth)
{
    CControlUI control;
    control.writeAttribute(L"bordersize", L"3");
    control.writeAttribute(L"bordersize", L"0,1,0,1");
    EXPECT_EQ(3, control.borderSize());
    EXPECT_EQ(Rect(0, 1, 0, 1), control.sideBorders());
}

TEST(ControlAttributes, SingleSideBorderWidths)
{
    CControlUI control;
    control.writeAttribute(L"leftbordersize", L"1");
    control.writeAttribute(L"topbordersize", L"2");
    control.writeAttribute(L"rightbordersize", L"3");
    control.writeAttribute(L"bottombordersize", L"4");
    EXPECT_EQ(Rect(1, 2, 3, 4), control.sideBorders());
}

TEST(ControlAttributes, BackColourSkipsLeadingBlanksButBorderColourDoesNot)
{
    CControlUI control;
    control.writeAttribute(L"bkcolor", L"  #FF333333");
    EXPECT_EQ(0xFF333333u, control.backColour());
    control.writeAttribute(L"bordercolor", L"  #FF333333");
    EXPECT_EQ(0u, control.borderColour());
    control.writeAttribute(L"bordercolor", L"#FF333333");
    EXPECT_EQ(0xFF333333u, control.borderColour());
}

TEST(ControlAttributes, ColourFamilyNamesAndAlpha)
{
    CControlUI control;
    control.writeAttribute(L"bkcolor1", L"#4CC7CDDD");
    control.writeAttribute(L"bkcolor2", L"FF000001");
    control.writeAttribute(L"bkcolor3", L"#FF000002");
    control.writeAttribute(L"focusbordercolor", L"#FF00FF00");
    EXPECT_EQ(0x4CC7CDDDu, control.backColour());
    EXPECT_EQ(0xFF000001u, control.backColour2());
    EXPECT_EQ(0xFF000002u, control.backColour3());
    EXPECT_EQ(0xFF00FF00u, control.focusBorderColour());
    EXPECT_EQ(L"#4CC7CDDD", control.readAttribute(L"bkcolor"));
}

TEST(ControlAttributes, BoolIsTrueOnlyForExactTrue)
{
    CControlUI control;
    control.writeAttribute(L"visible", L"TRUE");
    EXPECT_FALSE(control.isShown());
    control.writeAttribute(L"visible", L"true");
    EXPECT_TRUE(control.isShown());
    control.writeAttribute(L"enabled", L"1");
    EXPECT_FALSE(control.isOperable());
    control.writeAttribute(L"mouse", L"True");
    EXPECT_FALSE(control.takesMouse());
    control.writeAttribute(L"keyboard", L"false");
    EXPECT_FALSE(control.takesKeyboard());
    control.writeAttribute(L"menu", L"true");
    EXPECT_TRUE(control.wantsMenu());
    control.writeAttribute(L"colorhsl", L"true");
    EXPECT_TRUE(control.usesHsl());
}

TEST(ControlAttributes, IntegersDegradeToZeroAndNegativeSizesAreIgnored)
{
    CControlUI control;
    control.writeAttribute(L"width", L"abc");
    EXPECT_EQ(0, control.presetWidth());
    control.writeAttribute(L"width", L"120");
    control.writeAttribute(L"width", L"-5");
    EXPECT_EQ(120, control.presetWidth());
    control.writeAttribute(L"height", L"99999999999999");
    EXPECT_GT(control.presetHeight(), 0);
    control.writeAttribute(L"minwidth", L"-1");
    EXPECT_EQ(0, control.lowerWidth());
    control.writeAttribute(L"minwidth", L"10");
    control.writeAttribute(L"maxwidth", L"200");
    control.writeAttribute(L"minheight", L"11");
    control.writeAttribute(L"maxheight", L"201");
    EXPECT_EQ(10, control.lowerWidth());
    EXPECT_EQ(200, control.upperWidth());
    EXPECT_EQ(11, control.lowerHeight());
    EXPECT_EQ(201, control.upperHeight());
}

TEST(ControlAttributes, TooltipLineBreakTags)
{
    CControlUI control;
    control.writeAttribute(L"tooltip", L"a<n>b");
    EXPECT_EQ(L"a\r\nb", control.hintText());
    control.writeAttribute(L"tooltip", L"<n><n>x<n");
    EXPECT_EQ(L"\r\n\r\nx<n", control.hintText());
}

TEST(ControlAttributes, FloatWithFractionsSetsAnchorsAndFloats)
{
    CControlUI control;
    control.writeAttribute(L"float", L"0.5,0.25,1,0");
    EXPECT_TRUE(control.isFloating());
    const TAnchorFractions anchor = control.anchorFractions();
    EXPECT_DOUBLE_EQ(0.5, anchor.left);
    EXPECT_DOUBLE_EQ(0.25, anchor.top);
    EXPECT_DOUBLE_EQ(1.0, anchor.right);
    EXPECT_DOUBLE_EQ(0.0, anchor.bottom);
    control.writeAttribute(L"float", L"false");
    EXPECT_FALSE(control.isFloating());
    control.writeAttribute(L"float", L"nan,inf,1e300,");
    EXPECT_TRUE(control.isFloating());
}

TEST(ControlAttributes, TextsAndShortcut)
{
    CControlUI control;
    control.writeAttribute(L"name", L"closebtn");
    control.writeAttribute(L"text", L"Close");
    control.writeAttribute(L"userdata", L"42");
    control.writeAttribute(L"shortcut", L"Xyz");
    control.writeAttribute(L"virtualwnd", L"page");
    EXPECT_EQ(L"closebtn", control.controlName());
    EXPECT_EQ(L"Close", control.textValue());
    EXPECT_EQ(L"42", control.userText());
    EXPECT_EQ(L'X', control.accessKey());
    EXPECT_EQ(L"page", control.virtualWindow());
    control.writeAttribute(L"shortcut", L"");
    EXPECT_EQ(L'\0', control.accessKey());
}

TEST(ControlAttributes, UnknownNamesAreIgnoredAndNamesAreCaseSensitive)
{
    CControlUI control;
    control.writeAttribute(L"Width", L"50");
    control.writeAttribute(L"nonsense", L"1");
    EXPECT_EQ(0, control.presetWidth());
    EXPECT_EQ(L"", control.readAttribute(L"nonsense"));
}

TEST(ControlAttributes, ReadBack)
{
    CControlUI control;
    control.placeAt(Rect(1, 2, 3, 4));
    control.writeAttribute(L"padding", L"1,2,3,4");
    control.writeAttribute(L"width", L"30");
    control.writeAttribute(L"borderround", L"4,5");
    control.writeAttribute(L"bordersize", L"2");
    control.writeAttribute(L"bkimage", L"image/bk.png");
    control.writeAttribute(L"shortcut", L"k");
    control.writeAttribute(L"tooltip", L"a<n>b");
    EXPECT_EQ(L"1,2,3,4", control.readAttribute(L"pos"));
    EXPECT_EQ(L"0,0,0,0", control.readAttribute(L"relativepos"));
    EXPECT_EQ(L"1,2,3,4", control.readAttribute(L"padding"));
    EXPECT_EQ(L"30", control.readAttribute(L"width"));
    EXPECT_EQ(L"9999", control.readAttribute(L"maxheight"));
    EXPECT_EQ(L"4,5", control.readAttribute(L"borderround"));
    EXPECT_EQ(L"2", control.readAttribute(L"bordersize"));
    EXPECT_EQ(L"image/bk.png", control.readAttribute(L"bkimage"));
    EXPECT_EQ(L"k", control.readAttribute(L"shortcut"));
    EXPECT_EQ(L"a\r\nb", control.readAttribute(L"tooltip"));
    EXPECT_EQ(L"true", control.readAttribute(L"visible"));
    EXPECT_EQ(L"false", control.readAttribute(L"float"));
    EXPECT_EQ(L"#00000000", control.readAttribute(L"bordercolor"));
    for (const wchar_t* name : {L"paintfocus", L"scale", L"offset", L"shear", L"alphavalue"})
        EXPECT_EQ(L"", control.readAttribute(name)) << name;
}

TEST(ControlAttributeList, AppliesPairsSeparatedByOneSpace)
{
    CControlUI control;
    control.applyAttributeList(L"width=\"20\" height=\"30\" name=\"a b\"");
    EXPECT_EQ(20, control.presetWidth());
    EXPECT_EQ(30, control.presetHeight());
    EXPECT_EQ(L"a b", control.controlName());
}

TEST(ControlAttributeList, TwoSpacesApplyOnlyTheFirstPair)
{
    CControlUI control;
    control.applyAttributeList(L"width=\"20\"  height=\"30\"");
    EXPECT_EQ(20, control.presetWidth());
    EXPECT_EQ(0, control.presetHeight());
}

TEST(ControlAttributeList, SyntaxErrorsStopButKeepWhatWasApplied)
{
    CControlUI control;
    control.applyAttributeList(L"width=\"20\",height=\"30\"");
    EXPECT_EQ(20, control.presetWidth());
    EXPECT_EQ(0, control.presetHeight());

    CControlUI unquoted;
    unquoted.applyAttributeList(L"width=20 height=\"30\"");
    EXPECT_EQ(0, unquoted.presetWidth());
    EXPECT_EQ(0, unquoted.presetHeight());

    CControlUI unterminated;
    unterminated.applyAttributeList(L"width=\"20\" height=\"30");
    EXPECT_EQ(20, unterminated.presetWidth());
    EXPECT_EQ(0, unterminated.presetHeight());

    CControlUI noEquals;
    noEquals.applyAttributeList(L"width");
    noEquals.applyAttributeList(L"width=");
    noEquals.applyAttributeList(L"");
    EXPECT_EQ(0, noEquals.presetWidth());
}
