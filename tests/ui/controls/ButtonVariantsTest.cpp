// The multi-position switch, the animated option and the button with title
// and value texts, built from skin markup into a shown window and driven by
// real mouse messages and real timers.
#include "ControlTestSupport.h"

#include "tests/support/TestEnvironment.h"
#include "ui/controls/AnimationOptionUI.h"
#include "ui/controls/ButtonSwitchExUI.h"
#include "ui/controls/CustomButtonUI.h"
#include "ui/core/SkinBuilder.h"
#include "ui/core/SkinSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::CHostWindow;

namespace {

const DWORD kKnob = 0xFF0000;
const DWORD kDisabledKnob = 0x808080;
const DWORD kTrackOn = 0x00FF00;
const DWORD kTrackOff = 0x0000FF;
const DWORD kHoverFrames[] = {0, 0xFFFF00, 0x00FFFF, 0xFF00FF}; // frames 1..3
const DWORD kWorkingFrames[] = {0xFF8000, 0x0080FF};            // frames 0..1
const DWORD kSelected = 0xFFFFFF;

// An uncompressed 24-bit BMP of one 0xRRGGBB colour.
std::string SolidBmp(int width, int height, DWORD rgb)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + DWORD(stride * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
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

int Channel(DWORD rgb, int shift) { return int((rgb >> shift) & 0xFF); }

// Pixels of `area` whose colour leans clearly towards `rgb`'s primary channels.
int CountLeaning(const CDibCanvas& canvas, const RECT& area, DWORD rgb)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const DWORD pixel = canvas.Rgb(x, y);
            bool leans = true;
            for (int shift : {16, 8, 0}) {
                const bool wanted = Channel(rgb, shift) > 0x80;
                leans = leans && (wanted ? Channel(pixel, shift) > 0x60 : Channel(pixel, shift) < 0x40);
            }
            count += leans ? 1 : 0;
        }
    return count;
}

// A shown host window whose tree comes from skin markup, with its image files
// in a scratch skin folder.
class ButtonVariants : public ::testing::Test {
protected:
    void SetUp() override
    {
        Write(L"knob.bmp", 20, 20, kKnob);
        Write(L"knob_off.bmp", 20, 20, kDisabledKnob);
        Write(L"track_on.bmp", 100, 20, kTrackOn);
        Write(L"track_off.bmp", 100, 20, kTrackOff);
        for (int frame = 1; frame <= 3; ++frame)
            Write(L"hover" + std::to_wstring(frame) + L".bmp", 40, 20, kHoverFrames[frame]);
        for (int frame = 0; frame <= 1; ++frame)
            Write(L"work" + std::to_wstring(frame) + L".bmp", 40, 20, kWorkingFrames[frame]);
        Write(L"sel.bmp", 40, 20, kSelected);
        CWindowContextUI::SetSkinFolder(m_folder.Path());
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        m_host.reset();
        CSkinSource::Reset();
    }

    void Write(const std::wstring& name, int width, int height, DWORD rgb)
    {
        TestEnv::WriteFileBytes(m_folder.File(name), SolidBmp(width, height, rgb));
    }

    // Builds `body` inside a window-filling horizontal layout, shows the window
    // and paints it once, which lays the tree out.
    void Build(const std::wstring& body)
    {
        const std::wstring markup = L"<Window><HorizontalLayout name=\"root\">" + body + L"</HorizontalLayout></Window>";
        CControlUI* root = m_builder.Build(markup.c_str(), nullptr, nullptr, &m_host->context);
        ASSERT_NE(nullptr, root);
        m_host->context.AdoptRoot(root);
        // The real pointer rests on the layout, so the platform's leave tracking stays quiet.
        ParkCursor(295, 195);
        ::ShowWindow(Window(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(Window());
        m_host->Pump();
    }

    template <typename T>
    T* Named(const wchar_t* name)
    {
        return dynamic_cast<T*>(m_host->context.ControlByName(name));
    }

    HWND Window() const { return m_host->context.Window(); }

    void ParkCursor(int x, int y)
    {
        POINT point = {x, y};
        ::ClientToScreen(Window(), &point);
        ::SetCursorPos(point.x, point.y);
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
    // Moves the real pointer there as well, so the hover survives the platform's tracking.
    void HoverAt(int x, int y)
    {
        ParkCursor(x, y);
        Mouse(WM_MOUSEMOVE, x, y);
    }

    // Pumps until `done`; false after the deadline (a guard against hangs, not a timing check).
    bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000)
    {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > limitMs)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            m_host->Pump();
        }
        return true;
    }
    void PumpFor(DWORD ms)
    {
        const DWORD start = ::GetTickCount();
        PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
    }

