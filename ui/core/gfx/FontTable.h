#pragma once
// Fonts of a window or of the process, registered under a numeric index.
#include "base/ScopedHandle.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace SkinUI {

struct TFontEntry {
    CFont font;
    std::wstring face;     // empty: not set (a window then uses the process base font)
    int size = 0;          // character height in pixels
    bool bold = false;
    bool underline = false;
    bool italic = false;
    TEXTMETRICW metrics = {};
    bool hasMetrics = false;

    // Measures the font on `dc` once.
    void FillMetrics(HDC dc);
};

// A font built from the default GUI font's description with these properties.
// The face is cut to 31 characters; false when the platform refuses it.
bool CreateSkinFont(TFontEntry& entry, const std::wstring& face, int size, bool bold, bool underline, bool italic);

// The default GUI font's own description, as the process base font starts.
bool CreateDefaultGuiFont(TFontEntry& entry);

class CFontTable {
public:
    // Stores the entry under `index`, deleting an older font of that index.
    TFontEntry* Store(int index, std::unique_ptr<TFontEntry> entry);
    TFontEntry* Find(int index) const;
    TFontEntry* FindByHandle(HFONT font) const;
    // The lowest index of an entry with exactly these properties, or -1.
    int FindIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic) const;
    void Clear() { m_entries.clear(); }
    size_t Size() const { return m_entries.size(); }

private:
    std::map<int, std::unique_ptr<TFontEntry>> m_entries;
};

} // namespace SkinUI
