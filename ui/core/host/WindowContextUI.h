#pragma once
// The per-window manager of the skinned UI: bound to one native window, it
// owns the control tree, turns window messages into input events for the
// controls, keeps focus, capture, hover, timers and tooltips, delivers
// notifications, paints the tree double-buffered, and holds the window's
// fonts, images, class defaults and colours.
#include "base/ScopedHandle.h"
#include "ui/core/gfx/FontTable.h"
#include "ui/core/gfx/ImageCache.h"
#include "ui/controls/InputEvent.h"
#include "ui/core/gfx/PaintBuffer.h"
#include "ui/core/gfx/RenderResources.h"
#include "ui/core/host/ShadowUI.h"
#include "ui/core/host/TimerTable.h"
#include "ui/core/host/WindowInterfaces.h"

#include <commctrl.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

class CControlUI;
class ZipArchive;

// The private message that makes a context delete the controls handed to DeleteLater.
constexpr UINT WM_SKINUI_DELETE_LATER = 0x8001;

class CWindowContextUI : public IRenderResourcesUI {
public:
    CWindowContextUI();
    virtual ~CWindowContextUI();
    CWindowContextUI(const CWindowContextUI&) = delete;
    CWindowContextUI& operator=(const CWindowContextUI&) = delete;

    // ---- Process-wide skin sources (kept by CSkinSource) ----
    // Also registers the shadow window class with the module.
    static void SetAppModule(HINSTANCE module);
    static HINSTANCE AppModule();
    static std::wstring AppFolder();
    static void SetSkinFolder(const std::wstring& path);
    static const std::wstring& SkinFolder();
    static void SetSkinZipFile(const std::wstring& name, bool keepOpen = true);
    static void SetSkinZipBlock(const void* bytes, size_t size);
    static const std::wstring& SkinZipName();
    static bool KeepZipOpen();
    static const ZipArchive* OpenZip();

    // ---- Process-wide language texts ("%{N}" in displayed texts) ----
    static void SetLanguageText(int id, const std::wstring& text);
    static void ClearLanguageTexts();

    // ---- Process-wide colour adjustment (images marked hsl, colours of controls with colorhsl) ----
    // Values are clamped (hue 0..360, saturation and lightness 0..200); every
    // window's adjusted images are recomputed and repainted.
    static void SetHsl(bool enabled, int hue, int saturation, int lightness);

    // Every bound context, in binding order.
    static const std::vector<CWindowContextUI*>& AllContexts();

    // ---- Binding and tree ----
    void Bind(HWND window);
    HWND Window() const { return m_window; }
    HDC WindowDC() const;
    // Takes ownership of `root`; an older root is deleted later.
    bool AdoptRoot(CControlUI* root);
    CControlUI* Root() const { return m_root; }
    // Binds a subtree to this context and enters its named controls.
    bool RegisterTree(CControlUI* control, CControlUI* parent = nullptr);
    // Drops every reference the context holds to a control that is going away.
    void ForgetControl(CControlUI* control);
    // Detaches the control now and deletes it from the message loop.
    void DeleteLater(CControlUI* control);
    CControlUI* ControlByName(const std::wstring& name) const;
    // The topmost shown control under the point that takes the mouse.
    CControlUI* ControlAt(POINT point) const;

    // ---- Receivers and filters ----
    bool AddReceiver(INotifyUI* receiver);
    bool RemoveReceiver(INotifyUI* receiver);
    bool AddPreFilter(IMessageFilterUI* filter);
    bool RemovePreFilter(IMessageFilterUI* filter);
    bool AddFilter(IMessageFilterUI* filter);
    bool RemoveFilter(IMessageFilterUI* filter);
    bool AddPostPainter(CControlUI* control);
    bool RemovePostPainter(CControlUI* control);
    bool AddAcceleratorHandler(ITranslateAccelerator* handler);
    bool RemoveAcceleratorHandler(ITranslateAccelerator* handler);

    // ---- Notifications ----
    void SendNotice(CControlUI* sender, const std::wstring& type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool deferred = false);
    // Delivers the queued deferred notifications, oldest first.
    void DeliverDeferredNotices();

    // ---- Timers (real WM_TIMERs of the bound window) ----
    bool StartTimer(CControlUI* control, UINT timerId, UINT elapseMs);
    bool StopTimer(CControlUI* control, UINT timerId);
    void StopTimers(CControlUI* control);
    void StopAllTimers();

    // ---- Focus, hover and capture ----
    CControlUI* FocusedControl() const { return m_focus; }
    CControlUI* HoverControl() const { return m_hover; }
    CControlUI* ClickControl() const { return m_click; }
    void FocusControl(CControlUI* control);
    void FocusLater(CControlUI* control);
    bool TabToNext(bool forward);
    void CaptureMouse();
    void ReleaseMouse();
    bool IsMouseCaptured() const { return m_mouseCaptured; }

