// Painting: layout first, then the tree into an off-screen buffer (on the
// owner's backdrop or into a layered window), then onto the screen.
#include "ui/core/host/WindowContextUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/host/WindowContextShared.h"

#include <algorithm>

namespace SkinUI {

namespace {

// BeginPaint/EndPaint around one paint message.
class CPaintScope {
public:
    explicit CPaintScope(HWND window) : m_window(window) { m_dc = ::BeginPaint(window, &m_paint); }
    ~CPaintScope() { ::EndPaint(m_window, &m_paint); }
    CPaintScope(const CPaintScope&) = delete;
    CPaintScope& operator=(const CPaintScope&) = delete;
    HDC Dc() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint = {};
    HDC m_dc = nullptr;
};

SIZE RectSize(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

} // namespace

void CWindowContextUI::OnPaint()
{
    RECT update = {};
    if (!::GetUpdateRect(m_window, &update, FALSE))
        return;
    if (!m_root) {
        CPaintScope paint(m_window);
        return;
    }
    if (m_layoutNeeded)
        LayOutTree();
    if (m_focusNeeded && !::IsIconic(m_window))
        TabToNext(true);
    if (!m_root)
        return; // a receiver of "windowinit" may have replaced the tree
    if (m_layeredPaint) {
        CPaintScope paint(m_window);
        PaintLayered(update);
    } else {
        CPaintScope paint(m_window);
        PaintBuffered(paint.Dc(), update);
    }
    if (m_shadowAttachPending) {
        // The shadow is a second top-level window: creating and filling it
        // would hold back the window's own first frame.
        m_shadowAttachPending = false;
        m_shadow.AttachTo(this);
    }
    if (m_layoutNeeded)
        ::InvalidateRect(m_window, nullptr, FALSE);
}

void CWindowContextUI::LayOutTree()
{
    m_layoutNeeded = false;
    RECT client = {};
    ::GetClientRect(m_window, &client);
    if (::IsRectEmpty(&client))
        return;
    if (m_root->relayoutPending()) {
        m_offscreen.Drop();
        m_backdrop.Drop();
        m_root->placeAt(client, true);
    } else {
        m_placementList.clear();
        m_root->searchTree(
            [](CControlUI* each, void* data) -> CControlUI* {
                if (!each->relayoutPending())
                    return nullptr;
                static_cast<ControlList*>(data)->push_back(each);
                return each;
            },
            &m_placementList, FIND_SHOWN | FIND_UPDATETEST | FIND_CONTAINER_FIRST);
        for (CControlUI* control : m_placementList)
            control->placeAt(control->isFloating() ? control->rectInParent() : control->itemRect(), true);
        m_placementList.clear();
    }
    if (m_firstLayoutPending) {
        m_firstLayoutPending = false;
        m_shadowAttachPending = true;
        SendNotice(m_root, L"windowinit");
    }
}

void CWindowContextUI::PaintTree(HDC dc, const RECT& update)
{
    if (m_root)
        m_root->render(dc, update);
    const ControlList postPainters = m_postPainters;
    for (CControlUI* control : postPainters)
        if (std::find(m_postPainters.begin(), m_postPainters.end(), control) != m_postPainters.end())
            control->render(dc, update);
}

void CWindowContextUI::EnsureLayeredStyle()
{
    const LONG_PTR style = ::GetWindowLongPtrW(m_window, GWL_EXSTYLE);
    if (!(style & WS_EX_LAYERED))
        ::SetWindowLongPtrW(m_window, GWL_EXSTYLE, style | WS_EX_LAYERED);
}

void CWindowContextUI::PaintLayered(const RECT& update)
{
    EnsureLayeredStyle();
    RECT client = {};
    ::GetClientRect(m_window, &client);
    const SIZE size = RectSize(client);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    // A layered window is always drawn from a buffer with addressable pixels.
    if (!m_offscreen.Pixels() || m_offscreen.Size().cx != size.cx || m_offscreen.Size().cy != size.cy) {
        if (!m_offscreen.CreateTopDown(WindowDC(), size.cx, size.cy))
            return;
    }
    RECT area = {};
    if (!::IntersectRect(&area, &update, &client))
        return;
    DWORD* pixels = reinterpret_cast<DWORD*>(m_offscreen.Pixels());
    ::GdiFlush();
    for (LONG y = area.top; y < area.bottom; ++y)
        std::fill(pixels + size_t(y) * size.cx + area.left, pixels + size_t(y) * size.cx + area.right, 0u);

    PaintTree(m_offscreen.Dc(), area);
    ::GdiFlush();

    // Plain GDI leaves alpha at 0; what it drew in a colour must stay visible.
    for (LONG y = area.top; y < area.bottom; ++y) {
        DWORD* row = pixels + size_t(y) * size.cx;
        for (LONG x = area.left; x < area.right; ++x)
            if ((row[x] & 0xFF000000u) == 0 && (row[x] & 0x00FFFFFFu) != 0)
                row[x] |= 0xFF000000u;
    }

    RECT windowRect = {};
    ::GetWindowRect(m_window, &windowRect);
    POINT position = {windowRect.left, windowRect.top};
    POINT source = {0, 0};
    SIZE extent = size;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_window, nullptr, &position, &extent, m_offscreen.Dc(), &source, 0, &blend, ULW_ALPHA);
}

void CWindowContextUI::PaintBuffered(HDC paintDc, const RECT& update)
{
    if (!m_offscreenPaint) {
        PaintTree(paintDc, update);
        return;
    }
    RECT client = {};
    ::GetClientRect(m_window, &client);
    const SIZE size = RectSize(client);
    if (!m_offscreen.IsValid() || m_offscreen.Size().cx != size.cx || m_offscreen.Size().cy != size.cy) {
        if (!m_offscreen.CreateCompatible(paintDc, size.cx, size.cy)) {
            PaintTree(paintDc, update);
            return;
        }
    }
    const LONG width = update.right - update.left;
    const LONG height = update.bottom - update.top;
    if (m_ownerBackdrop) {
        if (!m_backdrop.IsValid()) {
            RECT windowRect = {};
            ::GetWindowRect(m_window, &windowRect);
            const SIZE windowSize = RectSize(windowRect);
            if (m_backdrop.CreateCompatible(paintDc, windowSize.cx, windowSize.cy)) {
                HWND owner = ::GetParent(m_window);
                if (owner) {
                    ::MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&windowRect), 2);
                    CWindowDc ownerDc(owner);
                    ::BitBlt(m_backdrop.Dc(), 0, 0, windowSize.cx, windowSize.cy, ownerDc.Get(), windowRect.left,
                             windowRect.top, SRCCOPY);
                } else {
                    ::BitBlt(m_backdrop.Dc(), 0, 0, windowSize.cx, windowSize.cy, paintDc, 0, 0, SRCCOPY);
                }
            }
        }
        if (m_backdrop.IsValid())
            ::BitBlt(m_offscreen.Dc(), update.left, update.top, width, height, m_backdrop.Dc(), update.left,
                     update.top, SRCCOPY);
    }
    PaintTree(m_offscreen.Dc(), update);
    ::BitBlt(paintDc, update.left, update.top, width, height, m_offscreen.Dc(), update.left, update.top, SRCCOPY);
    if (m_showDirty) {
        CSelectObject pen(paintDc, ContextProcessState().dirtyPen.Get());
        CSelectObject brush(paintDc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(paintDc, update.left, update.top, update.right, update.bottom);
    }
}

