// What buttons, options, check boxes and sliders paint in each of their
// states, built from skin markup into a shown window, driven by that window's
// own mouse, key and cursor messages and read back through a print request.
#include "ShownSkinTest.h"

#include "tests/support/TestEnvironment.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace SkinUI;
using ControlTest::CDibCanvas;

namespace {

// Button images.
const DWORD kNormal = 0x0000FF, kHot = 0xFF0000, kPushed = 0x00FF00, kFocused = 0xFFFF00, kDisabled = 0x808080;
const DWORD kFore = 0x00FFFF, kHotFore = 0xFF00FF;
// Option images.
const DWORD kSelected = 0xFFFFFF, kSelectedHot = 0x008080, kSelectedOff = 0x404040;
// Slider images.
const DWORD kBar = 0x000080, kBarOff = 0x800080, kThumb = 0x00C000, kThumbHot = 0xC00000, kThumbDown = 0xC0C000,
            kThumbOff = 0x606060;
// Fills and text.
const DWORD kMagenta = 0xFF00FF, kCyan = 0x00FFFF, kGreen = 0x00FF00, kRed = 0xFF0000, kBlue = 0x0000FF,
            kYellow = 0xFFFF00;

// A 24-bit BMP whose left half is `left` and right half `right`.
std::string TwoToneBmp(int width, int height, DWORD left, DWORD right)
{
    std::string bytes = ControlTest::SolidBmp(width, height, left);
    const size_t header = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const size_t stride = size_t((width * 3 + 3) & ~3);
    for (size_t y = 0; y < size_t(height); ++y)
        for (size_t x = size_t(width / 2); x < size_t(width); ++x)
            for (size_t c = 0; c < 3; ++c)
                bytes[header + y * stride + x * 3 + c] = char(right >> (8 * c));
    return bytes;
}

// The text colour seen in `area`: the one of `candidates` that has pixels
// there, or 0 when none or several have.
DWORD TextColourIn(const CDibCanvas& canvas, const RECT& area, std::initializer_list<DWORD> candidates)
{
    DWORD found = 0;
    for (DWORD colour : candidates) {
        if (ControlTest::CountLeaning(canvas, area, colour) == 0)
            continue;
        if (found != 0)
            return 0;
        found = colour;
    }
    return found;
}

// A shown 300 × 200 window whose tree is a horizontal layout around the markup under test.
class StatePaintWindow : public ControlTest::CShownSkinTest {
protected:
    StatePaintWindow() : CShownSkinTest(L"button_state_image", kAway) {}
    void SetUp() override
    {
        CShownSkinTest::SetUp();
        WriteSolidPictures({{L"normal.bmp", kNormal},      {L"hot.bmp", kHot},           {L"pushed.bmp", kPushed},
                            {L"focused.bmp", kFocused},    {L"disabled.bmp", kDisabled}, {L"fore.bmp", kFore},
                            {L"hotfore.bmp", kHotFore},    {L"sel.bmp", kSelected},      {L"selhot.bmp", kSelectedHot},
                            {L"seloff.bmp", kSelectedOff}, {L"bar.bmp", kBar},           {L"baroff.bmp", kBarOff},
                            {L"thumb.bmp", kThumb},        {L"thumbhot.bmp", kThumbHot}, {L"thumbdown.bmp", kThumbDown},
                            {L"thumboff.bmp", kThumbOff}});
        TestEnv::WriteFileBytes(m_folder.File(L"redblue.bmp"), TwoToneBmp(20, 20, kRed, kBlue));
        TestEnv::WriteFileBytes(m_folder.File(L"greenyellow.bmp"), TwoToneBmp(20, 20, kGreen, kYellow));
    }

