// Placement, floating anchors, shifting, visibility and tree search of the
// control base, all without a window.
#include "ControlTestSupport.h"

#include "ui/controls/ContainerUI.h"

#include <gtest/gtest.h>

#include <vector>

using namespace SkinUI;
using ControlTest::Rect;

TEST(ControlPlacement, RightBeforeLeftGivesZeroWidthAtLeft)
{
    CControlUI control;
    control.placeAt(Rect(50, 10, 20, 5));
    EXPECT_EQ(Rect(50, 10, 50, 10), control.itemRect());
    EXPECT_EQ(0, control.itemWidth());
    EXPECT_EQ(0, control.itemHeight());
}

TEST(ControlPlacement, FloatingChildStoresOriginRelativeToItsAnchor)
{
    CContainerUI parent;
    parent.placeAt(Rect(100, 50, 300, 150)); // 200 x 100
    auto* child = new CControlUI();
    parent.addItem(child);
    child->assignFloating(true);
    child->assignAnchorFractions(TAnchorFractions{0.5, 0.0, 0.5, 0.0});
    child->placeAt(Rect(120, 10, 150, 30));
    EXPECT_EQ(20, child->floatOrigin().cx);
    EXPECT_EQ(10, child->floatOrigin().cy);
    EXPECT_EQ(30, child->presetWidth()); // 150 - 20 - 100
    EXPECT_EQ(20, child->presetHeight());
    EXPECT_EQ(Rect(220, 60, 250, 80), child->itemRect());
    EXPECT_EQ(Rect(120, 10, 150, 30), child->rectInParent());
}

TEST(ControlPlacement, FloatingWithoutParentKeepsItsRectangle)
{
    CControlUI control;
    control.placeAt(Rect(1, 1, 5, 5));
    control.assignFloating(true);
    control.placeAt(Rect(10, 10, 20, 20));
    EXPECT_EQ(Rect(1, 1, 5, 5), control.itemRect());
}

TEST(ControlPlacement, ShiftByMovesTheRectangle)
{
    CControlUI control;
    control.placeAt(Rect(10, 10, 20, 30));
    control.shiftBy(5, -3);
    EXPECT_EQ(Rect(15, 7, 25, 27), control.itemRect());
    EXPECT_EQ(15, control.itemLeft());
    EXPECT_EQ(7, control.itemTop());
}

TEST(ControlPlacement, ContainerShiftMovesShownChildrenToo)
{
    CContainerUI parent;
    auto* shown = ControlTest::Fixed(0, 0);
    auto* hidden = ControlTest::Fixed(0, 0);
    parent.addItem(shown);
    parent.addItem(hidden);
    parent.placeAt(Rect(0, 0, 100, 100));
    hidden->assignShown(false);
    parent.shiftBy(10, 20);
    EXPECT_EQ(Rect(10, 20, 110, 120), parent.itemRect());
    EXPECT_EQ(Rect(10, 20, 110, 120), shown->itemRect());
    EXPECT_EQ(Rect(0, 0, 100, 100), hidden->itemRect());
}

TEST(ControlPlacement, FloatingChildOfAContainerIsPlacedFromOriginAndAnchors)
{
    CContainerUI parent;
    auto* child = new CControlUI();
    child->writeAttribute(L"float", L"1,0,1,0");
    child->writeAttribute(L"pos", L"-30,5,-10,25");
    parent.addItem(child);
    parent.placeAt(Rect(100, 100, 300, 200));
    // Right-anchored: 200 - 30 .. 200 - 10 inside the parent.
    EXPECT_EQ(Rect(270, 105, 290, 125), child->itemRect());
}

TEST(ControlVisibility, HidingChangesIsShownAndClearsFocusFlag)
{
    CControlUI control;
    TInputEvent focus;
    focus.kind = EInputKind::SetFocus;
    control.handleInput(focus);
    EXPECT_TRUE(control.hasFocus());
    control.assignShown(false);
    EXPECT_FALSE(control.isShown());
    EXPECT_FALSE(control.hasFocus());
    control.assignShown(true);
    control.assignOuterShown(false);
    EXPECT_FALSE(control.isShown());
    EXPECT_EQ(L"true", control.readAttribute(L"visible"));
}

TEST(ControlVisibility, ContainerPassesItsVisibilityDown)
{
    CContainerUI outer;
    auto* inner = new CContainerUI();
    auto* leaf = new CControlUI();
    outer.addItem(inner);
    inner->addItem(leaf);
    outer.assignShown(false);
    EXPECT_FALSE(inner->isShown());
    EXPECT_FALSE(leaf->isShown());
    outer.assignShown(true);
    EXPECT_TRUE(inner->isShown());
    EXPECT_TRUE(leaf->isShown());
    inner->assignShownKeepFocus(false);
    EXPECT_FALSE(leaf->isShown());
}

