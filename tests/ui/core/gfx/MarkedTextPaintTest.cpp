// Inline-markup text: every tag, links and their rectangles, wrapping,
// alignment, the ellipsis and malformed input.
#include "tests/ui/core/gfx/RenderTestSupport.h"
#include "tests/support/TestEnvironment.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace SkinUI;
using namespace RenderTest;

namespace {

constexpr DWORD kBlack = 0xFF000000;

class MarkedTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        CSkinSource::SetSkinFolder(m_folder.Path());
    }
    void TearDown() override { CSkinSource::Reset(); }

    // Measures with DT_CALCRECT in a wide rectangle.
    SIZE Measure(const std::wstring& text, UINT format = 0, int width = 1000)
    {
        RECT rect = {0, 0, width, 1000};
        int count = 0;
        CRenderKit::PaintMarkedText(m_surface.Dc(), &m_resources, rect, text, 0xFFFFFFFF, nullptr, nullptr, count,
                                    format | DT_CALCRECT);
        return SIZE{rect.right, rect.bottom};
    }

    SIZE Extent(const std::wstring& text, HFONT font = nullptr)
    {
        CSelectObject select(m_surface.Dc(), font ? font : m_resources.FontByIndex(-1));
        SIZE size = {};
        GetTextExtentPoint32W(m_surface.Dc(), text.c_str(), int(text.size()), &size);
        return size;
    }

    int LineHeight()
    {
        CSelectObject select(m_surface.Dc(), m_resources.FontByIndex(-1));
        TEXTMETRICW metrics = {};
        GetTextMetricsW(m_surface.Dc(), &metrics);
        return metrics.tmHeight;
    }

    void Paint(CSurface& surface, const std::wstring& text, RECT rect, UINT format = 0, DWORD argb = 0xFFFFFFFF)
    {
        int count = 0;
        CRenderKit::PaintMarkedText(surface.Dc(), &m_resources, rect, text, argb, nullptr, nullptr, count, format);
    }

    static RECT LitBounds(const CSurface& surface, DWORD background = kBlack)
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

    // Every pixel that is not background has this colour.
    static ::testing::AssertionResult OnlyColour(const CSurface& surface, const RECT& area, DWORD colour)
    {
        int lit = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const DWORD p = surface.Pixel(x, y) & 0xFFFFFF;
                if (p == (kBlack & 0xFFFFFF))
                    continue;
                ++lit;
                if (p != (colour & 0xFFFFFF))
                    return ::testing::AssertionFailure() << Hex(p) << " at " << x << "," << y;
            }
        if (lit == 0)
            return ::testing::AssertionFailure() << "nothing drawn";
        return ::testing::AssertionSuccess();
    }

    static bool Identical(const CSurface& a, const CSurface& b)
    {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF))
                    return false;
        return true;
    }

    TestEnv::CScratchFolder m_folder{L"render_marked"};
    CResources m_resources;
    CSurface m_surface{300, 120, kBlack};
};

} // namespace

TEST_F(MarkedTextTest, PlainTextMeasuresLikeTheFont)
{
    const SIZE size = Measure(L"Hello world");
    EXPECT_EQ(Extent(L"Hello world").cx, size.cx);
    EXPECT_EQ(LineHeight(), size.cy);
}

TEST_F(MarkedTextTest, PlainTextDrawsInTheGivenColourInsideTheRectangle)
{
    Paint(m_surface, L"Hello", {10, 10, 200, 40}, 0, 0xFF2080F0);
    EXPECT_TRUE(OnlyColour(m_surface, {0, 0, 300, 120}, 0xFF2080F0));
    const RECT lit = LitBounds(m_surface);
    EXPECT_GE(lit.left, 10);
    EXPECT_GE(lit.top, 10);
    EXPECT_LE(lit.bottom, 40);
}

TEST_F(MarkedTextTest, BoldAndUnderlineCreateFontVariants)
{
    EXPECT_GT(Measure(L"<b>Hello</b>").cx, Measure(L"Hello").cx);
    EXPECT_GE(m_resources.FindFontIndex(kTestFace, 12, true, false, false), 0);
    Measure(L"{u}Hello{/u}");
    const int underlined = m_resources.FindFontIndex(kTestFace, 12, false, true, false);
    EXPECT_GE(underlined, 0);
    // A variant that exists is reused, not created again.
    const size_t fonts = m_resources.fonts.size();
    Measure(L"<u>again</u><b>and again</b>");
    EXPECT_EQ(fonts, m_resources.fonts.size());
}