    // The real pointer goes along, so the messages it causes agree with ours.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0)
    {
        ParkCursor(x, y);
        ::SendMessageW(Window(), message, keys, MAKELPARAM(x, y));
        m_host->Pump();
    }
    void MoveTo(int x, int y) { Mouse(WM_MOUSEMOVE, x, y); }
    void DragTo(int x, int y) { Mouse(WM_MOUSEMOVE, x, y, MK_LBUTTON); }
    void Press(int x, int y) { Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    void Release(int x, int y) { Mouse(WM_LBUTTONUP, x, y); }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }
    void Key(WPARAM key)
    {
        ::SendMessageW(Window(), WM_KEYDOWN, key, 0);
        ::SendMessageW(Window(), WM_KEYUP, key, 0);
        m_host->Pump();
    }
    const CDibCanvas& Paint()
    {
        m_canvas.Clear(0);
        ::SendMessageW(Window(), WM_PRINTCLIENT, WPARAM(m_canvas.Dc()), PRF_CLIENT);
        return m_canvas;
    }
    DWORD PaintedAt(int x, int y) { return Paint().Rgb(x, y); }
    // The cursor the window sets when the pointer rests at (x, y), starting from the arrow.
    HCURSOR CursorAt(int x, int y)
    {
        MoveTo(x, y);
        ::SetCursor(Arrow());
        ::SendMessageW(Window(), WM_SETCURSOR, WPARAM(Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }
    static HCURSOR Arrow() { return ::LoadCursorW(nullptr, IDC_ARROW); }
    static HCURSOR Hand() { return ::LoadCursorW(nullptr, IDC_HAND); }

    static constexpr POINT kAway = {290, 190};
};

// ---- Buttons: 60 × 30 at (100, 20), after a plain one at (20, 20) that takes the focus ----

class ButtonStatePaint : public StatePaintWindow {
protected:
    template <typename T = CButtonUI>
    T* BuildButton(const std::wstring& attributes, const wchar_t* element = L"Button")
    {
        const std::wstring size = L"padding=\"20,20,0,0\" width=\"60\" height=\"30\" ";
        // The other button comes first: the first paint gives the focus to the first tab stop.
        T* control = Build<T>(L"<Button name=\"other\" " + size + L" /><" + std::wstring(element) +
                                  L" name=\"b\" " + size + attributes + L" />",
                              L"b");
        EXPECT_NE(nullptr, control);
        if (control) {
            r = control->itemRect();
            x = (r.left + r.right) / 2;
            y = (r.top + r.bottom) / 2;
        }
        return control;
    }
    // Away from a 10 × 10 image in the top left corner.
    DWORD Body() { return PaintedAt(r.right - 5, r.bottom - 5); }
    DWORD Corner() { return PaintedAt(r.left + 3, r.top + 3); }
    DWORD Text(std::initializer_list<DWORD> candidates) { return TextColourIn(Paint(), r, candidates); }
    // Gives the focus to the other button.
    void FocusOther() { Click(50, 35); }

    RECT r = {};
    int x = 0, y = 0;
};

TEST_F(ButtonStatePaint, EachStateShowsItsOwnImage)
{
    CButtonUI* button = BuildButton(L"normalimage=\"normal.bmp\" hotimage=\"hot.bmp\" pushedimage=\"pushed.bmp\" "
                                    L"focusedimage=\"focused.bmp\" disabledimage=\"disabled.bmp\"");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(kNormal, Body());
    MoveTo(x, y);
    EXPECT_EQ(kHot, Body());
    Press(x, y);
    EXPECT_EQ(kPushed, Body());
    Release(x, y);
    EXPECT_EQ(kHot, Body()); // hot wins over the focus the press gave it
    EXPECT_EQ(1, Notices(button, L"click"));
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kFocused, Body());
    Key(VK_SPACE);
    EXPECT_EQ(2, Notices(button, L"click"));
    EXPECT_EQ(kFocused, Body());
    FocusOther();
    EXPECT_EQ(kNormal, Body());

    button->assignOperable(false);
    EXPECT_EQ(kDisabled, Body());
    MoveTo(x, y);
    EXPECT_EQ(kDisabled, Body());
    Click(x, y);
    EXPECT_EQ(kDisabled, Body());
    EXPECT_EQ(2, Notices(button, L"click"));
    button->assignOperable(true);
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kNormal, Body());
}

TEST_F(ButtonStatePaint, HandCursorOverAnOperableButtonOnly)
{
    CButtonUI* button = BuildButton(L"normalimage=\"normal.bmp\"");
    ASSERT_NE(nullptr, button);
    ASSERT_NE(Arrow(), Hand());
    EXPECT_EQ(Hand(), CursorAt(x, y));
    EXPECT_EQ(Arrow(), CursorAt(kAway.x, kAway.y));
    button->assignOperable(false);
    EXPECT_EQ(Arrow(), CursorAt(x, y));
}

TEST_F(ButtonStatePaint, PushedFollowsThePointerWhileTheButtonHoldsIt)
{
    CButtonUI* button =
        BuildButton(L"normalimage=\"normal.bmp\" hotimage=\"hot.bmp\" pushedimage=\"pushed.bmp\"");
    ASSERT_NE(nullptr, button);
    MoveTo(x, y);
    Press(x, y);
    EXPECT_EQ(kPushed, Body());
    DragTo(kAway.x, kAway.y); // neither pushed nor hot out there; no focused image: normal
    EXPECT_EQ(kNormal, Body());
    DragTo(x + 10, y);
    EXPECT_EQ(kPushed, Body());
    DragTo(kAway.x, kAway.y);
    Release(kAway.x, kAway.y);
    EXPECT_EQ(kNormal, Body());
    EXPECT_EQ(0, Notices(button, L"click"));

    MoveTo(x, y);
    Press(x, y);
    DragTo(kAway.x, kAway.y);
    DragTo(x - 10, y);
    Release(x - 10, y);
    EXPECT_EQ(kHot, Body());
    EXPECT_EQ(1, Notices(button, L"click"));
}

TEST_F(ButtonStatePaint, OnlyANormalImageShowsInEveryState)
{
    CButtonUI* button = BuildButton(L"normalimage=\"normal.bmp\"");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(kNormal, Body());
    MoveTo(x, y);
    EXPECT_EQ(kNormal, Body()) << "hot";
    Press(x, y);
    EXPECT_EQ(kNormal, Body()) << "pushed";
    DragTo(kAway.x, kAway.y);
    EXPECT_EQ(kNormal, Body()) << "held outside";
    Release(kAway.x, kAway.y);
    EXPECT_EQ(kNormal, Body()) << "focused";
    button->assignOperable(false);
    EXPECT_EQ(kNormal, Body()) << "disabled";
}

TEST_F(ButtonStatePaint, HotAndDisabledColoursFillTheWholeButton)
{
    CButtonUI* button = BuildButton(L"normalimage=\"file='normal.bmp' dest='0,0,10,10'\" hotimage=\"hot.bmp\" "
                                    L"hotbkcolor=\"#FFFF00FF\" disbkcolor=\"FF00FFFF\"");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(kNormal, Corner());
    EXPECT_EQ(0u, Body());
    MoveTo(x, y); // the hot colour goes over the hot image
    EXPECT_EQ(kMagenta, Corner());
    EXPECT_EQ(kMagenta, Body());
    MoveTo(kAway.x, kAway.y);
    button->assignOperable(false); // the disabled colour goes under the normal image standing in
    EXPECT_EQ(kNormal, Corner());
    EXPECT_EQ(kCyan, Body());
    MoveTo(x, y);
    EXPECT_EQ(kCyan, Body());
}

TEST_F(ButtonStatePaint, HotForeImageTakesThePlaceOfTheForeImageWhileHot)
{
    CButtonUI* button = BuildButton(L"normalimage=\"normal.bmp\" hotimage=\"hot.bmp\" pushedimage=\"pushed.bmp\" "
                                    L"foreimage=\"file='fore.bmp' dest='0,0,10,10'\" "
                                    L"hotforeimage=\"file='hotfore.bmp' dest='0,0,10,10'\"");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(kFore, Corner());
    EXPECT_EQ(kNormal, Body());
    MoveTo(x, y);
    EXPECT_EQ(kHotFore, Corner());
    EXPECT_EQ(kHot, Body());
    Press(x, y);
    EXPECT_EQ(kFore, Corner());
    EXPECT_EQ(kPushed, Body());
}

TEST_F(ButtonStatePaint, AngleTurnsEveryImageTheButtonDraws)
{
    // Left half red, right half blue; the turned button is 0x5A = 90 degrees, clockwise.
    Build<CButtonUI>(L"<Button name=\"plain\" padding=\"20,20,0,0\" width=\"40\" height=\"40\" "
                     L"normalimage=\"redblue.bmp\" />"
                     L"<Button name=\"turned\" padding=\"20,20,0,0\" width=\"40\" height=\"40\" Angle=\"5A\" "
                     L"normalimage=\"redblue.bmp\" hotimage=\"greenyellow.bmp\" />",
                     L"turned");
    const RECT plain = m_host->context.ControlByName(L"plain")->itemRect();
    const RECT turned = m_host->context.ControlByName(L"turned")->itemRect();
    // Top left, top right, bottom left, bottom right.
    auto quarters = [this](const RECT& area) {
        const CDibCanvas& canvas = Paint();
        return std::vector<DWORD>{canvas.Rgb(area.left + 10, area.top + 10), canvas.Rgb(area.right - 10, area.top + 10),
                                  canvas.Rgb(area.left + 10, area.bottom - 10),
                                  canvas.Rgb(area.right - 10, area.bottom - 10)};
    };
    EXPECT_EQ(std::vector<DWORD>({kRed, kBlue, kRed, kBlue}), quarters(plain));
    EXPECT_EQ(std::vector<DWORD>({kRed, kRed, kBlue, kBlue}), quarters(turned));
    MoveTo((turned.left + turned.right) / 2, (turned.top + turned.bottom) / 2);
    EXPECT_EQ(std::vector<DWORD>({kGreen, kGreen, kYellow, kYellow}), quarters(turned));
}

TEST_F(ButtonStatePaint, TextColourFollowsTheState)
{
    CButtonUI* button = BuildButton(L"text=\"MMMM\" textcolor=\"#FF0000FF\" hottextcolor=\"#FFFF0000\" "
                                    L"pushedtextcolor=\"#FF00FF00\" focusedtextcolor=\"#FF00FFFF\" "
                                    L"disabledtextcolor=\"#FFFFFF00\"");
    ASSERT_NE(nullptr, button);
    const auto all = {kBlue, kRed, kGreen, kCyan, kYellow};
    EXPECT_EQ(kBlue, Text(all));
    MoveTo(x, y);
    EXPECT_EQ(kRed, Text(all));
    Press(x, y);
    EXPECT_EQ(kGreen, Text(all));
    DragTo(kAway.x, kAway.y);
    EXPECT_EQ(kCyan, Text(all)) << "held outside, focused";
    Release(kAway.x, kAway.y);
    EXPECT_EQ(kCyan, Text(all));
    FocusOther();
    EXPECT_EQ(kBlue, Text(all));
    button->assignOperable(false);
    EXPECT_EQ(kYellow, Text(all));
}

// ---- Options and check boxes ----

class ButtonStateOptionPaint : public ButtonStatePaint {};

TEST_F(ButtonStateOptionPaint, CheckBoxShowsItsSelectedImagesAndNeverItsPushedImage)
{
    CCheckBoxUI* box = BuildButton<CCheckBoxUI>(L"normalimage=\"normal.bmp\" hotimage=\"hot.bmp\" "
                                                L"pushedimage=\"pushed.bmp\" selectedimage=\"sel.bmp\" "
                                                L"selectedhotimage=\"selhot.bmp\"",
                                                L"CheckBox");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(kNormal, Body());
    MoveTo(x, y);
    EXPECT_EQ(kHot, Body());
    Press(x, y);
    EXPECT_EQ(kHot, Body()) << "pressed while not selected";
    DragTo(kAway.x, kAway.y);
    DragTo(x, y);
    EXPECT_EQ(kHot, Body()) << "dragged back in";
    Release(x, y);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(kSelectedHot, Body());
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kSelected, Body());
    MoveTo(x, y);
    Press(x, y);
    EXPECT_EQ(kSelectedHot, Body()) << "pressed while selected";
    Release(x, y);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(kHot, Body());
}

