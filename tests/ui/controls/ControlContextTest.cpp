// Controls bound to a real window context: notifications, focus, size
// listeners, deferred destruction and the separator drag of linear layouts.
#include "ControlTestSupport.h"

#include "ui/controls/layout/TabLayoutUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"
#include "ui/core/host/WindowContextUI.h"
#include "ui/core/host/WindowInterfaces.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace SkinUI;
using ControlTest::CHostWindow;
using ControlTest::Fixed;
using ControlTest::Rect;

namespace {

TInputEvent Event(EInputKind kind, int x = 0, int y = 0)
{
    TInputEvent event;
    event.kind = kind;
    event.mouse = POINT{x, y};
    return event;
}

} // namespace

TEST(ControlWithContext, MouseEnterLeaveTimerAndMenuNotify)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* child = new CControlUI();
    root->addItem(child);
    host.context.AdoptRoot(root);
    TInputEvent enter = Event(EInputKind::MouseEnter);
    enter.wParam = 3;
    enter.lParam = 4;
    child->dispatchInput(enter);
    TInputEvent leave = Event(EInputKind::MouseLeave);
    child->dispatchInput(leave);
    TInputEvent timer = Event(EInputKind::Timer);
    timer.wParam = 77;
    child->dispatchInput(timer);
    TInputEvent menu = Event(EInputKind::ContextMenu);
    child->dispatchInput(menu);
    EXPECT_EQ(0, host.notices.Count(L"menu"));
    child->writeAttribute(L"menu", L"true");
    child->dispatchInput(menu);

    // The parent hears enter and leave too, since those events bubble.
    std::vector<TNotifyMsg> fromChild;
    for (const TNotifyMsg& notice : host.notices.notices)
        if (notice.sender == child)
            fromChild.push_back(notice);
    ASSERT_EQ(4u, fromChild.size());
    EXPECT_EQ(L"mouseenter", fromChild[0].type);
    EXPECT_EQ(3u, fromChild[0].wParam);
    EXPECT_EQ(4, fromChild[0].lParam);
    EXPECT_EQ(L"mouseleave", fromChild[1].type);
    EXPECT_EQ(L"timer", fromChild[2].type);
    EXPECT_EQ(77u, fromChild[2].wParam);
    EXPECT_EQ(L"menu", fromChild[3].type);
    EXPECT_EQ(2, host.notices.Count(L"mouseenter"));
}

TEST(ControlWithContext, HidingTheFocusedControlClearsTheWindowFocus)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* a = new CControlUI();
    auto* b = new CControlUI();
    root->addItem(a);
    root->addItem(b);
    host.context.AdoptRoot(root);

    a->grabFocus();
    ASSERT_EQ(a, host.context.FocusedControl());
    EXPECT_TRUE(a->hasFocus());
    a->assignShown(false);
    EXPECT_FALSE(a->hasFocus());
    EXPECT_EQ(nullptr, host.context.FocusedControl());

    b->grabFocus();
    ASSERT_EQ(b, host.context.FocusedControl());
    b->assignShownKeepFocus(false);
    EXPECT_FALSE(b->hasFocus());
    EXPECT_EQ(b, host.context.FocusedControl());
}

TEST(ControlWithContext, HidingAContainerReleasesFocusInsideIt)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* page = new CContainerUI();
    auto* leaf = new CControlUI();
    root->addItem(page);
    page->addItem(leaf);
    host.context.AdoptRoot(root);
    leaf->grabFocus();
    ASSERT_EQ(leaf, host.context.FocusedControl());
    page->assignShown(false);
    EXPECT_EQ(nullptr, host.context.FocusedControl());
}

TEST(ControlWithContext, SizeListenersFireOnPlacementButNotReentrantly)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* child = new CControlUI();
    root->addItem(child);
    host.context.AdoptRoot(root);
    int calls = 0;
    child->sizeListeners() += CDelegateBase(nullptr, [&](void* argument) {
        ++calls;
        EXPECT_EQ(child, argument);
        static_cast<CControlUI*>(argument)->placeAt(Rect(1, 1, 2, 2));
        return true;
    });
    child->placeAt(Rect(0, 0, 10, 10));
    EXPECT_EQ(1, calls);
    EXPECT_FALSE(child->relayoutPending());
}

TEST(ControlWithContext, RemovedChildrenAreDestroyedLater)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    bool destroyed = false;
    auto* child = new CControlUI();
    child->destroyListeners() += CDelegateBase(nullptr, [&destroyed](void*) {
        destroyed = true;
        return true;
    });
    root->addItem(child);
    host.context.AdoptRoot(root);
    EXPECT_EQ(host.context.Root(), child->parentControl());
    EXPECT_TRUE(root->removeItem(child));
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0, root->itemCount());
    host.Pump();
    EXPECT_TRUE(destroyed);
}

TEST(ControlWithContext, ChildrenAddedLaterAreAdoptedAndInitialised)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    host.context.AdoptRoot(root);
    auto* late = new CControlUI();
    int inits = 0;
    late->initListeners() += CDelegateBase(nullptr, [&inits](void*) {
        ++inits;
        return true;
    });
    late->writeAttribute(L"name", L"late");
    root->addItem(late);
    EXPECT_EQ(&host.context, late->windowContext());
    EXPECT_EQ(root, late->parentControl());
    EXPECT_EQ(1, inits);
    EXPECT_EQ(late, host.context.ControlByName(L"late"));
}

