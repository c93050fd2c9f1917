// A button's round-fill mode: an image file used as a texture inside an anti-aliased ellipse.
#include "ui/controls/ButtonUI.h"

#include "ui/core/gfx/GdiPlusSession.h"

#include <gdiplus.h>

namespace SkinUI {

void CButtonUI::drawRoundFill(HDC dc)
{
    const int width = m_ellipsePadding.right - m_ellipsePadding.left;
    const int height = m_ellipsePadding.bottom - m_ellipsePadding.top;
    if (width <= 0 || height <= 0 || m_ellipseImage.source.empty() || !EnsureGdiPlus())
        return;
    Gdiplus::Image picture(m_ellipseImage.source.c_str());
    if (picture.GetLastStatus() != Gdiplus::Ok)
        return;
    Gdiplus::Bitmap scaled(width, height, PixelFormat32bppPARGB);
    {
        Gdiplus::Graphics canvas(&scaled);
        canvas.DrawImage(&picture, 0, 0, width, height);
    }
    const int left = m_rect.left + m_ellipsePadding.left;
    const int top = m_rect.top + m_ellipsePadding.top;
    Gdiplus::TextureBrush brush(&scaled);
    brush.TranslateTransform(Gdiplus::REAL(left + m_ellipseShift[0]), Gdiplus::REAL(top + m_ellipseShift[1]));
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.FillEllipse(&brush, left, top, width, height);
}

} // namespace SkinUI
