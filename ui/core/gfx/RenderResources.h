#pragma once
// What the render kit needs from a window context while it paints: cached
// images, fonts by index, the window's link and selection colours, the last
// mouse position and the language texts. CWindowContextUI implements it.
#include "ui/core/gfx/image/ImageRecord.h"

#include <windows.h>

#include <string>

namespace SkinUI {

class IRenderResourcesUI {
public:
    // The cached image of that name, loading it into the window's table on first use.
    virtual TImageRecord* LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                             bool useHsl) = 0;
    // A font of the window or the process; an unknown or negative index gives the base font.
    virtual HFONT FontByIndex(int index) = 0;
    // The index of a registered font with exactly these properties, or -1.
    virtual int FindFontIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic) = 0;
    // Creates a font and registers it under `index` (replacing an older one).
    virtual HFONT AddFontEntry(int index, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                               bool shared) = 0;
    virtual DWORD LinkColour() const = 0;
    virtual DWORD LinkHoverColour() const = 0;
    virtual DWORD SelectedBackColour() const = 0;
    // The last mouse position in client coordinates ((-1, -1) before any).
    virtual POINT LastMouse() const = 0;
    // The language text of a decimal id; false when the table has none.
    virtual bool LanguageText(const std::wstring& id, std::wstring& text) const = 0;

protected:
    ~IRenderResourcesUI() = default;
};

} // namespace SkinUI
