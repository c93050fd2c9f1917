// Painting a real window: layout before paint, "windowinit" once, the
// off-screen buffer, layered painting, the dirty frame, the owner backdrop,
// print client and the window alpha.
#include "tests/ui/core/host/ContextTestKit.h"

#include <gtest/gtest.h>

using namespace ContextTest;
using namespace SkinUI;

namespace {

constexpr COLORREF kRootColour = RGB(20, 40, 200);
constexpr COLORREF kChildColour = RGB(230, 200, 10);

class ContextPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<CTestWindow>(200, 120);
        root = new CProbeBox("root", &log, RECT{0, 0, 200, 120});
        root->SetFill(kRootColour);
        child = new CProbeControl("C", &log, RECT{50, 30, 150, 90});
        child->SetFill(kChildColour);
        root->Add(child);
        Context().AddReceiver(&notices);
    }
    void TearDown() override
    {
        Context().RemoveReceiver(&notices);
        if (Context().Root() != root)
            delete root;
        window.reset();
    }
    CWindowContextUI& Context() { return window->Context(); }
    void Repaint()
    {
        ::InvalidateRect(window->Handle(), nullptr, FALSE);
        ::UpdateWindow(window->Handle());
    }
    // What the window shows at a client point, read back from the screen.
    COLORREF ScreenPixel(int x, int y)
    {
        ::GdiFlush();
        CWindowDc dc(window->Handle());
        return ::GetPixel(dc.Get(), x, y);
    }

    EventLog log;
    CNoticeLog notices;
    std::unique_ptr<CTestWindow> window;
    CProbeBox* root = nullptr;
    CProbeControl* child = nullptr;
};

// A memory surface to print into.
class CMemorySurface {
public:
    CMemorySurface(int width, int height)
        : m_dc(::CreateCompatibleDC(nullptr)), m_bitmap(::CreateBitmap(width, height, 1, 32, nullptr)),
          m_select(m_dc.Get(), m_bitmap.Get())
    {
    }
    HDC Dc() const { return m_dc.Get(); }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc.Get(), x, y); }

private:
    CMemoryDc m_dc;
    CBitmap m_bitmap;
    CSelectObject m_select;
};

} // namespace

TEST_F(ContextPaint, ThePaintWithoutARootOnlyValidates)
{
    Repaint();
    RECT update = {};
    EXPECT_FALSE(::GetUpdateRect(window->Handle(), &update, FALSE));
    EXPECT_EQ(0, notices.Count(L"windowinit"));
}

TEST_F(ContextPaint, TheFirstPaintSendsWindowInitExactlyOnce)
{
    Context().AdoptRoot(root);
    Repaint();
    Repaint();
    window->Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 120));
    Repaint();
    EXPECT_EQ(1, notices.Count(L"windowinit"));
    EXPECT_EQ(root, notices.notices.front().sender);
    EXPECT_FALSE(Context().LayoutNeeded());
}

TEST_F(ContextPaint, APaintWithAnEmptyClientAreaSendsNoWindowInit)
{
    CTestWindow empty(0, 0, WS_POPUP | WS_VISIBLE);
    auto* box = new CProbeBox("box", &log, RECT{});
    empty.Context().AdoptRoot(box);
    CNoticeLog seen;
    empty.Context().AddReceiver(&seen);
    LRESULT result = 0;
    empty.Context().HandleWindowMessage(WM_PAINT, 0, 0, result);
    ::InvalidateRect(empty.Handle(), nullptr, FALSE);
    ::UpdateWindow(empty.Handle());
    EXPECT_EQ(0, seen.Count(L"windowinit"));
    empty.Context().RemoveReceiver(&seen);
}

TEST_F(ContextPaint, TheTreeIsLaidOutBeforeItIsPainted)
{
    Context().AdoptRoot(root);
    Repaint();
    EXPECT_EQ(200, root->itemRect().right);
    EXPECT_EQ(1, root->placements);
    EXPECT_EQ(kRootColour, ScreenPixel(10, 10));
    EXPECT_EQ(kChildColour, ScreenPixel(100, 60));
}

TEST_F(ContextPaint, OnlyControlsThatAskForPlacementArePlacedAgain)
{
    Context().AdoptRoot(root);
    Repaint();
    child->fixedRect = RECT{0, 0, 10, 10};
    auto* floater = new CProbeControl("F", &log, RECT{5, 5, 25, 25});
    root->Add(floater);
    floater->markForRelayout();
    EXPECT_TRUE(Context().LayoutNeeded());
    Repaint();
    EXPECT_EQ(1, root->placements) << "the root was not placed again";
    EXPECT_EQ(50, child->itemRect().left);
    EXPECT_FALSE(floater->relayoutPending());
}

