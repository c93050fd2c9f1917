// The part-drawn slider and the progress line with a marker, built from skin
// markup into the context of a real window and driven with its mouse
// messages; what they paint is read back through a print request.
#include "ControlTestSupport.h"

#include "tests/support/TestEnvironment.h"
#include "ui/controls/ProgressExUI.h"
#include "ui/controls/SequencePictureUI.h"
#include "ui/controls/SliderCtrlEx.h"
#include "ui/core/SkinBuilder.h"
#include "ui/core/SkinSource.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::CHostWindow;
using ControlTest::Rect;

namespace {

constexpr DWORD kBlue = 0x0000FF, kGrey = 0x808080, kRed = 0xFF0000, kGreen = 0x00FF00, kYellow = 0xFFFF00,
                kMagenta = 0xFF00FF, kCyan = 0x00FFFF;

// An uncompressed 24-bit bottom-up BMP of one colour (0xRRGGBB).
std::string SolidBmp(int width, int height, DWORD rgb)
{
    const int stride = (width * 3 + 3) & ~3;
    const DWORD pixelBytes = DWORD(stride) * DWORD(height);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + pixelBytes;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = pixelBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(size_t(stride), '\0');
    for (int x = 0; x < width; ++x) {
        row[size_t(x) * 3] = char(rgb & 0xFF);
        row[size_t(x) * 3 + 1] = char((rgb >> 8) & 0xFF);
        row[size_t(x) * 3 + 2] = char((rgb >> 16) & 0xFF);
    }
    for (int y = 0; y < height; ++y)
        bytes += row;
    return bytes;
}

// A 300 × 200 window whose tree is a vertical layout around the markup under test.
class SkinnedWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        const struct {
            const wchar_t* name;
            int width, height;
            DWORD rgb;
        } images[] = {{L"left.bmp", 4, 4, kBlue},      {L"rail.bmp", 4, 4, kGrey},    {L"thumb.bmp", 4, 4, kGreen},
                      {L"leftoff.bmp", 4, 4, kYellow}, {L"thumboff.bmp", 4, 4, kMagenta},
                      {L"line.bmp", 300, 4, kGreen},   {L"point.bmp", 8, 8, kRed},    {L"spin.bmp", 20, 20, kYellow}};
        for (const auto& image : images)
            TestEnv::WriteFileBytes(m_folder.File(image.name), SolidBmp(image.width, image.height, image.rgb));
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
    // What the window's first paint would do; the test window is never shown.
    void LayOut()
    {
        RECT client = {};
        ::GetClientRect(host.context.Window(), &client);
        host.context.Root()->placeAt(client);
    }
    template <typename T>
    T* Named(const wchar_t* name)
    {
        return dynamic_cast<T*>(host.context.ControlByName(name));
    }
    void Mouse(UINT message, int x, int y)
    {
        ::SendMessageW(host.context.Window(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Click(int x, int y)
    {
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }
    // The client area as a print request paints it.
    const CDibCanvas& Paint()
    {
        m_canvas.Clear(0);
        ::SendMessageW(host.context.Window(), WM_PRINTCLIENT, WPARAM(m_canvas.Dc()), PRF_CLIENT);
        return m_canvas;
    }
    int ValueChanges() const { return host.notices.Count(L"valuechanged"); }
    void PumpFor(DWORD milliseconds)
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < milliseconds) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            host.Pump();
        }
    }

    TestEnv::CScratchFolder m_folder{L"slider_progress_skin"};
    CHostWindow host;
    CSkinBuilder m_builder;
    CDibCanvas m_canvas{300, 200};
};

// At (50, 40, 250, 60): 2 pixels per unit, a 6-pixel rail at y 47..53 whose
// first 20 pixels are the left part, a 10 × 16 thumb at y 42..58.
const wchar_t* const kSlider =
    L"<SliderCtrlEx name=\"slider\" padding=\"50,40,0,0\" width=\"200\" height=\"20\" thumsize=\"10,16\" railheight=\"6\" leftwidth=\"20\" prethumbimage=\"left.bmp\" "
    L"railimage=\"rail.bmp\" thumbimage=\"thumb.bmp\" prethumbimagedisable=\"leftoff.bmp\" "
    L"thumbimagedisable=\"thumboff.bmp\" railcolordisable=\"#FF00FFFF\" ";

