#include "ui/core/gfx/ClipScope.h"

namespace SkinUI {

bool CClipScope::Begin(HDC dc, const RECT& rect)
{
    return Start(dc, rect, CRegion(::CreateRectRgnIndirect(&rect)));
}

bool CClipScope::BeginRounded(HDC dc, const RECT& rect, const RECT& roundRect, int ellipseWidth, int ellipseHeight)
{
    CRegion scope(::CreateRectRgnIndirect(&rect));
    CRegion round(::CreateRoundRectRgn(roundRect.left, roundRect.top, roundRect.right + 1, roundRect.bottom + 1,
                                       ellipseWidth, ellipseHeight));
    if (!scope || !round)
        return false;
    ::CombineRgn(scope.Get(), scope.Get(), round.Get(), RGN_AND);
    return Start(dc, rect, std::move(scope));
}

bool CClipScope::Start(HDC dc, const RECT& rect, CRegion scope)
{
    End();
    if (!dc || !scope)
        return false;
    // The exact clip region is kept (rather than its bounding box) so that
    // ending the scope gives back precisely what was there, including "none".
    CRegion saved(::CreateRectRgn(0, 0, 0, 0));
    if (!saved)
        return false;
    if (::GetClipRgn(dc, saved.Get()) == 1)
        ::CombineRgn(scope.Get(), scope.Get(), saved.Get(), RGN_AND);
    else
        saved.Reset();
    m_dc = dc;
    m_rect = rect;
    m_saved = std::move(saved);
    m_scope = std::move(scope);
    UseScope();
    return true;
}

void CClipScope::UseSaved() const
{
    if (m_dc)
        ::SelectClipRgn(m_dc, m_saved.Get()); // a null region removes the clipping
}

void CClipScope::UseScope() const
{
    if (m_dc)
        ::SelectClipRgn(m_dc, m_scope.Get());
}

void CClipScope::End()
{
    if (!m_dc)
        return;
    UseSaved();
    m_dc = nullptr;
    m_saved.Reset();
    m_scope.Reset();
}

} // namespace SkinUI