TEST_F(MarkedTextTest, ClosingTagsRestoreTheFont)
{
    EXPECT_EQ(Measure(L"<b>B</b>x").cx, Measure(L"<b>B</b>").cx + Extent(L"x").cx);
}

TEST_F(MarkedTextTest, ColourTagChangesTheTextColourUntilItCloses)
{
    CSurface surface(200, 30, kBlack);
    Paint(surface, L"<c #FF0000>red</c>", {0, 0, 200, 30}, 0, 0xFF00FF00);
    EXPECT_TRUE(OnlyColour(surface, {0, 0, 200, 30}, 0xFFFF0000));

    CSurface after(200, 30, kBlack);
    const int split = Extent(L"red").cx;
    Paint(after, L"<c #0000FF>red</c>green", {0, 0, 200, 30}, 0, 0xFF00FF00);
    EXPECT_TRUE(OnlyColour(after, {0, 0, split, 30}, 0xFF0000FF));
    EXPECT_TRUE(OnlyColour(after, {split, 0, 200, 30}, 0xFF00FF00));
}

TEST_F(MarkedTextTest, FontTagByIndexAndByDescription)
{
    m_resources.AddFontEntry(3, kTestFace, 28, false, false, false, false);
    EXPECT_EQ(Extent(L"Big", m_resources.FontByIndex(3)).cx, Measure(L"<f 3>Big</f>").cx);
    EXPECT_GT(Measure(L"<f 3>Big</f>").cy, Measure(L"Big").cy);

    Measure(L"<f Tahoma 20 bold italic>styled</f>");
    EXPECT_GE(m_resources.FindFontIndex(L"Tahoma", 20, true, false, true), 0);
    Measure(L"<f Tahoma>default size</f>");
    EXPECT_GE(m_resources.FindFontIndex(L"Tahoma", 10, false, false, false), 0);
}

TEST_F(MarkedTextTest, LineBreakAndParagraph)
{
    const int line = LineHeight();
    EXPECT_EQ(2 * line, Measure(L"first<n>second").cy);
    EXPECT_EQ(line, Measure(L"first<n>second", DT_SINGLELINE).cy); // ignored on a single line
    EXPECT_EQ(2 * line + 10, Measure(L"first<p 10>second").cy);
    EXPECT_EQ(2 * line, Measure(L"first\nsecond").cy);
}

TEST_F(MarkedTextTest, HorizontalMoveAndLineHeight)
{
    EXPECT_EQ(20 + Extent(L"a").cx, Measure(L"<x 20>a").cx);
    EXPECT_EQ(40, Measure(L"<y 40>tall line</y>").cy);
}

TEST_F(MarkedTextTest, OffsetShiftsTheRunVertically)
{
    CSurface plain(100, 60, kBlack), shifted(100, 60, kBlack);
    Paint(plain, L"Hi", {0, 0, 100, 60});
    Paint(shifted, L"<o 5>Hi</o>", {0, 0, 100, 60});
    const RECT a = LitBounds(plain), b = LitBounds(shifted);
    EXPECT_EQ(a.top + 5, b.top);
    EXPECT_EQ(a.left, b.left);
}

TEST_F(MarkedTextTest, SelectedRunsGetTheSelectedBackground)
{
    CSurface surface(200, 30, kBlack);
    Paint(surface, L"<s>sel</s>", {0, 0, 200, 30});
    EXPECT_EQ(0xBAE4FFu, surface.Pixel(0, 1) & 0xFFFFFF);
    EXPECT_EQ(0u, surface.Pixel(Extent(L"sel").cx + 2, 1) & 0xFFFFFF);
}

TEST_F(MarkedTextTest, RawTextShowsTagsAsText)
{
    EXPECT_EQ(Extent(L"<b>x</b>").cx, Measure(L"<r><b>x</b></r>").cx);
}

TEST_F(MarkedTextTest, LinksAreRecordedWithTextAndRectangle)
{
    CSurface surface(300, 40, kBlack);
    RECT links[4] = {};
    std::wstring texts[4];
    int count = 4;
    RECT rect = {10, 5, 290, 35};
    CRenderKit::PaintMarkedText(surface.Dc(), &m_resources, rect, L"Go <a http://one/>here</a> or <a two>there</a>",
                                0xFFFFFFFF, links, texts, count, 0);
    ASSERT_EQ(2, count);
    EXPECT_EQ(L"http://one/", texts[0]);
    EXPECT_EQ(L"two", texts[1]);
    EXPECT_EQ(10 + Extent(L"Go ").cx, links[0].left);
    EXPECT_EQ(5, links[0].top);
    EXPECT_GT(links[0].right, links[0].left);
    EXPECT_GT(links[0].bottom, links[0].top);
    EXPECT_GT(links[1].left, links[0].right);
    // Link text is drawn in the link colour.
    EXPECT_TRUE(OnlyColour(surface, links[0], 0xFF0000FF));
}

