// Per-window resources: fonts by index with the base font, class default
// attribute lists, colours and cached images.
#include "ui/core/host/WindowContextUI.h"

#include "ui/core/gfx/ColourAdjust.h"
#include "ui/core/host/WindowContextShared.h"

#include <algorithm>

namespace SkinUI {

// ---------------------------------------------------------------------------
// Fonts
// ---------------------------------------------------------------------------

HFONT CWindowContextUI::AddFontEntry(int index, const std::wstring& face, int size, bool bold, bool underline,
                                     bool italic, bool shared)
{
    auto entry = std::make_unique<TFontEntry>();
    if (!CreateSkinFont(*entry, face, size, bold, underline, italic))
        return nullptr;
    entry->FillMetrics(WindowDC());
    CFontTable& table = shared ? ContextProcessState().sharedFonts : m_fonts;
    return table.Store(index, std::move(entry))->font.Get();
}

TFontEntry* CWindowContextUI::FontEntryByIndex(int index)
{
    TFontEntry* entry = nullptr;
    if (index >= 0) {
        entry = m_fonts.Find(index);
        if (!entry)
            entry = ContextProcessState().sharedFonts.Find(index);
    }
    if (!entry)
        entry = m_baseFont.face.empty() ? &ContextProcessState().baseFont : &m_baseFont;
    if (!entry->hasMetrics) {
        if (WindowDC()) {
            entry->FillMetrics(WindowDC());
        } else {
            CWindowDc screen(nullptr);
            entry->FillMetrics(screen.Get());
        }
    }
    return entry;
}

HFONT CWindowContextUI::FontByIndex(int index)
{
    TFontEntry* entry = nullptr;
    if (index >= 0) {
        entry = m_fonts.Find(index);
        if (!entry)
            entry = ContextProcessState().sharedFonts.Find(index);
    }
    if (!entry)
        entry = m_baseFont.face.empty() ? &ContextProcessState().baseFont : &m_baseFont;
    return entry->font.Get();
}

TFontEntry* CWindowContextUI::FontEntryByHandle(HFONT font)
{
    if (!font)
        return nullptr;
    TContextProcessState& state = ContextProcessState();
    TFontEntry* entry = m_fonts.FindByHandle(font);
    if (!entry)
        entry = state.sharedFonts.FindByHandle(font);
    if (!entry && m_baseFont.font.Get() == font)
        entry = &m_baseFont;
    if (!entry && state.baseFont.font.Get() == font)
        entry = &state.baseFont;
    if (entry && !entry->hasMetrics)
        entry->FillMetrics(WindowDC());
    return entry;
}

int CWindowContextUI::FindFontIndex(const std::wstring& face, int size, bool bold, bool underline, bool italic)
{
    const int index = m_fonts.FindIndex(face, size, bold, underline, italic);
    if (index >= 0)
        return index;
    return ContextProcessState().sharedFonts.FindIndex(face, size, bold, underline, italic);
}

void CWindowContextUI::SetBaseFont(const std::wstring& face, int size, bool bold, bool underline, bool italic,
                                   bool shared)
{
    TFontEntry entry;
    if (!CreateSkinFont(entry, face, size, bold, underline, italic))
        return;
    entry.FillMetrics(WindowDC());
    TFontEntry& target = shared ? ContextProcessState().baseFont : m_baseFont;
    target = std::move(entry);
}

// ---------------------------------------------------------------------------
// Class defaults
// ---------------------------------------------------------------------------

void CWindowContextUI::SetClassDefaults(const std::wstring& className, const std::wstring& attributeList, bool shared)
{
    auto& table = shared ? ContextProcessState().sharedClassDefaults : m_classDefaults;
    table[className] = attributeList;
}

const std::wstring* CWindowContextUI::ClassDefaults(const std::wstring& className) const
{
    auto own = m_classDefaults.find(className);
    if (own != m_classDefaults.end())
        return &own->second;
    const auto& shared = ContextProcessState().sharedClassDefaults;
    auto found = shared.find(className);
    return found == shared.end() ? nullptr : &found->second;
}

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

namespace {

// A shared change moves the process default and every window still on the old one.
void SetColour(DWORD& windowColour, DWORD& processDefault, DWORD argb, bool shared)
{
    if (shared) {
        if (windowColour == processDefault)
            windowColour = argb;
        processDefault = argb;
        return;
    }
    windowColour = argb;
}

} // namespace

void CWindowContextUI::SetDisabledTextColour(DWORD argb, bool shared)
{
    SetColour(m_disabledTextColour, ContextProcessState().colours.disabledText, argb, shared);
}

void CWindowContextUI::SetDefaultTextColour(DWORD argb, bool shared)
{
    SetColour(m_defaultTextColour, ContextProcessState().colours.text, argb, shared);
}

void CWindowContextUI::SetLinkColour(DWORD argb, bool shared)
{
    SetColour(m_linkColour, ContextProcessState().colours.link, argb, shared);
}

void CWindowContextUI::SetLinkHoverColour(DWORD argb, bool shared)
{
    SetColour(m_linkHoverColour, ContextProcessState().colours.linkHover, argb, shared);
}

void CWindowContextUI::SetSelectedBackColour(DWORD argb, bool shared)
{
    SetColour(m_selectedBackColour, ContextProcessState().colours.selectedBack, argb, shared);
}

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------

TImageRecord* CWindowContextUI::LookupImage(const std::wstring& name) const { return m_images.LookupImage(name); }

TImageRecord* CWindowContextUI::LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType,
                                                   DWORD mask, bool useHsl)
{
    return m_images.LookupOrCacheImage(name, resourceType, mask, useHsl);
}

TImageRecord* CWindowContextUI::CacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                           bool useHsl, bool shared)
{
    return m_images.CacheImage(name, resourceType, mask, useHsl, shared);
}

void CWindowContextUI::DropImageTable(bool shared) { m_images.DropImageTable(shared); }

void CWindowContextUI::SetHsl(bool enabled, int hue, int saturation, int lightness)
{
    TColourAdjustment& adjustment = ColourAdjustment();
    adjustment.enabled = enabled;
    adjustment.hue = std::clamp(hue, 0, 360);
    adjustment.saturation = std::clamp(saturation, 0, 200);
    adjustment.lightness = std::clamp(lightness, 0, 200);
    for (CWindowContextUI* context : AllContexts()) {
        context->m_images.ReapplyColourAdjustment();
        if (context->m_window)
            ::InvalidateRect(context->m_window, nullptr, FALSE);
    }
}

} // namespace SkinUI