    // ---- Option groups ----
    bool JoinGroup(const std::wstring& group, CControlUI* option);
    void LeaveGroup(const std::wstring& group, CControlUI* option);
    // The members in joining order, or none for an unknown group.
    const std::vector<CControlUI*>* GroupMembers(const std::wstring& group) const;

    // ---- Message handling ----
    bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Keyboard handling of a queued message before it is dispatched.
    bool PreTranslate(const MSG* message);
    // For the message loop: offers a queued message to the context(s) of its window.
    static bool TranslateForAll(const MSG* message);

    // ---- Fonts ----
    HFONT AddFontEntry(int index, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                       bool shared) override;
    HFONT FontByIndex(int index) override;
    // The entry behind FontByIndex, with its text metrics filled.
    TFontEntry* FontEntryByIndex(int index);
    TFontEntry* FontEntryByHandle(HFONT font);
    int FindFontIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic) override;
    void SetBaseFont(const std::wstring& face, int size, bool bold, bool underline, bool italic, bool shared);

    // ---- Class defaults (attribute lists per control class element name) ----
    void SetClassDefaults(const std::wstring& className, const std::wstring& attributeList, bool shared);
    // The window's list first, then the shared one; none when neither has one.
    const std::wstring* ClassDefaults(const std::wstring& className) const;

    // ---- Window settings from the skin's Window element ----
    void SetStartSize(int cx, int cy);
    SIZE StartSize() const { return m_startSize; }
    void SetResizeBorder(const RECT& rect) { m_sizeBox = rect; }
    RECT ResizeBorder() const { return m_sizeBox; }
    void SetCaptionArea(const RECT& rect) { m_caption = rect; }
    RECT CaptionArea() const { return m_caption; }
    void SetCornerRound(int cx, int cy) { m_cornerRound = SIZE{cx, cy}; }
    SIZE CornerRound() const { return m_cornerRound; }
    void SetMinTrack(int cx, int cy) { m_minTrack = SIZE{cx, cy}; }
    SIZE MinTrack() const { return m_minTrack; }
    void SetMaxTrack(int cx, int cy) { m_maxTrack = SIZE{cx, cy}; }
    SIZE MaxTrack() const { return m_maxTrack; }
    void SetWindowAlpha(int value);
    BYTE WindowAlpha() const { return m_opacity; }
    void SetOwnerBackdrop(bool on) { m_ownerBackdrop = on; }
    bool OwnerBackdrop() const { return m_ownerBackdrop; }
    void SetLayeredPaint(bool on);
    bool LayeredPaint() const { return m_layeredPaint; }
    void SetOffscreenPaint(bool on);
    bool OffscreenPaint() const { return m_offscreenPaint; }
    void SetShowDirty(bool on) { m_showDirty = on; }
    bool ShowDirty() const { return m_showDirty; }
    void SetDragParent(bool on) { m_dragParent = on; }
    bool DragParent() const { return m_dragParent; }
    void SetVirtualRouting(bool on) { m_virtualRouting = on; }
    bool VirtualRouting() const { return m_virtualRouting; }
    void SetAnimateImage(const std::wstring& name) { m_animateImage = name; }
    const std::wstring& AnimateImage() const { return m_animateImage; }

    // ---- Colours (a shared change also moves windows still on the old default) ----
    void SetDisabledTextColour(DWORD argb, bool shared = false);
    DWORD DisabledTextColour() const { return m_disabledTextColour; }
    void SetDefaultTextColour(DWORD argb, bool shared = false);
    DWORD DefaultTextColour() const { return m_defaultTextColour; }
    void SetLinkColour(DWORD argb, bool shared = false);
    DWORD LinkColour() const override { return m_linkColour; }
    void SetLinkHoverColour(DWORD argb, bool shared = false);
    DWORD LinkHoverColour() const override { return m_linkHoverColour; }
    void SetSelectedBackColour(DWORD argb, bool shared = false);
    DWORD SelectedBackColour() const override { return m_selectedBackColour; }

    // ---- Images (the window's table, then the shared one) ----
    TImageRecord* LookupImage(const std::wstring& name) const;
    TImageRecord* LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                     bool useHsl) override;
    TImageRecord* CacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask, bool useHsl,
                             bool shared);
    void DropImageTable(bool shared);

    // ---- Layout and paint requests ----
    void RequestLayout() { m_layoutNeeded = true; }
    bool LayoutNeeded() const { return m_layoutNeeded; }
    void RepaintRect(const RECT& rect);

    POINT LastMouse() const override { return m_lastMouse; }
    bool LanguageText(const std::wstring& id, std::wstring& text) const override;
    CShadowUI& Shadow() { return m_shadow; }