TEST_F(MarkedTextTest, TheHoveredLinkUsesTheHoverColour)
{
    RECT links[2] = {};
    std::wstring texts[2];
    int count = 2;
    RECT rect = {0, 0, 300, 30};
    CSurface first(300, 30, kBlack);
    CRenderKit::PaintMarkedText(first.Dc(), &m_resources, rect, L"<a x>link</a>", 0xFFFFFFFF, links, texts, count, 0);
    ASSERT_EQ(1, count);
    m_resources.lastMouse = POINT{(links[0].left + links[0].right) / 2, (links[0].top + links[0].bottom) / 2};
    CSurface second(300, 30, kBlack);
    count = 2;
    CRenderKit::PaintMarkedText(second.Dc(), &m_resources, rect, L"<a x>link</a>", 0xFFFFFFFF, links, texts, count,
                                0);
    EXPECT_TRUE(OnlyColour(second, links[0], 0xFFD3215F));
}

TEST_F(MarkedTextTest, LinksBeyondTheCapacityAreDrawnButNotRecorded)
{
    RECT links[1] = {};
    std::wstring texts[1];
    int count = 1;
    RECT rect = {0, 0, 300, 30};
    CRenderKit::PaintMarkedText(m_surface.Dc(), &m_resources, rect, L"<a 1>a</a> <a 2>b</a> <a 3>c</a>", 0xFFFFFFFF,
                                links, texts, count, 0);
    EXPECT_EQ(1, count);
    EXPECT_EQ(L"1", texts[0]);
    int none = 5;
    CRenderKit::PaintMarkedText(m_surface.Dc(), &m_resources, rect, L"<a 1>a</a>", 0xFFFFFFFF, nullptr, nullptr, none,
                                0);
    EXPECT_EQ(0, none);
}

TEST_F(MarkedTextTest, InlineImagesFromAStripOrAnImageString)
{
    TArgbImage strip(8, 6, 0xFFFF0000);
    strip.FillRect(4, 0, 8, 6, 0xFF00FF00); // frame 0 red, frame 1 green
    TestEnv::WriteFileBytes(m_folder.File(L"strip.png"), EncodePng(strip));
    TestEnv::WriteFileBytes(m_folder.File(L"blue.png"), EncodePng(TArgbImage(5, 7, 0xFF0000FF)));

    CSurface surface(100, 30, kBlack);
    Paint(surface, L"<i strip.png 2 1>", {0, 0, 100, 30});
    EXPECT_TRUE(OnlyColour(surface, {0, 0, 100, 30}, 0xFF00FF00));
    EXPECT_EQ(4, LitBounds(surface).right);
    EXPECT_EQ(4 + 5, Measure(L"<i strip.png 2 0><i file='blue.png'>").cx);
    EXPECT_EQ(7, Measure(L"<i file='blue.png'>").cy);

    CSurface second(100, 30, kBlack);
    Paint(second, L"<i file='blue.png' source='0,0,2,2'>", {0, 0, 100, 30});
    const RECT lit = LitBounds(second);
    EXPECT_EQ(2, lit.right - lit.left);
    EXPECT_EQ(2, lit.bottom - lit.top);
    EXPECT_TRUE(OnlyColour(second, {0, 0, 100, 30}, 0xFF0000FF));
    // A missing image takes no room.
    EXPECT_EQ(Extent(L"ab").cx, Measure(L"a<i nothere.png>b").cx);
}

TEST_F(MarkedTextTest, LongTextWrapsAtSpaces)
{
    const int width = std::max(Extent(L"alpha beta").cx, Extent(L"gamma delta").cx) + 2;
    const SIZE size = Measure(L"alpha beta gamma delta", 0, width);
    EXPECT_EQ(2 * LineHeight(), size.cy);
    EXPECT_LE(size.cx, width);
    // A single word longer than the line is cut.
    EXPECT_GT(Measure(L"abcdefghijklmnopqrstuvwxyz", 0, 30).cy, LineHeight());
}