void CWindowContextUI::OnPrintClient(HDC dc, LPARAM options)
{
    if (!m_root || !dc)
        return;
    RECT client = {};
    ::GetClientRect(m_window, &client);
    const RECT rootRect = m_root->itemRect();
    const bool rootHasSize = rootRect.right > rootRect.left && rootRect.bottom > rootRect.top;
    if (rootHasSize || m_animateImage.empty()) {
        m_root->render(dc, client);
        if (!(options & PRF_CHILDREN))
            return;
        for (HWND child = ::GetWindow(m_window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT childRect = {};
            ::GetWindowRect(child, &childRect);
            ::MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&childRect), 2);
            POINT previous = {};
            ::OffsetViewportOrgEx(dc, childRect.left, childRect.top, &previous);
            ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                           PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
            ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
        }
        return;
    }
    TImageRecord* image = LookupOrCacheImage(m_animateImage, std::wstring(), 0, false);
    if (!image || !image->bitmap)
        return;
    const RECT source = {0, 0, image->width, image->height};
    const RECT noCorner = {};
    CRenderKit::BlitNineGrid(dc, image->bitmap.Get(), client, client, source, noCorner, image->hasAlpha);
}

void CWindowContextUI::RepaintRect(const RECT& rect)
{
    if (m_window)
        ::InvalidateRect(m_window, &rect, FALSE);
}

void CWindowContextUI::SetWindowAlpha(int value)
{
    m_opacity = BYTE(std::clamp(value, 0, 255));
    if (!m_window)
        return;
    const LONG_PTR style = ::GetWindowLongPtrW(m_window, GWL_EXSTYLE);
    if (value >= 0 && value <= 255) {
        ::SetWindowLongPtrW(m_window, GWL_EXSTYLE, style | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_window, 0, BYTE(value), LWA_ALPHA);
    } else {
        ::SetWindowLongPtrW(m_window, GWL_EXSTYLE, style & ~LONG_PTR(WS_EX_LAYERED));
    }
}

void CWindowContextUI::SetLayeredPaint(bool on)
{
    if (m_layeredPaint == on)
        return;
    m_layeredPaint = on;
    m_offscreen.Drop();
}

void CWindowContextUI::SetOffscreenPaint(bool on)
{
    m_offscreenPaint = on;
    m_offscreen.Drop();
}

void CWindowContextUI::SetStartSize(int cx, int cy)
{
    m_startSize = SIZE{cx, cy};
    if (!m_root && m_window)
        ::SetWindowPos(m_window, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace SkinUI
