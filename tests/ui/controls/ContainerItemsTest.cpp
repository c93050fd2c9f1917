// The child list of containers: adding, moving, removing and ownership;
// listener lists and the control's input path.
#include "ControlTestSupport.h"

#include "ui/controls/ContainerUI.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

using namespace SkinUI;
using ControlTest::Fixed;

namespace {

// Counts its own destruction through a destroy listener.
CControlUI* Counted(int& destroyed)
{
    auto* control = new CControlUI();
    control->destroyListeners() += CDelegateBase(nullptr, [&destroyed](void*) {
        ++destroyed;
        return true;
    });
    return control;
}

class CListItem : public CControlUI {
public:
    void* queryFacet(const wchar_t* facet) override
    {
        if (facet && std::wcscmp(facet, L"ListItem") == 0)
            return this;
        return CControlUI::queryFacet(facet);
    }
};

} // namespace

TEST(ContainerItems, AddInsertIndexAndMove)
{
    CContainerUI container;
    auto* a = Fixed(0, 0);
    auto* b = Fixed(0, 0);
    auto* c = Fixed(0, 0);
    EXPECT_FALSE(container.addItem(nullptr));
    EXPECT_TRUE(container.addItem(a));
    EXPECT_TRUE(container.addItem(c));
    EXPECT_FALSE(container.addItem(a)); // already a child
    EXPECT_FALSE(container.insertItem(b, 3));
    EXPECT_FALSE(container.insertItem(b, -1));
    EXPECT_TRUE(container.insertItem(b, 1));
    EXPECT_EQ(3, container.itemCount());
    EXPECT_EQ(b, container.itemAt(1));
    EXPECT_EQ(nullptr, container.itemAt(3));
    EXPECT_EQ(nullptr, container.itemAt(-1));
    EXPECT_EQ(2, container.indexOf(c));
    EXPECT_EQ(-1, container.indexOf(&container));
    EXPECT_EQ(&container, b->parentControl());

    EXPECT_TRUE(container.moveItem(c, 0));
    EXPECT_EQ(c, container.itemAt(0));
    EXPECT_EQ(a, container.itemAt(1));
    EXPECT_TRUE(container.moveItem(c, 99));
    EXPECT_EQ(c, container.itemAt(2));
    CControlUI stranger;
    EXPECT_FALSE(container.moveItem(&stranger, 0));
}

TEST(ContainerItems, RemovedChildrenAreDestroyedWithoutAWindow)
{
    int destroyed = 0;
    CContainerUI container;
    CControlUI* a = Counted(destroyed);
    CControlUI* b = Counted(destroyed);
    container.addItem(a);
    container.addItem(b);
    EXPECT_TRUE(container.removeItem(a));
    EXPECT_EQ(1, destroyed);
    EXPECT_FALSE(container.removeItemAt(5));
    EXPECT_TRUE(container.removeItemAt(0));
    EXPECT_EQ(2, destroyed);
    EXPECT_EQ(0, container.itemCount());
}

TEST(ContainerItems, WithoutAutoDestroyChildrenSurvive)
{
    int destroyed = 0;
    CControlUI* kept = Counted(destroyed);
    {
        CContainerUI container;
        container.assignAutoDestroy(false);
        container.addItem(kept);
        container.removeAllItems();
        EXPECT_EQ(0, container.itemCount());
        EXPECT_EQ(nullptr, kept->parentControl());
        container.addItem(kept);
        EXPECT_EQ(&container, kept->parentControl());
    }
    EXPECT_EQ(0, destroyed);
    EXPECT_EQ(nullptr, kept->parentControl());
    kept->requestRepaint(); // no ancestor left to walk
    delete kept;
    EXPECT_EQ(1, destroyed);
}

TEST(ContainerItems, ContainerDestroysItsChildrenAndBars)
{
    int destroyed = 0;
    {
        CContainerUI container;
        container.enableScrollBars(true, true);
        container.addItem(Counted(destroyed));
        auto* inner = new CContainerUI();
        inner->addItem(Counted(destroyed));
        container.addItem(inner);
        container.removeAllItems();
        EXPECT_EQ(2, destroyed);
        container.addItem(Counted(destroyed));
    }
    EXPECT_EQ(3, destroyed);
}

TEST(ContainerItems, FacetsAndTypeName)
{
    CContainerUI container;
    EXPECT_EQ(static_cast<IContainerUI*>(&container), container.queryFacet(L"IContainer"));
    EXPECT_EQ(&container, container.queryFacet(L"Container"));
    EXPECT_EQ(static_cast<CControlUI*>(&container), container.queryFacet(L"Control"));
    EXPECT_EQ(nullptr, container.queryFacet(L"Button"));
    EXPECT_EQ(nullptr, container.queryFacet(nullptr));
    EXPECT_STREQ(L"ContainerUI", container.typeName());
}

