#pragma once
// A control holding child controls: the child list and its ownership, the
// inner margin and the gap between children, the scroll bars, and the rules
// for painting, hit-testing, input bubbling and scrolling shared by every
// layout.
#include "ui/controls/ControlUI.h"

#include <vector>

namespace SkinUI {

class CScrollBarUI;

// The container facet through which children are added ("IContainer").
class IContainerUI {
public:
    virtual CControlUI* itemAt(int index) const = 0;
    virtual int indexOf(CControlUI* control) const = 0;
    virtual bool moveItem(CControlUI* control, int newIndex) = 0;
    virtual int itemCount() const = 0;
    virtual bool addItem(CControlUI* control) = 0;
    virtual bool insertItem(CControlUI* control, int index) = 0;
    virtual bool removeItem(CControlUI* control) = 0;
    virtual bool removeItemAt(int index) = 0;
    virtual void removeAllItems() = 0;

protected:
    ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    // CControlUI
    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    void shiftBy(int dx, int dy, bool invalidate = true) override;
    void assignShown(bool shown) override;
    void assignShownKeepFocus(bool shown) override;
    void assignOuterShown(bool shown) override;
    void assignOuterShownKeepFocus(bool shown) override;
    void assignTakesMouse(bool enabled) override;
    CControlUI* searchTree(TreeVisitor visitor, void* data, UINT flags) override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void render(HDC dc, const RECT& request) override;

    // IContainerUI
    CControlUI* itemAt(int index) const override;
    int indexOf(CControlUI* control) const override;
    bool moveItem(CControlUI* control, int newIndex) override;
    int itemCount() const override;
    bool addItem(CControlUI* control) override;
    bool insertItem(CControlUI* control, int index) override;
    bool removeItem(CControlUI* control) override;
    bool removeItemAt(int index) override;
    void removeAllItems() override;

    // Appended to the control's operations, in this order.
    virtual RECT innerMargin() const;
    virtual void assignInnerMargin(const RECT& inset);
    virtual int childGapValue() const;
    virtual void assignChildGap(int gap);
    virtual bool autoDestroysChildren() const;
    virtual void assignAutoDestroy(bool autoDestroy);
    virtual bool delaysDestroy() const;
    virtual void assignDelayedDestroy(bool delayed);
    virtual bool childrenTakeMouseValue() const;
    virtual void assignChildrenTakeMouse(bool enabled);
    // The first shown, operable "ListItem" child from `start` on; -1 when none.
    virtual int findSelectableItem(int start, bool forward) const;
    // (horizontal position, vertical position); 0 for a missing or hidden bar.
    virtual SIZE scrollOffset() const;
    // (horizontal range, vertical range); 0 for a missing or hidden bar.
    virtual SIZE scrollExtent() const;
    virtual void scrollTo(int cx, int cy);
    virtual void stepUp();
    virtual void stepDown();
    virtual void leapUp();
    virtual void leapDown();
    virtual void scrollToTop();
    virtual void scrollToBottom();
    virtual void stepLeft();
    virtual void stepRight();
    virtual void leapLeft();
    virtual void leapRight();
    virtual void scrollToLeftEnd();
    virtual void scrollToRightEnd();
    // A touch pan step of `delta` pixels, over the vertical bar or the content.
    virtual void panScroll(int delta, bool overBar);
    virtual void enableScrollBars(bool vertical, bool horizontal);
    virtual CScrollBarUI* verticalBar() const;
    virtual CScrollBarUI* horizontalBar() const;
    virtual void placeFloatingChild(int index);
    // Places the bars around `inner` and shows, sizes or hides the vertical
    // bar for content `neededHeight` high.
    virtual void fitScrollBars(const RECT& inner, int neededWidth, int neededHeight);

protected:
    bool isBarShown(const CScrollBarUI* bar) const;
    // The rectangle minus the inset and the preset sizes of the shown bars.
    RECT innerWithoutBars() const;
    // Lays the container out again at its own place (relative when floating).
    void relayoutInPlace(bool invalidate);
    // Destroys a child that left the list (later, through the context, when
    // `mayDefer` and destruction is delayed), or detaches it when children
    // are not destroyed.
    void disposeChild(CControlUI* child, bool mayDefer);
    // Bubbles an event the container does not handle itself.
    void passOnInput(TInputEvent& event);

    std::vector<CControlUI*> m_items;
    RECT m_inset = {};
    int m_childGap = 0;
    bool m_autoDestroy = true;
    bool m_delayedDestroy = true;
    bool m_childrenTakeMouse = true;
    bool m_inScrollFit = false;
    CScrollBarUI* m_vBar = nullptr;
    CScrollBarUI* m_hBar = nullptr;
    HICON m_icon = nullptr; // never set by this program: the "icon" look draws nothing
    bool m_drawIcon = false;

private:
    bool adopt(CControlUI* control);
    // Bounds the relayouts that showing and hiding the vertical bar trigger,
    // should children change height with the width the bar takes away.
    int m_scrollFitDepth = 0;
};

} // namespace SkinUI
