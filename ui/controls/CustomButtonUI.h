#pragma once
// A button that shows a title and a value beside its own text, each with its
// own font, padding, colour and hot colour.
#include "ui/controls/ButtonUI.h"

namespace SkinUI {

class CCustomButtonUI : public CButtonUI {
public:
    // One of the extra texts.
    struct TExtraText {
        std::wstring text;
        int fontIndex = -1;
        RECT padding = {};
        DWORD colour = 0;
        DWORD hotColour = 0;
    };

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void drawText(HDC dc) override;

    const TExtraText& title() const { return m_title; }
    const TExtraText& value() const { return m_value; }

private:
    void drawExtraText(HDC dc, const TExtraText& extra);

    TExtraText m_title;
    TExtraText m_value;
};

} // namespace SkinUI
