#pragma once
// A switch with several positions: a knob image slides over the background
// between `min` and `max`, by dragging it or by pressing beside it.
#include "ui/controls/ButtonUI.h"

namespace SkinUI {

class CButtonSwitchExUI : public CButtonUI {
public:
    static constexpr UINT kDragTimerId = 10;
    static constexpr UINT kDragTimerMs = 50;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void assignOperable(bool enabled) override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void render(HDC dc, const RECT& request) override;

    int position() const { return m_position; }
    int minPosition() const { return m_minPosition; }
    int maxPosition() const { return m_maxPosition; }
    int dragOffset() const { return m_dragOffset; }
    const TImageDrawInfo& knobImageInfo() const { return m_normalImage; }
    void setPosition(int position, bool notify);

private:
    // Pixels the knob may travel: the width not covered by the knob.
    int knobSpan() const;
    // Left of the knob at the current position, relative to the control.
    int knobBase() const;
    // The position whose knob centre lies nearest to client x.
    int positionAt(int x) const;
    // Writes the knob as the normal image, shifted by `dragOffset`.
    void rebuildKnobImage();

    std::wstring m_knobImage;
    std::wstring m_disabledKnobImage;
    std::wstring m_enabledBackImage;
    std::wstring m_disabledBackImage;
    int m_knobHeight = 0;
    int m_knobWidth = 0;
    int m_maxPosition = 0;
    int m_minPosition = 0;
    int m_position = 0;
    int m_dragOffset = 0;
    RECT m_knobRect = {};
    POINT m_pressPoint = {};
};

} // namespace SkinUI