TEST(ControlVisibility, ChildAddedToHiddenContainerIsNotShownNorHit)
{
    CContainerUI parent;
    parent.placeAt(Rect(0, 0, 100, 100));
    parent.assignShown(false);
    auto* child = new CControlUI();
    parent.addItem(child);
    EXPECT_FALSE(child->isShown());
    child->placeAt(Rect(0, 0, 100, 100));
    POINT point{50, 50};
    auto visitor = [](CControlUI* control, void*) -> CControlUI* { return control; };
    EXPECT_EQ(nullptr, child->searchTree(visitor, &point, FIND_SHOWN | FIND_HITTEST | FIND_TOPFIRST));
    parent.assignShown(true);
    EXPECT_TRUE(child->isShown());
    EXPECT_EQ(child, parent.searchTree(visitor, &point, FIND_SHOWN | FIND_HITTEST | FIND_TOPFIRST));
}

namespace {

CControlUI* Anything(CControlUI* control, void*) { return control; }

std::vector<CControlUI*> g_visited;
CControlUI* Record(CControlUI* control, void*)
{
    g_visited.push_back(control);
    return nullptr;
}

} // namespace

TEST(ControlSearch, FlagsFilterTheControlItself)
{
    CControlUI control;
    control.placeAt(Rect(0, 0, 10, 10));
    POINT inside{5, 5};
    POINT outside{15, 5};
    EXPECT_EQ(&control, control.searchTree(Anything, &inside, FIND_HITTEST));
    EXPECT_EQ(nullptr, control.searchTree(Anything, &outside, FIND_HITTEST));
    control.assignTakesMouse(false);
    EXPECT_EQ(nullptr, control.searchTree(Anything, &inside, FIND_HITTEST));
    control.assignOperable(false);
    EXPECT_EQ(nullptr, control.searchTree(Anything, nullptr, FIND_OPERABLE));
    control.assignShown(false);
    EXPECT_EQ(nullptr, control.searchTree(Anything, nullptr, FIND_SHOWN));
    EXPECT_EQ(&control, control.searchTree(Anything, nullptr, 0));
    EXPECT_EQ(nullptr, control.searchTree(Anything, nullptr, FIND_UPDATETEST));
    EXPECT_EQ(nullptr, control.searchTree(nullptr, nullptr, 0));
}

TEST(ControlSearch, HitTestHonoursInsetAndTopmostOrder)
{
    CContainerUI parent;
    parent.writeAttribute(L"inset", L"10,10,10,10");
    auto* below = new CControlUI();
    auto* above = new CControlUI();
    parent.addItem(below);
    parent.addItem(above);
    parent.placeAt(Rect(0, 0, 100, 100));
    EXPECT_EQ(Rect(10, 10, 90, 90), above->itemRect());

    POINT middle{50, 50};
    EXPECT_EQ(above, parent.searchTree(Anything, &middle, FIND_HITTEST | FIND_TOPFIRST));
    EXPECT_EQ(below, parent.searchTree(Anything, &middle, FIND_HITTEST));

    // In the inset the container itself is hit.
    POINT inInset{5, 50};
    EXPECT_EQ(&parent, parent.searchTree(Anything, &inInset, FIND_HITTEST | FIND_TOPFIRST));

    // A child sticking out into the inset is not hit there unless it floats.
    below->placeAt(Rect(0, 0, 100, 100));
    above->assignShown(false);
    POINT edge{3, 3};
    EXPECT_EQ(&parent, parent.searchTree(Anything, &edge, FIND_HITTEST | FIND_SHOWN | FIND_TOPFIRST));
}

TEST(ControlSearch, MouseChildFalseKeepsHitsOnTheContainer)
{
    CContainerUI parent;
    parent.addItem(new CControlUI());
    parent.placeAt(Rect(0, 0, 100, 100));
    parent.writeAttribute(L"mousechild", L"false");
    POINT point{50, 50};
    EXPECT_EQ(&parent, parent.searchTree(Anything, &point, FIND_HITTEST));
    parent.assignTakesMouse(false);
    EXPECT_EQ(nullptr, parent.searchTree(Anything, &point, FIND_HITTEST));
}

TEST(ControlSearch, ContainerFirstOrderVisitsParentsBeforeChildren)
{
    CContainerUI root;
    auto* a = new CContainerUI();
    auto* a1 = new CControlUI();
    auto* b = new CControlUI();
    root.addItem(a);
    a->addItem(a1);
    root.addItem(b);
    g_visited.clear();
    root.searchTree(Record, nullptr, FIND_CONTAINER_FIRST);
    ASSERT_EQ(4u, g_visited.size());
    EXPECT_EQ(&root, g_visited[0]);
    EXPECT_EQ(a, g_visited[1]);
    EXPECT_EQ(a1, g_visited[2]);
    EXPECT_EQ(b, g_visited[3]);

    g_visited.clear();
    root.searchTree(Record, nullptr, 0);
    ASSERT_EQ(4u, g_visited.size());
    EXPECT_EQ(a1, g_visited[0]);
    EXPECT_EQ(a, g_visited[1]);
    EXPECT_EQ(b, g_visited[2]);
    EXPECT_EQ(&root, g_visited[3]);
}
