// Exact rectangles of the vertical and horizontal layouts, without a window.
#include "tests/ui/controls/ControlTestSupport.h"

#include "ui/controls/layout/HorizontalLayoutUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using ControlTest::Fixed;
using ControlTest::Rect;

TEST(VerticalLayout, FixedChildMarginCountsInRemainingAndFixedTotal)
{
    CVerticalLayoutUI layout;
    auto* fixed = Fixed(0, 20);
    fixed->assignOuterMargin(Rect(0, 10, 0, 0));
    auto* stretch = Fixed(0, 0);
    layout.addItem(fixed);
    layout.addItem(stretch);
    layout.placeAt(Rect(0, 0, 50, 100));
    EXPECT_EQ(Rect(0, 10, 50, 30), fixed->itemRect());
    EXPECT_EQ(Rect(0, 30, 50, 90), stretch->itemRect());
    EXPECT_EQ(60, stretch->itemHeight());
}

TEST(VerticalLayout, LastStretchingChildTakesTheRemainder)
{
    CVerticalLayoutUI layout;
    auto* a = Fixed(0, 0);
    auto* b = Fixed(0, 0);
    auto* c = Fixed(0, 0);
    layout.addItem(a);
    layout.addItem(b);
    layout.addItem(c);
    layout.placeAt(Rect(0, 0, 10, 100));
    EXPECT_EQ(Rect(0, 0, 10, 33), a->itemRect());
    EXPECT_EQ(Rect(0, 33, 10, 66), b->itemRect());
    EXPECT_EQ(Rect(0, 66, 10, 100), c->itemRect());
}

TEST(VerticalLayout, MinimumHeightPushesFollowingChildrenDown)
{
    CVerticalLayoutUI layout;
    auto* big = Fixed(0, 0);
    big->assignLowerHeight(80);
    auto* next = Fixed(0, 0);
    auto* last = Fixed(0, 30);
    layout.addItem(big);
    layout.addItem(next);
    layout.addItem(last);
    layout.placeAt(Rect(0, 0, 10, 100));
    // share = (100 - 30) / 2 = 35; the first keeps its minimum of 80.
    EXPECT_EQ(Rect(0, 0, 10, 80), big->itemRect());
    EXPECT_EQ(Rect(0, 80, 10, 80), next->itemRect()); // 100 - 80 - 30 = -10 -> 0
    EXPECT_EQ(Rect(0, 80, 10, 110), last->itemRect()); // overflows the layout
}

TEST(VerticalLayout, InsetGapWidthsAndBottomMarginInsideTheRectangle)
{
    CVerticalLayoutUI layout;
    layout.writeAttribute(L"inset", L"5,5,5,5");
    layout.writeAttribute(L"childpadding", L"4");
    auto* narrow = Fixed(30, 10);
    auto* wide = Fixed(0, 10);
    wide->assignOuterMargin(Rect(2, 1, 3, 6));
    layout.addItem(narrow);
    layout.addItem(wide);
    layout.placeAt(Rect(0, 0, 100, 100));
    EXPECT_EQ(Rect(5, 5, 35, 15), narrow->itemRect());
    // y = 5 + 10 + 4; width = 90 - 2 - 3; the bottom margin is part of the rectangle.
    EXPECT_EQ(Rect(7, 20, 92, 36), wide->itemRect());
}

TEST(VerticalLayout, HiddenAndFloatingChildrenTakeNoSpace)
{
    CVerticalLayoutUI layout;
    auto* hidden = Fixed(0, 40);
    auto* floating = Fixed(10, 10);
    floating->assignFloating(true);
    floating->assignFloatOrigin(SIZE{3, 4});
    auto* stretch = Fixed(0, 0);
    layout.addItem(hidden);
    layout.addItem(floating);
    layout.addItem(stretch);
    hidden->assignShown(false);
    layout.placeAt(Rect(100, 100, 150, 200));
    EXPECT_EQ(Rect(100, 100, 150, 200), stretch->itemRect());
    EXPECT_EQ(Rect(103, 104, 113, 114), floating->itemRect());
}

