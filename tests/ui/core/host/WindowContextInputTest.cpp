// Window messages posted to a real window reach the controls of its context
// as input events: hover order, capture, clicks, wheel, keys, close.
#include "tests/ui/core/host/ContextTestKit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

using namespace ContextTest;
using namespace SkinUI;

namespace {

class ContextInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<CTestWindow>(300, 200);
        // The real pointer rests inside the window on the root, so leave tracking stays quiet.
        ParkCursor(window->Handle(), 290, 190);
        root = new CProbeBox("root", &log, RECT{0, 0, 300, 200});
        a = new CProbeControl("A", &log, RECT{10, 10, 110, 60}, TRAIT_TABSTOP);
        b = new CProbeControl("B", &log, RECT{150, 10, 250, 60}, TRAIT_TABSTOP);
        root->Add(a);
        root->Add(b);
        ASSERT_TRUE(Context().AdoptRoot(root));
        ::UpdateWindow(window->Handle());
        PumpMessages();
        log.clear();
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        window.reset();
    }
    CWindowContextUI& Context() { return window->Context(); }
    void Post(UINT message, int x, int y, WPARAM wParam = 0)
    {
        window->Post(message, wParam, PointParam(x, y));
        PumpMessages();
    }
    LPARAM ScreenParam(int x, int y)
    {
        POINT point = {x, y};
        ::ClientToScreen(window->Handle(), &point);
        return MAKELPARAM(point.x, point.y);
    }

    EventLog log;
    std::unique_ptr<CTestWindow> window;
    CProbeBox* root = nullptr;
    CProbeControl* a = nullptr;
    CProbeControl* b = nullptr;
};

} // namespace

TEST_F(ContextInput, FirstPaintLaysOutTheTreeAtTheClientRectangle)
{
    const RECT rootRect = root->itemRect();
    EXPECT_EQ(0, rootRect.left);
    EXPECT_EQ(300, rootRect.right);
    EXPECT_EQ(200, rootRect.bottom);
    EXPECT_EQ(10, a->itemRect().left);
    EXPECT_EQ(a, Context().ControlAt(POINT{20, 20}));
    EXPECT_EQ(root, Context().ControlAt(POINT{120, 100}));
    EXPECT_EQ(nullptr, Context().ControlAt(POINT{400, 100}));
}