class SliderCtrlEx : public SkinnedWindow {
protected:
    CSliderCtrlEx* BuildSlider(const std::wstring& numbers = L"nmin=\"0\" nmax=\"100\" value=\"50\" ",
                               const std::wstring& extra = L"")
    {
        Build(kSlider + numbers + extra + L"/>");
        CSliderCtrlEx* slider = Named<CSliderCtrlEx>(L"slider");
        if (slider)
            Paint();
        return slider;
    }
};

} // namespace

// ---- CSliderCtrlEx ----

TEST_F(SliderCtrlEx, MarkupBuildsItUnderItsOwnFacetOnly)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    EXPECT_STREQ(slider->typeName(), L"SliderCtrlEx");
    EXPECT_EQ(slider->queryFacet(L"SliderCtrlEx"), slider);
    EXPECT_NE(slider->queryFacet(L"Control"), nullptr);
    EXPECT_EQ(slider->queryFacet(L"Slider"), nullptr);
    EXPECT_EQ(slider->queryFacet(L"Progress"), nullptr);
    EXPECT_EQ(slider->thumbSize().cx, 10);
    EXPECT_EQ(slider->thumbSize().cy, 16);
    EXPECT_EQ(slider->inputTraits(), UINT(TRAIT_CURSOR));
    EXPECT_EQ(slider->itemRect(), Rect(50, 40, 250, 60));
}

TEST_F(SliderCtrlEx, PaintsLeftPartRailFillAndThumbFromTheValue)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    const CDibCanvas& canvas = Paint();
    EXPECT_FLOAT_EQ(slider->pixelsPerUnit(), 2.0f);
    EXPECT_EQ(slider->thumbRectangle(), Rect(145, 42, 155, 58));
    EXPECT_EQ(canvas.Rgb(55, 50), kBlue);
    EXPECT_EQ(canvas.Rgb(69, 50), kBlue);
    // The fill runs from the end of the left part for 50 × 2 pixels.
    EXPECT_EQ(canvas.Rgb(70, 50), kRed);
    EXPECT_EQ(canvas.Rgb(144, 50), kRed);
    EXPECT_EQ(canvas.Rgb(169, 50), kRed);
    EXPECT_EQ(canvas.Rgb(170, 50), kGrey);
    EXPECT_EQ(canvas.Rgb(249, 50), kGrey);
    EXPECT_EQ(canvas.Rgb(150, 50), kGreen);
    EXPECT_EQ(canvas.Rgb(150, 42), kGreen);
    EXPECT_EQ(canvas.Rgb(150, 57), kGreen);
    EXPECT_EQ(canvas.Rgb(150, 58), 0u);
    // Above the rail band only the thumb is drawn.
    EXPECT_EQ(canvas.Rgb(100, 46), 0u);
    EXPECT_EQ(canvas.Rgb(100, 47), kRed);
    EXPECT_EQ(canvas.Rgb(100, 52), kRed);
    EXPECT_EQ(canvas.Rgb(100, 53), 0u);
}

TEST_F(SliderCtrlEx, LimitsPutTheThumbAtTheEndsAndTheFillNeverLeavesTheControl)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    slider->assignValue(0);
    const CDibCanvas& atMin = Paint();
    EXPECT_EQ(slider->thumbRectangle(), Rect(50, 42, 60, 58));
    EXPECT_EQ(atMin.Rgb(75, 50), kGrey);

    slider->assignValue(100);
    const CDibCanvas& atMax = Paint();
    EXPECT_EQ(slider->thumbRectangle(), Rect(240, 42, 250, 58));
    EXPECT_EQ(atMax.Rgb(239, 50), kRed);

    // 95 × 2 past the left part would end at 260.
    slider->assignValue(95);
    const CDibCanvas& nearMax = Paint();
    EXPECT_EQ(nearMax.Rgb(248, 50), kRed);
    EXPECT_EQ(nearMax.Rgb(252, 50), 0u);

    // One unit from either limit the centred thumb would stick out; it stops at the edge.
    slider->assignValue(1);
    Paint();
    EXPECT_EQ(slider->thumbRectangle().left, 50);
    slider->assignValue(99);
    Paint();
    EXPECT_EQ(slider->thumbRectangle().right, 250);
}

