#pragma once
// A slider drawn from parts: a left cap, a rail with a coloured fill up to the
// value, and a thumb. A press beside the thumb steps the value by one; a drag
// sets it from the pointer.
#include "ui/controls/ControlUI.h"

namespace SkinUI {

class CSliderCtrlEx : public CControlUI {
public:
    ~CSliderCtrlEx() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    UINT inputTraits() const override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void drawStateImage(HDC dc) override;

    int maxValue() const { return m_maxValue; }
    void assignMax(int value);
    int minValue() const { return m_minValue; }
    void assignMin(int value);
    int currentValue() const { return m_value; }
    // Clamped to [minValue, maxValue].
    void assignValue(int value);

    UINT state() const { return m_state; }
    float pixelsPerUnit() const { return m_pixelsPerUnit; }
    // The thumb as last painted, in window coordinates.
    const RECT& thumbRectangle() const { return m_thumbRectangle; }
    SIZE thumbSize() const { return SIZE{m_thumbWidth, m_thumbHeight}; }
    // The value whose thumb is centred at `x` (window coordinates).
    int valueAt(int x) const;

private:
    // Draws `image` over `dest` (control coordinates) instead of its own placement.
    void drawImageAt(HDC dc, TImageDrawInfo& image, const RECT& dest);
    void replaceImage(TImageDrawInfo& image, const std::wstring& text);
    void stepBesideThumb(POINT point);

    int m_maxValue = 100;
    int m_minValue = 0;
    int m_value = 0;
    float m_pixelsPerUnit = 0.0f;
    UINT m_state = 0;
    bool m_notifyWhileDragging = false;
    TImageDrawInfo m_thumbImage;
    TImageDrawInfo m_leftImage;
    TImageDrawInfo m_railImage;
    TImageDrawInfo m_thumbDisabledImage;
    TImageDrawInfo m_leftDisabledImage;
    DWORD m_railColour = 0xFFFF0000;
    DWORD m_railDisabledColour = 0;
    int m_railHeight = 0;
    int m_leftWidth = 0;
    RECT m_thumbRectangle = {};
    int m_thumbWidth = 10;
    int m_thumbHeight = 10;
};

} // namespace SkinUI