TEST_F(MarkedTextTest, TextThatDoesNotFitEndsWithAnEllipsis)
{
    const std::wstring text(40, L'W');
    const int width = 80;
    // The expected picture: as many W as fit before "...", drawn without limits.
    int fit = 0;
    {
        CSelectObject select(m_surface.Dc(), m_resources.FontByIndex(-1));
        SIZE size;
        const int room = width - Extent(L"...").cx;
        GetTextExtentExPointW(m_surface.Dc(), text.c_str(), int(text.size()), room, &fit, nullptr, &size);
    }
    CSurface cut(200, 30, kBlack), expected(200, 30, kBlack);
    Paint(cut, text, {0, 0, width, 30}, DT_SINGLELINE);
    Paint(expected, text.substr(0, fit) + L"...", {0, 0, 200, 30}, DT_SINGLELINE);
    EXPECT_TRUE(Identical(cut, expected));
    EXPECT_LE(LitBounds(cut).right, width);

    // Multi-line text: the last line that fits is the one cut.
    CSurface lines(200, 60, kBlack);
    Paint(lines, L"one two three four five six seven eight nine ten", {0, 0, 60, LineHeight() * 2 + 2});
    EXPECT_LE(LitBounds(lines).bottom, LineHeight() * 2 + 2);
}

TEST_F(MarkedTextTest, SingleLinesAlignHorizontallyAndVertically)
{
    CSurface left(300, 60, kBlack), centre(300, 60, kBlack), right(300, 60, kBlack);
    Paint(left, L"<b>Mid</b>", {0, 0, 300, 60}, DT_SINGLELINE);
    Paint(centre, L"<b>Mid</b>", {0, 0, 300, 60}, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    Paint(right, L"<b>Mid</b>", {0, 0, 300, 60}, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    const RECT a = LitBounds(left), b = LitBounds(centre), c = LitBounds(right);
    EXPECT_LT(a.left, 5);
    EXPECT_NEAR((b.left + b.right) / 2, 150, 4);
    EXPECT_NEAR((b.top + b.bottom) / 2, 30, 6);
    EXPECT_GT(c.right, 290);
    EXPECT_GT(c.bottom, 50);
}

TEST_F(MarkedTextTest, TextCutAfterTheOnlyVisibleLineStillCentres)
{
    CSurface surface(300, 40, kBlack);
    Paint(surface, L"<b>Mid</b><n>hidden", {0, 0, 300, LineHeight()}, DT_CENTER);
    const RECT lit = LitBounds(surface);
    EXPECT_NEAR((lit.left + lit.right) / 2, 150, 4);
}

TEST_F(MarkedTextTest, DrawingIsClippedUnlessNoClipIsAsked)
{
    CSurface clipped(200, 40, kBlack), free(200, 40, kBlack);
    Paint(clipped, L"<y 30>Tall</y>", {0, 0, 200, 8});
    Paint(free, L"<y 30>Tall</y>", {0, 0, 200, 8}, DT_NOCLIP);
    EXPECT_LE(LitBounds(clipped).bottom, 8);
    EXPECT_GT(LitBounds(free).bottom, 8);
}

TEST_F(MarkedTextTest, LanguageReferencesAreReplacedBeforeTags)
{
    m_resources.language[L"4"] = L"<b>Bold</b>";
    EXPECT_EQ(Measure(L"<b>Bold</b>").cx, Measure(L"%{4}").cx);
}

TEST_F(MarkedTextTest, MalformedMarkupNeverCrashes)
{
    const std::wstring alphabet = L"<>{}/abcfinoprsuxy #0123456789'=W ";
    std::mt19937 random(1208);
    RECT links[3];
    std::wstring texts[3];
    for (int round = 0; round < 300; ++round) {
        std::wstring text;
        const int length = int(random() % 40);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        RECT rect = {0, 0, int(random() % 200) - 20, int(random() % 100) - 10};
        int count = 3;
        for (RECT& link : links)
            link = RECT{};
        CRenderKit::PaintMarkedText(m_surface.Dc(), &m_resources, rect, text, 0xFFFFFFFF, links, texts, count,
                                    UINT(random() % 2 ? DT_SINGLELINE : 0) | UINT(random() % 3 == 0 ? DT_CALCRECT : 0));
        EXPECT_GE(count, 0);
        EXPECT_LE(count, 3);
    }
    // Deep nesting and closing tags without openers.
    std::wstring deep;
    for (int i = 0; i < 500; ++i)
        deep += L"<b><c #FF0000><o 1><y 20><s>";
    deep += L"x</b></b></b></c></o></y></s></a></f></u>";
    RECT rect = {0, 0, 300, 120};
    int count = 0;
    CRenderKit::PaintMarkedText(m_surface.Dc(), &m_resources, rect, deep, 0xFFFFFFFF, nullptr, nullptr, count, 0);
    SUCCEED();
}