TEST_F(ButtonStateOptionPaint, DisabledSelectedShowsSelectedDisabledImageOrElseSelectedImage)
{
    Build<CCheckBoxUI>(L"<CheckBox name=\"with\" padding=\"20,20,0,0\" width=\"60\" height=\"30\" "
                       L"normalimage=\"normal.bmp\" disabledimage=\"disabled.bmp\" selectedimage=\"sel.bmp\" "
                       L"selecteddisabledimage=\"seloff.bmp\" selected=\"true\" enabled=\"false\" />"
                       L"<CheckBox name=\"without\" padding=\"20,20,0,0\" width=\"60\" height=\"30\" "
                       L"normalimage=\"normal.bmp\" selectedimage=\"sel.bmp\" selected=\"true\" enabled=\"false\" />",
                       L"with");
    auto* with = dynamic_cast<CCheckBoxUI*>(m_host->context.ControlByName(L"with"));
    auto* without = dynamic_cast<CCheckBoxUI*>(m_host->context.ControlByName(L"without"));
    ASSERT_TRUE(with && without);
    const RECT a = with->itemRect(), b = without->itemRect();
    EXPECT_EQ(kSelectedOff, PaintedAt(a.left + 30, a.top + 15));
    EXPECT_EQ(kSelected, PaintedAt(b.left + 30, b.top + 15));
    MoveTo(a.left + 30, a.top + 15);
    EXPECT_EQ(kSelectedOff, PaintedAt(a.left + 30, a.top + 15)) << "a disabled box is never hot";
    with->setChecked(false, false);
    without->setChecked(false, false);
    EXPECT_EQ(kDisabled, PaintedAt(a.left + 30, a.top + 15));
    EXPECT_EQ(kNormal, PaintedAt(b.left + 30, b.top + 15));
    with->assignOperable(true);
    with->setChecked(true, false);
    EXPECT_EQ(kSelected, PaintedAt(a.left + 30, a.top + 15));
}

