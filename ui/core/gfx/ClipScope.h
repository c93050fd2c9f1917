#pragma once
// A clipping step of one paint: the device context's clipping is narrowed to
// a rectangle (or a rounded rectangle) and put back when the scope ends.
#include "base/ScopedHandle.h"

#include <windows.h>

namespace SkinUI {

class CClipScope {
public:
    CClipScope() = default;
    ~CClipScope() { End(); }
    CClipScope(const CClipScope&) = delete;
    CClipScope& operator=(const CClipScope&) = delete;

    // Narrows `dc` to `rect` (and the rounded rectangle when given) within its
    // current clipping. A scope that is already active ends first.
    bool Begin(HDC dc, const RECT& rect);
    bool BeginRounded(HDC dc, const RECT& rect, const RECT& roundRect, int ellipseWidth, int ellipseHeight);
    // Switch between the clipping found at the start and the narrowed one.
    void UseSaved() const;
    void UseScope() const;
    // Restores the clipping found at the start and frees both regions.
    void End();

    bool Active() const { return m_dc != nullptr; }
    const RECT& Rect() const { return m_rect; }

private:
    bool Start(HDC dc, const RECT& rect, CRegion scope);

    HDC m_dc = nullptr;
    RECT m_rect = {};
    CRegion m_saved; // the clipping at the start; none when the DC had no clip region
    CRegion m_scope;
};

} // namespace SkinUI
