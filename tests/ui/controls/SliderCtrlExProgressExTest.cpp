// The part-drawn slider and the progress line with a marker, built from skin
// markup into the context of a real window and driven with its mouse
// messages; what they paint is read back through a print request.
#include "ControlTestSupport.h"

#include "tests/support/TestEnvironment.h"
#include "ui/controls/ProgressExUI.h"
#include "ui/controls/SequencePictureUI.h"
#include "ui/controls/SliderCtrlEx.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::Rect;

namespace {

const DWORD kBlue = 0x0000FF, kGrey = 0x808080, kRed = 0xFF0000, kGreen = 0x00FF00, kYellow = 0xFFFF00,
            kMagenta = 0xFF00FF, kCyan = 0x00FFFF;

// A hidden 300 × 200 window whose tree is a vertical layout around the markup under test.
class SkinnedWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        const std::pair<const wchar_t*, DWORD> files[] = {
            {L"left.bmp", kBlue},       {L"rail.bmp", kGrey},          {L"thumb.bmp", kGreen},
            {L"leftoff.bmp", kYellow},  {L"thumboff.bmp", kMagenta},   {L"line.bmp", kGreen},
            {L"point.bmp", kRed},       {L"spin.bmp", kYellow}};
        for (const auto& file : files)
            TestEnv::WriteFileBytes(m_folder.File(file.first), ControlTest::SolidBmp(300, 20, file.second));
        CWindowContextUI::SetSkinFolder(m_folder.Path());
    }
    void TearDown() override { CSkinSource::Reset(); }

    void Build(const std::wstring& body)
    {
        const std::wstring markup = L"<Window><VerticalLayout>" + body + L"</VerticalLayout></Window>";
        CControlUI* root = m_builder.Build(markup.c_str(), nullptr, nullptr, &host.context);
        ASSERT_NE(root, nullptr) << m_builder.ErrorMessage();
        host.context.AdoptRoot(root);
        LayOut();
    }
    // What the first paint of a shown window would do.
    void LayOut() { host.context.Root()->placeAt(Rect(0, 0, 300, 200)); }
    void Mouse(UINT message, int x, int y)
    {
        ::SendMessageW(host.context.Window(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Click(int x, int y)
    {
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }
    const CDibCanvas& Paint()
    {
        m_canvas.Clear(0);
        ::SendMessageW(host.context.Window(), WM_PRINTCLIENT, WPARAM(m_canvas.Dc()), PRF_CLIENT);
        return m_canvas;
    }
    int ValueChanges() const { return host.notices.Count(L"valuechanged"); }

    TestEnv::CScratchFolder m_folder{L"slider_progress_skin"};
    ControlTest::CHostWindow host;
    CSkinBuilder m_builder;
    CDibCanvas m_canvas{300, 200};
};

class SliderCtrlEx : public SkinnedWindow {
protected:
    // At (50, 40, 250, 60) with 0..100: 2 pixels per unit, a rail at y 47..53
    // whose first 20 pixels are the left part, a 10 × 16 thumb at y 42..58.
    CSliderCtrlEx* BuildSlider(const std::wstring& extra = L"", const std::wstring& range = L"nmin=\"0\" nmax=\"100\"")
    {
        Build(L"<SliderCtrlEx name=\"s\" padding=\"50,40,0,0\" width=\"200\" height=\"20\" thumsize=\"10,16\" "
              L"railheight=\"6\" leftwidth=\"20\" prethumbimage=\"left.bmp\" railimage=\"rail.bmp\" "
              L"thumbimage=\"thumb.bmp\" prethumbimagedisable=\"leftoff.bmp\" thumbimagedisable=\"thumboff.bmp\" "
              L"railcolordisable=\"#FF00FFFF\" " + range + L" " + extra + L" />");
        auto* slider = dynamic_cast<CSliderCtrlEx*>(host.context.ControlByName(L"s"));
        if (slider)
            Paint();
        return slider;
    }
};

} // namespace

// ---- CSliderCtrlEx ----

TEST_F(SliderCtrlEx, PaintsLeftPartRailFillAndThumbInsideTheControl)
{
    CSliderCtrlEx* slider = BuildSlider(L"value=\"50\"");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->queryFacet(L"Slider"), nullptr);
    EXPECT_EQ(slider->thumbRectangle(), Rect(145, 42, 155, 58));
    const CDibCanvas& canvas = Paint();
    EXPECT_EQ(canvas.Rgb(69, 50), kBlue);
    // The fill runs from the end of the left part for 50 × 2 pixels, inside the rail band.
    EXPECT_EQ(canvas.Rgb(70, 50), kRed);
    EXPECT_EQ(canvas.Rgb(169, 47), kRed);
    EXPECT_EQ(canvas.Rgb(170, 52), kGrey);
    EXPECT_EQ(canvas.Rgb(100, 53), 0u);
    EXPECT_EQ(canvas.Rgb(150, 42), kGreen);
    EXPECT_EQ(canvas.Rgb(150, 58), 0u);

    // 95 × 2 after the left part would end at 260: the fill stops at the control's end.
    slider->assignValue(95);
    EXPECT_EQ(Paint().Rgb(248, 50), kRed);
    EXPECT_EQ(Paint().Rgb(252, 50), 0u);
    // At and next to the limits the thumb stands at the ends.
    const struct {
        int value;
        LONG left;
    } thumbs[] = {{0, 50}, {1, 50}, {99, 240}, {100, 240}};
    for (const auto& thumb : thumbs) {
        slider->assignValue(thumb.value);
        Paint();
        EXPECT_EQ(slider->thumbRectangle().left, thumb.left) << thumb.value;
    }
    EXPECT_EQ(Paint().Rgb(239, 50), kRed);
}