TEST_F(ContextInput, ButtonReleasedOverAnotherControlGoesToTheOneThatWasPressed)
{
    Post(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(window->Handle(), ::GetCapture());
    EXPECT_EQ(a, Context().ClickControl());
    Post(WM_MOUSEMOVE, 160, 20, MK_LBUTTON);
    Post(WM_LBUTTONUP, 160, 20);

    EXPECT_EQ(1, a->Count(EInputKind::ButtonDown));
    EXPECT_EQ(1, a->Count(EInputKind::ButtonUp));
    EXPECT_EQ(0, b->Count(EInputKind::ButtonDown));
    EXPECT_EQ(0, b->Count(EInputKind::ButtonUp));
    // While A holds the capture, moves go to A even over B.
    EXPECT_EQ(2, a->Count(EInputKind::MouseMove) + a->Count(EInputKind::ButtonUp));
    EXPECT_EQ(0, b->Count(EInputKind::MouseMove));
    EXPECT_EQ(nullptr, Context().ClickControl());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(Context().IsMouseCaptured());
    EXPECT_EQ(MK_LBUTTON, a->Last(EInputKind::ButtonDown)->keyState);
    EXPECT_EQ(160, a->Last(EInputKind::ButtonUp)->mouse.x);
}

TEST_F(ContextInput, ButtonDownFocusesTheControl)
{
    Context().FocusControl(nullptr);
    Post(WM_LBUTTONDOWN, 160, 20, MK_LBUTTON);
    Post(WM_LBUTTONUP, 160, 20);
    EXPECT_EQ(b, Context().FocusedControl());
    EXPECT_TRUE(b->hasFocus());
}

TEST_F(ContextInput, MovingFromAToBLeavesABeforeEnteringBThenMovesB)
{
    Post(WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(a, Context().HoverControl());
    log.clear();
    Post(WM_MOUSEMOVE, 160, 20);
    const EventLog seen = Without(log, ":MouseHover");
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ("A:MouseLeave", seen[0]);
    EXPECT_EQ("B:MouseEnter", seen[1]);
    EXPECT_EQ("B:MouseMove", seen[2]);
    EXPECT_EQ(b, Context().HoverControl());
    EXPECT_EQ(160, Context().LastMouse().x);
}

TEST_F(ContextInput, LeavingTheWindowLeavesTheHoverControl)
{
    Post(WM_MOUSEMOVE, 20, 20);
    log.clear();
    window->Send(WM_MOUSELEAVE);
    const EventLog seen = Without(log, ":MouseHover");
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ("A:MouseLeave", seen[0]);
    EXPECT_EQ(nullptr, Context().HoverControl());
}

TEST_F(ContextInput, DoubleClickCapturesTheControlUnderThePoint)
{
    Post(WM_LBUTTONDBLCLK, 160, 20, MK_LBUTTON);
    EXPECT_EQ(1, b->Count(EInputKind::DoubleClick));
    EXPECT_EQ(b, Context().ClickControl());
    EXPECT_EQ(window->Handle(), ::GetCapture());
    Post(WM_LBUTTONUP, 160, 20);
    EXPECT_EQ(1, b->Count(EInputKind::ButtonUp));
}

TEST_F(ContextInput, RightButtonPressAndReleaseGoToThePressedControl)
{
    Context().FocusControl(nullptr);
    Post(WM_RBUTTONDOWN, 20, 20, MK_RBUTTON);
    EXPECT_EQ(a, Context().FocusedControl());
    EXPECT_EQ(window->Handle(), ::GetCapture());
    Post(WM_RBUTTONUP, 160, 20);
    EXPECT_EQ(1, a->Count(EInputKind::RightButtonDown));
    EXPECT_EQ(1, a->Count(EInputKind::RightButtonUp));
    EXPECT_EQ(0, b->Count(EInputKind::RightButtonUp));
    EXPECT_EQ(nullptr, Context().ClickControl());
}

TEST_F(ContextInput, ContextMenuGoesToTheClickControlWithItselfInLParam)
{
    window->Send(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(20, 20));
    window->Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->Handle()), ScreenParam(25, 30));
    const TInputEvent* menu = a->Last(EInputKind::ContextMenu);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(reinterpret_cast<LPARAM>(a), menu->lParam);
    EXPECT_EQ(25, Context().LastMouse().x);
    EXPECT_EQ(30, Context().LastMouse().y);
    EXPECT_EQ(nullptr, Context().ClickControl());
}

TEST_F(ContextInput, WheelTowardsTheUserSetsWParamOne)
{
    window->Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), ScreenParam(160, 20));
    window->Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), ScreenParam(160, 20));
    ASSERT_EQ(2, b->Count(EInputKind::ScrollWheel));
    EXPECT_EQ(1u, b->Events()[0].wParam);
    // The wheel is followed by a move at its point, which makes B the hover control.
    EXPECT_EQ(b, Context().HoverControl());
    EXPECT_EQ(0u, b->Last(EInputKind::ScrollWheel)->wParam);
}

TEST_F(ContextInput, KeysGoToTheFocusAndKeyUpToTheControlThatGotKeyDown)
{
    Context().FocusControl(a);
    window->Send(WM_KEYDOWN, 'K', 0);
    Context().FocusControl(b);
    window->Send(WM_KEYUP, 'K', 0);
    window->Send(WM_CHAR, L'k', 0);
    EXPECT_EQ(1, a->Count(EInputKind::KeyDown));
    EXPECT_EQ(1, a->Count(EInputKind::KeyUp));
    EXPECT_EQ(L'K', a->Last(EInputKind::KeyDown)->key);
    EXPECT_EQ(0, b->Count(EInputKind::KeyUp));
    ASSERT_EQ(1, b->Count(EInputKind::Char));
    EXPECT_EQ(L'k', b->Last(EInputKind::Char)->key);
}

