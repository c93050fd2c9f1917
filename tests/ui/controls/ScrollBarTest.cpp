// Scroll bar geometry, and pressing, dragging and holding its parts.
#include "ControlTestSupport.h"

#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using ControlTest::Fixed;
using ControlTest::Rect;

namespace {

TInputEvent MouseEvent(EInputKind kind, int x, int y)
{
    TInputEvent event;
    event.kind = kind;
    event.mouse = POINT{x, y};
    return event;
}

TInputEvent RepeatTick()
{
    TInputEvent event;
    event.kind = EInputKind::Timer;
    event.wParam = CScrollBarUI::kRepeatTimerId;
    return event;
}

} // namespace

TEST(ScrollBarGeometry, ThumbLengthAndPositionFollowRange)
{
    CScrollBarUI bar;
    EXPECT_EQ(16, bar.presetWidth());
    bar.placeAt(Rect(0, 0, 16, 200));
    EXPECT_EQ(Rect(0, 0, 16, 16), bar.firstButtonRect());
    EXPECT_EQ(Rect(0, 184, 16, 200), bar.secondButtonRect());
    EXPECT_EQ(Rect(0, 16, 16, 128), bar.thumbRect()); // 200 * 168 / 300 = 112
    bar.assignPosition(100);
    EXPECT_EQ(Rect(0, 72, 16, 184), bar.thumbRect());
    bar.assignPosition(500);
    EXPECT_EQ(100, bar.position());
    bar.assignPosition(-4);
    EXPECT_EQ(0, bar.position());
}

TEST(ScrollBarGeometry, RangeZeroFillsTheTrackAndNegativeRangeClamps)
{
    CScrollBarUI bar;
    bar.placeAt(Rect(0, 0, 16, 200));
    bar.assignPosition(50);
    bar.assignRange(-10);
    EXPECT_EQ(0, bar.range());
    EXPECT_EQ(0, bar.position());
    EXPECT_EQ(Rect(0, 16, 16, 184), bar.thumbRect());
}

TEST(ScrollBarGeometry, MinimumThumbLength)
{
    CScrollBarUI bar;
    bar.writeAttribute(L"minthumbheight", L"150");
    bar.writeAttribute(L"value", L"100");
    bar.placeAt(Rect(0, 0, 16, 200));
    EXPECT_EQ(Rect(0, 34, 16, 184), bar.thumbRect());
}

TEST(ScrollBarGeometry, HiddenFirstButtonLeavesAnEmptyRectangleAtTheTop)
{
    CScrollBarUI bar;
    bar.writeAttribute(L"showbutton1", L"false");
    bar.placeAt(Rect(0, 0, 16, 200));
    EXPECT_EQ(Rect(0, 0, 16, 0), bar.firstButtonRect());
    EXPECT_EQ(Rect(0, 0, 16, 122), bar.thumbRect()); // 200 * 184 / 300
}

TEST(ScrollBarGeometry, TooShortForAThumbTheButtonsShareTheLength)
{
    CScrollBarUI bar;
    bar.placeAt(Rect(0, 0, 16, 30));
    EXPECT_EQ(Rect(0, 0, 15, 15), bar.firstButtonRect());
    EXPECT_EQ(Rect(0, 15, 15, 30), bar.secondButtonRect());
    EXPECT_EQ(Rect(0, 0, 0, 0), bar.thumbRect());
}

TEST(ScrollBarGeometry, HorizontalBarSwapsAxes)
{
    CScrollBarUI bar;
    bar.assignHorizontal(true);
    EXPECT_EQ(0, bar.presetWidth());
    EXPECT_EQ(16, bar.presetHeight());
    bar.writeAttribute(L"minthumbheight", L"150"); // vertical bars only
    bar.placeAt(Rect(0, 0, 200, 16));
    EXPECT_EQ(Rect(0, 0, 16, 16), bar.firstButtonRect());
    EXPECT_EQ(Rect(184, 0, 200, 16), bar.secondButtonRect());
    EXPECT_EQ(Rect(16, 0, 128, 16), bar.thumbRect());
    bar.assignHorizontal(false);
    EXPECT_EQ(16, bar.presetWidth());
    EXPECT_EQ(0, bar.presetHeight());
}

TEST(ScrollBarInput, ButtonsStepAndTrackPagesWithoutOwner)
{
    CScrollBarUI bar;
    bar.assignRange(1000);
    bar.placeAt(Rect(0, 0, 16, 200));
    TInputEvent down = MouseEvent(EInputKind::ButtonDown, 8, 190);
    bar.handleInput(down);
    EXPECT_EQ(8, bar.position());
    EXPECT_TRUE(bar.secondButtonState() & STATE_PUSHED);
    TInputEvent up = MouseEvent(EInputKind::ButtonUp, 8, 190);
    bar.handleInput(up);
    EXPECT_FALSE(bar.secondButtonState() & STATE_PUSHED);

    TInputEvent track = MouseEvent(EInputKind::ButtonDown, 8, 170);
    bar.handleInput(track);
    EXPECT_EQ(208, bar.position());
    bar.handleInput(up);
    TInputEvent first = MouseEvent(EInputKind::DoubleClick, 8, 5);
    bar.handleInput(first);
    EXPECT_EQ(200, bar.position());
    bar.handleInput(up);
}