TEST_F(ContextPaint, PaintingWithoutTheOffscreenBufferDrawsDirectly)
{
    Context().AdoptRoot(root);
    Context().SetOffscreenPaint(false);
    Repaint();
    EXPECT_EQ(kChildColour, ScreenPixel(100, 60));
}

TEST_F(ContextPaint, ShowDirtyFramesTheUpdateRectangleInRed)
{
    Context().AdoptRoot(root);
    Repaint();
    Context().SetShowDirty(true);
    RECT area = {20, 20, 80, 70};
    ::InvalidateRect(window->Handle(), &area, FALSE);
    ::UpdateWindow(window->Handle());
    EXPECT_EQ(RGB(220, 0, 0), ScreenPixel(20, 20));
    EXPECT_EQ(RGB(220, 0, 0), ScreenPixel(79, 40));
    EXPECT_EQ(kRootColour, ScreenPixel(30, 25));
    EXPECT_EQ(kRootColour, ScreenPixel(120, 10)) << "outside the update nothing is framed";
}

TEST_F(ContextPaint, LayeredPaintingMakesTheWindowLayered)
{
    Context().AdoptRoot(root);
    Context().SetLayeredPaint(true);
    Repaint();
    EXPECT_TRUE(::GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(1, notices.Count(L"windowinit"));
}

TEST_F(ContextPaint, AChildWindowWithOwnerBackdropShowsWhatItsOwnerShows)
{
    // The parent paints itself green; the child's tree paints nothing.
    CTestWindow parent(220, 140);
    auto* parentRoot = new CProbeBox("parent", &log, RECT{0, 0, 220, 140});
    parentRoot->SetFill(RGB(0, 160, 0));
    parent.Context().AdoptRoot(parentRoot);
    ::UpdateWindow(parent.Handle());

    CTestWindow inner(100, 60, WS_CHILD | WS_VISIBLE, parent.Handle(), 20, 20);
    auto* innerRoot = new CProbeBox("inner", &log, RECT{0, 0, 100, 60});
    auto* dot = new CProbeControl("dot", &log, RECT{0, 0, 10, 10});
    dot->SetFill(RGB(255, 0, 255));
    innerRoot->Add(dot);
    inner.Context().AdoptRoot(innerRoot);
    inner.Context().SetOwnerBackdrop(true);
    ::UpdateWindow(inner.Handle());

    ::GdiFlush();
    CWindowDc dc(inner.Handle());
    EXPECT_EQ(RGB(0, 160, 0), ::GetPixel(dc.Get(), 50, 30));
    EXPECT_EQ(RGB(255, 0, 255), ::GetPixel(dc.Get(), 5, 5));
}

TEST_F(ContextPaint, PrintClientPaintsTheTreeIntoTheGivenDc)
{
    Context().AdoptRoot(root);
    Repaint();
    CMemorySurface surface(200, 120);
    window->Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    EXPECT_EQ(kRootColour, surface.Pixel(5, 5));
    EXPECT_EQ(kChildColour, surface.Pixel(100, 60));
}

TEST_F(ContextPaint, WindowAlphaIsClampedAndOutOfRangeRemovesTheLayeredStyle)
{
    Context().SetWindowAlpha(255);
    EXPECT_EQ(255, Context().WindowAlpha());
    EXPECT_TRUE(::GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(window->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(255, alpha);
    EXPECT_TRUE(flags & LWA_ALPHA);

    Context().SetWindowAlpha(128);
    ASSERT_TRUE(::GetLayeredWindowAttributes(window->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(128, alpha);

    Context().SetWindowAlpha(300);
    EXPECT_EQ(255, Context().WindowAlpha());
    EXPECT_FALSE(::GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    Context().SetWindowAlpha(-5);
    EXPECT_EQ(0, Context().WindowAlpha());
}

TEST_F(ContextPaint, StartSizeResizesTheWindowOnlyBeforeATreeIsAttached)
{
    Context().SetStartSize(240, 160);
    RECT rect = {};
    ::GetWindowRect(window->Handle(), &rect);
    EXPECT_EQ(240, rect.right - rect.left);
    EXPECT_EQ(160, rect.bottom - rect.top);
    Context().AdoptRoot(root);
    Context().SetStartSize(100, 100);
    ::GetWindowRect(window->Handle(), &rect);
    EXPECT_EQ(240, rect.right - rect.left);
    EXPECT_EQ(100, Context().StartSize().cx);
}

TEST_F(ContextPaint, RepaintRectInvalidatesWithoutErasing)
{
    Context().AdoptRoot(root);
    Repaint();
    Context().RepaintRect(RECT{10, 10, 30, 30});
    RECT update = {};
    ASSERT_TRUE(::GetUpdateRect(window->Handle(), &update, FALSE));
    EXPECT_EQ(10, update.left);
    EXPECT_EQ(30, update.bottom);
    ::UpdateWindow(window->Handle());
}
