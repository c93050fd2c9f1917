// Labels as they paint and react: the GDI+ effect path (gradient, shadow,
// stroke) seen in painted pixels, the plain path's colours, texts with
// clickable links, and the label that shows the hand cursor.
#include "ui/controls/LabelUI.h"
#include "tests/ui/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::CHostWindow;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 60;
constexpr int kBigFont = 1;
const RECT kPlace = {0, 0, kWidth, kHeight};

int Red(DWORD rgb) { return int((rgb >> 16) & 0xFF); }
int Green(DWORD rgb) { return int((rgb >> 8) & 0xFF); }
int Blue(DWORD rgb) { return int(rgb & 0xFF); }

// Where the painted pixels that pass a test lie, and their mean colour.
struct TInk {
    int count = 0;
    RECT box = {kWidth, kHeight, 0, 0};
    double red = 0, green = 0, blue = 0;
};

TInk InkOf(const CDibCanvas& canvas, const RECT& area, const std::function<bool(DWORD)>& wanted)
{
    TInk ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const DWORD rgb = canvas.Rgb(x, y);
            if (!wanted(rgb))
                continue;
            ++ink.count;
            ink.box.left = std::min<LONG>(ink.box.left, x);
            ink.box.top = std::min<LONG>(ink.box.top, y);
            ink.box.right = std::max<LONG>(ink.box.right, x + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
            ink.red += Red(rgb);
            ink.green += Green(rgb);
            ink.blue += Blue(rgb);
        }
    if (ink.count > 0) {
        ink.red /= ink.count;
        ink.green /= ink.count;
        ink.blue /= ink.count;
    }
    return ink;
}

bool Lit(DWORD rgb) { return rgb != 0; }
bool Exactly(DWORD rgb, DWORD wanted) { return rgb == wanted; }

TInputEvent Event(EInputKind kind, POINT point = POINT{0, 0})
{
    TInputEvent event;
    event.kind = kind;
    event.mouse = point;
    return event;
}

