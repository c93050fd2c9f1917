#pragma once
// A progress bar draws its bar image over the share of its rectangle that the
// value covers; a slider adds a thumb moved by dragging or by the wheel.
#include "ui/controls/LabelUI.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    ~CProgressUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void drawStateImage(HDC dc) override;

    bool isHorizontal() const { return m_horizontal; }
    // The setters store the number as given and repaint; paint time corrects it.
    int maxValue() const { return m_maxValue; }
    void assignMax(int value);
    int minValue() const { return m_minValue; }
    void assignMin(int value);
    int currentValue() const { return m_value; }
    void assignValue(int value);

protected:
    // Draws `image` with its destination replaced by `dest` (control coordinates).
    bool drawImageAt(HDC dc, TImageDrawInfo& image, const RECT& dest);
    // Replaces an image only when its text changed or nothing was loaded, then repaints.
    void assignProgressImage(TImageDrawInfo& image, const std::wstring& text);

    bool m_horizontal = true;
    bool m_stretchFore = true;
    int m_maxValue = 100;
    int m_minValue = 0;
    int m_value = 0;
    TImageDrawInfo m_barImage;
};

class CSliderUI : public CProgressUI {
public:
    CSliderUI();
    ~CSliderUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    UINT inputTraits() const override;
    void assignOperable(bool enabled) override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void drawStateImage(HDC dc) override;

    int stepValue() const { return m_step; }
    void assignStep(int step) { m_step = step; }
    void assignThumbSize(int cx, int cy)
    {
        m_thumbWidth = cx;
        m_thumbHeight = cy;
    }
    SIZE thumbSize() const { return SIZE{m_thumbWidth, m_thumbHeight}; }
    UINT state() const { return m_state; }
    // The thumb in window coordinates.
    RECT thumbRect() const;
    // The value the pointer stands for while dragging.
    int valueAt(POINT point) const;

private:
    int m_thumbWidth = 10;
    int m_thumbHeight = 10;
    UINT m_state = 0;
    int m_step = 1;
    TImageDrawInfo m_thumbImage;
    TImageDrawInfo m_thumbHotImage;
    TImageDrawInfo m_thumbPushedImage;
    TImageDrawInfo m_thumbDisabledImage;
    TImageDrawInfo m_disabledBarImage;
    TImageDrawInfo m_normalBarImage;
};

} // namespace SkinUI
