#include "ui/core/host/ShadowUI.h"

#include "base/ScopedHandle.h"
#include "ui/core/gfx/image/DibSection.h"
#include "ui/core/gfx/PaintBuffer.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/gfx/ShadowShape.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/host/WindowContextUI.h"

#include <cstring>
#include <map>

namespace SkinUI {

namespace {

constexpr wchar_t kShadowClassName[] = L"TovinShadowWnd";

// Owner window -> its shadow. Only the UI thread touches it.
std::map<HWND, CShadowUI*>& ShadowsByOwner()
{
    static std::map<HWND, CShadowUI*> shadows;
    return shadows;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

} // namespace

bool CShadowUI::RegisterWindowClass(HINSTANCE module)
{
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(module, kShadowClassName, &existing))
        return true;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = module;
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kShadowClassName;
    return ::RegisterClassExW(&windowClass) != 0;
}

CShadowUI* CShadowUI::ForOwner(HWND owner)
{
    auto found = ShadowsByOwner().find(owner);
    return found == ShadowsByOwner().end() ? nullptr : found->second;
}

CShadowUI::~CShadowUI() { Detach(); }

void CShadowUI::Detach()
{
    if (!m_owner)
        return;
    // Give the owner its own procedure back so it keeps working without us.
    if (::IsWindow(m_owner) && m_ownerProc &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_owner, GWLP_WNDPROC)) == &CShadowUI::OwnerHook)
        ::SetWindowLongPtrW(m_owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_ownerProc));
    if (m_shadowWindow && ::IsWindow(m_shadowWindow))
        ::DestroyWindow(m_shadowWindow);
    m_shadowWindow = nullptr;
    auto found = ShadowsByOwner().find(m_owner);
    if (found != ShadowsByOwner().end() && found->second == this)
        ShadowsByOwner().erase(found);
    m_owner = nullptr;
    m_status = 0;
}

void CShadowUI::AttachTo(CWindowContextUI* context)
{
    if (context)
        AttachToWindow(context->Window(), context);
}

void CShadowUI::AttachToWindow(HWND owner, IRenderResourcesUI* images)
{
    if (!m_wanted || !owner || !::IsWindow(owner) || ForOwner(owner) || m_owner)
        return;
    HINSTANCE module = CSkinSource::AppModule() ? CSkinSource::AppModule() : ::GetModuleHandleW(nullptr);
    if (!RegisterWindowClass(module))
        return;

    const LONG_PTR ownerStyle = ::GetWindowLongPtrW(owner, GWL_STYLE);
    HWND shadow = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClassName, nullptr,
                                    WS_POPUP | DWORD(ownerStyle & WS_DLGFRAME), 0, 0, 0, 0, owner, nullptr, module,
                                    nullptr);
    if (!shadow)
        return;
    m_images = images;
    m_owner = owner;
    m_shadowWindow = shadow;
    ShadowsByOwner()[owner] = this;

    if (!::IsWindowVisible(owner)) {
        m_status = STATUS_ENABLED;
    } else if (::IsIconic(owner) || ::IsZoomed(owner)) {
        m_status = STATUS_ENABLED | STATUS_OWNER_SHOWN;
    } else {
        m_status = STATUS_ENABLED | STATUS_SHOWN | STATUS_OWNER_SHOWN;
        ::ShowWindow(m_shadowWindow, SW_SHOWNOACTIVATE);
        Repaint(owner);
    }
    RECT client = {};
    ::GetClientRect(owner, &client);
    m_lastWidth = WORD(client.right);
    m_lastHeight = WORD(client.bottom);

    m_ownerProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CShadowUI::OwnerHook)));
}

void CShadowUI::Show(bool flag)
{
    m_wanted = flag;
    if (m_shadowWindow)
        ::ShowWindow(m_shadowWindow, flag ? SW_SHOWNORMAL : SW_HIDE);
}

void CShadowUI::RepaintIfShown()
{
    if (m_shadowWindow && m_owner && (m_status & STATUS_SHOWN))
        Repaint(m_owner);
}