    int Notices(const wchar_t* type) const { return m_host->notices.Count(type); }
    // Containers under the pointer send their own enter and leave notices.
    int NoticesFrom(const CControlUI* sender, const wchar_t* type) const
    {
        int count = 0;
        for (const TNotifyMsg& notice : m_host->notices.notices)
            count += notice.sender == sender && notice.type == type ? 1 : 0;
        return count;
    }

    CDibCanvas& Paint(CControlUI& control)
    {
        m_canvas.Clear(0);
        control.render(m_canvas.Dc(), control.itemRect());
        return m_canvas;
    }

    TestEnv::CScratchFolder m_folder{L"button_variants"};
    std::unique_ptr<CHostWindow> m_host = std::make_unique<CHostWindow>();
    CSkinBuilder m_builder;
    CDibCanvas m_canvas{300, 200};
};

// ---- Switch ----

const wchar_t kSwitch[] =
    L"<ButtonSwitchEx name=\"switch\" padding=\"10,30,0,0\" width=\"100\" height=\"20\" min=\"0\" max=\"2\" "
    L"pointwidth=\"20\" pointheight=\"20\" pointImage=\"knob.bmp\" disabledpointImage=\"knob_off.bmp\" "
    L"enabledbkImage=\"track_on.bmp\" disabledbkImage=\"track_off.bmp\" value=\"0\" />";

class ButtonSwitchEx : public ButtonVariants {
protected:
    void SetUp() override
    {
        ButtonVariants::SetUp();
        Build(kSwitch);
        sw = Named<CButtonSwitchExUI>(L"switch");
        ASSERT_NE(nullptr, sw);
        rect = sw->itemRect();
        ASSERT_EQ(100, rect.right - rect.left);
        m_host->notices.notices.clear();
    }
    std::wstring KnobAt(int left, const wchar_t* file = L"knob.bmp") const
    {
        return L"file='" + std::wstring(file) + L"' dest='" + std::to_wstring(left) + L",0," +
               std::to_wstring(left + 20) + L",20'";
    }
    // The colour under each of the three knob places, left to right.
    std::vector<DWORD> SlotColours()
    {
        CDibCanvas& canvas = Paint(*sw);
        std::vector<DWORD> colours;
        for (int slot = 0; slot < 3; ++slot)
            colours.push_back(canvas.Rgb(rect.left + slot * 40 + 10, rect.top + 10));
        return colours;
    }

    CButtonSwitchExUI* sw = nullptr;
    RECT rect = {};
};

TEST_F(ButtonSwitchEx, KnobSitsAt0_40Or80ForEachPosition)
{
    EXPECT_STREQ(L"CButtonSwitchExUI", sw->typeName());
    for (int position = 0; position <= 2; ++position) {
        sw->setPosition(position, false);
        std::vector<DWORD> colours = SlotColours();
        EXPECT_EQ(KnobAt(40 * position), sw->knobImageInfo().source);
        for (int slot = 0; slot < 3; ++slot)
            EXPECT_EQ(slot == position ? kKnob : kTrackOn, colours[size_t(slot)]) << position << "/" << slot;
    }
    EXPECT_EQ(0, Notices(L"selectchanged"));
}

