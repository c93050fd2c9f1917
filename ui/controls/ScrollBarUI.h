#pragma once
// A scroll bar of a container (or on its own): two step buttons, a thumb that
// can be dragged and a track that pages, with press-and-hold repeat.
#include "ui/controls/ControlUI.h"

namespace SkinUI {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    // The timer that applies drags and repeats held presses.
    static constexpr UINT kRepeatTimerId = 10;
    static constexpr UINT kRepeatPeriodMs = 50;
    // Ticks of the repeat timer before a held press starts repeating.
    static constexpr int kRepeatDelayTicks = 5;

    CScrollBarUI();

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void render(HDC dc, const RECT& request) override;

    bool isHorizontal() const { return m_horizontal; }
    // Swaps the thickness between the preset width and height, then asks the
    // owner to lay out again.
    void assignHorizontal(bool horizontal);
    int range() const { return m_range; }
    void assignRange(int range);
    int position() const { return m_position; }
    void assignPosition(int position);
    int lineSize() const { return m_lineSize; }
    void assignLineSize(int size) { m_lineSize = size; }
    int minThumbLength() const { return m_minThumbLength; }
    void assignMinThumbLength(int length) { m_minThumbLength = length; }
    CContainerUI* owner() const { return m_owner; }
    void assignOwner(CContainerUI* owner) { m_owner = owner; }

    bool showsFirstButton() const { return m_first.visible; }
    bool showsSecondButton() const { return m_second.visible; }
    const RECT& firstButtonRect() const { return m_first.rect; }
    const RECT& secondButtonRect() const { return m_second.rect; }
    const RECT& thumbRect() const { return m_thumb.rect; }
    UINT firstButtonState() const { return m_first.state; }
    UINT secondButtonState() const { return m_second.state; }
    UINT thumbState() const { return m_thumb.state; }
    int dragDelta() const { return m_dragDelta; }
    int repeatCount() const { return m_repeatCount; }
    // Thumb travel: the bar's length minus both buttons' thickness and the thumb.
    int freeTrackLength() const;

private:
    struct TBarPart {
        bool visible = true;
        UINT state = 0;
        RECT rect = {};
        DWORD colour = 0;
        TImageDrawInfo normal;
        TImageDrawInfo hot;
        TImageDrawInfo pushed;
        TImageDrawInfo disabled;
    };

    // The thickness across the bar and the length along it.
    int thickness() const;
    int length() const;
    // Positions along the bar's axis.
    int along(POINT point) const { return m_horizontal ? point.x : point.y; }
    int thumbStart() const { return m_horizontal ? m_thumb.rect.left : m_thumb.rect.top; }
    void placeParts();
    void stepBackward();
    void stepForward();
    void leapBackward();
    void leapForward();
    void applyDrag();
    void moveOnOwnBy(int delta);
    void onPress(POINT point);
    void onRelease();
    void onRepeatTick();
    void passToOwner(TInputEvent& event);
    RECT railRect() const;
    void drawPart(HDC dc, TBarPart& part, const RECT& rect);
    void drawPartImage(HDC dc, TImageDrawInfo& image, const RECT& rect);
    bool writePartAttribute(TBarPart& part, const std::wstring& key, const std::wstring& value);

    bool m_horizontal = false;
    int m_range = 100;
    int m_position = 0;
    int m_lineSize = 8;
    int m_minThumbLength = 0;
    CContainerUI* m_owner = nullptr;
    POINT m_pressPoint = {};
    int m_dragStartPosition = 0;
    int m_dragDelta = 0;
    int m_repeatCount = 0;
    TBarPart m_first;
    TBarPart m_second;
    TBarPart m_thumb;
    TBarPart m_bar;  // its state word and the "bk" images; rect and colour unused
    TBarPart m_rail; // the "rail" images; drawn by the thumb's state
};

} // namespace SkinUI