TEST(VerticalLayout, OverflowShowsTheVerticalBarAndFittingHidesIt)
{
    CVerticalLayoutUI layout;
    layout.writeAttribute(L"vscrollbar", L"true");
    CScrollBarUI* bar = layout.verticalBar();
    ASSERT_NE(nullptr, bar);
    auto* a = Fixed(0, 60);
    auto* b = Fixed(0, 60);
    layout.addItem(a);
    layout.addItem(b);
    layout.placeAt(Rect(0, 0, 100, 100));
    EXPECT_TRUE(bar->isShown());
    EXPECT_EQ(20, bar->range());
    EXPECT_EQ(0, bar->position());
    EXPECT_EQ(Rect(84, 0, 100, 100), bar->itemRect());
    EXPECT_EQ(Rect(0, 0, 84, 60), a->itemRect());
    EXPECT_EQ(20, layout.scrollExtent().cy);

    layout.scrollTo(0, 15);
    EXPECT_EQ(15, bar->position());
    EXPECT_EQ(Rect(0, -15, 84, 45), a->itemRect());

    layout.removeItem(b);
    layout.placeAt(Rect(0, 0, 100, 100));
    EXPECT_FALSE(bar->isShown());
    EXPECT_EQ(0, bar->position());
    EXPECT_EQ(0, bar->range());
    EXPECT_EQ(Rect(0, 0, 100, 60), a->itemRect());
    EXPECT_EQ(0, layout.scrollExtent().cy);
}

TEST(VerticalLayout, ScrollToStopsAtTheRangeAndRepeatsNothing)
{
    CVerticalLayoutUI layout;
    layout.enableScrollBars(true, false);
    auto* a = Fixed(0, 150);
    layout.addItem(a);
    layout.placeAt(Rect(0, 0, 100, 100));
    ASSERT_EQ(50, layout.scrollExtent().cy);
    layout.scrollTo(0, 500);
    EXPECT_EQ(50, layout.scrollOffset().cy);
    EXPECT_EQ(-50, a->itemTop());
    layout.scrollTo(0, 500);
    EXPECT_EQ(-50, a->itemTop());
    layout.scrollTo(0, -20);
    EXPECT_EQ(0, layout.scrollOffset().cy);
    EXPECT_EQ(0, a->itemTop());
}

TEST(VerticalLayout, StepsAndPagesWithoutAWindow)
{
    CVerticalLayoutUI layout;
    layout.enableScrollBars(true, false);
    layout.addItem(Fixed(0, 400));
    layout.placeAt(Rect(0, 0, 100, 100));
    layout.stepDown();
    EXPECT_EQ(8, layout.scrollOffset().cy);
    layout.leapDown();
    EXPECT_EQ(108, layout.scrollOffset().cy);
    layout.scrollToBottom();
    EXPECT_EQ(300, layout.scrollOffset().cy);
    layout.leapUp();
    EXPECT_EQ(200, layout.scrollOffset().cy);
    layout.stepUp();
    EXPECT_EQ(192, layout.scrollOffset().cy);
    layout.scrollToTop();
    EXPECT_EQ(0, layout.scrollOffset().cy);
}

TEST(VerticalLayout, KeysAndWheelScrollThroughInput)
{
    CVerticalLayoutUI layout;
    layout.enableScrollBars(true, false);
    layout.addItem(Fixed(0, 400));
    layout.placeAt(Rect(0, 0, 100, 100));
    TInputEvent event;
    event.kind = EInputKind::ScrollWheel;
    event.wParam = 1;
    layout.handleInput(event);
    EXPECT_EQ(8, layout.scrollOffset().cy);
    event.kind = EInputKind::KeyDown;
    event.key = VK_END;
    layout.handleInput(event);
    EXPECT_EQ(300, layout.scrollOffset().cy);
    event.key = VK_PRIOR;
    layout.handleInput(event);
    EXPECT_EQ(200, layout.scrollOffset().cy);
    event.key = VK_HOME;
    layout.handleInput(event);
    EXPECT_EQ(0, layout.scrollOffset().cy);
    event.kind = EInputKind::PanGesture;
    event.wParam = 0;
    event.lParam = 50; // 300 * 50 / 100
    layout.handleInput(event);
    EXPECT_EQ(150, layout.scrollOffset().cy);
}

