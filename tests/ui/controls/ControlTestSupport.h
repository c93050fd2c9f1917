#pragma once
// Shared helpers of the control tests: rectangle comparison and printing,
// trees of plain controls, and a 32-bit DIB to paint into.
#include "base/ScopedHandle.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ControlUI.h"
#include "ui/core/host/WindowContextUI.h"
#include "ui/core/host/WindowInterfaces.h"

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) { return !(a == b); }
inline void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace ControlTest {

inline RECT Rect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

// A plain control with a preset size (0 = stretch).
inline SkinUI::CControlUI* Fixed(int width, int height)
{
    auto* control = new SkinUI::CControlUI();
    control->assignPresetWidth(width);
    control->assignPresetHeight(height);
    return control;
}

// The bytes of an uncompressed 24-bit BMP file of one 0xRRGGBB colour.
std::string SolidBmp(int width, int height, DWORD rgb);

// Attribute names and values in the order a skin would give them.
using TAttributes = std::vector<std::pair<std::wstring, std::wstring>>;

// Keeps every notification it receives.
class CNotices : public SkinUI::INotifyUI {
public:
    void Notify(SkinUI::TNotifyMsg& msg) override { notices.push_back(msg); }
    int Count(const std::wstring& type) const;
    std::vector<SkinUI::TNotifyMsg> notices;
};

// A plain popup window whose messages go to a bound context.
class CHostWindow {
public:
    CHostWindow();
    ~CHostWindow();
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;
    // Handles the queued messages of this thread.
    void Pump();
    // Handles messages until `done` answers true; false after `limitMs`
    // (a guard against hangs, not a timing check).
    bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
    // Lets the timers run for a while.
    void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

    SkinUI::CWindowContextUI context;
    CNotices notices;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_window = nullptr;
};

// A top-down 32-bit DIB section selected into a memory DC, cleared to 0.
class CDibCanvas {
public:
    CDibCanvas(int width, int height);
    ~CDibCanvas();
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;
    HDC Dc() const { return m_dc.Get(); }
    // The pixel as 0xAARRGGBB (alpha as stored).
    DWORD Pixel(int x, int y) const;
    // Colour without alpha: 0xRRGGBB.
    DWORD Rgb(int x, int y) const { return Pixel(x, y) & 0xFFFFFF; }
    void Clear(DWORD value);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    DWORD* m_bits = nullptr;
    CMemoryDc m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

// Pixels of `area` clearly leaning to the primaries of `rgb` (text is anti-aliased).
int CountLeaning(const CDibCanvas& canvas, const RECT& area, DWORD rgb);

// Writes `attributes` into `control`, puts it alone under a container that
// becomes the root of the host's context (which initialises it), places the
// container at `rootRect` and the control at `rect`.
template <typename T>
T* PlaceAlone(CHostWindow& host, T* control, const TAttributes& attributes, const RECT& rootRect, const RECT& rect)
{
    for (const auto& attribute : attributes)
        control->writeAttribute(attribute.first, attribute.second);
    auto* root = new SkinUI::CContainerUI();
    root->addItem(control);
    host.context.AdoptRoot(root);
    root->placeAt(rootRect);
    control->placeAt(rect);
    return control;
}

} // namespace ControlTest