TEST_F(ContextInput, ImeCompositionCarriesOnlyItsParameters)
{
    Context().FocusControl(a);
    window->Send(WM_IME_COMPOSITION, 0x1234, 0x88);
    const TInputEvent* ime = a->Last(EInputKind::ImeComposition);
    ASSERT_NE(nullptr, ime);
    EXPECT_EQ(0x1234u, ime->wParam);
    EXPECT_EQ(0x88, ime->lParam);
    EXPECT_EQ(nullptr, ime->sender);
    EXPECT_EQ(0u, ime->timestamp);
}

TEST_F(ContextInput, CloseLeavesTheHoverControlReleasesTheClickAndIsNotHandled)
{
    Post(WM_MOUSEMOVE, 160, 20);
    Context().FocusControl(b);
    window->Send(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(160, 20));
    window->unhandled.clear();
    log.clear();
    window->Send(WM_CLOSE);
    EXPECT_EQ(1, b->Count(EInputKind::MouseLeave));
    EXPECT_EQ(1, b->Count(EInputKind::ButtonUp));
    EXPECT_EQ(nullptr, Context().FocusedControl());
    ASSERT_FALSE(window->unhandled.empty());
    EXPECT_EQ(UINT(WM_CLOSE), window->unhandled.back());
}

TEST_F(ContextInput, SizeTellsTheFocusAndRelaysTheTreeOut)
{
    Context().FocusControl(a);
    ::SetWindowPos(window->Handle(), nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_GE(a->Count(EInputKind::WindowSize), 1);
    EXPECT_TRUE(Context().LayoutNeeded());
    ::UpdateWindow(window->Handle());
    EXPECT_EQ(320, root->itemRect().right);
    EXPECT_EQ(240, root->itemRect().bottom);
}

TEST_F(ContextInput, EraseBackgroundIsHandledWithOne)
{
    CWindowDc dc(window->Handle());
    EXPECT_EQ(1, window->Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get())));
}

TEST_F(ContextInput, TrackingLimitsReplaceOnlyThePlatformValuesTheyName)
{
    Context().SetMinTrack(200, 0);
    Context().SetMaxTrack(0, 500);
    MINMAXINFO info = {};
    info.ptMinTrackSize = POINT{11, 12};
    info.ptMaxTrackSize = POINT{1000, 1001};
    window->Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(200, info.ptMinTrackSize.x);
    EXPECT_EQ(12, info.ptMinTrackSize.y);
    EXPECT_EQ(1000, info.ptMaxTrackSize.x);
    EXPECT_EQ(500, info.ptMaxTrackSize.y);
}

TEST_F(ContextInput, SetCursorIsHandledWhileCapturedAndLeftToThePlatformOutsideTheClient)
{
    EXPECT_EQ(FALSE, window->Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->Handle()), MAKELPARAM(HTCAPTION, 0)));
    Context().CaptureMouse();
    EXPECT_EQ(TRUE, window->Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->Handle()), MAKELPARAM(HTCLIENT, 0)));
    Context().ReleaseMouse();
}

TEST_F(ContextInput, SetCursorGoesToAControlThatAsksForIt)
{
    auto* hand = new CProbeControl("H", &log, RECT{10, 100, 110, 150}, TRAIT_CURSOR);
    root->Add(hand);
    root->placeAt(root->itemRect(), false);
    POINT point = {50, 120};
    ::ClientToScreen(window->Handle(), &point);
    ::SetCursorPos(point.x, point.y);
    POINT actual = {};
    ::GetCursorPos(&actual);
    if (actual.x != point.x || actual.y != point.y)
        GTEST_SKIP() << "the display does not move the pointer";
    EXPECT_EQ(TRUE, window->Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->Handle()), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(1, hand->Count(EInputKind::SetCursor));
    ::SetCursorPos(point.x - 40 + 150, point.y);
    EXPECT_EQ(FALSE, window->Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->Handle()), MAKELPARAM(HTCLIENT, 0)));
}

