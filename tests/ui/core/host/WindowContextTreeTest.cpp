// The control tree of a context: names, deferred deletion, replacing the
// root, notifications (immediate and deferred), option groups and timers.
#include "tests/ui/core/host/ContextTestKit.h"

#include "ui/core/host/TimerTable.h"

#include <gtest/gtest.h>

using namespace ContextTest;
using namespace SkinUI;

namespace {

class ContextTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<CTestWindow>(200, 100);
        ParkCursor(window->Handle(), 190, 90);
        root = new CProbeBox("root", &log, RECT{0, 0, 200, 100});
        a = new CProbeControl("A", &log, RECT{10, 10, 50, 40});
        b = new CProbeControl("B", &log, RECT{60, 10, 100, 40});
        a->assignName(L"alpha");
        b->assignName(L"beta");
        root->Add(a);
        root->Add(b);
        Context().AdoptRoot(root);
        Context().AddReceiver(&notices);
        ::UpdateWindow(window->Handle());
        PumpMessages();
        notices.notices.clear();
    }
    void TearDown() override
    {
        Context().RemoveReceiver(&notices);
        window.reset();
    }
    CWindowContextUI& Context() { return window->Context(); }

    EventLog log;
    CNoticeLog notices;
    std::unique_ptr<CTestWindow> window;
    CProbeBox* root = nullptr;
    CProbeControl* a = nullptr;
    CProbeControl* b = nullptr;
};

} // namespace

TEST_F(ContextTree, NamedControlsAreFoundByName)
{
    EXPECT_EQ(a, Context().ControlByName(L"alpha"));
    EXPECT_EQ(b, Context().ControlByName(L"beta"));
    EXPECT_EQ(nullptr, Context().ControlByName(L"Alpha")) << "names keep their case";
    EXPECT_EQ(nullptr, Context().ControlByName(L""));
}

TEST_F(ContextTree, ALaterControlOfTheSameNameReplacesTheEarlier)
{
    auto* twin = new CProbeControl("T", &log, RECT{110, 10, 150, 40});
    twin->assignName(L"alpha");
    root->Add(twin);
    EXPECT_EQ(twin, Context().ControlByName(L"alpha"));
    EXPECT_EQ(root, twin->parentControl());
    EXPECT_EQ(&Context(), twin->windowContext());
}

TEST_F(ContextTree, RegisteringNothingFails) { EXPECT_FALSE(Context().RegisterTree(nullptr)); }

TEST_F(ContextTree, DeleteLaterDetachesAtOnceAndDeletesFromTheMessageLoop)
{
    bool deleted = false;
    auto* doomed = new CProbeControl("D", &log, RECT{});
    doomed->deletedFlag = &deleted;
    Context().RegisterTree(doomed, root);
    Context().DeleteLater(doomed);
    EXPECT_EQ(nullptr, doomed->parentControl());
    EXPECT_FALSE(deleted);
    PumpMessages();
    EXPECT_TRUE(deleted);
}

TEST_F(ContextTree, AdoptingANewRootDeletesTheOldOneLater)
{
    bool deleted = false;
    a->deletedFlag = &deleted;
    auto* fresh = new CProbeBox("fresh", &log, RECT{0, 0, 200, 100});
    EXPECT_TRUE(Context().AdoptRoot(fresh));
    EXPECT_EQ(fresh, Context().Root());
    EXPECT_EQ(nullptr, Context().FocusedControl());
    EXPECT_EQ(nullptr, Context().HoverControl());
    PumpMessages();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, Context().ControlByName(L"alpha")) << "a deleted control leaves the name map";
    ::UpdateWindow(window->Handle());
    EXPECT_EQ(1, notices.Count(L"windowinit")) << "the new tree gets its own windowinit";
}

