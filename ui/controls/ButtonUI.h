#pragma once
// Buttons: a label with a state word (hot, pushed, captured, focused,
// disabled), an image and text colour per state, and "click" on release
// inside itself or on Space/Enter.
#include "ui/controls/LabelUI.h"

namespace SkinUI {

class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    ~CButtonUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    UINT inputTraits() const override;
    bool fireAction() override;
    void assignOperable(bool enabled) override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE measure(SIZE available) override;
    void drawStateImage(HDC dc) override;
    void drawText(HDC dc) override;

    UINT state() const { return m_state; }
    int imageAngle() const { return m_imageAngle; }

protected:
    // Draws an image of the button at its rotation angle; false when nothing was drawn.
    bool drawButtonImage(HDC dc, TImageDrawInfo& image);
    // `normal` when `image` draws nothing.
    void drawImageOrNormal(HDC dc, TImageDrawInfo& image);
    void drawForeImageAgain(HDC dc);
    void refreshPaintState();
    // Replaces an image only when its text changed or nothing was loaded.
    void assignButtonImage(TImageDrawInfo& image, const std::wstring& text);
    void drawButtonStateImage(HDC dc, UINT state);
    void drawButtonText(HDC dc, UINT state);
    void fillPaintRect(HDC dc, DWORD argb);
    void drawRoundFill(HDC dc);

    UINT m_state = 0;
    DWORD m_hotBackColour = 0;
    DWORD m_disabledBackColour = 0;
    DWORD m_hotTextColour = 0;
    DWORD m_pushedTextColour = 0;
    DWORD m_focusedTextColour = 0;
    int m_imageAngle = 0;
    bool m_ellipseMode = false;
    RECT m_ellipsePadding = {};
    int m_ellipseShift[4] = {};
    TImageDrawInfo m_normalImage;
    TImageDrawInfo m_hotImage;
    TImageDrawInfo m_hotForeImage;
    TImageDrawInfo m_pushedImage;
    TImageDrawInfo m_pushedForeImage;
    TImageDrawInfo m_focusedImage;
    TImageDrawInfo m_disabledImage;
    TImageDrawInfo m_ellipseImage;
};

} // namespace SkinUI
