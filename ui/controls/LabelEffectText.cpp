// The label's effect mode: text painted through GDI+ with a gradient brush,
// an optional shadow and an optional one-pixel stroke.
#include "ui/controls/LabelUI.h"

#include "ui/core/gfx/GdiPlusSession.h"
#include "ui/core/host/WindowContextUI.h"

#include <algorithm>
#include <gdiplus.h>

namespace SkinUI {

namespace {

Gdiplus::Color WithAlpha(int alpha, DWORD colour)
{
    return Gdiplus::Color((DWORD(alpha & 0xFF) << 24) | (colour & 0xFFFFFF));
}

// A band of `length` along the gradient's direction, starting at the rectangle's corner.
Gdiplus::RectF GradientBand(const Gdiplus::RectF& layout, float length)
{
    return Gdiplus::RectF(layout.X, layout.Y, std::max(1.0f, length), std::max(1.0f, length));
}

} // namespace

void CLabelUI::paintEffectText(HDC dc, const RECT& rect, DWORD textColour, DWORD textColour1)
{
    if (!EnsureGdiPlus() || m_effectText.empty())
        return;
    HFONT fontHandle = m_context ? m_context->FontByIndex(m_fontIndex) : nullptr;
    Gdiplus::Graphics graphics(dc);
    graphics.SetTextRenderingHint(static_cast<Gdiplus::TextRenderingHint>(m_renderHint));
    Gdiplus::Font font(dc, fontHandle ? fontHandle : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));

    // The effect path reads the style bits the other way round from the plain path.
    Gdiplus::StringFormat format;
    format.SetAlignment((m_textStyle & TEXT_VCENTER)  ? Gdiplus::StringAlignmentCenter
                        : (m_textStyle & TEXT_BOTTOM) ? Gdiplus::StringAlignmentFar
                                                      : Gdiplus::StringAlignmentNear);
    format.SetLineAlignment((m_textStyle & TEXT_CENTER)  ? Gdiplus::StringAlignmentCenter
                            : (m_textStyle & TEXT_RIGHT) ? Gdiplus::StringAlignmentFar
                                                         : Gdiplus::StringAlignmentNear);

    Gdiplus::RectF layout(float(rect.left), float(rect.top), float(rect.right - rect.left),
                          float(rect.bottom - rect.top));
    Gdiplus::RectF shadow = layout;
    shadow.Offset(m_shadowOffset[0], m_shadowOffset[1]);
    const float length = m_gradientLength != 0 ? float(m_gradientLength) : layout.Height;
    const float angle = float(m_gradientAngle);
    const wchar_t* text = m_effectText.c_str();
    const int count = int(m_effectText.size());

    if (m_strokeEnabled && m_strokeColour != 0) {
        Gdiplus::LinearGradientBrush stroke(GradientBand(layout, layout.Height + 2),
                                            WithAlpha(m_strokeAlpha, m_strokeColour),
                                            WithAlpha(m_strokeAlpha, m_strokeColour), angle, TRUE);
        const float moves[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& move : moves) {
            Gdiplus::RectF moved = layout;
            moved.Offset(move[0], move[1]);
            graphics.DrawString(text, count, &font, moved, &format, &stroke);
        }
    }
    if (m_shadowEnabled && (m_shadowColourA != 0 || m_shadowColourB != 0)) {
        DWORD shadowTo = m_shadowColourB != kNoColour ? m_shadowColourB : m_shadowColourA;
        Gdiplus::LinearGradientBrush shadowBrush(GradientBand(layout, length), WithAlpha(m_shadowAlpha, m_shadowColourA),
                                                 WithAlpha(m_shadowAlpha1, shadowTo), angle, TRUE);
        graphics.DrawString(text, count, &font, shadow, &format, &shadowBrush);
    }
    Gdiplus::LinearGradientBrush textBrush(GradientBand(layout, length), WithAlpha(m_textAlpha, textColour),
                                           WithAlpha(m_textAlpha1, textColour1), angle, TRUE);
    graphics.DrawString(text, count, &font, layout, &format, &textBrush);
}

} // namespace SkinUI
