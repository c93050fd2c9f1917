// The paint sequence of the control base: background colour, images, state
// image, text and border, inside an optional rounded clip.
#include "ui/controls/ControlUI.h"

#include "ui/controls/ContextLink.h"
#include "ui/controls/RectMath.h"
#include "ui/core/gfx/RenderKit.h"

namespace SkinUI {

void CControlUI::render(HDC dc, const RECT& request)
{
    if (!Intersect(m_paintRect, request, m_rect))
        return;
    CClipScope roundClip;
    if (m_borderRound.cx > 0 || m_borderRound.cy > 0)
        CRenderKit::ClipToRoundRect(dc, m_paintRect, m_rect, m_borderRound.cx, m_borderRound.cy, roundClip);
    drawBackColour(dc);
    drawBackImage(dc);
    drawForeImage(dc);
    drawStateImage(dc);
    drawText(dc);
    drawBorder(dc);
}

void CControlUI::drawBackColour(HDC dc)
{
    if (m_backColour == 0)
        return;
    const DWORD first = adjustedColour(m_backColour);
    if (m_backColour2 != 0 && m_backColour3 != 0) {
        const DWORD second = adjustedColour(m_backColour2);
        const DWORD third = adjustedColour(m_backColour3);
        const LONG middle = (m_rect.top + m_rect.bottom) / 2;
        CRenderKit::FillTwoTone(dc, RECT{m_rect.left, m_rect.top, m_rect.right, middle}, first, second, true, 8);
        CRenderKit::FillTwoTone(dc, RECT{m_rect.left, middle, m_rect.right, m_rect.bottom}, second, third, true, 8);
    } else if (m_backColour2 != 0) {
        CRenderKit::FillTwoTone(dc, m_rect, first, adjustedColour(m_backColour2), true, 16);
    } else if (first >= 0xFF000000) {
        CRenderKit::FillArgb(dc, m_paintRect, first);
    } else {
        // A translucent fill covers the whole control so that repeated partial
        // paints blend the same way.
        CRenderKit::FillArgb(dc, m_rect, first);
    }
}

void CControlUI::drawBackImage(HDC dc) { drawImageSpec(dc, m_backImage); }
void CControlUI::drawForeImageSpare(HDC dc) { drawImageSpec(dc, m_foreImage); }
void CControlUI::drawForeImage(HDC dc) { drawImageSpec(dc, m_foreImage); }
void CControlUI::drawStateImage(HDC) {}
void CControlUI::drawText(HDC) {}

void CControlUI::drawBorder(HDC dc)
{
    if (m_borderColour == 0 && m_focusBorderColour == 0)
        return;
    const bool focusColoured = m_focused && m_focusBorderColour != 0;
    if (m_borderSize > 0 && (m_borderRound.cx > 0 || m_borderRound.cy > 0)) {
        const DWORD colour = focusColoured ? m_focusBorderColour : m_borderColour;
        CRenderKit::StrokeRoundFrame(dc, m_rect, m_borderSize, m_borderRound.cx, m_borderRound.cy,
                                     colour);
        return;
    }
    if (focusColoured && m_borderSize > 0) {
        CRenderKit::StrokeFrame(dc, m_rect, m_borderSize, m_focusBorderColour);
        return;
    }
    const RECT& sides = m_sideBorders;
    if (sides.left > 0 || sides.top > 0 || sides.right > 0 || sides.bottom > 0) {
        const DWORD colour = m_borderColour;
        const RECT& r = m_rect;
        if (sides.left > 0)
            CRenderKit::StrokeLine(dc, RECT{r.left, r.top, r.left, r.bottom}, sides.left, colour, m_borderStyle);
        if (sides.top > 0)
            CRenderKit::StrokeLine(dc, RECT{r.left, r.top, r.right, r.top}, sides.top, colour, m_borderStyle);
        if (sides.right > 0)
            CRenderKit::StrokeLine(dc, RECT{r.right, r.top, r.right, r.bottom}, sides.right, colour, m_borderStyle);
        if (sides.bottom > 0)
            CRenderKit::StrokeLine(dc, RECT{r.left, r.bottom, r.right, r.bottom}, sides.bottom, colour,
                                   m_borderStyle);
        return;
    }
    if (m_borderSize > 0)
        CRenderKit::StrokeFrame(dc, m_rect, m_borderSize, m_borderColour);
}

void CControlUI::drawAfter(HDC, const RECT&) {}

DWORD CControlUI::adjustedColour(DWORD argb) const { return m_useHsl ? CRenderKit::ShiftArgbHsl(argb) : argb; }

bool CControlUI::drawImageSpec(HDC dc, TImageDrawInfo& image, float rotation)
{
    // Without a context there is no image cache to resolve through; the
    // descriptor stays untouched so that it loads once the control is bound.
    IRenderResourcesUI* resources = ContextLink::RenderResources(m_context);
    if (!resources)
        return false;
    // Without a DC only the loading part runs: an empty paint rectangle
    // meets nothing.
    const RECT paintArea = dc ? m_paintRect : RECT{};
    return CRenderKit::PaintImageAttr(dc, resources, m_rect, paintArea, image, rotation);
}

} // namespace SkinUI