TEST(ContainerItems, FindSelectableItemSkipsHiddenDisabledAndNonListItems)
{
    CContainerUI container;
    EXPECT_EQ(-1, container.findSelectableItem(0, true));
    container.addItem(new CControlUI());
    auto* hidden = new CListItem();
    container.addItem(hidden);
    hidden->assignShown(false);
    auto* item = new CListItem();
    container.addItem(item);
    auto* disabled = new CListItem();
    container.addItem(disabled);
    disabled->assignOperable(false);
    EXPECT_EQ(2, container.findSelectableItem(0, true));
    EXPECT_EQ(2, container.findSelectableItem(-10, true));
    EXPECT_EQ(-1, container.findSelectableItem(3, true));
    EXPECT_EQ(2, container.findSelectableItem(99, false));
    // A backward search that finds nothing continues forward from the start.
    EXPECT_EQ(2, container.findSelectableItem(1, false));
}

TEST(Listeners, FireInOrderAndStopAtTheFirstFalse)
{
    CListenerList list;
    EXPECT_TRUE(list.fire(nullptr));
    std::vector<int> calls;
    list += CDelegateBase(nullptr, [&calls](void*) {
        calls.push_back(1);
        return true;
    });
    list += CDelegateBase(nullptr, [&calls](void*) {
        calls.push_back(2);
        return false;
    });
    list += CDelegateBase(nullptr, [&calls](void*) {
        calls.push_back(3);
        return true;
    });
    EXPECT_FALSE(list.fire(nullptr));
    EXPECT_EQ((std::vector<int>{1, 2}), calls);
}

TEST(Listeners, OwnersCanRemoveTheirListenersEvenWhileFiring)
{
    CListenerList list;
    int owner = 0;
    int calls = 0;
    list += CDelegateBase(&owner, [&](void*) {
        ++calls;
        list.removeOwner(&owner);
        return true;
    });
    EXPECT_TRUE(list.fire(nullptr));
    EXPECT_TRUE(list.fire(nullptr));
    EXPECT_EQ(1, calls);
    EXPECT_TRUE(list.empty());
}

TEST(Listeners, InputListenersCanVetoTheControlsOwnHandling)
{
    CControlUI control;
    bool veto = true;
    EInputKind seen = EInputKind::KeyFirst;
    control.inputListeners() += CDelegateBase(nullptr, [&](void* argument) {
        seen = static_cast<TInputEvent*>(argument)->kind;
        return !veto;
    });
    TInputEvent focus;
    focus.kind = EInputKind::SetFocus;
    control.dispatchInput(focus);
    EXPECT_EQ(EInputKind::SetFocus, seen);
    EXPECT_FALSE(control.hasFocus());
    veto = false;
    control.dispatchInput(focus);
    EXPECT_TRUE(control.hasFocus());
}

TEST(Listeners, RunInitCallsOnInitThenInitListeners)
{
    struct CProbe : CControlUI {
        std::vector<int>* order = nullptr;
        void onInit() override { order->push_back(1); }
    };
    std::vector<int> order;
    CProbe probe;
    probe.order = &order;
    probe.initListeners() += CDelegateBase(nullptr, [&order](void*) {
        order.push_back(2);
        return true;
    });
    probe.runInit();
    EXPECT_EQ((std::vector<int>{1, 2}), order);
}

TEST(ControlInput, UnhandledEventsBubbleToTheParent)
{
    CContainerUI parent;
    auto* child = new CControlUI();
    parent.addItem(child);
    int bubbled = 0;
    parent.inputListeners() += CDelegateBase(nullptr, [&bubbled](void*) {
        ++bubbled;
        return true;
    });
    TInputEvent click;
    click.kind = EInputKind::ButtonDown;
    child->dispatchInput(click);
    EXPECT_EQ(1, bubbled);
    TInputEvent timer;
    timer.kind = EInputKind::Timer;
    child->dispatchInput(timer);
    EXPECT_EQ(1, bubbled);
    TInputEvent menu;
    menu.kind = EInputKind::ContextMenu;
    child->assignWantsMenu(true);
    child->dispatchInput(menu);
    EXPECT_EQ(1, bubbled);
    child->assignWantsMenu(false);
    child->dispatchInput(menu);
    EXPECT_EQ(2, bubbled);
}

TEST(ControlInput, EffectiveVirtualWindowComesFromTheNearestAncestor)
{
    CContainerUI outer;
    auto* inner = new CContainerUI();
    auto* leaf = new CControlUI();
    outer.addItem(inner);
    inner->addItem(leaf);
    EXPECT_EQ(L"", leaf->effectiveVirtualWindow());
    outer.writeAttribute(L"virtualwnd", L"outer");
    EXPECT_EQ(L"outer", leaf->effectiveVirtualWindow());
    inner->writeAttribute(L"virtualwnd", L"inner");
    EXPECT_EQ(L"inner", leaf->effectiveVirtualWindow());
}