TEST_F(ContextTree, ANoticeReachesTheSendersListenersFirstThenTheReceivers)
{
    std::vector<std::string> order;
    a->notifyListeners() += CDelegateBase(this, [&order](void* argument) {
        order.push_back("listener:" + std::string(static_cast<TNotifyMsg*>(argument)->type == L"click" ? "click" : "?"));
        return true;
    });
    notices.onNotice = [&order](TNotifyMsg&) { order.push_back("receiver"); };
    window->Send(WM_MOUSEMOVE, 0, PointParam(30, 20));
    order.clear(); // entering A sent a "mouseenter" of its own
    Context().SendNotice(a, L"click", 5, 6);
    ASSERT_EQ(2u, order.size());
    EXPECT_EQ("listener:click", order[0]);
    EXPECT_EQ("receiver", order[1]);
    const TNotifyMsg& notice = notices.notices.back();
    EXPECT_EQ(a, notice.sender);
    EXPECT_EQ(5u, notice.wParam);
    EXPECT_EQ(6, notice.lParam);
    EXPECT_EQ(30, notice.mouse.x);
    EXPECT_EQ(20, notice.mouse.y);
    EXPECT_TRUE(notice.virtualWindow.empty());
}

TEST_F(ContextTree, DeferredNoticesWaitForTheNextMessageAndKeepTheirOrder)
{
    Context().SendNotice(a, L"first", 0, 0, true);
    Context().SendNotice(b, L"second", 0, 0, true);
    EXPECT_TRUE(notices.notices.empty());
    window->Send(WM_NULL);
    ASSERT_EQ(2u, notices.notices.size());
    EXPECT_EQ(L"first", notices.notices[0].type);
    EXPECT_EQ(L"second", notices.notices[1].type);
}

TEST_F(ContextTree, ADeferredNoticeWhoseSenderWasRemovedArrivesWithoutSender)
{
    Context().SendNotice(b, L"valuechanged", 0, 0, true);
    delete b; // the destructor makes the context forget it
    window->Send(WM_NULL);
    ASSERT_EQ(1u, notices.notices.size());
    EXPECT_EQ(L"valuechanged", notices.notices[0].type);
    EXPECT_EQ(nullptr, notices.notices[0].sender);
    b = nullptr;
}

TEST_F(ContextTree, AReceiverThatDeletesTheSenderLeavesLaterReceiversNoSender)
{
    CNoticeLog later;
    notices.onNotice = [this](TNotifyMsg& msg) {
        if (msg.sender == b) {
            delete b;
            b = nullptr;
        }
    };
    Context().AddReceiver(&later);
    Context().SendNotice(b, L"click");
    ASSERT_EQ(1u, later.notices.size());
    EXPECT_EQ(nullptr, later.notices[0].sender);
    Context().RemoveReceiver(&later);
}

TEST_F(ContextTree, VirtualRoutingNamesTheSendersVirtualWindow)
{
    a->writeAttribute(L"virtualwnd", L"page1");
    EXPECT_TRUE(Context().VirtualRouting());
    Context().SendNotice(a, L"click");
    EXPECT_EQ(L"page1", notices.notices.back().virtualWindow);
}

TEST_F(ContextTree, ReceiversAreAddedOnce)
{
    EXPECT_FALSE(Context().AddReceiver(&notices));
    EXPECT_TRUE(Context().RemoveReceiver(&notices));
    EXPECT_FALSE(Context().RemoveReceiver(&notices));
    EXPECT_TRUE(Context().AddReceiver(&notices));
}

TEST_F(ContextTree, OptionGroupsKeepTheirMembersInJoiningOrder)
{
    EXPECT_EQ(nullptr, Context().GroupMembers(L"mode"));
    EXPECT_TRUE(Context().JoinGroup(L"mode", b));
    EXPECT_TRUE(Context().JoinGroup(L"mode", a));
    EXPECT_FALSE(Context().JoinGroup(L"mode", a));
    const auto* members = Context().GroupMembers(L"mode");
    ASSERT_NE(nullptr, members);
    ASSERT_EQ(2u, members->size());
    EXPECT_EQ(b, (*members)[0]);
    EXPECT_EQ(a, (*members)[1]);
    Context().LeaveGroup(L"mode", b);
    ASSERT_EQ(1u, Context().GroupMembers(L"mode")->size());
    delete a; // a deleted option leaves its group
    a = nullptr;
    EXPECT_TRUE(Context().GroupMembers(L"mode") == nullptr || Context().GroupMembers(L"mode")->empty());
}