TEST_F(SliderCtrlEx, PressBesideTheThumbStepsByOneAndNotifies)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    Click(100, 50);
    EXPECT_EQ(slider->currentValue(), 49);
    EXPECT_EQ(ValueChanges(), 1);
    Paint();
    Click(220, 50);
    Click(220, 50);
    EXPECT_EQ(slider->currentValue(), 51);
    EXPECT_EQ(ValueChanges(), 3);
    EXPECT_EQ(host.notices.notices.back().sender, slider);
    // Beside a thumb lower than the control, above it, is not beside it.
    Paint();
    Click(151, 41);
    EXPECT_EQ(slider->currentValue(), 51);
    EXPECT_EQ(ValueChanges(), 3);
}

TEST_F(SliderCtrlEx, PressBesideTheThumbAtTheLimitsStillNotifies)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    // The thumb was last painted in the middle; the value has reached a limit since.
    slider->writeAttribute(L"value", L"0");
    Click(100, 50);
    EXPECT_EQ(slider->currentValue(), 0);
    EXPECT_EQ(ValueChanges(), 1);
    slider->writeAttribute(L"value", L"100");
    Click(220, 50);
    EXPECT_EQ(slider->currentValue(), 100);
    EXPECT_EQ(ValueChanges(), 2);
}

TEST_F(SliderCtrlEx, DragReportsOnReleaseOnlyUnlessAskedToReportEveryMove)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    Mouse(WM_LBUTTONDOWN, 150, 50);
    EXPECT_EQ(slider->state() & STATE_CAPTURED, UINT(STATE_CAPTURED));
    Mouse(WM_MOUSEMOVE, 200, 50);
    EXPECT_EQ(slider->currentValue(), 75);
    Mouse(WM_MOUSEMOVE, 210, 50);
    EXPECT_EQ(ValueChanges(), 0);
    Mouse(WM_LBUTTONUP, 210, 50);
    EXPECT_EQ(slider->currentValue(), 80);
    EXPECT_EQ(ValueChanges(), 1);
    EXPECT_EQ(slider->state() & STATE_CAPTURED, 0u);

    slider->writeAttribute(L"pstmsgonmousemove", L"true");
    Paint();
    Mouse(WM_LBUTTONDOWN, 210, 50);
    Mouse(WM_MOUSEMOVE, 120, 50);
    EXPECT_EQ(slider->currentValue(), 35);
    Mouse(WM_MOUSEMOVE, 130, 50);
    EXPECT_EQ(ValueChanges(), 3);
    Mouse(WM_LBUTTONUP, 130, 50);
    EXPECT_EQ(slider->currentValue(), 40);
    EXPECT_EQ(ValueChanges(), 4);
}

TEST_F(SliderCtrlEx, ThumbPressedAndReleasedInPlaceKeepsItsValue)
{
    CSliderCtrlEx* slider = BuildSlider(L"nmin=\"0\" nmax=\"100\" value=\"37\" ");
    ASSERT_NE(slider, nullptr);
    const RECT thumb = slider->thumbRectangle();
    const int centre = (thumb.left + thumb.right) / 2;
    Click(centre, 50);
    EXPECT_EQ(slider->currentValue(), 37);
    EXPECT_EQ(ValueChanges(), 1);
}

TEST_F(SliderCtrlEx, ReleasePastEitherEndGivesTheLimit)
{
    CSliderCtrlEx* slider = BuildSlider(L"nmin=\"-40\" nmax=\"60\" value=\"50\" ");
    ASSERT_NE(slider, nullptr);
    Mouse(WM_LBUTTONDOWN, 230, 50);
    Mouse(WM_LBUTTONUP, 10, 50);
    EXPECT_EQ(slider->currentValue(), -40);
    Paint();
    Mouse(WM_LBUTTONDOWN, 55, 50);
    Mouse(WM_LBUTTONUP, 290, 50);
    EXPECT_EQ(slider->currentValue(), 60);
    // Within half a thumb of an end is that end too.
    Paint();
    Mouse(WM_LBUTTONDOWN, 245, 50);
    Mouse(WM_LBUTTONUP, 55, 50);
    EXPECT_EQ(slider->currentValue(), -40);
    EXPECT_EQ(ValueChanges(), 3);
}