TEST(ControlWithContext, VirtualWindowTurnsRoutingOn)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    host.context.AdoptRoot(root);
    EXPECT_FALSE(host.context.VirtualRouting());
    root->writeAttribute(L"virtualwnd", L"main");
    EXPECT_TRUE(host.context.VirtualRouting());
}

TEST(TabLayoutWithContext, SelectingSendsTabSelectOnlyOnChange)
{
    CHostWindow host;
    auto* tabs = new CTabLayoutUI();
    tabs->addItem(Fixed(0, 0));
    tabs->addItem(Fixed(0, 0));
    host.context.AdoptRoot(tabs);
    EXPECT_TRUE(tabs->selectTab(0));
    EXPECT_EQ(0, host.notices.Count(L"tabselect"));
    EXPECT_TRUE(tabs->selectTab(1));
    ASSERT_EQ(1, host.notices.Count(L"tabselect"));
    const TNotifyMsg& notice = host.notices.notices.back();
    EXPECT_EQ(1u, notice.wParam);
    EXPECT_EQ(0, notice.lParam);
    EXPECT_FALSE(tabs->selectTab(2));
    EXPECT_EQ(1, host.notices.Count(L"tabselect"));
}

TEST(SeparatorDrag, BottomBandResizesWithinLimits)
{
    CHostWindow host;
    auto* root = new CVerticalLayoutUI();
    auto* pane = new CVerticalLayoutUI();
    pane->writeAttribute(L"sepheight", L"4");
    pane->writeAttribute(L"height", L"50");
    pane->writeAttribute(L"minheight", L"20");
    pane->writeAttribute(L"maxheight", L"80");
    root->addItem(pane);
    root->addItem(Fixed(0, 0));
    host.context.AdoptRoot(root);
    root->placeAt(Rect(0, 0, 100, 150));
    ASSERT_EQ(Rect(0, 0, 100, 50), pane->itemRect());
    EXPECT_EQ(UINT(TRAIT_CURSOR), pane->inputTraits());
    EXPECT_EQ(Rect(0, 46, 100, 50), pane->separatorBand());

    TInputEvent miss = Event(EInputKind::ButtonDown, 10, 20);
    pane->handleInput(miss);
    EXPECT_FALSE(pane->separatorCaptured());

    TInputEvent down = Event(EInputKind::ButtonDown, 10, 48);
    pane->handleInput(down);
    ASSERT_TRUE(pane->separatorCaptured());
    // Down by 10 while the pointer is past the band: the bottom follows.
    TInputEvent move = Event(EInputKind::MouseMove, 10, 58);
    pane->handleInput(move);
    EXPECT_EQ(Rect(0, 0, 100, 60), pane->dragRect());
    EXPECT_EQ(60, pane->presetHeight());
    EXPECT_EQ(Rect(0, 0, 100, 50), pane->itemRect()); // not immediate: only the feedback moves
    // Far beyond the maximum: stops at 80.
    TInputEvent beyond = Event(EInputKind::MouseMove, 10, 200);
    pane->handleInput(beyond);
    EXPECT_EQ(80, pane->dragRect().bottom);
    TInputEvent further = Event(EInputKind::MouseMove, 10, 210);
    pane->handleInput(further);
    EXPECT_EQ(80, pane->dragRect().bottom);
    // Moving up while still below the edge does not count.
    TInputEvent back = Event(EInputKind::MouseMove, 10, 150);
    pane->handleInput(back);
    EXPECT_EQ(80, pane->dragRect().bottom);

    ControlTest::CDibCanvas canvas(100, 150);
    pane->drawAfter(canvas.Dc(), Rect(0, 0, 100, 150));
    EXPECT_NE(0u, canvas.Pixel(50, 78));
    EXPECT_EQ(0u, canvas.Pixel(50, 70));

    TInputEvent up = Event(EInputKind::ButtonUp, 10, 150);
    pane->handleInput(up);
    EXPECT_FALSE(pane->separatorCaptured());
    EXPECT_EQ(Rect(0, 0, 100, 80), pane->itemRect());
    root->placeAt(Rect(0, 0, 100, 150));
    EXPECT_EQ(Rect(0, 0, 100, 80), pane->itemRect());
}

TEST(SeparatorDrag, ImmediateTopBandMovesTheLayoutAtOnce)
{
    CHostWindow host;
    auto* root = new CVerticalLayoutUI();
    root->addItem(Fixed(0, 0));
    auto* pane = new CVerticalLayoutUI();
    pane->writeAttribute(L"sepheight", L"-4");
    pane->writeAttribute(L"sepimm", L"true");
    pane->writeAttribute(L"height", L"50");
    root->addItem(pane);
    host.context.AdoptRoot(root);
    root->placeAt(Rect(0, 0, 100, 150));
    ASSERT_EQ(Rect(0, 100, 100, 150), pane->itemRect());
    EXPECT_EQ(Rect(0, 100, 100, 104), pane->separatorBand());
    TInputEvent down = Event(EInputKind::ButtonDown, 10, 101);
    pane->handleInput(down);
    TInputEvent move = Event(EInputKind::MouseMove, 10, 91);
    pane->handleInput(move);
    EXPECT_EQ(Rect(0, 90, 100, 150), pane->itemRect());
    EXPECT_EQ(60, pane->presetHeight());
    TInputEvent up = Event(EInputKind::ButtonUp, 10, 91);
    pane->handleInput(up);
    root->placeAt(Rect(0, 0, 100, 150));
    EXPECT_EQ(Rect(0, 90, 100, 150), pane->itemRect());
}