TEST_F(ButtonStateOptionPaint, SelectedBackColourFillsAroundTheSelectedImage)
{
    COptionUI* option = BuildButton<COptionUI>(L"selectedimage=\"file='sel.bmp' dest='0,0,10,10'\" "
                                               L"selectedbkcolor=\"#FF00FF00\" hotbkcolor=\"#FFFF00FF\"",
                                               L"Option");
    ASSERT_NE(nullptr, option);
    EXPECT_EQ(0u, Body());
    MoveTo(x, y);
    EXPECT_EQ(kMagenta, Body()) << "hot, not selected";
    Click(x, y);
    ASSERT_TRUE(option->selected());
    // Hot and selected: the hot colour goes first, the selected colour over it, then the image.
    EXPECT_EQ(kSelected, Corner());
    EXPECT_EQ(kGreen, Body());
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kSelected, Corner());
    EXPECT_EQ(kGreen, Body());
    option->assignOperable(false);
    EXPECT_EQ(kSelected, Corner());
    EXPECT_EQ(kGreen, Body());
}

TEST_F(ButtonStateOptionPaint, SelectedTextColourReplacesTheStateColours)
{
    COptionUI* option = BuildButton<COptionUI>(L"text=\"MMMM\" textcolor=\"#FF0000FF\" hottextcolor=\"#FFFF0000\" "
                                               L"pushedtextcolor=\"#FF00FF00\" selectedtextcolor=\"#FF00FFFF\" "
                                               L"disabledtextcolor=\"#FFFFFF00\"",
                                               L"Option");
    ASSERT_NE(nullptr, option);
    const auto all = {kBlue, kRed, kGreen, kCyan, kYellow};
    EXPECT_EQ(kBlue, Text(all));
    MoveTo(x, y);
    EXPECT_EQ(kRed, Text(all));
    Press(x, y);
    EXPECT_EQ(kRed, Text(all)) << "an unselected option has no pushed colour";
    Release(x, y);
    ASSERT_TRUE(option->selected());
    EXPECT_EQ(kCyan, Text(all)) << "selected and hot";
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kCyan, Text(all));
    option->assignOperable(false);
    EXPECT_EQ(kYellow, Text(all));
}