namespace {

class CHandlingFilter : public IMessageFilterUI {
public:
    explicit CHandlingFilter(UINT message) : m_message(message) {}
    LRESULT FilterMessage(UINT message, WPARAM, LPARAM, bool& handled) override
    {
        ++seen;
        handled = message == m_message;
        return handled ? 77 : 0;
    }
    int seen = 0;

private:
    UINT m_message;
};

} // namespace

TEST_F(ContextInput, AFilterThatHandlesAMessageEndsItsHandlingWithItsResult)
{
    CHandlingFilter first(WM_USER + 5);
    CHandlingFilter second(WM_USER + 5);
    EXPECT_TRUE(Context().AddFilter(&first));
    EXPECT_FALSE(Context().AddFilter(&first));
    EXPECT_TRUE(Context().AddFilter(&second));
    EXPECT_EQ(77, window->Send(WM_USER + 5));
    EXPECT_EQ(1, first.seen);
    EXPECT_EQ(0, second.seen);
    // The filter sees the message before the context does.
    CHandlingFilter eraser(WM_ERASEBKGND);
    Context().RemoveFilter(&first);
    Context().RemoveFilter(&second);
    Context().AddFilter(&eraser);
    EXPECT_EQ(77, window->Send(WM_ERASEBKGND));
    Context().RemoveFilter(&eraser);
}

TEST_F(ContextInput, NotificationsOfChildWindowsAreReflectedToTheChild)
{
    CTestWindow child(50, 20, WS_CHILD | WS_VISIBLE, window->Handle(), 0, 0);
    child.unhandled.clear();
    window->Send(WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), reinterpret_cast<LPARAM>(child.Handle()));
    ASSERT_FALSE(child.unhandled.empty());
    EXPECT_EQ(UINT(WM_COMMAND + 0x2000), child.unhandled.back());
    // A menu command names no child and stays unhandled.
    window->unhandled.clear();
    window->Send(WM_COMMAND, 5, 0);
    ASSERT_FALSE(window->unhandled.empty());
    EXPECT_EQ(UINT(WM_COMMAND), window->unhandled.back());
}

TEST_F(ContextInput, AnUnboundContextHandlesNothing)
{
    CWindowContextUI loose;
    LRESULT result = 0;
    EXPECT_FALSE(loose.HandleWindowMessage(WM_ERASEBKGND, 0, 0, result));
}

// ---------------------------------------------------------------------------
// Parent dragging
// ---------------------------------------------------------------------------

namespace {

class ParentDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = std::make_unique<CTestWindow>(300, 200, WS_POPUP | WS_VISIBLE, nullptr, 120, 110);
        child = std::make_unique<CTestWindow>(200, 100, WS_CHILD | WS_VISIBLE, parent->Handle(), 10, 10);
        auto* root = new CProbeBox("root", &log, RECT{0, 0, 200, 100});
        plain = new CProbeControl("P", &log, RECT{10, 10, 60, 60});
        button = new CProbeControl("B", &log, RECT{100, 10, 150, 60});
        button->SetTypeName(L"ButtonUI");
        root->Add(plain);
        root->Add(button);
        child->Context().AdoptRoot(root);
        child->Context().SetDragParent(true);
        ::UpdateWindow(child->Handle());
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        child.reset();
        parent.reset();
    }
    // Presses at a client point of the child, moves the pointer by (dx, dy) and reports where the parent went.
    POINT DragFrom(int x, int y, int dx, int dy)
    {
        if (!ParkCursor(child->Handle(), x, y))
            return POINT{-1, -1};
        child->Send(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
        ParkCursor(child->Handle(), x + dx, y + dy);
        child->Send(WM_MOUSEMOVE, MK_LBUTTON, PointParam(x + dx, y + dy));
        child->Send(WM_LBUTTONUP, 0, PointParam(x + dx, y + dy));
        RECT rect = {};
        ::GetWindowRect(parent->Handle(), &rect);
        return POINT{rect.left, rect.top};
    }

    EventLog log;
    std::unique_ptr<CTestWindow> parent;
    std::unique_ptr<CTestWindow> child;
    CProbeControl* plain = nullptr;
    CProbeControl* button = nullptr;
};

} // namespace

