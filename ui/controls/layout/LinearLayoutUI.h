#pragma once
// What the vertical and horizontal layouts share: the optional separator band
// along one edge that the user drags to resize the layout, and the lock held
// while a layout pass walks the children.
#include "base/ScopedHandle.h"
#include "ui/controls/ContainerUI.h"

namespace SkinUI {

class CLinearLayoutUI : public CContainerUI {
public:
    UINT inputTraits() const override;
    void handleInput(TInputEvent& event) override;
    void drawAfter(HDC dc, const RECT& request) override;

    int separatorSize() const { return m_sepSize; }
    void assignSeparatorSize(int size) { m_sepSize = size; }
    bool separatorImmediate() const { return m_sepImmediate; }
    void assignSeparatorImmediate(bool immediate) { m_sepImmediate = immediate; }
    bool separatorCaptured() const { return (m_sepState & STATE_CAPTURED) != 0; }
    const RECT& dragRect() const { return m_dragRect; }
    // The band the user grabs: |size| pixels at the leading edge for a
    // negative size, else at the trailing edge; from the drag rectangle while
    // dragging.
    RECT separatorBand() const;

protected:
    // `vertical`: the band lies along the top or bottom edge and resizes the height.
    explicit CLinearLayoutUI(bool vertical) : m_vertical(vertical) {}

    // Handles the separator's own events; false for everything else.
    bool handleSeparatorInput(TInputEvent& event);
    void dragSeparatorTo(POINT point);

    int m_sepSize = 0;
    UINT m_sepState = 0;
    POINT m_lastMouse = {};
    RECT m_dragRect = {};
    bool m_sepImmediate = false;
    // Re-entrant: a child's placement may lay this layout out again.
    CCriticalSection m_lock;

private:
    bool m_vertical;
};

} // namespace SkinUI
