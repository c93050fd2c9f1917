#pragma once
// The root of every element of a skinned window: its rectangle and layout
// wishes, its look, its strings and state flags, its listener lists, the
// fixed paint sequence and the markup attributes it understands.
#include "ui/controls/Delegate.h"
#include "ui/core/gfx/ImageAttr.h"
#include "ui/controls/InputEvent.h"

#include <windows.h>

#include <string>

namespace SkinUI {

class CWindowContextUI;

// State bits of the label-derived controls that keep a state word.
enum : UINT {
    STATE_FOCUSED = 0x01,
    STATE_SELECTED = 0x02,
    STATE_DISABLED = 0x04,
    STATE_HOT = 0x08,
    STATE_PUSHED = 0x10,
    STATE_CAPTURED = 0x40,
    STATE_ROUNDFILL = 0x80,
};

// Bits answered by inputTraits.
enum : UINT {
    TRAIT_TABSTOP = 1, // Tab may move the focus here
    TRAIT_CURSOR = 2,  // the window context sends SetCursor events to the control
};

// Flags of searchTree.
enum : UINT {
    FIND_SHOWN = 0x01,                // skip hidden controls
    FIND_OPERABLE = 0x02,             // skip disabled controls
    FIND_HITTEST = 0x04,              // data is a POINT*; skip controls it misses or that ignore the mouse
    FIND_UPDATETEST = 0x08,           // skip controls the visitor already answers for
    FIND_TOPFIRST = 0x10,             // children last to first
    FIND_CONTAINER_FIRST = 0x80000000, // a container is offered to the visitor before its children
};

// Called by searchTree for each candidate; a non-null answer ends the search.
using TreeVisitor = CControlUI* (*)(CControlUI* control, void* data);

// Shares of the parent's width/height added to a floating control's position.
struct TAnchorFractions {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

class CControlUI {
public:
    CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // The virtual operations keep this order; every derived class appends its
    // own after them.
    virtual ~CControlUI();
    virtual std::wstring controlName() const;
    virtual void assignName(const std::wstring& name);
    virtual const wchar_t* typeName() const;
    // This object for "Control"; derived classes test their own facet first.
    virtual void* queryFacet(const wchar_t* facet);
    virtual UINT inputTraits() const;
    virtual bool fireAction();
    virtual CWindowContextUI* windowContext() const;
    virtual void bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit);
    virtual CControlUI* parentControl() const;
    virtual std::wstring textValue() const;
    virtual void assignText(const std::wstring& text);
    virtual RECT itemRect() const;
    virtual RECT rectInParent() const;
    virtual void placeAt(RECT rc, bool invalidate = true);
    virtual void shiftBy(int dx, int dy, bool invalidate = true);
    virtual int itemWidth() const;
    virtual int itemHeight() const;
    virtual int itemLeft() const;
    virtual int itemTop() const;
    virtual RECT outerMargin() const;
    virtual void assignOuterMargin(const RECT& margin);
    virtual SIZE floatOrigin() const;
    virtual void assignFloatOrigin(SIZE origin);
    virtual int presetWidth() const;
    virtual void assignPresetWidth(int width);
    virtual int presetHeight() const;
    virtual void assignPresetHeight(int height);
    virtual int lowerWidth() const;
    virtual void assignLowerWidth(int width);
    virtual int upperWidth() const;
    virtual void assignUpperWidth(int width);
    virtual int lowerHeight() const;
    virtual void assignLowerHeight(int height);
    virtual int upperHeight() const;
    virtual void assignUpperHeight(int height);
    virtual TAnchorFractions anchorFractions() const;
    virtual void assignAnchorFractions(const TAnchorFractions& fractions);
    virtual std::wstring hintText() const;
    virtual void assignHintText(const std::wstring& text);
    virtual void assignHintWidth(int width);
    virtual int hintWidth() const;
    virtual wchar_t accessKey() const;
    virtual void assignAccessKey(wchar_t key);
    virtual bool wantsMenu() const;
    virtual void assignWantsMenu(bool wanted);
    virtual const std::wstring& userText() const;
    virtual void assignUserText(const std::wstring& text);
    virtual UINT_PTR userTag() const;
    virtual void assignUserTag(UINT_PTR tag);
    virtual bool isShown() const;
    virtual void assignShown(bool shown);
    virtual void assignShownKeepFocus(bool shown);
    virtual void assignOuterShown(bool shown);
    virtual void assignOuterShownKeepFocus(bool shown);
    virtual bool isOperable() const;
    virtual void assignOperable(bool enabled);
    virtual bool takesMouse() const;
    virtual void assignTakesMouse(bool enabled);
    virtual bool takesKeyboard() const;
    virtual void assignTakesKeyboard(bool enabled);
    virtual bool hasFocus() const;
    virtual void grabFocus();
    virtual bool isFloating() const;
    virtual void assignFloating(bool floating);
    virtual CControlUI* searchTree(TreeVisitor visitor, void* data, UINT flags);
    virtual void runInit();
    virtual void onInit();
    virtual void dispatchInput(TInputEvent& event);
    virtual void handleInput(TInputEvent& event);
    virtual std::wstring readAttribute(const std::wstring& name);
    virtual void writeAttribute(const std::wstring& name, const std::wstring& value);
    virtual SIZE measure(SIZE available);
    virtual void render(HDC dc, const RECT& request);
    virtual void drawBackColour(HDC dc);
    virtual void drawBackImage(HDC dc);
    virtual void drawForeImageSpare(HDC dc);
    virtual void drawForeImage(HDC dc);
    virtual void drawStateImage(HDC dc);
    virtual void drawText(HDC dc);
    virtual void drawBorder(HDC dc);
    virtual void drawAfter(HDC dc, const RECT& request);