TEST_F(SliderCtrlEx, DisabledDrawsTheDisabledPartsAndIgnoresPresses)
{
    CSliderCtrlEx* slider = BuildSlider(L"nmin=\"0\" nmax=\"100\" value=\"50\" ", L"enabled=\"false\" ");
    ASSERT_NE(slider, nullptr);
    const CDibCanvas& canvas = Paint();
    EXPECT_EQ(slider->state() & STATE_DISABLED, UINT(STATE_DISABLED));
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

TEST_F(SliderCtrlEx, ValueStaysInsideTheRangeWhenEitherChanges)
{
    CSliderCtrlEx* slider = BuildSlider();
    ASSERT_NE(slider, nullptr);
    slider->writeAttribute(L"value", L"500");
    EXPECT_EQ(slider->currentValue(), 100);
    slider->writeAttribute(L"nmax", L"60");
    EXPECT_EQ(slider->currentValue(), 60);
    slider->writeAttribute(L"nmin", L"80");
    EXPECT_EQ(slider->currentValue(), 80);
}

TEST_F(SliderCtrlEx, EqualMinAndMaxPaintAndDragSafely)
{
    CSliderCtrlEx* slider = BuildSlider(L"nmin=\"30\" nmax=\"30\" value=\"70\" ");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->currentValue(), 30);
    EXPECT_EQ(slider->pixelsPerUnit(), 0.0f);
    EXPECT_EQ(slider->thumbRectangle(), Rect(50, 42, 60, 58));
    Click(200, 50);
    EXPECT_EQ(slider->currentValue(), 30);
    Mouse(WM_LBUTTONDOWN, 55, 50);
    Mouse(WM_MOUSEMOVE, 150, 50);
    Mouse(WM_LBUTTONUP, 150, 50);
    EXPECT_EQ(slider->currentValue(), 30);
    EXPECT_EQ(ValueChanges(), 2);
    Paint();
}

// ---- CProgressExUI ----

namespace {

// At (10, 10, 210, 30): 2 pixels per unit, a 4-pixel line, an 8 × 8 point
// and a 20 × 20 animation.
const wchar_t* const kProgress =
    L"<ProgressEx name=\"progress\" padding=\"10,10,0,0\" width=\"200\" height=\"20\" lineheight=\"4\" "
    L"pointwidth=\"8\" pointheight=\"8\" animationwidth=\"20\" animationheight=\"20\" lineforeimage=\"line.bmp\" "
    L"linebkcolor=\" #FF0000FF\" point=\"point.bmp\" animation=\"spin.bmp\" interval=\"20\" ";

class ProgressEx : public SkinnedWindow {
protected:
    CProgressExUI* BuildProgress(const std::wstring& numbers = L"max=\"100\" value=\"25\" ")
    {
        Build(kProgress + numbers + L"/>");
        return Named<CProgressExUI>(L"progress");
    }
    static CControlUI* Part(CControlUI* container, int index)
    {
        auto* items = static_cast<IContainerUI*>(container->queryFacet(L"IContainer"));
        return items ? items->itemAt(index) : nullptr;
    }
    static const std::wstring& LineImage(CProgressExUI* progress)
    {
        return Part(Part(progress, 0), 1)->foreImage().source;
    }
};

} // namespace

TEST_F(ProgressEx, InitBuildsTheLinePointRestAndAnimation)
{
    CProgressExUI* progress = BuildProgress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->queryFacet(L"ProgressEx"), progress);
    EXPECT_NE(progress->queryFacet(L"HorizontalLayout"), nullptr);
    EXPECT_EQ(progress->itemRect(), Rect(10, 10, 210, 30));
    ASSERT_EQ(progress->itemCount(), 4);

    CControlUI* fore = Part(progress, 0);
    EXPECT_STREQ(fore->typeName(), L"VerticalLayoutUI");
    EXPECT_EQ(fore->itemRect(), Rect(10, 10, 60, 30));
    EXPECT_EQ(Part(fore, 1)->itemRect(), Rect(10, 18, 60, 22));

    CControlUI* point = Part(progress, 1);
    EXPECT_EQ(point->itemRect(), Rect(60, 16, 68, 24));
    EXPECT_EQ(point->backImage().source, L"point.bmp");

    CControlUI* rest = Part(progress, 2);
    EXPECT_STREQ(rest->typeName(), L"VerticalLayoutUI");
    EXPECT_EQ(rest->itemRect(), Rect(68, 10, 210, 30));
    EXPECT_EQ(Part(rest, 1)->itemRect(), Rect(68, 18, 210, 22));
    EXPECT_EQ(Part(rest, 1)->backColour(), 0xFF0000FFu);

    auto* animation = dynamic_cast<CRotateAnimateUI*>(Part(progress, 3));
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(animation->isFloating());
    EXPECT_EQ(animation->itemRect(), Rect(54, 10, 74, 30));
    EXPECT_EQ(animation->backImage().source, L"spin.bmp");
}

