// The multi-position switch, the animated option and the button with title
// and value texts, built from skin markup into a shown window and driven by
// real mouse messages and real timers.
#include "ShownSkinTest.h"

#include "tests/support/TestEnvironment.h"
#include "ui/controls/AnimationOptionUI.h"
#include "ui/controls/ButtonSwitchExUI.h"
#include "ui/controls/CustomButtonUI.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace SkinUI;
using ControlTest::CDibCanvas;

namespace {

const DWORD kKnob = 0xFF0000, kDisabledKnob = 0x808080, kTrackOn = 0x00FF00, kTrackOff = 0x0000FF;
const DWORD kHover1 = 0xFFFF00, kWork1 = 0x0080FF, kSelected = 0xFFFFFF;

class ButtonVariants : public ControlTest::CShownSkinTest {
protected:
    ButtonVariants() : CShownSkinTest(L"button_variants", POINT{295, 195}) {}
    void SetUp() override
    {
        CShownSkinTest::SetUp();
        WriteSolidPictures({{L"knob.bmp", kKnob},      {L"knob_off.bmp", kDisabledKnob}, {L"on.bmp", kTrackOn},
                            {L"off.bmp", kTrackOff},   {L"hover1.bmp", kHover1},         {L"hover2.bmp", 0x00FFFF},
                            {L"hover3.bmp", 0xFF00FF}, {L"work0.bmp", 0xFF8000},         {L"work1.bmp", kWork1},
                            {L"sel.bmp", kSelected}});
    }
    void Mouse(UINT message, int x, int y, WPARAM keys = 0)
    {
        ::SendMessageW(Window(), message, keys, MAKELPARAM(x, y));
        m_host->Pump();
    }
    void Click(int x, int y)
    {
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y);
    }
    void HoverAt(int x, int y)
    {
        ParkCursor(x, y);
        Mouse(WM_MOUSEMOVE, x, y);
    }
    CDibCanvas& Paint(CControlUI& control)
    {
        m_canvas.Clear(0);
        control.render(m_canvas.Dc(), control.itemRect());
        return m_canvas;
    }
};

// ---- Switch: 100 wide, knob 20, positions 0..2 ----

class ButtonSwitchEx : public ButtonVariants {
protected:
    void SetUp() override
    {
        ButtonVariants::SetUp();
        sw = Build<CButtonSwitchExUI>(
            L"<ButtonSwitchEx name=\"sw\" padding=\"10,30,0,0\" width=\"100\" height=\"20\" min=\"0\" max=\"2\" "
            L"pointwidth=\"20\" pointheight=\"20\" pointImage=\"knob.bmp\" disabledpointImage=\"knob_off.bmp\" "
            L"enabledbkImage=\"on.bmp\" disabledbkImage=\"off.bmp\" value=\"0\" />",
            L"sw");
        ASSERT_NE(nullptr, sw);
        left = sw->itemRect().left;
        y = sw->itemRect().top + 10;
    }
    static std::wstring KnobAt(int x, const wchar_t* file = L"knob.bmp")
    {
        return L"file='" + std::wstring(file) + L"' dest='" + std::to_wstring(x) + L",0," + std::to_wstring(x + 20) +
               L",20'";
    }
    // The painted colour at the middle of each of the three knob places.
    std::vector<DWORD> Slots()
    {
        CDibCanvas& canvas = Paint(*sw);
        return {canvas.Rgb(left + 10, y), canvas.Rgb(left + 50, y), canvas.Rgb(left + 90, y)};
    }
    int Changes() const { return Notices(sw, L"selectchanged"); }

    CButtonSwitchExUI* sw = nullptr;
    int left = 0, y = 0;
};

TEST_F(ButtonSwitchEx, KnobSitsAt0_40Or80)
{
    const std::vector<std::vector<DWORD>> painted = {
        {kKnob, kTrackOn, kTrackOn}, {kTrackOn, kKnob, kTrackOn}, {kTrackOn, kTrackOn, kKnob}};
    for (int position = 0; position <= 2; ++position) {
        sw->setPosition(position, false);
        EXPECT_EQ(painted[size_t(position)], Slots());
        EXPECT_EQ(KnobAt(40 * position), sw->knobImageInfo().source);
    }
    EXPECT_EQ(0, Changes());
}

TEST_F(ButtonSwitchEx, PressBesideTheKnobPicksTheNearestSlot)
{
    Click(left + 95, y);
    EXPECT_EQ(2, sw->position());
    Click(left + 45, y);
    EXPECT_EQ(1, sw->position());
    Click(left + 28, y); // nearer the first knob centre (10) than the second (50)
    EXPECT_EQ(0, sw->position());
    EXPECT_EQ(3, Changes());
    Click(left + 25, y); // beside the knob, yet its own slot: no change, no notice
    EXPECT_EQ(3, Changes());
    EXPECT_EQ(0, Notices(sw, L"click"));
}

