#pragma once
// Decoded images by name: one table per window and one shared by the process.
// A window context holds a CImageCache; lookups try its own table first.
#include "ui/core/gfx/image/ImageRecord.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace SkinUI {

// Name -> owned image record. Names compare exactly, case included.
class CImageTable {
public:
    TImageRecord* Find(const std::wstring& name) const;
    // Stores `record` under `name`. An older record of that name keeps its
    // address and takes the new content (its old bitmap is freed), so drawing
    // records that point at it stay valid.
    TImageRecord* Store(const std::wstring& name, std::unique_ptr<TImageRecord> record);
    void Clear() { m_records.clear(); }
    size_t Size() const { return m_records.size(); }
    template <typename Visit>
    void ForEach(Visit&& visit)
    {
        for (auto& entry : m_records)
            visit(*entry.second);
    }

private:
    std::map<std::wstring, std::unique_ptr<TImageRecord>> m_records;
};

class CImageCache {
public:
    // The window's table first, then the process-wide shared table.
    TImageRecord* LookupImage(const std::wstring& name) const;
    // LookupImage, else a fresh load into the window's table.
    TImageRecord* LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                     bool useHsl);
    // Loads the image (keeping an untouched copy for colour-adjusted ones and
    // applying the adjustment when it is on) and stores it in one table.
    // None when it cannot be loaded; an older record of the name is then kept.
    TImageRecord* CacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask, bool useHsl,
                             bool shared);
    // Frees every record of the window's or the shared table.
    void DropImageTable(bool shared);
    // Recomputes every colour-adjusted image of both tables from its copy
    // (restoring the copy while the adjustment is off).
    void ReapplyColourAdjustment();

    const CImageTable& WindowTable() const { return m_windowTable; }
    static CImageTable& SharedTable();

private:
    CImageTable m_windowTable;
};

} // namespace SkinUI