// ---- Sliders: 240 × 24 at (20, 80), thumb 24 × 24, a bar 8 pixels high across the middle ----

class ButtonStateSliderPaint : public StatePaintWindow {
protected:
    CSliderUI* BuildSlider(const std::wstring& range = L"min=\"0\" max=\"100\" value=\"50\"",
                           const std::wstring& thumbs = L"thumbimage=\"thumb.bmp\" thumbhotimage=\"thumbhot.bmp\" "
                                                        L"thumbpushedimage=\"thumbdown.bmp\" "
                                                        L"thumbdisabledimage=\"thumboff.bmp\"")
    {
        auto* slider = Build<CSliderUI>(L"<Slider name=\"s\" padding=\"20,80,0,0\" width=\"240\" height=\"24\" "
                                        L"thumbsize=\"24,24\" hor=\"true\" "
                                        L"normalimage=\"file='bar.bmp' dest='0,8,240,16'\" "
                                        L"disabledimage=\"file='baroff.bmp' dest='0,8,240,16'\" " +
                                            range + L" " + thumbs + L" />",
                                        L"s");
        EXPECT_NE(nullptr, slider);
        if (slider) {
            EXPECT_EQ(ControlTest::Rect(20, 80, 260, 104), slider->itemRect());
        }
        return slider;
    }
    // At 50 of 0..100 the thumb spans x 128..152.
    DWORD ThumbAt50() { return PaintedAt(140, 85); }
    DWORD BarBeside() { return PaintedAt(40, 92); }
};