TEST_F(ButtonSwitchEx, DraggedKnobMovesOnTheTimerAndReleasePicksThePosition)
{
    int dragTicks = 0;
    sw->inputListeners() += CDelegateBase(this, [&](void* argument) {
        const auto* event = static_cast<TInputEvent*>(argument);
        dragTicks += event->kind == EInputKind::Timer && event->wParam == 10 ? 1 : 0;
        return true;
    });
    Mouse(WM_LBUTTONDOWN, left + 10, y, MK_LBUTTON);
    EXPECT_EQ(UINT(STATE_PUSHED | STATE_CAPTURED), sw->state() & (STATE_PUSHED | STATE_CAPTURED));
    Mouse(WM_MOUSEMOVE, left + 47, y, MK_LBUTTON);
    ASSERT_TRUE(m_host->PumpUntil([&] { return dragTicks > 0 && sw->knobImageInfo().source == KnobAt(37); }));
    EXPECT_EQ(kKnob, Paint(*sw).Rgb(left + 47, y));
    Mouse(WM_MOUSEMOVE, left + 400, y, MK_LBUTTON);
    ASSERT_TRUE(m_host->PumpUntil([&] { return sw->knobImageInfo().source == KnobAt(80); })); // stops at the end
    Mouse(WM_LBUTTONUP, left + 47, y);
    const int ticksAtRelease = dragTicks;
    EXPECT_EQ(1, sw->position());
    EXPECT_EQ(0u, sw->state() & (STATE_PUSHED | STATE_CAPTURED));
    EXPECT_EQ(std::vector<DWORD>({kTrackOn, kKnob, kTrackOn}), Slots());
    EXPECT_EQ(1, Changes());
    m_host->PumpFor(150);
    EXPECT_EQ(ticksAtRelease, dragTicks);
    // Released beyond the track: the nearest end.
    Mouse(WM_LBUTTONDOWN, left + 50, y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 290, y);
    EXPECT_EQ(2, sw->position());
}

TEST_F(ButtonSwitchEx, DisabledSwitchShowsItsDisabledImagesAndIgnoresPresses)
{
    sw->assignOperable(false);
    EXPECT_EQ(L"off.bmp", sw->backImage().source);
    Click(left + 90, y);
    EXPECT_EQ(0, sw->position());
    EXPECT_EQ(std::vector<DWORD>({kDisabledKnob, kTrackOff, kTrackOff}), Slots());
    EXPECT_EQ(KnobAt(0, L"knob_off.bmp"), sw->knobImageInfo().source);
    sw->assignOperable(true);
    EXPECT_EQ(std::vector<DWORD>({kKnob, kTrackOn, kTrackOn}), Slots());
}

TEST_F(ButtonSwitchEx, PositionsCountFromTheMinimumAndAreClamped)
{
    sw->applyAttributeList(L"min=\"5\" max=\"7\" value=\"6\"");
    EXPECT_EQ(std::vector<DWORD>({kTrackOn, kKnob, kTrackOn}), Slots());
    Click(left + 95, y);
    EXPECT_EQ(7, sw->position());
    sw->setPosition(9, true); // clamps to where it is: no notice
    EXPECT_EQ(1, Changes());
    sw->writeAttribute(L"max", L"5"); // no range left: the knob rests at the start
    Paint(*sw);
    EXPECT_EQ(KnobAt(0), sw->knobImageInfo().source);
}

// ---- Animation option: hover frames 1..3, working frames 0..1, 30 ms ----

class AnimationOption : public ButtonVariants {
protected:
    void SetUp() override
    {
        ButtonVariants::SetUp();
        anim = Build<CAnimationOptionUI>(
            L"<AnimationOption name=\"anim\" padding=\"10,30,0,0\" width=\"40\" height=\"20\" "
            L"picturehover=\"hover.bmp\" startindexhover=\"1\" endindexhover=\"3\" intervalhover=\"30\" "
            L"loophover=\"true\" pictureworking=\"work.bmp\" endindexworking=\"1\" intervalworking=\"30\" "
            L"loopworking=\"true\" selectedimage=\"sel.bmp\" /><Control name=\"other\" />",
            L"anim");
        ASSERT_NE(nullptr, anim);
        x = anim->itemRect().left + 5;
        y = anim->itemRect().top + 5;
        // Listeners see each event before the option: every frame is recorded, however late we look.
        anim->inputListeners() += CDelegateBase(this, [this](void* argument) {
            if (static_cast<TInputEvent*>(argument)->kind == EInputKind::Timer)
                frames.push_back(std::to_wstring(static_cast<TInputEvent*>(argument)->wParam) + L":" +
                                 anim->foreImage().source);
            return true;
        });
    }
    DWORD Painted() { return Paint(*anim).Rgb(x + 10, y + 5); }
    std::vector<std::wstring> First(size_t count)
    {
        EXPECT_TRUE(m_host->PumpUntil([&] { return frames.size() >= count; }));
        return std::vector<std::wstring>(frames.begin(), frames.begin() + std::min(count, frames.size()));
    }

    CAnimationOptionUI* anim = nullptr;
    int x = 0, y = 0;
    std::vector<std::wstring> frames; // "timer id:picture shown when it ticked"
};

