// Plain text through GDI and anti-aliased text through GDI+.
#include "ui/core/gfx/RenderKit.h"

#include "ui/core/gfx/GdiPlusSession.h"
#include "ui/core/res/LanguageText.h"

#include <gdiplus.h>

namespace SkinUI {

namespace {

std::wstring Translated(IRenderResourcesUI* context, const std::wstring& text)
{
    if (!context)
        return text;
    return SubstituteLanguageTexts(text, [context](const std::wstring& id, std::wstring& value) {
        return context->LanguageText(id, value);
    });
}

HFONT FontOf(IRenderResourcesUI* context, int fontIndex)
{
    HFONT font = context ? context->FontByIndex(fontIndex) : nullptr;
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void PaintTextGdiPlus(HDC dc, HFONT font, RECT& rect, const std::wstring& text, DWORD argb, UINT format, BYTE alpha)
{
    if (!EnsureGdiPlus())
        return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
    Gdiplus::Font gdipFont(dc, font);
    if (gdipFont.GetLastStatus() != Gdiplus::Ok)
        return;
    Gdiplus::SolidBrush brush(Gdiplus::Color((DWORD(alpha) << 24) | (argb & 0xFFFFFF)));

    std::unique_ptr<Gdiplus::StringFormat> stringFormat(Gdiplus::StringFormat::GenericTypographic()->Clone());
    if (!stringFormat)
        return;
    INT flags = 0;
    if (format & DT_END_ELLIPSIS)
        stringFormat->SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    if (format & DT_NOCLIP)
        flags |= Gdiplus::StringFormatFlagsNoClip;
    if (format & DT_SINGLELINE)
        flags |= Gdiplus::StringFormatFlagsNoWrap;
    stringFormat->SetFormatFlags(flags);
    stringFormat->SetAlignment((format & DT_CENTER)  ? Gdiplus::StringAlignmentCenter
                               : (format & DT_RIGHT) ? Gdiplus::StringAlignmentFar
                                                     : Gdiplus::StringAlignmentNear);
    stringFormat->SetLineAlignment((format & DT_VCENTER)  ? Gdiplus::StringAlignmentCenter
                                   : (format & DT_BOTTOM) ? Gdiplus::StringAlignmentFar
                                                          : Gdiplus::StringAlignmentNear);

    const Gdiplus::RectF layout(Gdiplus::REAL(rect.left), Gdiplus::REAL(rect.top), Gdiplus::REAL(rect.right - rect.left),
                                Gdiplus::REAL(rect.bottom - rect.top));
    if (format & DT_CALCRECT) {
        Gdiplus::RectF bounds;
        graphics.MeasureString(text.c_str(), INT(text.size()), &gdipFont, layout, stringFormat.get(), &bounds);
        rect.right = rect.left + LONG(bounds.Width) + 1;
        rect.bottom = rect.top + LONG(bounds.Height) + 1;
        return;
    }
    graphics.DrawString(text.c_str(), INT(text.size()), &gdipFont, layout, stringFormat.get(), &brush);
}

} // namespace

void CRenderKit::PaintText(HDC dc, IRenderResourcesUI* context, RECT& rect, const std::wstring& text, DWORD argb,
                           int fontIndex, UINT format, bool useGdiPlus, BYTE alpha)
{
    if (!dc)
        return;
    const std::wstring shown = Translated(context, text);
    HFONT font = FontOf(context, fontIndex);
    if (useGdiPlus) {
        PaintTextGdiPlus(dc, font, rect, shown, argb, format, alpha);
        return;
    }
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = ::SetTextColor(dc, ArgbToColorRef(argb));
    {
        CSelectObject selectFont(dc, font);
        ::DrawTextW(dc, shown.c_str(), int(shown.size()), &rect, format | DT_NOPREFIX);
    }
    ::SetTextColor(dc, previousColour);
    ::SetBkMode(dc, previousMode);
}

} // namespace SkinUI