TEST(VerticalLayout, EmptyLayoutFitsBarsAroundTheInnerRectangle)
{
    CVerticalLayoutUI layout;
    layout.enableScrollBars(true, true);
    layout.placeAt(Rect(0, 0, 100, 100));
    // Nothing overflows: the vertical bar hides and the horizontal one takes the full width.
    EXPECT_FALSE(layout.verticalBar()->isShown());
    EXPECT_EQ(Rect(0, 84, 100, 100), layout.horizontalBar()->itemRect());
}

TEST(HorizontalLayout, FixedAndStretchingChildrenWithGap)
{
    CHorizontalLayoutUI layout;
    layout.writeAttribute(L"childpadding", L"10");
    auto* fixed = Fixed(20, 0);
    auto* stretch = Fixed(0, 0);
    layout.addItem(fixed);
    layout.addItem(stretch);
    layout.placeAt(Rect(0, 0, 100, 40));
    EXPECT_EQ(Rect(0, 0, 20, 40), fixed->itemRect());
    EXPECT_EQ(Rect(30, 0, 100, 40), stretch->itemRect());
}

TEST(HorizontalLayout, LastStretchingChildTakesTheRemainder)
{
    CHorizontalLayoutUI layout;
    auto* a = Fixed(0, 0);
    auto* b = Fixed(0, 0);
    auto* c = Fixed(0, 10);
    c->assignOuterMargin(Rect(1, 2, 3, 4));
    layout.addItem(a);
    layout.addItem(b);
    layout.addItem(c);
    layout.placeAt(Rect(0, 0, 104, 50));
    // share = (104 - 4) / 3 = 33; the last one's margins are counted in both
    // the remaining width and the fixed total, so it gets 37 - 3 - 4 = 30.
    EXPECT_EQ(Rect(0, 0, 33, 50), a->itemRect());
    EXPECT_EQ(Rect(33, 0, 66, 50), b->itemRect());
    EXPECT_EQ(Rect(67, 2, 97, 12), c->itemRect());
}

TEST(HorizontalLayout, WidthLimitsClampChildren)
{
    CHorizontalLayoutUI layout;
    auto* capped = Fixed(0, 0);
    capped->assignUpperWidth(30);
    auto* rest = Fixed(0, 0);
    layout.addItem(capped);
    layout.addItem(rest);
    layout.placeAt(Rect(0, 0, 100, 10));
    EXPECT_EQ(Rect(0, 0, 30, 10), capped->itemRect());
    EXPECT_EQ(Rect(30, 0, 100, 10), rest->itemRect());
}

TEST(HorizontalLayout, EmptyLayoutPlacesItsBarAlongTheBottomOfTheInnerRectangle)
{
    CHorizontalLayoutUI layout;
    layout.writeAttribute(L"inset", L"2,3,4,5");
    layout.writeAttribute(L"hscrollbar", L"true");
    layout.placeAt(Rect(0, 0, 100, 50));
    ASSERT_NE(nullptr, layout.horizontalBar());
    EXPECT_EQ(Rect(2, 45, 96, 61), layout.horizontalBar()->itemRect());
}

TEST(HorizontalLayout, ScrollOffsetShiftsChildrenLeft)
{
    CHorizontalLayoutUI layout;
    layout.enableScrollBars(false, true);
    CScrollBarUI* bar = layout.horizontalBar();
    bar->assignRange(50);
    auto* a = Fixed(150, 0);
    layout.addItem(a);
    layout.placeAt(Rect(0, 0, 100, 50));
    EXPECT_EQ(Rect(0, 0, 150, 34), a->itemRect());
    layout.scrollTo(30, 0);
    EXPECT_EQ(Rect(-30, 0, 120, 34), a->itemRect());
    layout.scrollToRightEnd();
    EXPECT_EQ(50, layout.scrollOffset().cx);
    layout.scrollToLeftEnd();
    EXPECT_EQ(Rect(0, 0, 150, 34), a->itemRect());
}