TEST_F(SliderCtrlEx, PressBesideTheThumbStepsByOneAndNotifiesEvenAtTheLimits)
{
    CSliderCtrlEx* slider = BuildSlider(L"value=\"50\"");
    ASSERT_NE(slider, nullptr);
    Click(100, 50);
    EXPECT_EQ(slider->currentValue(), 49);
    Click(220, 50);
    Click(220, 50);
    EXPECT_EQ(slider->currentValue(), 51);
    EXPECT_EQ(ValueChanges(), 3);
    // Above a thumb lower than the control is not beside it.
    Paint();
    Click(151, 41);
    EXPECT_EQ(ValueChanges(), 3);
    // The value reached a limit since the thumb was painted in the middle.
    slider->assignValue(0);
    Click(100, 50);
    slider->assignValue(100);
    Click(220, 50);
    EXPECT_EQ(slider->currentValue(), 100);
    EXPECT_EQ(ValueChanges(), 5);
}

TEST_F(SliderCtrlEx, DragSetsTheValueUnderThePointerAndReportsOnReleaseOrEveryMove)
{
    CSliderCtrlEx* slider = BuildSlider(L"value=\"37\"");
    ASSERT_NE(slider, nullptr);
    // Pressed and released in place, the thumb keeps its value.
    Click(124, 50);
    EXPECT_EQ(slider->currentValue(), 37);
    Mouse(WM_LBUTTONDOWN, 124, 50);
    Mouse(WM_MOUSEMOVE, 200, 50);
    EXPECT_EQ(slider->currentValue(), 75);
    EXPECT_EQ(ValueChanges(), 1);
    Mouse(WM_LBUTTONUP, 210, 50);
    EXPECT_EQ(slider->currentValue(), 80);
    EXPECT_EQ(ValueChanges(), 2);
    EXPECT_EQ(slider->state() & STATE_CAPTURED, 0u);

    slider->writeAttribute(L"pstmsgonmousemove", L"true");
    Paint();
    Mouse(WM_LBUTTONDOWN, 210, 50);
    Mouse(WM_MOUSEMOVE, 120, 50);
    Mouse(WM_MOUSEMOVE, 130, 50);
    EXPECT_EQ(ValueChanges(), 4);
    // Released past either end, or within half a thumb of it: the limit.
    Mouse(WM_LBUTTONUP, 10, 50);
    EXPECT_EQ(slider->currentValue(), 0);
    Paint();
    Mouse(WM_LBUTTONDOWN, 55, 50);
    Mouse(WM_LBUTTONUP, 246, 50);
    EXPECT_EQ(slider->currentValue(), 100);
    EXPECT_EQ(ValueChanges(), 6);
}