TEST(ScrollBarInput, HeldButtonRepeatsFromTheSixthTick)
{
    CScrollBarUI bar;
    bar.assignRange(1000);
    bar.placeAt(Rect(0, 0, 16, 200));
    TInputEvent down = MouseEvent(EInputKind::ButtonDown, 8, 190);
    bar.handleInput(down);
    EXPECT_EQ(8, bar.position());
    for (int i = 0; i < 5; ++i) {
        TInputEvent tick = RepeatTick();
        bar.handleInput(tick);
    }
    EXPECT_EQ(8, bar.position());
    TInputEvent tick = RepeatTick();
    bar.handleInput(tick);
    EXPECT_EQ(16, bar.position());
    TInputEvent up = MouseEvent(EInputKind::ButtonUp, 8, 190);
    bar.handleInput(up);
    EXPECT_EQ(0, bar.repeatCount());
    bar.handleInput(tick);
    EXPECT_EQ(16, bar.position());
}

TEST(ScrollBarInput, DraggingTheThumbMovesByRangeOverFreeTrack)
{
    CScrollBarUI bar;
    bar.placeAt(Rect(0, 0, 16, 200)); // thumb 16..128, free track 56
    TInputEvent down = MouseEvent(EInputKind::ButtonDown, 8, 20);
    bar.handleInput(down);
    EXPECT_TRUE(bar.thumbState() & STATE_CAPTURED);
    TInputEvent move = MouseEvent(EInputKind::MouseMove, 8, 48);
    bar.handleInput(move);
    EXPECT_EQ(50, bar.dragDelta()); // 28 * 100 / 56
    EXPECT_EQ(0, bar.position());   // the timer applies it
    TInputEvent tick = RepeatTick();
    bar.handleInput(tick);
    EXPECT_EQ(50, bar.position());
    TInputEvent up = MouseEvent(EInputKind::ButtonUp, 8, 48);
    bar.handleInput(up);
    EXPECT_FALSE(bar.thumbState() & STATE_CAPTURED);
    EXPECT_EQ(0, bar.dragDelta());
}

TEST(ScrollBarInput, HotStatesFollowEnterLeaveAndMoves)
{
    CScrollBarUI bar;
    bar.placeAt(Rect(0, 0, 16, 200));
    TInputEvent enter = MouseEvent(EInputKind::MouseEnter, 8, 50);
    bar.handleInput(enter);
    EXPECT_TRUE(bar.firstButtonState() & STATE_HOT);
    EXPECT_TRUE(bar.thumbState() & STATE_HOT);
    TInputEvent move = MouseEvent(EInputKind::MouseMove, 8, 150);
    bar.handleInput(move);
    EXPECT_FALSE(bar.thumbState() & STATE_HOT);
    TInputEvent leave = MouseEvent(EInputKind::MouseLeave, 8, 150);
    bar.handleInput(leave);
    EXPECT_FALSE(bar.firstButtonState() & STATE_HOT);
    EXPECT_FALSE(bar.secondButtonState() & STATE_HOT);
}

TEST(ScrollBarInput, DisabledBarIgnoresPresses)
{
    CScrollBarUI bar;
    bar.placeAt(Rect(0, 0, 16, 200));
    bar.assignOperable(false);
    TInputEvent down = MouseEvent(EInputKind::ButtonDown, 8, 190);
    bar.handleInput(down);
    EXPECT_EQ(0, bar.position());
}

TEST(ScrollBarInput, BarOfAContainerScrollsItsOwner)
{
    CVerticalLayoutUI layout;
    layout.enableScrollBars(true, false);
    auto* tall = Fixed(0, 400);
    layout.addItem(tall);
    layout.placeAt(Rect(0, 0, 100, 100));
    CScrollBarUI* bar = layout.verticalBar();
    ASSERT_TRUE(bar->isShown());
    EXPECT_EQ(Rect(84, 0, 100, 100), bar->itemRect());
    TInputEvent down = MouseEvent(EInputKind::ButtonDown, 90, 95);
    bar->handleInput(down);
    EXPECT_EQ(8, layout.scrollOffset().cy);
    EXPECT_EQ(-8, tall->itemTop());
    TInputEvent up = MouseEvent(EInputKind::ButtonUp, 90, 95);
    bar->handleInput(up);

    // The wheel over the bar reaches the owner.
    TInputEvent wheel = MouseEvent(EInputKind::ScrollWheel, 90, 50);
    wheel.wParam = 1;
    bar->handleInput(wheel);
    EXPECT_EQ(16, layout.scrollOffset().cy);
}