TEST_F(ButtonSwitchEx, PressBesideTheKnobPicksTheNearestSlotAndNotifiesOnlyChanges)
{
    Click(rect.left + 95, rect.top + 10);
    EXPECT_EQ(2, sw->position());
    EXPECT_EQ(1, Notices(L"selectchanged"));
    Click(rect.left + 45, rect.top + 10);
    EXPECT_EQ(1, sw->position());
    // 28 is nearer the first knob centre (10) than the second (50).
    Click(rect.left + 28, rect.top + 10);
    EXPECT_EQ(0, sw->position());
    EXPECT_EQ(3, Notices(L"selectchanged"));
    EXPECT_EQ(0, Notices(L"click"));
    // Beside the knob but nearest its own slot: nothing changes, nothing is sent.
    Click(rect.left + 25, rect.top + 10);
    EXPECT_EQ(0, sw->position());
    EXPECT_EQ(3, Notices(L"selectchanged"));
    EXPECT_EQ(std::vector<DWORD>({kKnob, kTrackOn, kTrackOn}), SlotColours());
}

TEST_F(ButtonSwitchEx, DraggedKnobFollowsOnTheTimerAndReleasePicksThePosition)
{
    Mouse(WM_LBUTTONDOWN, rect.left + 10, rect.top + 10, MK_LBUTTON);
    EXPECT_EQ(UINT(STATE_PUSHED | STATE_CAPTURED), sw->state() & (STATE_PUSHED | STATE_CAPTURED));
    Mouse(WM_MOUSEMOVE, rect.left + 47, rect.top + 10, MK_LBUTTON);
    EXPECT_EQ(37, sw->dragOffset());
    ASSERT_TRUE(PumpUntil([&] { return sw->knobImageInfo().source == KnobAt(37); }));
    CDibCanvas& canvas = Paint(*sw);
    EXPECT_EQ(kKnob, canvas.Rgb(rect.left + 37 + 10, rect.top + 10));
    EXPECT_EQ(kTrackOn, canvas.Rgb(rect.left + 10, rect.top + 10));

    // The knob stops at the end of the track however far the pointer goes.
    Mouse(WM_MOUSEMOVE, rect.left + 400, rect.top + 10, MK_LBUTTON);
    ASSERT_TRUE(PumpUntil([&] { return sw->knobImageInfo().source == KnobAt(80); }));
    EXPECT_EQ(0, Notices(L"selectchanged"));

    Mouse(WM_MOUSEMOVE, rect.left + 47, rect.top + 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, rect.left + 47, rect.top + 10);
    EXPECT_EQ(1, sw->position());
    EXPECT_EQ(0, sw->dragOffset());
    EXPECT_EQ(0u, sw->state() & (STATE_PUSHED | STATE_CAPTURED));
    EXPECT_EQ(KnobAt(40), sw->knobImageInfo().source);
    EXPECT_EQ(1, Notices(L"selectchanged"));
    EXPECT_EQ(std::vector<DWORD>({kTrackOn, kKnob, kTrackOn}), SlotColours());
}

TEST_F(ButtonSwitchEx, ReleaseBeyondTheTrackPicksTheNearestEnd)
{
    Mouse(WM_LBUTTONDOWN, rect.left + 5, rect.top + 5, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 290, rect.top + 5, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 290, rect.top + 5);
    EXPECT_EQ(2, sw->position());
    Mouse(WM_LBUTTONDOWN, rect.left + 85, rect.top + 5, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 0, rect.top + 5, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 0, rect.top + 5);
    EXPECT_EQ(0, sw->position());
    EXPECT_EQ(2, Notices(L"selectchanged"));
}