void Send(CControlUI& control, EInputKind kind, POINT point = POINT{0, 0})
{
    TInputEvent event = Event(kind, point);
    control.dispatchInput(event);
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

using ControlTest::TAttributes;

class LabelTextTest : public ::testing::Test {
protected:
    LabelTextTest()
    {
        host.context.AddFontEntry(kBigFont, L"Microsoft YaHei", 40, true, false, false, false);
    }

    template <typename T>
    T* Place(T* label, const TAttributes& attributes, const RECT& rect = kPlace)
    {
        return ControlTest::PlaceAlone(host, label, attributes, kPlace, rect);
    }

    // The strongest red painted: the inside of the glyphs, not their edges.
    int BrightestRed() const
    {
        int brightest = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                brightest = std::max(brightest, Red(canvas.Rgb(x, y)));
        return brightest;
    }

    // Paints the control alone on black.
    void Paint(CControlUI& control)
    {
        canvas.Clear(0);
        control.render(canvas.Dc(), kPlace);
    }

    CHostWindow host;
    CDibCanvas canvas{kWidth, kHeight};
};

// Big, crisp (one bit per pixel) effect text: red fading to blue, both opaque.
const TAttributes kEffect = {{L"font", L"1"},           {L"text", L"MMMMMM"},       {L"enabledeffect", L"true"},
                             {L"rhaa", L"2"},           {L"textcolor", L"#FFFF0000"}, {L"textcolor1", L"#FF0000FF"},
                             {L"transtext", L"255"},    {L"transtext1", L"255"}};

TAttributes With(TAttributes base, const TAttributes& more)
{
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

} // namespace

// ---- CLabelUI, effect path ----

TEST_F(LabelTextTest, EffectGradientRunsAcrossTheTextAtAngleZero)
{
    auto* label = Place(new CLabelUI(), With(kEffect, {{L"gradientlength", L"240"}}));
    Paint(*label);
    const TInk all = InkOf(canvas, kPlace, Lit);
    ASSERT_GT(all.count, 200);
    const LONG quarter = (all.box.right - all.box.left) / 4;
    const TInk left = InkOf(canvas, RECT{all.box.left, 0, all.box.left + quarter, kHeight}, Lit);
    const TInk right = InkOf(canvas, RECT{all.box.right - quarter, 0, all.box.right, kHeight}, Lit);
    EXPECT_GT(left.red, left.blue + 60);
    EXPECT_GT(right.blue, right.red + 60);
    EXPECT_LT(left.green + right.green, 20.0);
}

TEST_F(LabelTextTest, EffectGradientRunsDownTheTextAtNinetyDegrees)
{
    auto* label = Place(new CLabelUI(), With(kEffect, {{L"gradientangle", L"90"}}));
    Paint(*label);
    const TInk all = InkOf(canvas, kPlace, Lit);
    ASSERT_GT(all.count, 200);
    const LONG third = (all.box.bottom - all.box.top) / 3;
    const TInk top = InkOf(canvas, RECT{0, all.box.top, kWidth, all.box.top + third}, Lit);
    const TInk bottom = InkOf(canvas, RECT{0, all.box.bottom - third, kWidth, all.box.bottom}, Lit);
    EXPECT_GT(top.red - top.blue, bottom.red - bottom.blue + 40);
    // Without a length the band is the text rectangle's height, so every
    // column runs through the same colours.
    const TInk firstColumns = InkOf(canvas, RECT{all.box.left, 0, all.box.left + 20, kHeight}, Lit);
    const TInk lastColumns = InkOf(canvas, RECT{all.box.right - 20, 0, all.box.right, kHeight}, Lit);
    EXPECT_NEAR(firstColumns.red - firstColumns.blue, lastColumns.red - lastColumns.blue, 40.0);
}

TEST_F(LabelTextTest, EffectTextTakesTheTextAlphas)
{
    auto* label = Place(new CLabelUI(), With(kEffect, {{L"transtext", L"128"}, {L"transtext1", L"128"},
                                                       {L"textcolor1", L"#FFFF0000"}}));
    Paint(*label);
    EXPECT_NEAR(BrightestRed(), 128, 3); // half-transparent red over black
}

TEST_F(LabelTextTest, EffectShadowIsDrawnUnderTheTextAtTheOffset)
{
    // Distance 4 at -135 degrees: 4 down and 4 to the right of a label at 0,0.
    auto* label = Place(new CLabelUI(), With(kEffect, {{L"textcolor1", L"#FFFF0000"}, {L"enabledshadow", L"true"},
                                                       {L"textshadowcolora", L"#FF00FF00"}, {L"transshadow", L"255"},
                                                       {L"transshadow1", L"255"}, {L"shadowoffset", L"4,-135"}}));
    EXPECT_EQ(label->shadowOffsetPoint().x, 4);
    EXPECT_EQ(label->shadowOffsetPoint().y, 4);
    Paint(*label);
    const TInk text = InkOf(canvas, kPlace, [](DWORD rgb) { return Exactly(rgb, 0xFF0000); });
    const TInk shadow = InkOf(canvas, kPlace, [](DWORD rgb) { return Exactly(rgb, 0x00FF00); });
    ASSERT_GT(text.count, 200);
    ASSERT_GT(shadow.count, 50);
    EXPECT_EQ(shadow.box.right, text.box.right + 4);
    EXPECT_EQ(shadow.box.bottom, text.box.bottom + 4);
    EXPECT_GE(shadow.box.left, text.box.left);
    EXPECT_GE(shadow.box.top, text.box.top);
}

TEST_F(LabelTextTest, EffectShadowNeedsItsSwitch)
{
    auto* label = Place(new CLabelUI(), With(kEffect, {{L"textshadowcolora", L"#FF00FF00"}, {L"transshadow", L"255"},
                                                       {L"shadowoffset", L"4,-135"}}));
    Paint(*label);
    EXPECT_EQ(InkOf(canvas, kPlace, [](DWORD rgb) { return Green(rgb) > 0; }).count, 0);
}

TEST_F(LabelTextTest, EffectStrokeOutlinesTheTextByOnePixel)
{
    const TAttributes redText = With(kEffect, {{L"textcolor1", L"#FFFF0000"}});
    auto* plain = Place(new CLabelUI(), redText);
    Paint(*plain);
    const TInk text = InkOf(canvas, kPlace, Lit);
    ASSERT_GT(text.count, 200);

    auto* stroked =
        Place(new CLabelUI(), With(redText, {{L"enabledstroke", L"true"}, {L"strokecolor", L"#FFFFFF00"}}));
    Paint(*stroked);
    const TInk outline = InkOf(canvas, kPlace, Lit);
    EXPECT_EQ(outline.box.left, text.box.left - 1);
    EXPECT_EQ(outline.box.top, text.box.top - 1);
    EXPECT_EQ(outline.box.right, text.box.right + 1);
    EXPECT_EQ(outline.box.bottom, text.box.bottom + 1);
    // Yellow where the moved copies stick out, red where the text lies on top.
    EXPECT_GT(InkOf(canvas, kPlace, [](DWORD rgb) { return Exactly(rgb, 0xFFFF00); }).count, 50);
    EXPECT_GT(InkOf(canvas, kPlace, [](DWORD rgb) { return Exactly(rgb, 0xFF0000); }).count, 200);
}

TEST_F(LabelTextTest, EffectStrokeNeedsAColour)
{
    auto* label = Place(new CLabelUI(), With(kEffect, {{L"textcolor1", L"#FFFF0000"}, {L"enabledstroke", L"true"}}));
    Paint(*label);
    EXPECT_GT(InkOf(canvas, kPlace, Lit).count, 200);
    EXPECT_EQ(InkOf(canvas, kPlace, [](DWORD rgb) { return Green(rgb) > 0 || Blue(rgb) > 0; }).count, 0);
}

TEST_F(LabelTextTest, EffectAlignmentReadsTheStyleBitsTheOtherWayRound)
{
    // Style 0x04 (vertical centre in the plain path) centres horizontally here.
    auto* centred = Place(new CLabelUI(), With(kEffect, {{L"text", L"M"}}));
    Paint(*centred);
    const TInk middle = InkOf(canvas, kPlace, Lit);
    ASSERT_GT(middle.count, 20);
    EXPECT_NEAR((middle.box.left + middle.box.right) / 2.0, kWidth / 2.0, 4.0);
    EXPECT_LT(middle.box.top, 12); // and stays at the top

    // "left" leaves 0x04, so the text stays centred; "top" clears it and
    // the text starts at the left edge.
    centred->writeAttribute(L"align", L"left");
    Paint(*centred);
    EXPECT_NEAR((InkOf(canvas, kPlace, Lit).box.left + InkOf(canvas, kPlace, Lit).box.right) / 2.0, kWidth / 2.0, 4.0);
    centred->writeAttribute(L"align", L"top");
    Paint(*centred);
    EXPECT_LT(InkOf(canvas, kPlace, Lit).box.left, 12);
}

TEST_F(LabelTextTest, EffectWithoutSecondColourDrawsPlainTextAtTheTextAlpha)
{
    auto* label = Place(new CLabelUI(), {{L"font", L"1"}, {L"text", L"MMMM"}, {L"enabledeffect", L"true"},
                                         {L"textcolor", L"#FFFF0000"}});
    Paint(*label);
    ASSERT_GT(InkOf(canvas, kPlace, Lit).count, 200);
    EXPECT_NEAR(BrightestRed(), 168, 3); // the default "transtext"
}

// ---- CLabelUI, plain path ----

TEST_F(LabelTextTest, EmptyTextPaintsOnlyBackgroundAndBorder)
{
    auto* label = Place(new CLabelUI(), {{L"bkcolor", L"#FF0000FF"}, {L"bordercolor", L"#FFFFFFFF"},
                                         {L"bordersize", L"1"}, {L"textcolor", L"#FFFF0000"}});
    Paint(*label);
    const TInk other =
        InkOf(canvas, kPlace, [](DWORD rgb) { return rgb != 0x0000FF && rgb != 0xFFFFFF; });
    EXPECT_EQ(other.count, 0);
    EXPECT_EQ(canvas.Rgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(kWidth / 2, kHeight / 2), 0x0000FFu);
}

TEST_F(LabelTextTest, DisabledLabelPaintsInItsDisabledColour)
{
    auto* label = Place(new CLabelUI(), {{L"font", L"1"}, {L"text", L"MM"}, {L"textcolor", L"#FFFF0000"},
                                         {L"disabledtextcolor", L"#FF00FF00"}, {L"enabled", L"false"}});
    Paint(*label);
    EXPECT_GT(InkOf(canvas, kPlace, [](DWORD rgb) { return Green(rgb) > 100; }).count, 100);
    EXPECT_EQ(InkOf(canvas, kPlace, [](DWORD rgb) { return Red(rgb) > 0; }).count, 0);
}

TEST_F(LabelTextTest, MissingColoursTakeTheWindowDefaultsOnFirstPaintAndKeepThem)
{
    host.context.SetDefaultTextColour(0xFF123456);
    host.context.SetDisabledTextColour(0xFF654321);
    auto* label = Place(new CLabelUI(), {{L"text", L"caption"}});
    EXPECT_EQ(label->textColour(), 0u);
    Paint(*label);
    EXPECT_EQ(label->textColour(), 0xFF123456u);
    EXPECT_EQ(label->disabledTextColour(), 0xFF654321u);
    host.context.SetDefaultTextColour(0xFF000080);
    Paint(*label);
    EXPECT_EQ(label->textColour(), 0xFF123456u);
}

// ---- CTextUI ----

namespace {

const TAttributes kLinkText = {{L"showhtml", L"true"},
                               {L"text", L"{a first}One{/a} and {a second}Two{/a}"},
                               {L"textcolor", L"#FFFFFFFF"}};

} // namespace

TEST_F(LabelTextTest, ClickOnALinkSendsLinkWithItsIndex)
{
    auto* text = Place(new CTextUI(), kLinkText);
    Paint(*text);
    ASSERT_EQ(text->linkCount(), 2);
    EXPECT_EQ(text->linkText(0), L"first");
    EXPECT_EQ(text->linkText(1), L"second");
    EXPECT_LT(text->linkRect(0).right, text->linkRect(1).left);

    Send(*text, EInputKind::ButtonDown, Centre(text->linkRect(1)));
    EXPECT_EQ(host.notices.Count(L"link"), 0); // the release clicks
    Send(*text, EInputKind::ButtonUp, Centre(text->linkRect(1)));
    ASSERT_EQ(host.notices.Count(L"link"), 1);
    const TNotifyMsg& notice = host.notices.notices.back();
    EXPECT_EQ(notice.sender, text);
    ASSERT_EQ(notice.wParam, 1u);
    EXPECT_EQ(text->linkText(int(notice.wParam)), L"second");

    // Between the links nothing is sent.
    const POINT between = {(text->linkRect(0).right + text->linkRect(1).left) / 2, Centre(text->linkRect(0)).y};
    Send(*text, EInputKind::ButtonUp, between);
    EXPECT_EQ(host.notices.Count(L"link"), 1);
}

TEST_F(LabelTextTest, LinksArePaintedInTheWindowsLinkColour)
{
    host.context.SetLinkColour(0xFF00FF00);
    auto* text = Place(new CTextUI(), kLinkText);
    Paint(*text);
    ASSERT_EQ(text->linkCount(), 2);
    const RECT link = text->linkRect(0);
    EXPECT_GT(InkOf(canvas, link, [](DWORD rgb) { return rgb == 0x00FF00; }).count, 5);
    EXPECT_EQ(InkOf(canvas, link, [](DWORD rgb) { return rgb == 0xFFFFFF; }).count, 0);
}

TEST_F(LabelTextTest, DisabledTextSendsNoLink)
{
    auto* text = Place(new CTextUI(), kLinkText);
    Paint(*text);
    ASSERT_EQ(text->linkCount(), 2);
    text->assignOperable(false);
    Send(*text, EInputKind::ButtonUp, Centre(text->linkRect(0)));
    EXPECT_EQ(host.notices.Count(L"link"), 0);
    EXPECT_EQ(text->inputTraits(), 0u);
}

TEST_F(LabelTextTest, AtMostEightLinksAreKept)
{
    std::wstring markup;
    for (int i = 0; i < 10; ++i)
        markup += L"{a l" + std::to_wstring(i) + L"}" + std::to_wstring(i) + L"{/a} ";
    auto* text = Place(new CTextUI(), {{L"showhtml", L"true"}, {L"text", markup}});
    Paint(*text);
    EXPECT_EQ(text->linkCount(), CTextUI::kMaxLinks);
    EXPECT_EQ(text->linkText(7), L"l7");
    Send(*text, EInputKind::ButtonUp, Centre(text->linkRect(7)));
    ASSERT_EQ(host.notices.Count(L"link"), 1);
    EXPECT_EQ(host.notices.notices.back().wParam, 7u);
}

TEST_F(LabelTextTest, TheHotLinkFollowsThePointer)
{
    auto* text = Place(new CTextUI(), kLinkText);
    Paint(*text);
    EXPECT_EQ(text->hotLink(), -1);
    Send(*text, EInputKind::MouseMove, Centre(text->linkRect(1)));
    EXPECT_EQ(text->hotLink(), 1);
    Send(*text, EInputKind::MouseMove, Centre(text->linkRect(0)));
    EXPECT_EQ(text->hotLink(), 0);
    Send(*text, EInputKind::MouseMove, POINT{kWidth - 2, kHeight - 2});
    EXPECT_EQ(text->hotLink(), -1);
    Send(*text, EInputKind::MouseMove, Centre(text->linkRect(0)));
    Send(*text, EInputKind::MouseLeave, POINT{500, 500});
    EXPECT_EQ(text->hotLink(), -1);
}

TEST_F(LabelTextTest, TheHandCursorShowsOverLinksOnly)
{
    auto* text = Place(new CTextUI(), kLinkText);
    Paint(*text);
    EXPECT_EQ(text->inputTraits(), UINT(TRAIT_CURSOR));
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    Send(*text, EInputKind::SetCursor, Centre(text->linkRect(0)));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    Send(*text, EInputKind::SetCursor, POINT{kWidth - 2, kHeight - 2});
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(LabelTextTest, TextWithoutMarkupOrWithoutTextHasNoLinks)
{
    auto* text = Place(new CTextUI(), {{L"text", L"{a first}One{/a}"}});
    Paint(*text);
    EXPECT_EQ(text->linkCount(), 0);
    EXPECT_EQ(text->inputTraits(), 0u);

    text->writeAttribute(L"showhtml", L"true");
    Paint(*text);
    EXPECT_EQ(text->linkCount(), 1);
    text->assignText(L"");
    Paint(*text);
    EXPECT_EQ(text->linkCount(), 0);
}

TEST_F(LabelTextTest, TextMeasuresItsHeightFromItsWrappedLines)
{
    auto* text = Place(new CTextUI(), {{L"showhtml", L"true"},
                                       {L"text", L"one two three four five six seven eight nine ten"},
                                       {L"textpadding", L"2,3,2,5"}});
    const SIZE wide = text->measure(SIZE{2000, 0});
    const SIZE narrow = text->measure(SIZE{60, 0});
    EXPECT_GT(narrow.cy, 2 * (wide.cy - 8));
    EXPECT_LE(narrow.cx, 60);
    text->writeAttribute(L"height", L"33");
    EXPECT_EQ(text->measure(SIZE{60, 0}).cy, 33);
}

// ---- CLabelUIEx ----

TEST_F(LabelTextTest, LabelExShowsTheHandWhileTheMouseIsOverIt)
{
    auto* label = Place(new CLabelUIEx(), {{L"text", L"more"}}, RECT{10, 10, 110, 40});
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    Send(*label, EInputKind::MouseMove, POINT{20, 20});
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW)); // not entered yet

    Send(*label, EInputKind::MouseEnter, POINT{20, 20});
    EXPECT_TRUE(label->mouseOver());
    Send(*label, EInputKind::MouseMove, POINT{20, 20});
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    Send(*label, EInputKind::ButtonDown, POINT{20, 20});
    EXPECT_FALSE(label->mouseOver());
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));

    Send(*label, EInputKind::MouseEnter, POINT{20, 20});
    Send(*label, EInputKind::MouseLeave, POINT{200, 200});
    EXPECT_FALSE(label->mouseOver());
    // The label's own notices (the events then bubble to the parent).
    int entered = 0, left = 0;
    for (const TNotifyMsg& notice : host.notices.notices) {
        entered += notice.sender == label && notice.type == L"mouseenter";
        left += notice.sender == label && notice.type == L"mouseleave";
    }
    EXPECT_EQ(entered, 2);
    EXPECT_EQ(left, 1);
}

