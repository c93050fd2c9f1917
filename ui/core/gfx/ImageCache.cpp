#include "ui/core/gfx/ImageCache.h"

#include "ui/core/gfx/ColourAdjust.h"
#include "ui/core/gfx/RenderKit.h"

namespace SkinUI {

TImageRecord* CImageTable::Find(const std::wstring& name) const
{
    auto found = m_records.find(name);
    return found == m_records.end() ? nullptr : found->second.get();
}

TImageRecord* CImageTable::Store(const std::wstring& name, std::unique_ptr<TImageRecord> record)
{
    if (!record)
        return nullptr;
    auto& slot = m_records[name];
    if (slot) {
        *slot = std::move(*record);
        return slot.get();
    }
    slot = std::move(record);
    return slot.get();
}

CImageTable& CImageCache::SharedTable()
{
    static CImageTable table;
    return table;
}

TImageRecord* CImageCache::LookupImage(const std::wstring& name) const
{
    if (TImageRecord* record = m_windowTable.Find(name))
        return record;
    return SharedTable().Find(name);
}

TImageRecord* CImageCache::LookupOrCacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                              bool useHsl)
{
    if (TImageRecord* record = LookupImage(name))
        return record;
    return CacheImage(name, resourceType, mask, useHsl, false);
}

TImageRecord* CImageCache::CacheImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                      bool useHsl, bool shared)
{
    if (name.empty())
        return nullptr;
    std::unique_ptr<TImageRecord> record = CRenderKit::DecodeSkinImage(name, resourceType, mask);
    if (!record)
        return nullptr;
    record->resourceType = resourceType;
    record->useHsl = useHsl;
    if (useHsl) {
        record->pixelCopy.assign(record->pixels, record->pixels + record->ByteCount());
        if (ColourAdjustment().enabled)
            ApplyColourAdjustment(*record, ColourAdjustment());
    }
    return (shared ? SharedTable() : m_windowTable).Store(name, std::move(record));
}

void CImageCache::DropImageTable(bool shared)
{
    (shared ? SharedTable() : m_windowTable).Clear();
}

void CImageCache::ReapplyColourAdjustment()
{
    const TColourAdjustment adjustment = ColourAdjustment().enabled ? ColourAdjustment() : TColourAdjustment();
    // Only records with a pixel copy change.
    for (CImageTable* table : {&m_windowTable, &SharedTable()})
        table->ForEach([&adjustment](TImageRecord& record) { ApplyColourAdjustment(record, adjustment); });
}

} // namespace SkinUI