TEST_F(ProgressEx, LineImageShowsThreePixelsMoreOfTheFileThanTheFilledLength)
{
    CProgressExUI* progress = BuildProgress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(LineImage(progress), L"file='line.bmp' source='0,0,53,4'");
    const CDibCanvas& canvas = Paint();
    EXPECT_EQ(canvas.Rgb(30, 20), kGreen);
    EXPECT_EQ(canvas.Rgb(30, 17), 0u);
    EXPECT_EQ(canvas.Rgb(150, 20), kBlue);
    EXPECT_EQ(canvas.Rgb(150, 22), 0u);
}

TEST_F(ProgressEx, ValueMovesTheLineEndPointAndAnimation)
{
    CProgressExUI* progress = BuildProgress();
    ASSERT_NE(progress, nullptr);
    const struct {
        int value, filled;
    } cases[] = {{0, 1}, {50, 100}, {99, 198}, {-20, 1}};
    for (const auto& c : cases) {
        progress->assignValue(c.value);
        LayOut();
        EXPECT_EQ(progress->filledWidth(), c.filled) << c.value;
        EXPECT_EQ(Part(progress, 0)->itemRect(), Rect(10, 10, 10 + c.filled, 30)) << c.value;
        EXPECT_EQ(Part(progress, 1)->itemRect().left, 10 + c.filled) << c.value;
        EXPECT_EQ(Part(progress, 3)->itemRect(), Rect(4 + c.filled, 10, 24 + c.filled, 30)) << c.value;
        EXPECT_TRUE(Part(progress, 1)->isShown());
        EXPECT_TRUE(Part(progress, 3)->isShown());
        EXPECT_EQ(LineImage(progress), L"file='line.bmp' source='0,0," + std::to_wstring(c.filled + 3) + L",4'");
    }
    // Through markup as well.
    progress->writeAttribute(L"value", L"75");
    EXPECT_EQ(progress->filledWidth(), 150);
}

TEST_F(ProgressEx, AtOrPastTheMaximumTheMarkerHidesAndTheLineStaysInside)
{
    CProgressExUI* progress = BuildProgress(L"max=\"100\" value=\"100\" ");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(Part(progress, 1)->isShown());
    EXPECT_FALSE(Part(progress, 3)->isShown());
    EXPECT_EQ(Part(progress, 0)->itemRect(), Rect(10, 10, 210, 30));
    progress->assignValue(150);
    LayOut();
    EXPECT_EQ(progress->filledWidth(), 200);
    EXPECT_FALSE(Part(progress, 1)->isShown());
    progress->assignValue(40);
    EXPECT_TRUE(Part(progress, 1)->isShown());
    EXPECT_TRUE(Part(progress, 3)->isShown());
}

TEST_F(ProgressEx, MaximumOfZeroIsSafe)
{
    CProgressExUI* progress = BuildProgress(L"max=\"0\" value=\"0\" ");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->filledWidth(), 1);
    EXPECT_FALSE(Part(progress, 3)->isShown());
    Paint();
}

TEST_F(ProgressEx, AnimationTurnsOnItsTimerWhileShownAndHandsOnAuto)
{
    Build(std::wstring(kProgress) + L"max=\"100\" value=\"30\" />" +
          L"<ProgressEx name=\"idle\" auto=\"false\" animation=\"spin.bmp\" width=\"100\" height=\"20\" />");
    auto* progress = Named<CProgressExUI>(L"progress");
    auto* idle = Named<CProgressExUI>(L"idle");
    ASSERT_NE(progress, nullptr);
    ASSERT_NE(idle, nullptr);
    auto* spinning = static_cast<CRotateAnimateUI*>(Part(progress, 3));
    auto* still = static_cast<CRotateAnimateUI*>(Part(idle, 3));
    EXPECT_FALSE(spinning->IsStopped());
    PumpFor(300);
    EXPECT_GT(spinning->Step(), 0);
    EXPECT_TRUE(still->IsStopped());
    EXPECT_EQ(still->Step(), 0);

    // Hidden at the maximum, it keeps its angle.
    progress->assignValue(100);
    const int step = spinning->Step();
    PumpFor(150);
    EXPECT_EQ(spinning->Step(), step);
}
