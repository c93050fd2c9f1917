#pragma once
// The drop shadow of a captionless skinned window: a click-through layered
// window around the owner, drawn from a nine-grid image (image mode) or
// computed from the owner's window shape, that follows the owner's moves,
// sizes and visibility through a hook on the owner's window procedure.
#include <windows.h>

#include <string>

namespace SkinUI {

class CWindowContextUI;
class IRenderResourcesUI;

class CShadowUI {
public:
    // Status bits.
    enum : UINT { STATUS_ENABLED = 0x1, STATUS_SHOWN = 0x2, STATUS_OWNER_SHOWN = 0x4 };
    static constexpr UINT_PTR kDisplayChangeTimer = 2033;

    CShadowUI() = default;
    ~CShadowUI();
    CShadowUI(const CShadowUI&) = delete;
    CShadowUI& operator=(const CShadowUI&) = delete;

    // Registers "TovinShadowWnd" once per process.
    static bool RegisterWindowClass(HINSTANCE module);
    // The shadow attached to an owner window, or none.
    static CShadowUI* ForOwner(HWND owner);

    // Creates the shadow window for the context's window when one is wanted
    // and that window has no shadow yet.
    void AttachTo(CWindowContextUI* context);
    // The same with the owner window and the image source given directly.
    void AttachToWindow(HWND owner, IRenderResourcesUI* images);

    // Shows or hides the shadow window and remembers whether one is wanted.
    void Show(bool flag);
    bool IsWanted() const { return m_wanted; }

    // Each refuses an out-of-range value with false and repaints a shown shadow.
    bool SetSpread(int size);             // -20..20
    bool SetEdgeSoftness(int sharpness);  // 0..20
    bool SetOpacityLevel(int darkness);   // 0..255
    bool SetOffset(int x, int y);         // each -20..20
    bool SetColour(DWORD rgb);            // 0x00RRGGBB, as "#RRGGBB" is written
    bool UseImage(const std::wstring& name);
    bool SetCorner(int left, int top, int right, int bottom); // all >= 0

    // Recomputes the shadow bitmap for the owner's current shape and shows it.
    void Repaint(HWND owner);

    HWND ShadowWindow() const { return m_shadowWindow; }
    UINT Status() const { return m_status; }
    bool ImageMode() const { return m_imageMode; }
    int Spread() const { return m_size; }
    int EdgeSoftness() const { return m_sharpness; }
    int OpacityLevel() const { return m_darkness; }
    POINT Offset() const { return POINT{m_offsetX, m_offsetY}; }
    DWORD Colour() const { return m_colour; }
    const std::wstring& ImageName() const { return m_imageName; }
    RECT Corner() const { return m_corner; }

private:
    static LRESULT CALLBACK OwnerHook(HWND owner, UINT message, WPARAM wParam, LPARAM lParam);
    void OnOwnerMessage(HWND owner, UINT message, WPARAM wParam, LPARAM lParam);
    void OnOwnerSize(HWND owner, WPARAM wParam, LPARAM lParam);
    void OnOwnerShow(bool shown);
    // Where the shadow window goes for an owner window rectangle.
    POINT ShadowOrigin(const RECT& ownerRect) const;
    void RepaintIfShown();
    void Detach();

    IRenderResourcesUI* m_images = nullptr;
    HWND m_owner = nullptr;
    HWND m_shadowWindow = nullptr;
    WNDPROC m_ownerProc = nullptr;
    UINT m_status = 0;
    bool m_wanted = false;
    int m_darkness = 150;
    int m_sharpness = 5;
    int m_size = 0;
    int m_offsetX = 0;
    int m_offsetY = 0;
    WORD m_lastWidth = 0;
    WORD m_lastHeight = 0;
    bool m_repaintPending = false;
    DWORD m_colour = 0; // 0x00RRGGBB
    std::wstring m_imageName;
    bool m_imageMode = false;
    RECT m_corner = {};
};

} // namespace SkinUI