TEST_F(SliderCtrlEx, DisabledDrawsTheDisabledPartsAndIgnoresPresses)
{
    CSliderCtrlEx* slider = BuildSlider(L"value=\"50\" enabled=\"false\"");
    ASSERT_NE(slider, nullptr);
    const CDibCanvas& canvas = Paint();
    EXPECT_EQ(slider->inputTraits(), 0u);
    EXPECT_EQ(canvas.Rgb(55, 50), kYellow);
    EXPECT_EQ(canvas.Rgb(100, 50), kCyan);
    EXPECT_EQ(canvas.Rgb(200, 50), kGrey);
    EXPECT_EQ(canvas.Rgb(150, 50), kMagenta);
    Click(100, 50);
    Mouse(WM_LBUTTONDOWN, 150, 50);
    Mouse(WM_LBUTTONUP, 230, 50);
    EXPECT_EQ(slider->currentValue(), 50);
    EXPECT_EQ(ValueChanges(), 0);
}

TEST_F(SliderCtrlEx, ValueStaysInTheRangeAndAnEmptyRangeIsSafe)
{
    CSliderCtrlEx* slider = BuildSlider(L"value=\"70\"", L"nmin=\"30\" nmax=\"30\"");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->currentValue(), 30);
    EXPECT_EQ(slider->thumbRectangle(), Rect(50, 42, 60, 58));
    Click(200, 50);
    Mouse(WM_LBUTTONDOWN, 55, 50);
    Mouse(WM_LBUTTONUP, 150, 50);
    EXPECT_EQ(slider->currentValue(), 30);
    EXPECT_EQ(ValueChanges(), 2);

    slider->writeAttribute(L"nmax", L"100");
    slider->writeAttribute(L"value", L"500");
    EXPECT_EQ(slider->currentValue(), 100);
    slider->writeAttribute(L"nmax", L"60");
    EXPECT_EQ(slider->currentValue(), 60);
}

// ---- CProgressExUI ----

namespace {

class ProgressEx : public SkinnedWindow {
protected:
    // At (10, 10, 210, 30) with max 100: 2 pixels per unit, a 4-pixel line at
    // y 18..22, an 8 × 8 point at y 16..24, a 20 × 20 animation.
    CProgressExUI* BuildProgress(const std::wstring& numbers, const std::wstring& more = L"")
    {
        Build(L"<ProgressEx name=\"p\" padding=\"10,10,0,0\" width=\"200\" height=\"20\" lineheight=\"4\" "
              L"pointwidth=\"8\" pointheight=\"8\" animationwidth=\"20\" animationheight=\"20\" "
              L"lineforeimage=\"line.bmp\" linebkcolor=\" #FF0000FF\" point=\"point.bmp\" animation=\"spin.bmp\" "
              L"interval=\"20\" " + numbers + L" />" + more);
        return dynamic_cast<CProgressExUI*>(host.context.ControlByName(L"p"));
    }
    static CControlUI* Part(CControlUI* container, int index)
    {
        return static_cast<IContainerUI*>(container->queryFacet(L"IContainer"))->itemAt(index);
    }
};

} // namespace

