#include "ui/controls/CustomButtonUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/res/ValueText.h"

#include <cwchar>

namespace SkinUI {

namespace {

// Applies the attribute `name` to `extra` when it is one of the five names
// built from `part` ("Title" or "Value"); false for any other name.
bool WriteExtraText(CCustomButtonUI::TExtraText& extra, const std::wstring& part, const std::wstring& name,
                    const std::wstring& value)
{
    if (name == part + L"Text")
        extra.text = value;
    else if (name == part + L"Font")
        extra.fontIndex = ReadIntValue(value);
    else if (name == L"text" + part + L"padding")
        extra.padding = ParseRectText(value);
    else if (name == part + L"textcolor")
        extra.colour = ParseColourText(value);
    else if (name == L"hot" + part + L"textcolor")
        extra.hotColour = ParseColourText(value);
    else
        return false;
    return true;
}

} // namespace

const wchar_t* CCustomButtonUI::typeName() const
{
    return L"CCustomButtonUI";
}

void* CCustomButtonUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"CustonButton") == 0)
        return this;
    return CButtonUI::queryFacet(facet);
}

void CCustomButtonUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (WriteExtraText(m_title, L"Title", name, value) || WriteExtraText(m_value, L"Value", name, value)) {
        requestRepaint();
        return;
    }
    CButtonUI::writeAttribute(name, value);
}

void CCustomButtonUI::drawText(HDC dc)
{
    CButtonUI::drawText(dc);
    drawExtraText(dc, m_title);
    drawExtraText(dc, m_value);
}

void CCustomButtonUI::drawExtraText(HDC dc, const TExtraText& extra)
{
    if (extra.text.empty())
        return;
    const DWORD colour = (m_state & STATE_HOT) && extra.hotColour != 0 ? extra.hotColour : extra.colour;
    RECT rect = {m_rect.left + extra.padding.left, m_rect.top + extra.padding.top, m_rect.right - extra.padding.right,
                 m_rect.bottom - extra.padding.bottom};
    CRenderKit::PaintText(dc, ContextLink::RenderResources(m_context), rect, extra.text, colour, extra.fontIndex,
                          m_textStyle);
}

} // namespace SkinUI
