// Exact rectangles of the tile and tab layouts, without a window.
#include "tests/ui/controls/ControlTestSupport.h"

#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/layout/TabLayoutUI.h"
#include "ui/controls/layout/TileLayoutUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using ControlTest::Fixed;
using ControlTest::Rect;

TEST(TileLayout, ItemSizeDecidesColumnsAndChildrenAreCentredInCells)
{
    CTileLayoutUI layout;
    layout.writeAttribute(L"itemsize", L"30,10");
    CControlUI* children[5];
    for (auto& child : children) {
        child = Fixed(20, 10);
        layout.addItem(child);
    }
    layout.placeAt(Rect(0, 0, 100, 100));
    EXPECT_EQ(3, layout.columns());
    EXPECT_EQ(Rect(6, 0, 26, 10), children[0]->itemRect());
    EXPECT_EQ(Rect(39, 0, 59, 10), children[1]->itemRect());
    EXPECT_EQ(Rect(72, 0, 92, 10), children[2]->itemRect());
    EXPECT_EQ(Rect(6, 10, 26, 20), children[3]->itemRect());
    EXPECT_EQ(Rect(39, 10, 59, 20), children[4]->itemRect());
}

TEST(TileLayout, GapSplitsBetweenNeighbouringCellsAndRowsTakeTheTallestChild)
{
    CTileLayoutUI layout;
    layout.writeAttribute(L"columns", L"2");
    layout.writeAttribute(L"childpadding", L"4");
    auto* a = Fixed(0, 20);
    auto* b = Fixed(0, 30);
    auto* c = Fixed(0, 10);
    layout.addItem(a);
    layout.addItem(b);
    layout.addItem(c);
    layout.placeAt(Rect(0, 0, 100, 200));
    EXPECT_EQ(2, layout.columns());
    // Row height 30: a is centred vertically in it.
    EXPECT_EQ(Rect(0, 5, 48, 25), a->itemRect());
    EXPECT_EQ(Rect(52, 0, 100, 30), b->itemRect());
    EXPECT_EQ(Rect(0, 34, 48, 44), c->itemRect());
}

TEST(TileLayout, ColumnsIgnoreNonPositiveValuesAndNarrowLayoutsKeepOneColumn)
{
    CTileLayoutUI layout;
    layout.writeAttribute(L"columns", L"0");
    layout.writeAttribute(L"columns", L"-3");
    EXPECT_EQ(1, layout.columns());
    layout.writeAttribute(L"itemsize", L"500,10");
    auto* a = Fixed(10, 10);
    layout.addItem(a);
    layout.placeAt(Rect(0, 0, 100, 100));
    EXPECT_EQ(1, layout.columns());
    EXPECT_EQ(Rect(45, 0, 55, 10), a->itemRect());
}

TEST(TileLayout, OverflowShowsTheVerticalBar)
{
    CTileLayoutUI layout;
    layout.writeAttribute(L"vscrollbar", L"true");
    for (int i = 0; i < 4; ++i)
        layout.addItem(Fixed(10, 40));
    layout.placeAt(Rect(0, 0, 100, 100));
    EXPECT_TRUE(layout.verticalBar()->isShown());
    EXPECT_EQ(60, layout.verticalBar()->range());
}

TEST(TabLayout, FirstShownChildIsSelectedAndOthersHidden)
{
    CTabLayoutUI tabs;
    tabs.writeAttribute(L"inset", L"1,2,3,4");
    auto* first = Fixed(0, 0);
    auto* second = Fixed(0, 0);
    auto* third = Fixed(0, 30);
    third->assignOuterMargin(Rect(5, 5, 5, 5));
    tabs.addItem(first);
    tabs.addItem(second);
    tabs.addItem(third);
    EXPECT_EQ(0, tabs.selectedIndex());
    EXPECT_TRUE(first->isShown());
    EXPECT_FALSE(second->isShown());
    EXPECT_FALSE(third->isShown());
    tabs.placeAt(Rect(0, 0, 100, 100));
    EXPECT_EQ(Rect(1, 2, 97, 96), first->itemRect());
    EXPECT_EQ(Rect(0, 0, 0, 0), second->itemRect());

    EXPECT_TRUE(tabs.selectTab(2));
    tabs.placeAt(Rect(0, 0, 100, 100));
    EXPECT_FALSE(first->isShown());
    EXPECT_TRUE(third->isShown());
    EXPECT_EQ(Rect(6, 7, 92, 37), third->itemRect());
    // Hidden tabs keep their old rectangles.
    EXPECT_EQ(Rect(1, 2, 97, 96), first->itemRect());
}

TEST(TabLayout, OutOfRangeSelectionKeepsTheCurrentTab)
{
    CTabLayoutUI tabs;
    tabs.addItem(Fixed(0, 0));
    tabs.addItem(Fixed(0, 0));
    tabs.writeAttribute(L"selectedid", L"1");
    EXPECT_EQ(1, tabs.selectedIndex());
    tabs.writeAttribute(L"selectedid", L"7");
    EXPECT_EQ(1, tabs.selectedIndex());
    EXPECT_FALSE(tabs.selectTab(-1));
    EXPECT_TRUE(tabs.selectTab(1));
    EXPECT_EQ(1, tabs.selectedIndex());
    tabs.writeAttribute(L"updatefocus", L"no");
    EXPECT_TRUE(tabs.focusOnSelect());
    tabs.writeAttribute(L"updatefocus", L"false");
    EXPECT_FALSE(tabs.focusOnSelect());
}

TEST(TabLayout, InsertingAndRemovingKeepTheSelectionOnTheSameChild)
{
    CTabLayoutUI tabs;
    auto* a = Fixed(0, 0);
    auto* b = Fixed(0, 0);
    tabs.addItem(a);
    tabs.addItem(b);
    tabs.selectTab(1);
    auto* front = Fixed(0, 0);
    EXPECT_TRUE(tabs.insertItem(front, 0));
    EXPECT_EQ(2, tabs.selectedIndex());
    EXPECT_FALSE(front->isShown());
    EXPECT_TRUE(tabs.removeItem(front));
    EXPECT_EQ(1, tabs.selectedIndex());
    EXPECT_TRUE(tabs.removeItem(b));
    EXPECT_EQ(0, tabs.selectedIndex());
    EXPECT_TRUE(a->isShown());
    tabs.removeAllItems();
    EXPECT_EQ(-1, tabs.selectedIndex());
    EXPECT_FALSE(tabs.selectTab(0));
}