TEST_F(ProgressEx, InitBuildsLinePointRestAndAnimation)
{
    CProgressExUI* progress = BuildProgress(L"max=\"100\" value=\"25\"");
    ASSERT_NE(progress, nullptr);
    ASSERT_EQ(progress->itemCount(), 4);
    EXPECT_EQ(Part(progress, 0)->itemRect(), Rect(10, 10, 60, 30));
    CControlUI* line = Part(Part(progress, 0), 1);
    EXPECT_EQ(line->itemRect(), Rect(10, 18, 60, 22));
    EXPECT_EQ(line->foreImage().source, L"file='line.bmp' source='0,0,53,4'");
    EXPECT_EQ(Part(progress, 1)->itemRect(), Rect(60, 16, 68, 24));
    EXPECT_EQ(Part(Part(progress, 2), 1)->itemRect(), Rect(68, 18, 210, 22));
    auto* animation = dynamic_cast<CRotateAnimateUI*>(Part(progress, 3));
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(animation->isFloating());
    EXPECT_EQ(animation->itemRect(), Rect(54, 10, 74, 30));

    const CDibCanvas& canvas = Paint();
    EXPECT_EQ(canvas.Rgb(30, 20), kGreen);
    EXPECT_EQ(canvas.Rgb(30, 17), 0u);
    EXPECT_EQ(canvas.Rgb(150, 21), kBlue);
    EXPECT_EQ(canvas.Rgb(150, 22), 0u);
}

TEST_F(ProgressEx, ValueMovesThePartsAndHidesTheMarkerFromTheMaximumOn)
{
    CProgressExUI* progress = BuildProgress(L"max=\"100\" value=\"25\"");
    ASSERT_NE(progress, nullptr);
    const struct {
        int value, filled;
        bool marked;
    } cases[] = {{0, 1, true}, {-20, 1, true}, {99, 198, true}, {100, 200, false}, {150, 200, false}};
    for (const auto& c : cases) {
        progress->assignValue(c.value);
        LayOut();
        EXPECT_EQ(Part(progress, 0)->itemRect().right, 10 + c.filled) << c.value;
        EXPECT_EQ(Part(Part(progress, 0), 1)->foreImage().source,
                  L"file='line.bmp' source='0,0," + std::to_wstring(c.filled + 3) + L",4'");
        EXPECT_EQ(Part(progress, 1)->isShown(), c.marked) << c.value;
        EXPECT_EQ(Part(progress, 3)->isShown(), c.marked) << c.value;
        if (c.marked) {
            EXPECT_EQ(Part(progress, 1)->itemRect().left, 10 + c.filled) << c.value;
            EXPECT_EQ(Part(progress, 3)->itemRect(), Rect(4 + c.filled, 10, 24 + c.filled, 30)) << c.value;
        }
    }
    progress->writeAttribute(L"value", L"75");
    EXPECT_EQ(progress->filledWidth(), 150);
    EXPECT_TRUE(Part(progress, 1)->isShown());
    progress->writeAttribute(L"max", L"0");
    EXPECT_EQ(progress->filledWidth(), 1);
    Paint();
}

TEST_F(ProgressEx, AnimationTurnsOnItsTimerWhileShownAndTakesAuto)
{
    CProgressExUI* progress = BuildProgress(L"max=\"100\" value=\"30\"",
                                            L"<ProgressEx name=\"idle\" auto=\"false\" animation=\"spin.bmp\" />");
    ASSERT_NE(progress, nullptr);
    auto* spinning = static_cast<CRotateAnimateUI*>(Part(progress, 3));
    auto* still = static_cast<CRotateAnimateUI*>(Part(host.context.ControlByName(L"idle"), 3));
    host.PumpFor(300);
    EXPECT_GT(spinning->Step(), 0);
    EXPECT_TRUE(still->IsStopped());
    // Hidden at the maximum, it keeps its angle.
    progress->assignValue(100);
    const int step = spinning->Step();
    host.PumpFor(150);
    EXPECT_EQ(spinning->Step(), step);
}