TEST_F(AnimationOption, HoverLoopsItsFramesAndLeaveStopsAndClears)
{
    ParkCursor(x, y);
    ::SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(kHover1, Painted()); // before any pump: a loaded machine would already have ticked on
    m_host->Pump();
    EXPECT_EQ(1, Notices(anim, L"mouseenter"));
    EXPECT_EQ(std::vector<std::wstring>({L"902:hover1.bmp", L"902:hover2.bmp", L"902:hover3.bmp", L"902:hover1.bmp"}),
              First(4));
    HoverAt(200, 100);
    EXPECT_EQ(1, Notices(anim, L"mouseleave"));
    EXPECT_EQ(0u, anim->activeAnimations());
    EXPECT_EQ(0u, Painted());
    const size_t ticks = frames.size();
    m_host->PumpFor(150);
    EXPECT_EQ(ticks, frames.size());
}

TEST_F(AnimationOption, HoverWithoutLoopStopsAtTheEndFrame)
{
    anim->writeAttribute(L"loophover", L"false");
    HoverAt(x, y);
    ASSERT_TRUE(m_host->PumpUntil([&] { return anim->activeAnimations() == 0; }));
    EXPECT_EQ(std::vector<std::wstring>({L"902:hover1.bmp", L"902:hover2.bmp", L"902:hover3.bmp"}), frames);
    EXPECT_EQ(L"", anim->foreImage().source);
    EXPECT_EQ(0u, Painted());
    EXPECT_EQ(nullptr, anim->queryFacet(L"Option"));
}

TEST_F(AnimationOption, WorkingPlaysOnceDeselectedUntilAClickSelectsAgain)
{
    anim->assignSelected(true, false);
    anim->enableWorkingAnimation(true);
    Click(x, y); // without a group a click toggles: deselected, working starts
    EXPECT_FALSE(anim->selected());
    EXPECT_EQ(1, Notices(anim, L"selectchanged"));
    EXPECT_EQ(std::vector<std::wstring>({L"903:work0.bmp", L"903:work1.bmp", L"903:work0.bmp"}), First(3));
    ASSERT_TRUE(m_host->PumpUntil([&] { return anim->foreImage().source == L"work1.bmp"; }));
    EXPECT_EQ(kWork1, Painted());

    Click(x, y);
    EXPECT_TRUE(anim->selected());
    EXPECT_EQ(0u, anim->activeAnimations());
    EXPECT_EQ(L"sel.bmp", anim->foreImage().source);
    EXPECT_EQ(kSelected, Painted());
    const size_t ticks = frames.size();
    m_host->PumpFor(150);
    EXPECT_EQ(ticks, frames.size());
}

// ---- Custom button: title top left, text bottom left, value bottom right ----

class CustomButton : public ButtonVariants {};

TEST_F(CustomButton, DrawsTitleAndValueInTheirOwnPlacesAndHotColours)
{
    auto* button = Build<CCustomButtonUI>(
        L"<CustonButton name=\"custom\" padding=\"10,30,0,0\" width=\"120\" height=\"40\" text=\"MMM\" "
        L"textcolor=\"#FFFFFF00\" textpadding=\"0,20,60,0\" TitleText=\"MMM\" Titletextcolor=\"#FFFF0000\" "
        L"hotTitletextcolor=\"#FF00FF00\" textTitlepadding=\"0,0,60,20\" ValueText=\"MMM\" "
        L"Valuetextcolor=\"#FF0000FF\" textValuepadding=\"60,20,0,0\" />",
        L"custom");
    ASSERT_NE(nullptr, button);
    const RECT r = button->itemRect();
    const RECT title = {r.left, r.top, r.left + 60, r.top + 20}, text = {r.left, r.top + 20, r.left + 60, r.bottom};
    const RECT value = {r.left + 60, r.top + 20, r.right, r.bottom}, rest = {r.left + 60, r.top, r.right, r.top + 20};
    CDibCanvas& canvas = Paint(*button);
    EXPECT_GT(ControlTest::CountLeaning(canvas, title, 0xFF0000), 0);
    EXPECT_GT(ControlTest::CountLeaning(canvas, text, 0xFFFF00), 0);
    EXPECT_GT(ControlTest::CountLeaning(canvas, value, 0x0000FF), 0);
    EXPECT_EQ(0, ControlTest::CountLeaning(canvas, title, 0x0000FF) + ControlTest::CountLeaning(canvas, value, 0xFF0000));
    for (DWORD colour : {0xFF0000, 0x0000FF, 0xFFFF00})
        EXPECT_EQ(0, ControlTest::CountLeaning(canvas, rest, colour));

    HoverAt(r.left + 5, r.top + 5);
    Paint(*button);
    EXPECT_GT(ControlTest::CountLeaning(canvas, title, 0x00FF00), 0);
    EXPECT_EQ(0, ControlTest::CountLeaning(canvas, title, 0xFF0000));
    EXPECT_GT(ControlTest::CountLeaning(canvas, value, 0x0000FF), 0); // no hot value colour given
    Click(r.left + 5, r.top + 5);
    EXPECT_EQ(1, Notices(button, L"click"));
}

} // namespace