TEST_F(LabelTextTest, DisabledLabelExKeepsTheArrow)
{
    auto* label = Place(new CLabelUIEx(), {{L"text", L"more"}, {L"enabled", L"false"}}, RECT{10, 10, 110, 40});
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    Send(*label, EInputKind::MouseEnter, POINT{20, 20});
    Send(*label, EInputKind::MouseMove, POINT{20, 20});
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(LabelTextTest, LabelExEffectPaintsTheTextColourThroughGdiPlusEvenWhenDisabled)
{
    auto* label = Place(new CLabelUIEx(), {{L"font", L"1"}, {L"text", L"MMMM"}, {L"enabledeffect", L"true"},
                                           {L"rhaa", L"2"}, {L"textcolor", L"#FFFF0000"},
                                           {L"disabledtextcolor", L"#FF00FF00"}, {L"transtext", L"255"},
                                           {L"transtext1", L"255"}, {L"enabled", L"false"}});
    Paint(*label);
    const TInk red = InkOf(canvas, kPlace, [](DWORD rgb) { return Exactly(rgb, 0xFF0000); });
    EXPECT_GT(red.count, 200);
    EXPECT_EQ(InkOf(canvas, kPlace, [](DWORD rgb) { return Green(rgb) > 0 || Blue(rgb) > 0; }).count, 0);
    // Centred the effect way: style 0x04 centres horizontally.
    EXPECT_NEAR((red.box.left + red.box.right) / 2.0, kWidth / 2.0, 4.0);
}

TEST_F(LabelTextTest, LabelExDrawsMarkupOnOneLine)
{
    const TAttributes twoLines = {{L"showhtml", L"true"}, {L"text", L"Top{n}Low"}, {L"textcolor", L"#FFFFFFFF"},
                                  {L"align", L"top"}};
    auto* label = Place(new CLabelUI(), twoLines);
    label->assignTextStyle(0); // multi-line, top left
    Paint(*label);
    const TInk plain = InkOf(canvas, kPlace, Lit);
    ASSERT_GT(plain.count, 20);

    auto* labelEx = Place(new CLabelUIEx(), twoLines);
    labelEx->assignTextStyle(0);
    Paint(*labelEx);
    const TInk single = InkOf(canvas, kPlace, Lit);
    ASSERT_GT(single.count, 20);
    EXPECT_GT(plain.box.bottom - plain.box.top, single.box.bottom - single.box.top + 8);
    EXPECT_GT(single.box.right - single.box.left, plain.box.right - plain.box.left);
}