bool CShadowUI::SetSpread(int size)
{
    if (!InRange(size, -20, 20))
        return false;
    m_size = size;
    RepaintIfShown();
    return true;
}

bool CShadowUI::SetEdgeSoftness(int sharpness)
{
    if (!InRange(sharpness, 0, 20))
        return false;
    m_sharpness = sharpness;
    RepaintIfShown();
    return true;
}

bool CShadowUI::SetOpacityLevel(int darkness)
{
    if (!InRange(darkness, 0, 255))
        return false;
    m_darkness = darkness;
    RepaintIfShown();
    return true;
}

bool CShadowUI::SetOffset(int x, int y)
{
    if (!InRange(x, -20, 20) || !InRange(y, -20, 20))
        return false;
    m_offsetX = x;
    m_offsetY = y;
    RepaintIfShown();
    return true;
}

bool CShadowUI::SetColour(DWORD rgb)
{
    m_colour = rgb & 0xFFFFFF;
    RepaintIfShown();
    return true;
}

bool CShadowUI::UseImage(const std::wstring& name)
{
    m_imageName = name;
    m_imageMode = !name.empty();
    RepaintIfShown();
    return true;
}

bool CShadowUI::SetCorner(int left, int top, int right, int bottom)
{
    if (left < 0 || top < 0 || right < 0 || bottom < 0)
        return false;
    m_corner = RECT{left, top, right, bottom};
    RepaintIfShown();
    return true;
}

POINT CShadowUI::ShadowOrigin(const RECT& ownerRect) const
{
    if (m_imageMode)
        return POINT{ownerRect.left - m_corner.left, ownerRect.top - m_corner.top};
    return POINT{ownerRect.left + m_offsetX - m_size, ownerRect.top + m_offsetY - m_size};
}

void CShadowUI::Repaint(HWND owner)
{
    if (!m_shadowWindow || !owner)
        return;
    RECT ownerRect = {};
    if (!::GetWindowRect(owner, &ownerRect))
        return;
    const int ownerWidth = ownerRect.right - ownerRect.left;
    const int ownerHeight = ownerRect.bottom - ownerRect.top;
    int marginX = 2 * m_size;
    int marginY = 2 * m_size;
    if (m_imageMode) {
        if (m_imageName.empty())
            return;
        marginX = m_corner.left + m_corner.right;
        marginY = m_corner.top + m_corner.bottom;
    }
    const int width = ownerWidth + marginX;
    const int height = ownerHeight + marginY;

    CWindowDc screen(nullptr);
    CPaintBuffer buffer;
    if (!buffer.CreateTopDown(screen.Get(), width, height))
        return;

    if (m_imageMode) {
        TImageRecord* image = m_images ? m_images->LookupOrCacheImage(m_imageName, std::wstring(), 0, false) : nullptr;
        if (!image || !image->bitmap)
            return;
        const RECT whole = {0, 0, width, height};
        const RECT source = {0, 0, image->width, image->height};
        // The hole keeps the owner's own area transparent.
        CRenderKit::BlitNineGrid(buffer.Dc(), image->bitmap.Get(), whole, whole, source, m_corner, image->hasAlpha, 255,
                                 true);
    } else {
        CRegion region(::CreateRectRgn(0, 0, 0, 0));
        const bool shaped = region && ::GetWindowRgn(owner, region.Get()) != ERROR;
        const std::vector<TRowSpan> rows = RegionRowSpans(shaped ? region.Get() : nullptr, ownerWidth, ownerHeight);
        TShadowShapeParams params;
        params.size = m_size;
        params.sharpness = m_sharpness;
        params.darkness = m_darkness;
        params.offsetX = m_offsetX;
        params.offsetY = m_offsetY;
        params.rgb = m_colour;
        const std::vector<DWORD> pixels = ComputeShadowPixels(ownerWidth, ownerHeight, rows, params);
        if (pixels.size() != size_t(width) * size_t(height))
            return;
        ::GdiFlush();
        std::memcpy(buffer.Pixels(), pixels.data(), pixels.size() * sizeof(DWORD));
    }

    POINT origin = ShadowOrigin(ownerRect);
    SIZE extent = {width, height};
    POINT sourceOrigin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::SetWindowPos(m_shadowWindow, nullptr, origin.x, origin.y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ::UpdateLayeredWindow(m_shadowWindow, nullptr, &origin, &extent, buffer.Dc(), &sourceOrigin, 0, &blend, ULW_ALPHA);
}

void CShadowUI::OnOwnerSize(HWND owner, WPARAM wParam, LPARAM lParam)
{
    if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
        ::ShowWindow(m_shadowWindow, SW_HIDE);
        m_status &= ~STATUS_SHOWN;
        return;
    }
    if (m_status & STATUS_OWNER_SHOWN) {
        const WORD width = LOWORD(lParam);
        const WORD height = HIWORD(lParam);
        // A larger owner paints new area first; drawing the shadow then avoids a flash of it.
        if (width > m_lastWidth || height > m_lastHeight)
            m_repaintPending = true;
        else
            Repaint(owner);
        if (!(m_status & STATUS_SHOWN)) {
            ::ShowWindow(m_shadowWindow, SW_SHOWNOACTIVATE);
            m_status |= STATUS_SHOWN;
        }
    }
    m_lastWidth = LOWORD(lParam);
    m_lastHeight = HIWORD(lParam);
}

