// Keyboard focus: focusing rules, Tab and Shift+Tab with wrapping, Alt keys,
// access keys and the message loop's translation step.
#include "tests/ui/core/host/ContextTestKit.h"

#include <gtest/gtest.h>

using namespace ContextTest;
using namespace SkinUI;

namespace {

// Holds Shift down in this thread's keyboard state for one scope.
class CShiftHeld {
public:
    CShiftHeld() { SetShift(0x80); }
    ~CShiftHeld() { SetShift(0); }

private:
    static void SetShift(BYTE state)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = state;
        keys[VK_LSHIFT] = state;
        ::SetKeyboardState(keys);
    }
};

class ContextFocus : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<CTestWindow>(300, 200);
        ParkCursor(window->Handle(), 290, 190);
        root = new CProbeBox("root", &log, RECT{0, 0, 300, 200});
        a = new CProbeControl("A", &log, RECT{10, 10, 60, 40}, TRAIT_TABSTOP);
        plain = new CProbeControl("P", &log, RECT{70, 10, 120, 40});
        b = new CProbeControl("B", &log, RECT{130, 10, 180, 40}, TRAIT_TABSTOP);
        c = new CProbeControl("C", &log, RECT{190, 10, 240, 40}, TRAIT_TABSTOP);
        root->Add(a);
        root->Add(plain);
        root->Add(b);
        root->Add(c);
        Context().AdoptRoot(root);
        Context().AddReceiver(&notices);
        ::UpdateWindow(window->Handle());
        PumpMessages();
        log.clear();
        notices.notices.clear();
    }
    void TearDown() override
    {
        Context().RemoveReceiver(&notices);
        window.reset();
    }
    CWindowContextUI& Context() { return window->Context(); }
    bool PressKey(UINT message, WPARAM key)
    {
        MSG msg = {window->Handle(), message, key, 0, ::GetTickCount(), {}};
        return CWindowContextUI::TranslateForAll(&msg);
    }

    EventLog log;
    CNoticeLog notices;
    std::unique_ptr<CTestWindow> window;
    CProbeBox* root = nullptr;
    CProbeControl* a = nullptr;
    CProbeControl* plain = nullptr;
    CProbeControl* b = nullptr;
    CProbeControl* c = nullptr;
};

} // namespace

TEST_F(ContextFocus, TheFirstPaintFocusesTheFirstTabStop)
{
    EXPECT_EQ(a, Context().FocusedControl());
}

TEST_F(ContextFocus, FocusMovesWithEventsAndNotices)
{
    Context().FocusControl(b);
    const TInputEvent* kill = a->Last(EInputKind::KillFocus);
    ASSERT_NE(nullptr, kill);
    EXPECT_EQ(b, kill->sender);
    EXPECT_EQ(1, b->Count(EInputKind::SetFocus));
    ASSERT_EQ(2u, notices.notices.size());
    EXPECT_EQ(L"killfocus", notices.notices[0].type);
    EXPECT_EQ(a, notices.notices[0].sender);
    EXPECT_EQ(L"setfocus", notices.notices[1].type);
    EXPECT_EQ(b, notices.notices[1].sender);
    EXPECT_EQ(window->Handle(), ::GetFocus());
}

TEST_F(ContextFocus, FocusingTheFocusedControlDoesNothing)
{
    Context().FocusControl(a);
    EXPECT_TRUE(notices.notices.empty());
    EXPECT_EQ(0, a->Count(EInputKind::KillFocus));
}

TEST_F(ContextFocus, HiddenDisabledOrForeignControlsAreNotFocused)
{
    b->assignShownKeepFocus(false);
    Context().FocusControl(b);
    EXPECT_EQ(nullptr, Context().FocusedControl());
    c->assignOperable(false);
    Context().FocusControl(c);
    EXPECT_EQ(nullptr, Context().FocusedControl());
    CProbeControl stranger("S", &log, RECT{0, 0, 5, 5}, TRAIT_TABSTOP);
    Context().FocusControl(&stranger);
    EXPECT_EQ(nullptr, Context().FocusedControl());
}

TEST_F(ContextFocus, TabWithNothingFocusedFocusesTheFirstTabStop)
{
    Context().FocusControl(nullptr);
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(a, Context().FocusedControl());
}

TEST_F(ContextFocus, TabSkipsControlsThatAreNoTabStops)
{
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(b, Context().FocusedControl());
}

TEST_F(ContextFocus, TabOnTheLastTabStopWrapsToTheFirst)
{
    Context().FocusControl(c);
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(a, Context().FocusedControl());
}

TEST_F(ContextFocus, ShiftTabGoesBackAndWrapsFromTheFirstToTheLast)
{
    CShiftHeld shift;
    ASSERT_LT(::GetKeyState(VK_SHIFT), 0);
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(c, Context().FocusedControl());
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(b, Context().FocusedControl());
}

TEST_F(ContextFocus, TabSkipsHiddenAndDisabledTabStops)
{
    b->assignShownKeepFocus(false);
    ::UpdateWindow(window->Handle()); // hiding asked for a layout; Tab waits for it
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(c, Context().FocusedControl());
    a->assignOperable(false);
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(c, Context().FocusedControl()) << "the only tab stop left keeps the focus";
}