TEST_F(ContextTree, TheContextIsListedWhileItLives)
{
    const auto& all = CWindowContextUI::AllContexts();
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), &Context()));
    CWindowContextUI* address = nullptr;
    {
        CTestWindow other(50, 50);
        address = &other.Context();
        EXPECT_EQ(address, CWindowContextUI::AllContexts().back());
    }
    EXPECT_EQ(all.end(), std::find(all.begin(), all.end(), address));
}

// ---------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------

TEST_F(ContextTree, ATimerFiresThroughARealWmTimerWithTheControlsId)
{
    ASSERT_TRUE(Context().StartTimer(a, 7, 10));
    ASSERT_TRUE(PumpUntil([this] { return a->Count(EInputKind::Timer) > 0; }));
    EXPECT_EQ(7u, a->Last(EInputKind::Timer)->wParam);
    EXPECT_TRUE(Context().StopTimer(a, 7));
}

TEST_F(ContextTree, StartingARunningTimerIsRefusedAndAStoppedOneRestarts)
{
    ASSERT_TRUE(Context().StartTimer(a, 1, 50));
    EXPECT_FALSE(Context().StartTimer(a, 1, 50));
    EXPECT_TRUE(Context().StartTimer(b, 1, 50)) << "the same id of another control is another timer";
    EXPECT_TRUE(Context().StopTimer(a, 1));
    EXPECT_FALSE(Context().StopTimer(a, 1));
    EXPECT_TRUE(Context().StartTimer(a, 1, 10));
    const int before = a->Count(EInputKind::Timer);
    ASSERT_TRUE(PumpUntil([&] { return a->Count(EInputKind::Timer) > before; }));
    Context().StopAllTimers();
}

TEST_F(ContextTree, AStoppedTimerSendsNothing)
{
    ASSERT_TRUE(Context().StartTimer(a, 3, 10));
    ASSERT_TRUE(Context().StopTimer(a, 3));
    ::Sleep(60);
    PumpMessages();
    EXPECT_EQ(0, a->Count(EInputKind::Timer));
}

TEST_F(ContextTree, ADeletedControlsTimersStop)
{
    ASSERT_TRUE(Context().StartTimer(b, 9, 10));
    delete b;
    b = nullptr;
    ::Sleep(60);
    PumpMessages(); // must not reach the deleted control
    SUCCEED();
}

TEST(TimerTable, NativeIdsCountUpFromTheFirstAndWrapBeforeTheTop)
{
    CTestWindow window(50, 50);
    EventLog log;
    CProbeControl control("X", &log, RECT{});
    CTimerTable table;
    ASSERT_TRUE(table.Start(window.Handle(), &control, 1, 1000));
    EXPECT_EQ(4097u, table.Entries().back().nativeId);
    table.SetLastNativeId(0xFFFFFFFE);
    ASSERT_TRUE(table.Start(window.Handle(), &control, 2, 1000));
    EXPECT_EQ(4096u, table.Entries().back().nativeId);
    ASSERT_TRUE(table.Stop(window.Handle(), &control, 1));
    ASSERT_TRUE(table.Start(window.Handle(), &control, 1, 1000));
    EXPECT_EQ(4097u, table.Entries().front().nativeId) << "a restart keeps the native id";
    table.RemoveControl(window.Handle(), &control);
    EXPECT_TRUE(table.Entries().empty());
    EXPECT_FALSE(table.Start(nullptr, &control, 1, 10));
}