TEST_F(ButtonSwitchEx, DisablingSwapsTrackAndKnobAndIgnoresPresses)
{
    EXPECT_EQ(L"track_on.bmp", sw->backImage().source);
    sw->assignOperable(false);
    EXPECT_EQ(L"track_off.bmp", sw->backImage().source);
    Click(rect.left + 90, rect.top + 10);
    EXPECT_EQ(0, sw->position());
    EXPECT_EQ(std::vector<DWORD>({kDisabledKnob, kTrackOff, kTrackOff}), SlotColours());
    EXPECT_EQ(KnobAt(0, L"knob_off.bmp"), sw->knobImageInfo().source);

    sw->assignOperable(true);
    EXPECT_EQ(L"track_on.bmp", sw->backImage().source);
    EXPECT_EQ(std::vector<DWORD>({kKnob, kTrackOn, kTrackOn}), SlotColours());
}

TEST_F(ButtonSwitchEx, PositionsAreClampedAndOffsetByTheMinimum)
{
    sw->setPosition(9, true);
    EXPECT_EQ(2, sw->position());
    sw->setPosition(9, true); // clamps to the same position: no second notice
    EXPECT_EQ(1, Notices(L"selectchanged"));
    sw->writeAttribute(L"min", L"5");
    sw->writeAttribute(L"max", L"7");
    sw->writeAttribute(L"value", L"6");
    EXPECT_EQ(6, sw->position());
    EXPECT_EQ(1, Notices(L"selectchanged"));
    EXPECT_EQ(std::vector<DWORD>({kTrackOn, kKnob, kTrackOn}), SlotColours());
    Click(rect.left + 95, rect.top + 10);
    EXPECT_EQ(7, sw->position());
}

class ButtonSwitchExRanges : public ButtonVariants {};

TEST_F(ButtonSwitchExRanges, WithoutRangeOrRoomTheKnobStaysAtTheStart)
{
    Build(L"<ButtonSwitchEx name=\"flat\" width=\"100\" height=\"20\" min=\"3\" max=\"3\" pointwidth=\"20\" "
          L"pointheight=\"20\" pointImage=\"knob.bmp\" value=\"3\" />"
          L"<ButtonSwitchEx name=\"tight\" width=\"10\" height=\"20\" min=\"0\" max=\"4\" pointwidth=\"20\" "
          L"pointheight=\"20\" pointImage=\"knob.bmp\" value=\"4\" />");
    auto* flat = Named<CButtonSwitchExUI>(L"flat");
    auto* tight = Named<CButtonSwitchExUI>(L"tight");
    ASSERT_NE(nullptr, flat);
    ASSERT_NE(nullptr, tight);
    Paint(*flat);
    Paint(*tight);
    EXPECT_EQ(L"file='knob.bmp' dest='0,0,20,20'", flat->knobImageInfo().source);
    EXPECT_EQ(L"file='knob.bmp' dest='0,0,20,20'", tight->knobImageInfo().source);
    const RECT flatRect = flat->itemRect();
    Click(flatRect.left + 80, flatRect.top + 10);
    EXPECT_EQ(3, flat->position());
    const RECT tightRect = tight->itemRect();
    Mouse(WM_LBUTTONDOWN, tightRect.left + 5, tightRect.top + 5, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, tightRect.left + 5, tightRect.top + 5);
    EXPECT_EQ(0, tight->position());
}

// ---- Animation option ----

const wchar_t kAnimation[] =
    L"<AnimationOption name=\"anim\" padding=\"10,30,0,0\" width=\"40\" height=\"20\" picturehover=\"hover.bmp\" "
    L"startindexhover=\"1\" endindexhover=\"3\" intervalhover=\"30\" loophover=\"true\" "
    L"pictureworking=\"work.bmp\" startindexworking=\"0\" endindexworking=\"1\" intervalworking=\"30\" "
    L"loopworking=\"true\" selectedimage=\"sel.bmp\" />"
    L"<Button name=\"other\" padding=\"20,30,0,0\" width=\"40\" height=\"20\" />";

