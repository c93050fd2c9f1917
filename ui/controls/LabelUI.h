#pragma once
// A control that paints text: colours, font, alignment, padding, optional
// inline markup, a width that follows the text, and a GDI+ effect mode with
// a colour gradient, a shadow and a stroke.
#include "ui/controls/ControlUI.h"

namespace SkinUI {

// DrawText flag values kept in a label's text style.
enum : UINT {
    TEXT_CENTER = 0x1,
    TEXT_RIGHT = 0x2,
    TEXT_VCENTER = 0x4,
    TEXT_BOTTOM = 0x8,
    TEXT_SINGLELINE = 0x20,
    TEXT_CALCRECT = 0x400,
    TEXT_EDITCONTROL = 0x2000,
    TEXT_END_ELLIPSIS = 0x8000,
};

// Applies the "align" keyword rule to a text style (first keyword found wins).
UINT ApplyAlignKeyword(UINT style, const std::wstring& value);

class CLabelUI : public CControlUI {
public:
    static constexpr DWORD kNoColour = 0xFFFFFFFF;

    CLabelUI();
    ~CLabelUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    std::wstring textValue() const override;
    void assignText(const std::wstring& text) override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE measure(SIZE available) override;
    void drawText(HDC dc) override;

    UINT textStyle() const { return m_textStyle; }
    void assignTextStyle(UINT style) { m_textStyle = style; }
    int fontIndex() const { return m_fontIndex; }
    DWORD textColour() const { return m_textColour; }
    DWORD disabledTextColour() const { return m_disabledTextColour; }
    RECT textPadding() const { return m_textPadding; }
    bool showsHtml() const { return m_showHtml; }
    bool autoCalcWidth() const { return m_autoCalcWidth; }
    int renderHint() const { return m_renderHint; }
    POINT shadowOffsetPoint() const { return POINT{LONG(m_shadowOffset[0]), LONG(m_shadowOffset[1])}; }

protected:
    // The item rectangle shrunk by the text padding: where the text goes.
    RECT textRect() const;
    // Takes the context's default colours for the ones not set, and keeps them.
    void resolveDefaultColours();
    // Height of the label's font plus `extra`; `extra` alone without a context.
    int fontHeightPlus(int extra) const;
    // Plain or markup text into `rect` (no link collection).
    void paintLabelText(HDC dc, RECT rect, DWORD colour, int fontIndex, UINT style);
    void paintEffectText(HDC dc, const RECT& rect, DWORD textColour, DWORD textColour1);

    DWORD m_textColour = 0;
    DWORD m_disabledTextColour = 0;
    int m_fontIndex = -1;
    int m_hoverFontIndex = -1;
    UINT m_textStyle = TEXT_VCENTER;
    RECT m_textPadding = {};
    bool m_showHtml = false;
    int m_shadowAlpha = 60;
    int m_shadowAlpha1 = 60;
    int m_textAlpha = 168;
    int m_textAlpha1 = 168;
    int m_strokeAlpha = 255;
    int m_gradientLength = 0;
    int m_gradientAngle = 0;
    bool m_effectEnabled = false;
    bool m_strokeEnabled = false;
    bool m_shadowEnabled = false;
    DWORD m_textColour1 = kNoColour;
    DWORD m_shadowColourA = 0xFF000000;
    DWORD m_shadowColourB = kNoColour;
    DWORD m_strokeColour = 0;
    float m_shadowOffset[2] = {0, 0};
    std::wstring m_effectText;
    int m_renderHint = 0;
    bool m_autoCalcWidth = false;
};

// A label that wraps, measures its height from its text and turns the links
// of its markup into clickable areas sending "link".
class CTextUI : public CLabelUI {
public:
    static constexpr int kMaxLinks = 8;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    UINT inputTraits() const override;
    void assignText(const std::wstring& text) override;
    void handleInput(TInputEvent& event) override;
    SIZE measure(SIZE available) override;
    void drawText(HDC dc) override;

    int linkCount() const { return m_linkCount; }
    const RECT& linkRect(int index) const { return m_linkRects[index]; }
    const std::wstring& linkText(int index) const { return m_linkTexts[index]; }
    int hotLink() const { return m_hotLink; }

private:
    int linkAt(POINT point) const;

    int m_linkCount = 0;
    RECT m_linkRects[kMaxLinks] = {};
    std::wstring m_linkTexts[kMaxLinks];
    int m_hotLink = -1;
};

// A label that shows the hand cursor while the mouse is over it.
class CLabelUIEx : public CLabelUI {
public:
    void handleInput(TInputEvent& event) override;
    void drawText(HDC dc) override;
    bool mouseOver() const { return m_mouseOver; }

private:
    bool m_mouseOver = false;
};

} // namespace SkinUI