TEST_F(ContextFocus, TabBeforeTheFirstLayoutOnlyAsksForFocusLater)
{
    CTestWindow fresh(200, 100);
    auto* box = new CProbeBox("box", &log, RECT{0, 0, 200, 100});
    auto* first = new CProbeControl("F", &log, RECT{5, 5, 50, 30}, TRAIT_TABSTOP);
    box->Add(first);
    fresh.Context().AdoptRoot(box);
    EXPECT_TRUE(fresh.Context().TabToNext(true));
    EXPECT_EQ(nullptr, fresh.Context().FocusedControl());
    ::UpdateWindow(fresh.Handle());
    EXPECT_EQ(first, fresh.Context().FocusedControl());
}

TEST_F(ContextFocus, FocusLaterFocusesTheControlOnTheNextPaint)
{
    Context().FocusLater(c);
    EXPECT_NE(c, Context().FocusedControl());
    ::InvalidateRect(window->Handle(), nullptr, FALSE);
    ::UpdateWindow(window->Handle());
    EXPECT_EQ(c, Context().FocusedControl());
}

TEST_F(ContextFocus, AltF4IsLeftToThePlatformSoTheWindowCloses)
{
    EXPECT_FALSE(PressKey(WM_SYSKEYDOWN, VK_F4));
    MSG msg = {window->Handle(), WM_SYSKEYDOWN, VK_F4, LPARAM(0x20000000), ::GetTickCount(), {}};
    ::DispatchMessageW(&msg);
    PumpMessages();
    EXPECT_GE(window->closeMessages, 1);
}

TEST_F(ContextFocus, AltWithOtherKeysIsSwallowedAndReachesTheFocus)
{
    EXPECT_TRUE(PressKey(WM_SYSKEYDOWN, 'Q'));
    const TInputEvent* key = a->Last(EInputKind::SysKey);
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(L'Q', key->key);
    PumpMessages();
    EXPECT_EQ(0, window->closeMessages);
}

TEST_F(ContextFocus, AnAccessKeyFocusesAndActivatesItsControl)
{
    c->assignAccessKey(L'x');
    EXPECT_TRUE(PressKey(WM_SYSCHAR, L'X'));
    EXPECT_EQ(c, Context().FocusedControl());
    EXPECT_EQ(1, c->actions);
    EXPECT_FALSE(PressKey(WM_SYSCHAR, L'z'));
}

TEST_F(ContextFocus, ALabelsAccessKeyActivatesTheNextControlInTheSearch)
{
    // The search runs topmost first, so the control found after the label
    // is the one placed before it.
    plain->SetTypeName(L"LabelUI");
    plain->assignAccessKey(L'n');
    EXPECT_TRUE(PressKey(WM_SYSCHAR, L'n'));
    EXPECT_EQ(0, plain->actions);
    EXPECT_EQ(1, a->actions);
}

TEST_F(ContextFocus, HiddenControlsDoNotAnswerAccessKeys)
{
    b->assignAccessKey(L'h');
    b->assignShownKeepFocus(false);
    EXPECT_FALSE(PressKey(WM_SYSCHAR, L'h'));
    EXPECT_EQ(0, b->actions);
}

TEST_F(ContextFocus, MessagesOfAChildWindowReachTheContextOfItsAncestor)
{
    HWND inner = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 150, 60, 20, window->Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    HWND innermost = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, inner, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, innermost);
    MSG msg = {innermost, WM_KEYDOWN, VK_TAB, 0, ::GetTickCount(), {}};
    EXPECT_TRUE(CWindowContextUI::TranslateForAll(&msg));
    EXPECT_EQ(b, Context().FocusedControl());
    ::DestroyWindow(inner);
}

TEST_F(ContextFocus, KeysOfOtherTopLevelWindowsAreNotTranslated)
{
    CTestWindow other(100, 50);
    MSG msg = {other.Handle(), WM_KEYDOWN, 'A', 0, ::GetTickCount(), {}};
    EXPECT_FALSE(CWindowContextUI::TranslateForAll(&msg));
    MSG orphan = {nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(CWindowContextUI::TranslateForAll(&orphan));
    EXPECT_FALSE(CWindowContextUI::TranslateForAll(nullptr));
}

namespace {

class CAccelerator : public ITranslateAccelerator {
public:
    bool TranslateAccel(MSG* msg) override
    {
        ++seen;
        return msg->message == WM_KEYDOWN && msg->wParam == VK_F5;
    }
    int seen = 0;
};

class CPreFilter : public IMessageFilterUI {
public:
    LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) override
    {
        handled = message == WM_KEYDOWN && wParam == VK_TAB;
        return 0;
    }
};

} // namespace

TEST_F(ContextFocus, AcceleratorsAndPreFiltersComeFirst)
{
    CAccelerator accelerator;
    Context().AddAcceleratorHandler(&accelerator);
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_F5));
    EXPECT_EQ(1, accelerator.seen);
    Context().RemoveAcceleratorHandler(&accelerator);

    CPreFilter filter;
    Context().AddPreFilter(&filter);
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(a, Context().FocusedControl()) << "the pre-filter took the Tab key";
    Context().RemovePreFilter(&filter);
}