class AnimationOption : public ButtonVariants {
protected:
    // A timer tick and the picture that was shown when it came.
    struct TTick {
        UINT timerId;
        std::wstring shownBefore;
        bool operator==(const TTick& other) const
        {
            return timerId == other.timerId && shownBefore == other.shownBefore;
        }
        friend void PrintTo(const TTick& tick, std::ostream* out)
        {
            *out << tick.timerId << ":" << std::string(tick.shownBefore.begin(), tick.shownBefore.end());
        }
    };

    void SetUp() override
    {
        ButtonVariants::SetUp();
        Build(kAnimation);
        anim = Named<CAnimationOptionUI>(L"anim");
        other = m_host->context.ControlByName(L"other");
        ASSERT_NE(nullptr, anim);
        ASSERT_NE(nullptr, other);
        rect = anim->itemRect();
        m_host->notices.notices.clear();
        // Listeners see each event before the option does, so every frame is
        // recorded however late the test gets to look.
        anim->inputListeners() += CDelegateBase(this, [this](void* argument) {
            const auto* event = static_cast<const TInputEvent*>(argument);
            if (event->kind == EInputKind::Timer)
                ticks.push_back(TTick{UINT(event->wParam), anim->foreImage().source});
            return true;
        });
    }
    DWORD PaintedCentre()
    {
        return Paint(*anim).Rgb((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void LeaveForOther()
    {
        const RECT otherRect = other->itemRect();
        HoverAt(otherRect.left + 5, otherRect.top + 5);
    }
    bool PumpTicks(size_t count)
    {
        return PumpUntil([&] { return ticks.size() >= count; });
    }

    CAnimationOptionUI* anim = nullptr;
    CControlUI* other = nullptr;
    RECT rect = {};
    std::vector<TTick> ticks;
};

TEST_F(AnimationOption, HoverPlaysFramesOnItsTimerAndLeaveStopsAndClears)
{
    HoverAt(rect.left + 5, rect.top + 5);
    EXPECT_EQ(1, NoticesFrom(anim, L"mouseenter"));
    EXPECT_EQ(UINT(CAnimationOptionUI::ANIMATION_HOVER), anim->activeAnimations());
    EXPECT_EQ(L"hover1.bmp", anim->foreImage().source);
    EXPECT_EQ(kHoverFrames[1], PaintedCentre());

    ASSERT_TRUE(PumpTicks(4));
    // Looping: after the last frame comes the first again.
    const std::vector<TTick> expected = {{902, L"hover1.bmp"}, {902, L"hover2.bmp"}, {902, L"hover3.bmp"},
                                         {902, L"hover1.bmp"}};
    EXPECT_EQ(expected, std::vector<TTick>(ticks.begin(), ticks.begin() + 4));
    const std::wstring shown = anim->foreImage().source;
    ASSERT_EQ(L"hover", shown.substr(0, 5));
    EXPECT_EQ(kHoverFrames[shown[5] - L'0'], PaintedCentre());

    LeaveForOther();
    EXPECT_EQ(1, NoticesFrom(anim, L"mouseleave"));
    EXPECT_EQ(0u, anim->activeAnimations());
    EXPECT_EQ(L"", anim->foreImage().source);
    EXPECT_EQ(0u, PaintedCentre());
    const size_t ticksAtLeave = ticks.size();
    PumpFor(150);
    EXPECT_EQ(ticksAtLeave, ticks.size());
    EXPECT_EQ(L"", anim->foreImage().source);
}

TEST_F(AnimationOption, HoverWithoutLoopStopsAfterTheLastFrame)
{
    anim->writeAttribute(L"loophover", L"false");
    HoverAt(rect.left + 5, rect.top + 5);
    ASSERT_TRUE(PumpUntil([&] { return anim->activeAnimations() == 0; }));
    const std::vector<TTick> expected = {{902, L"hover1.bmp"}, {902, L"hover2.bmp"}, {902, L"hover3.bmp"}};
    EXPECT_EQ(expected, ticks);
    EXPECT_EQ(3, anim->currentFrame(CAnimationOptionUI::ANIMATION_HOVER));
    EXPECT_EQ(L"", anim->foreImage().source);
    EXPECT_EQ(UINT(STATE_HOT), anim->state() & STATE_HOT);
    EXPECT_EQ(0u, PaintedCentre());
    PumpFor(150);
    EXPECT_EQ(3u, ticks.size());
}

TEST_F(AnimationOption, WorkingPlaysWhileUnselectedAndAClickEndsItOnTheSelectedPicture)
{
    anim->enableWorkingAnimation(true);
    anim->assignSelected(true, false);
    Click(rect.left + 5, rect.top + 5); // no group: toggles off
    EXPECT_FALSE(anim->selected());
    EXPECT_EQ(1, Notices(L"click"));
    EXPECT_EQ(1, Notices(L"selectchanged"));
    EXPECT_EQ(UINT(CAnimationOptionUI::ANIMATION_WORKING), anim->activeAnimations());
    EXPECT_EQ(L"work0.bmp", anim->foreImage().source);
    EXPECT_EQ(kWorkingFrames[0], PaintedCentre());
    ASSERT_TRUE(PumpTicks(3));
    const std::vector<TTick> expected = {{903, L"work0.bmp"}, {903, L"work1.bmp"}, {903, L"work0.bmp"}};
    EXPECT_EQ(expected, std::vector<TTick>(ticks.begin(), ticks.begin() + 3));

    Click(rect.left + 5, rect.top + 5);
    EXPECT_TRUE(anim->selected());
    EXPECT_EQ(0u, anim->activeAnimations());
    EXPECT_EQ(L"sel.bmp", anim->foreImage().source);
    EXPECT_EQ(kSelected, PaintedCentre());
    const size_t ticksAtClick = ticks.size();
    PumpFor(150);
    EXPECT_EQ(ticksAtClick, ticks.size());
    EXPECT_EQ(L"sel.bmp", anim->foreImage().source);
}

TEST_F(AnimationOption, WorkingStopsOnItsNextTickOnceDisabledAndNeedsEnabling)
{
    anim->assignSelected(false, false);
    EXPECT_EQ(0u, anim->activeAnimations());
    anim->enableWorkingAnimation(true);
    anim->assignSelected(false, false);
    EXPECT_EQ(UINT(CAnimationOptionUI::ANIMATION_WORKING), anim->activeAnimations());
    anim->enableWorkingAnimation(false);
    ASSERT_TRUE(PumpUntil([&] { return anim->activeAnimations() == 0; }));
    EXPECT_EQ(L"", anim->foreImage().source);
}

TEST_F(AnimationOption, AHoverWithoutIntervalStartsNothingAndTheOptionPaintsAsUsual)
{
    anim->writeAttribute(L"intervalhover", L"0");
    anim->writeAttribute(L"selected", L"true");
    HoverAt(rect.left + 5, rect.top + 5);
    EXPECT_EQ(1, NoticesFrom(anim, L"mouseenter"));
    EXPECT_EQ(0u, anim->activeAnimations());
    EXPECT_EQ(kSelected, PaintedCentre());
}

TEST_F(AnimationOption, AnswersItsOwnFacetAndReadsBackItsAttributes)
{
    EXPECT_EQ(anim, anim->queryFacet(L"AnimationOption"));
    EXPECT_EQ(anim, anim->queryFacet(L"Control"));
    EXPECT_EQ(nullptr, anim->queryFacet(L"Option"));
    EXPECT_EQ(L"1", anim->readAttribute(L"startindexhover"));
    EXPECT_EQ(L"3", anim->readAttribute(L"endindexhover"));
    EXPECT_EQ(L"work.bmp", anim->readAttribute(L"pictureworking"));
    EXPECT_EQ(L"30", anim->readAttribute(L"intervalworking"));
    EXPECT_EQ(L"true", anim->readAttribute(L"loophover"));
    EXPECT_EQ(L"anim", anim->readAttribute(L"name"));
}

// ---- Custom button ----

const wchar_t kCustom[] =
    L"<CustonButton name=\"custom\" padding=\"10,30,0,0\" width=\"120\" height=\"40\" text=\"MMM\" "
    L"textcolor=\"#FFFFFF00\" hottextcolor=\"#FFFFFFFF\" textpadding=\"0,20,60,0\" "
    L"TitleText=\"MMM\" Titletextcolor=\"#FFFF0000\" hotTitletextcolor=\"#FF00FF00\" textTitlepadding=\"0,0,60,20\" "
    L"ValueText=\"MMM\" Valuetextcolor=\"#FF0000FF\" textValuepadding=\"60,20,0,0\" />";

class CustomButton : public ButtonVariants {
protected:
    void SetUp() override
    {
        ButtonVariants::SetUp();
        Build(kCustom);
        button = Named<CCustomButtonUI>(L"custom");
        ASSERT_NE(nullptr, button);
        const RECT r = button->itemRect();
        titleArea = RECT{r.left, r.top, r.left + 60, r.top + 20};
        textArea = RECT{r.left, r.top + 20, r.left + 60, r.bottom};
        valueArea = RECT{r.left + 60, r.top + 20, r.right, r.bottom};
        emptyArea = RECT{r.left + 60, r.top, r.right, r.top + 20};
    }

    CCustomButtonUI* button = nullptr;
    RECT titleArea = {}, textArea = {}, valueArea = {}, emptyArea = {};
};

TEST_F(CustomButton, DrawsTextTitleAndValueEachInItsOwnPlaceAndColour)
{
    EXPECT_STREQ(L"CCustomButtonUI", button->typeName());
    EXPECT_EQ(button, button->queryFacet(L"CustonButton"));
    EXPECT_EQ(button, button->queryFacet(L"Button"));
    CDibCanvas& canvas = Paint(*button);
    EXPECT_GT(CountLeaning(canvas, titleArea, 0xFF0000), 0);
    EXPECT_EQ(0, CountLeaning(canvas, titleArea, 0x0000FF));
    EXPECT_GT(CountLeaning(canvas, valueArea, 0x0000FF), 0);
    EXPECT_EQ(0, CountLeaning(canvas, valueArea, 0xFF0000));
    EXPECT_GT(CountLeaning(canvas, textArea, 0xFFFF00), 0);
    EXPECT_EQ(0, CountLeaning(canvas, emptyArea, 0xFFFFFF) + CountLeaning(canvas, emptyArea, 0xFF0000) +
                     CountLeaning(canvas, emptyArea, 0x0000FF) + CountLeaning(canvas, emptyArea, 0xFFFF00));
}

TEST_F(CustomButton, HotColoursApplyWhileTheMouseIsOverIt)
{
    HoverAt(titleArea.left + 5, titleArea.top + 5);
    ASSERT_EQ(UINT(STATE_HOT), button->state() & STATE_HOT);
    CDibCanvas& canvas = Paint(*button);
    EXPECT_GT(CountLeaning(canvas, titleArea, 0x00FF00), 0);
    EXPECT_EQ(0, CountLeaning(canvas, titleArea, 0xFF0000));
    // Without a hot value colour the value keeps its own.
    EXPECT_GT(CountLeaning(canvas, valueArea, 0x0000FF), 0);
    EXPECT_GT(CountLeaning(canvas, textArea, 0xFFFFFF), 0);
    EXPECT_EQ(0, CountLeaning(canvas, textArea, 0xFFFF00));
}

TEST_F(CustomButton, ExtraTextsAreDrawnWithoutMainTextAndClickStillWorks)
{
    button->assignText(L"");
    CDibCanvas& canvas = Paint(*button);
    EXPECT_EQ(0, CountLeaning(canvas, textArea, 0xFFFF00));
    EXPECT_GT(CountLeaning(canvas, titleArea, 0xFF0000), 0);
    const RECT r = button->itemRect();
    Click(r.left + 5, r.top + 5);
    EXPECT_EQ(1, Notices(L"click"));
}

} // namespace