TEST_F(ButtonStateSliderPaint, ThumbIsHotAnywhereOverTheSliderAndPushedWhileDragged)
{
    CSliderUI* slider = BuildSlider();
    ASSERT_NE(nullptr, slider);
    EXPECT_EQ(kThumb, ThumbAt50());
    EXPECT_EQ(kBar, BarBeside());
    EXPECT_EQ(0u, PaintedAt(40, 82)); // above the bar, beside the thumb
    MoveTo(40, 82);
    EXPECT_EQ(kThumbHot, ThumbAt50());
    MoveTo(140, 92);
    EXPECT_EQ(kThumbHot, ThumbAt50());
    Press(140, 92);
    EXPECT_EQ(kThumbDown, ThumbAt50());
    // 100 × (200 − 20 − 12) / 216 = 77: the thumb spans 186..210.
    DragTo(200, 92);
    EXPECT_EQ(77, slider->currentValue());
    EXPECT_EQ(kThumbDown, PaintedAt(198, 85));
    EXPECT_EQ(kBar, PaintedAt(140, 92));
    DragTo(kAway.x, kAway.y); // still held outside: pushed, at the maximum
    EXPECT_EQ(kThumbDown, PaintedAt(250, 85));
    DragTo(200, 92);
    Release(200, 92);
    EXPECT_EQ(kThumbHot, PaintedAt(198, 85));
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kThumb, PaintedAt(198, 85));
}

TEST_F(ButtonStateSliderPaint, WithoutHotOrPushedThumbThePlainThumbStandsIn)
{
    CSliderUI* slider = BuildSlider(L"min=\"0\" max=\"100\" value=\"50\"", L"thumbimage=\"thumb.bmp\"");
    ASSERT_NE(nullptr, slider);
    MoveTo(140, 92);
    EXPECT_EQ(kThumb, ThumbAt50());
    Press(140, 92);
    DragTo(200, 92);
    EXPECT_EQ(kThumb, PaintedAt(198, 85));
    EXPECT_EQ(kBar, PaintedAt(140, 92));
}

TEST_F(ButtonStateSliderPaint, DisabledSliderShowsItsDisabledBarAndThumbWhateverThePointerDoes)
{
    CSliderUI* slider = BuildSlider();
    ASSERT_NE(nullptr, slider);
    slider->assignOperable(false);
    EXPECT_EQ(kThumbOff, ThumbAt50());
    EXPECT_EQ(kBarOff, BarBeside());
    MoveTo(140, 92);
    EXPECT_EQ(kThumbOff, ThumbAt50());
    Press(140, 92);
    DragTo(200, 92);
    Release(200, 92);
    EXPECT_EQ(50, slider->currentValue());
    EXPECT_EQ(kThumbOff, ThumbAt50());
    EXPECT_EQ(kBarOff, BarBeside());
    slider->assignOperable(true);
    MoveTo(kAway.x, kAway.y);
    EXPECT_EQ(kThumb, ThumbAt50());
    EXPECT_EQ(kBar, BarBeside());
}

TEST_F(ButtonStateSliderPaint, HandCursorOnlyOverTheThumbOfAnEnabledSlider)
{
    CSliderUI* slider = BuildSlider();
    ASSERT_NE(nullptr, slider);
    ASSERT_NE(Arrow(), Hand());
    EXPECT_EQ(Hand(), CursorAt(140, 92));
    EXPECT_EQ(Hand(), CursorAt(129, 81));
    EXPECT_EQ(Arrow(), CursorAt(40, 92));
    EXPECT_EQ(Arrow(), CursorAt(170, 92));
    slider->assignOperable(false);
    EXPECT_EQ(Arrow(), CursorAt(140, 92));
}

TEST_F(ButtonStateSliderPaint, ValueBeyondTheMaximumIsDrawnAtTheEndAndStoredAsTheMaximum)
{
    CSliderUI* slider = BuildSlider(L"min=\"2000\" max=\"11200\" value=\"6600\"");
    ASSERT_NE(nullptr, slider);
    slider->assignValue(15000);
    EXPECT_EQ(15000, slider->currentValue());
    const CDibCanvas& canvas = Paint();
    EXPECT_EQ(kThumb, canvas.Rgb(248, 85));
    EXPECT_EQ(kThumb, canvas.Rgb(237, 85));
    EXPECT_EQ(0u, canvas.Rgb(234, 85));
    EXPECT_EQ(11200, slider->currentValue());
    EXPECT_EQ(ControlTest::Rect(236, 80, 260, 104), slider->thumbRect());
}

} // namespace