void CShadowUI::OnOwnerShow(bool shown)
{
    if (shown) {
        if (m_status & STATUS_OWNER_SHOWN)
            return;
        m_repaintPending = true;
        ::ShowWindow(m_shadowWindow, SW_SHOWNOACTIVATE);
        m_status |= STATUS_SHOWN | STATUS_OWNER_SHOWN;
    } else {
        ::ShowWindow(m_shadowWindow, SW_HIDE);
        m_status &= ~(STATUS_SHOWN | STATUS_OWNER_SHOWN);
    }
}

void CShadowUI::OnOwnerMessage(HWND owner, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool enabled = (m_status & STATUS_ENABLED) != 0;
    switch (message) {
    case WM_DESTROY:
        if (m_shadowWindow)
            ::DestroyWindow(m_shadowWindow);
        m_shadowWindow = nullptr;
        m_status = 0;
        break;
    case WM_MOVE:
        if (enabled && m_shadowWindow) {
            RECT ownerRect = {};
            ::GetWindowRect(owner, &ownerRect);
            const POINT origin = ShadowOrigin(ownerRect);
            ::SetWindowPos(m_shadowWindow, nullptr, origin.x, origin.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    case WM_SIZE:
        if (enabled && m_shadowWindow)
            OnOwnerSize(owner, wParam, lParam);
        break;
    case WM_PAINT:
        if (m_repaintPending) {
            Repaint(owner);
            m_repaintPending = false;
        }
        break;
    case WM_SHOWWINDOW:
        if (enabled && m_shadowWindow)
            OnOwnerShow(wParam != 0);
        break;
    case WM_DISPLAYCHANGE:
        ::SetTimer(owner, kDisplayChangeTimer, 200, nullptr);
        break;
    case WM_TIMER:
        if (wParam == kDisplayChangeTimer) {
            ::KillTimer(owner, kDisplayChangeTimer);
            Repaint(owner);
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE)
            m_repaintPending = true;
        break;
    case WM_EXITSIZEMOVE:
        if (m_status & STATUS_SHOWN)
            Repaint(owner);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK CShadowUI::OwnerHook(HWND owner, UINT message, WPARAM wParam, LPARAM lParam)
{
    CShadowUI* shadow = ForOwner(owner);
    if (!shadow)
        return ::DefWindowProcW(owner, message, wParam, lParam);
    shadow->OnOwnerMessage(owner, message, wParam, lParam);
    const WNDPROC ownerProc = shadow->m_ownerProc;
    if (message == WM_NCDESTROY) {
        // The window is gone after this message; so is the shadow's tie to it.
        ShadowsByOwner().erase(owner);
        shadow->m_owner = nullptr;
        shadow->m_shadowWindow = nullptr;
        shadow->m_status = 0;
    }
    return ::CallWindowProcW(ownerProc, owner, message, wParam, lParam);
}

} // namespace SkinUI