TEST_F(ParentDrag, PressingAPlainControlAndMovingMovesTheParentWindow)
{
    const POINT moved = DragFrom(20, 20, 30, 25);
    if (moved.x < 0)
        GTEST_SKIP() << "the display does not move the pointer";
    EXPECT_EQ(150, moved.x);
    EXPECT_EQ(135, moved.y);
    EXPECT_EQ(1, plain->Count(EInputKind::ButtonDown));
}

TEST_F(ParentDrag, ButtonsKeepTheirClicksToThemselves)
{
    const POINT moved = DragFrom(110, 20, 30, 25);
    if (moved.x < 0)
        GTEST_SKIP() << "the display does not move the pointer";
    EXPECT_EQ(120, moved.x);
    EXPECT_EQ(110, moved.y);
}

TEST_F(ParentDrag, WithoutDragParentNothingMoves)
{
    child->Context().SetDragParent(false);
    const POINT moved = DragFrom(20, 20, 30, 25);
    if (moved.x < 0)
        GTEST_SKIP() << "the display does not move the pointer";
    EXPECT_EQ(120, moved.x);
}

// ---------------------------------------------------------------------------
// Tooltips
// ---------------------------------------------------------------------------

namespace {

struct TTooltipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchTooltip(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TTooltipSearch*>(data);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"tooltips_class32" && ::GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTooltipOf(HWND owner)
{
    TTooltipSearch search = {owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

TEST_F(ContextInput, HoverShowsTheHintThroughThePlatformTooltip)
{
    CWindowContextUI::SetLanguageText(501, L"Eye care");
    a->assignHintText(L"%{501} on");
    a->assignHintWidth(250);
    window->Send(WM_MOUSEMOVE, 0, PointParam(20, 20));
    window->Send(WM_MOUSEHOVER, 0, PointParam(20, 20));
    EXPECT_GE(a->Count(EInputKind::MouseHover), 1);

    HWND tip = FindTooltipOf(window->Handle());
    ASSERT_NE(nullptr, tip);
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_STYLE) & TTS_NOPREFIX);
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_EQ(250, ::SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    wchar_t text[128] = {};
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = window->Handle();
    info.uId = reinterpret_cast<UINT_PTR>(window->Handle());
    info.lpszText = text;
    ASSERT_TRUE(::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(L"Eye care on", text);
    EXPECT_EQ(10, info.rect.left);
    EXPECT_EQ(110, info.rect.right);
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);

    // Moving to another control hides the tip again.
    window->Send(WM_MOUSEMOVE, 0, PointParam(160, 20));
    EXPECT_FALSE(::IsWindowVisible(tip));
    CWindowContextUI::ClearLanguageTexts();
}

TEST_F(ContextInput, HoverOverAControlWithoutHintMakesNoTooltip)
{
    window->Send(WM_MOUSEMOVE, 0, PointParam(160, 20));
    window->Send(WM_MOUSEHOVER, 0, PointParam(160, 20));
    EXPECT_EQ(1, b->Count(EInputKind::MouseHover));
    EXPECT_EQ(nullptr, FindTooltipOf(window->Handle()));
}