    void requestRepaint();
    void markForRelayout();
    void markParentForRelayout();
    DWORD adjustedColour(DWORD argb) const;
    // Applies name="value" pairs separated by one space; a syntax error ends
    // the processing (pairs already applied stay applied).
    void applyAttributeList(const std::wstring& list);
    // Draws a descriptor into the item rectangle within the paint rectangle,
    // rotated by `rotation` degrees. Without a DC it only loads the image.
    bool drawImageSpec(HDC dc, TImageDrawInfo& image, float rotation = 0.0f);
    // The own routing name, else the nearest ancestor's, else empty.
    std::wstring effectiveVirtualWindow() const;

    // Listener lists.
    CListenerList& initListeners() { return m_initListeners; }
    CListenerList& destroyListeners() { return m_destroyListeners; }
    CListenerList& sizeListeners() { return m_sizeListeners; }
    CListenerList& inputListeners() { return m_inputListeners; }
    CListenerList& notifyListeners() { return m_notifyListeners; }

    // Plain accessors of the look and the layout state.
    bool relayoutPending() const { return m_relayoutPending; }
    const std::wstring& virtualWindow() const { return m_virtualWindow; }
    const RECT& paintRect() const { return m_paintRect; }
    DWORD backColour() const { return m_backColour; }
    DWORD backColour2() const { return m_backColour2; }
    DWORD backColour3() const { return m_backColour3; }
    void assignBackColour(DWORD argb);
    void assignBackColour2(DWORD argb);
    void assignBackColour3(DWORD argb);
    DWORD borderColour() const { return m_borderColour; }
    DWORD focusBorderColour() const { return m_focusBorderColour; }
    void assignBorderColour(DWORD argb);
    void assignFocusBorderColour(DWORD argb);
    bool usesHsl() const { return m_useHsl; }
    int borderSize() const { return m_borderSize; }
    const RECT& sideBorders() const { return m_sideBorders; }
    int borderStyle() const { return m_borderStyle; }
    SIZE borderRound() const { return m_borderRound; }
    const TImageDrawInfo& backImage() const { return m_backImage; }
    const TImageDrawInfo& foreImage() const { return m_foreImage; }
    void assignBackImage(const std::wstring& text);
    void assignForeImage(const std::wstring& text);

protected:
    // Whether a context exists and `rect` survives the intersection with every
    // ancestor that is shown; `dirty` receives the clipped rectangle.
    bool clipToAncestors(RECT& dirty, bool stopAtHiddenAncestor) const;
    void assignImage(TImageDrawInfo& image, const std::wstring& text);
    void relayoutForSizeChange();
    void assignLimit(int& limit, int value);
    void sendNotice(const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0);

    CListenerList m_initListeners;
    CListenerList m_destroyListeners;
    CListenerList m_sizeListeners;
    CListenerList m_inputListeners;
    CListenerList m_notifyListeners;
    CWindowContextUI* m_context = nullptr;
    CControlUI* m_parent = nullptr;
    std::wstring m_virtualWindow;
    std::wstring m_name;
    bool m_relayoutPending = true;
    bool m_menuWanted = false;
    RECT m_rect = {};
    RECT m_margin = {};
    SIZE m_floatOrigin = {};
    int m_presetWidth = 0;
    int m_presetHeight = 0;
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 9999;
    int m_maxHeight = 9999;
    bool m_visible = true;
    bool m_outerVisible = true;
    bool m_enabled = true;
    bool m_mouseEnabled = true;
    bool m_keyboardEnabled = true;
    bool m_focused = false;
    bool m_floating = false;
    TAnchorFractions m_anchorFractions;
    bool m_inPlaceAt = false;
    std::wstring m_text;
    std::wstring m_hint;
    wchar_t m_accessKey = 0;
    std::wstring m_userText;
    UINT_PTR m_userTag = 0;
    DWORD m_backColour = 0;
    DWORD m_backColour2 = 0;
    DWORD m_backColour3 = 0;
    TImageDrawInfo m_backImage;
    TImageDrawInfo m_foreImage;
    DWORD m_borderColour = 0;
    DWORD m_focusBorderColour = 0;
    bool m_useHsl = false;
    int m_borderSize = 0;
    int m_borderStyle = 0;
    int m_hintWidth = 300;
    SIZE m_borderRound = {};
    RECT m_paintRect = {};
    RECT m_sideBorders = {};
};

} // namespace SkinUI