private:
    using ControlList = std::vector<CControlUI*>;

    // Input routing (WindowContextInput.cpp).
    bool RouteWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnClose();
    void OnSize();
    void OnTimer(WPARAM nativeId);
    bool OnMouseHover(LPARAM lParam);
    void OnMouseLeave();
    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(WPARAM wParam, LPARAM lParam);
    void OnButtonUp(WPARAM wParam, LPARAM lParam);
    void OnDoubleClick(WPARAM wParam, LPARAM lParam);
    void OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    void OnRightButtonUp(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(LPARAM lParam);
    void OnKey(EInputKind kind, WPARAM wParam, LPARAM lParam);
    bool OnGesture(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    CControlUI* OwnControlAt(POINT point) const;
    void Dispatch(CControlUI* control, EInputKind kind, WPARAM wParam = 0, LPARAM lParam = 0, WORD keyState = 0,
                  CControlUI* sender = nullptr);
    void BeginParentDrag(CControlUI* control);
    bool DragParentTo(bool repaint);

    // Tooltips (WindowContextTooltip.cpp).
    void ShowTooltip(CControlUI* control);
    void HideTooltip();
    UINT HoverDelay() const;

    // Painting (WindowContextPaint.cpp).
    void OnPaint();
    void LayOutTree();
    void PaintLayered(const RECT& update);
    void PaintBuffered(HDC paintDc, const RECT& update);
    void PaintTree(HDC dc, const RECT& update);
    void OnPrintClient(HDC dc, LPARAM options);
    void EnsureLayeredStyle();

    // Notifications.
    void DeliverNotice(TNotifyMsg& notice);

    // Process defaults, set up by the first context.
    static void InitProcessDefaults();

    HWND m_window = nullptr;
    BYTE m_opacity = 255;
    std::unique_ptr<CWindowDc> m_windowDc;
    CPaintBuffer m_offscreen;
    CPaintBuffer m_backdrop;
    TOOLINFOW m_toolInfo = {};
    HWND m_tooltip = nullptr;
    std::wstring m_tooltipText;
    bool m_showDirty = false;

    CControlUI* m_root = nullptr;
    CControlUI* m_focus = nullptr;
    CControlUI* m_hover = nullptr;
    CControlUI* m_click = nullptr;
    CControlUI* m_keyTarget = nullptr;
    POINT m_lastMouse = {-1, -1};

    SIZE m_minTrack = {};
    SIZE m_maxTrack = {};
    SIZE m_startSize = {};
    RECT m_sizeBox = {};
    SIZE m_cornerRound = {};
    RECT m_caption = {};

    CTimerTable m_timers;

    bool m_firstLayoutPending = true;
    bool m_shadowAttachPending = false; // until the first frame is on screen
    bool m_layoutNeeded = false;
    bool m_focusNeeded = false;
    bool m_offscreenPaint = true;
    bool m_ownerBackdrop = false;
    bool m_mouseTracking = false;
    bool m_mouseCaptured = false;
    bool m_virtualRouting = false;
    bool m_dragParent = false;
    bool m_layeredPaint = false;

    std::vector<INotifyUI*> m_receivers;
    std::vector<IMessageFilterUI*> m_preFilters;
    std::vector<IMessageFilterUI*> m_filters;
    ControlList m_postPainters;
    ControlList m_deleteLater;
    std::vector<std::unique_ptr<TNotifyMsg>> m_deferredNotices;
    std::vector<TNotifyMsg*> m_noticesInFlight; // taken off the queue, being delivered
    ControlList m_placementList;
    std::vector<ITranslateAccelerator*> m_acceleratorHandlers;

    std::map<std::wstring, CControlUI*> m_controlsByName;
    std::map<std::wstring, ControlList> m_optionGroups;

    DWORD m_disabledTextColour = 0;
    DWORD m_defaultTextColour = 0;
    DWORD m_linkColour = 0;
    DWORD m_linkHoverColour = 0;
    DWORD m_selectedBackColour = 0;

    TFontEntry m_baseFont;
    CFontTable m_fonts;
    CImageCache m_images;
    std::map<std::wstring, std::wstring> m_classDefaults;

    CShadowUI m_shadow;
    std::wstring m_animateImage;

    // Parent dragging: where the drag started (cursor, parent window rectangle).
    bool m_dragging = false;
    POINT m_dragCursor = {};
    RECT m_dragParentRect = {};
    // The last touch pan point.
    POINT m_panPoint = {};
};

} // namespace SkinUI
