#include "ui/core/gfx/FontTable.h"

#include <algorithm>

namespace SkinUI {

void TFontEntry::FillMetrics(HDC dc)
{
    if (hasMetrics || !dc || !font)
        return;
    CSelectObject select(dc, font.Get());
    hasMetrics = ::GetTextMetricsW(dc, &metrics) != FALSE;
}

static bool DefaultGuiDescription(LOGFONTW& description)
{
    description = LOGFONTW{};
    HGDIOBJ guiFont = ::GetStockObject(DEFAULT_GUI_FONT);
    return guiFont && ::GetObjectW(guiFont, sizeof(description), &description) == sizeof(description);
}

bool CreateSkinFont(TFontEntry& entry, const std::wstring& face, int size, bool bold, bool underline, bool italic)
{
    LOGFONTW description;
    if (!DefaultGuiDescription(description))
        return false;
    // LF_FACESIZE counts the terminator.
    const std::wstring shortFace = face.substr(0, LF_FACESIZE - 1);
    std::fill(std::begin(description.lfFaceName), std::end(description.lfFaceName), L'\0');
    std::copy(shortFace.begin(), shortFace.end(), description.lfFaceName);
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfHeight = -size;
    // Bold adds 700 to the GUI font's weight; the platform's scale ends at 1000.
    if (bold)
        description.lfWeight = std::min<LONG>(description.lfWeight + FW_BOLD, 1000);
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfItalic = italic ? TRUE : FALSE;
    CFont font(::CreateFontIndirectW(&description));
    if (!font)
        return false;
    entry.font = std::move(font);
    entry.face = shortFace;
    entry.size = size;
    entry.bold = bold;
    entry.underline = underline;
    entry.italic = italic;
    entry.hasMetrics = false;
    return true;
}

bool CreateDefaultGuiFont(TFontEntry& entry)
{
    LOGFONTW description;
    if (!DefaultGuiDescription(description))
        return false;
    description.lfCharSet = DEFAULT_CHARSET;
    CFont font(::CreateFontIndirectW(&description));
    if (!font)
        return false;
    entry.font = std::move(font);
    entry.face = description.lfFaceName;
    entry.size = -description.lfHeight;
    entry.bold = description.lfWeight >= FW_BOLD;
    entry.underline = description.lfUnderline != 0;
    entry.italic = description.lfItalic != 0;
    entry.hasMetrics = false;
    return true;
}

TFontEntry* CFontTable::Store(int index, std::unique_ptr<TFontEntry> entry)
{
    auto& slot = m_entries[index];
    slot = std::move(entry);
    return slot.get();
}

TFontEntry* CFontTable::Find(int index) const
{
    auto found = m_entries.find(index);
    return found == m_entries.end() ? nullptr : found->second.get();
}

TFontEntry* CFontTable::FindByHandle(HFONT font) const
{
    for (const auto& entry : m_entries)
        if (entry.second->font.Get() == font)
            return entry.second.get();
    return nullptr;
}

int CFontTable::FindIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic) const
{
    for (const auto& entry : m_entries) {
        const TFontEntry& font = *entry.second;
        if (font.face == face && font.size == size && font.bold == bold && font.underline == underline &&
            font.italic == italic)
            return entry.first;
    }
    return -1;
}

} // namespace SkinUI
