#pragma once
// An off-screen surface: a memory DC with a bitmap selected into it, made
// once for a size and dropped when the tree is placed anew.
#include "base/ScopedHandle.h"

#include <windows.h>

namespace SkinUI {

class CPaintBuffer {
public:
    CPaintBuffer() = default;
    ~CPaintBuffer() { Drop(); }
    CPaintBuffer(const CPaintBuffer&) = delete;
    CPaintBuffer& operator=(const CPaintBuffer&) = delete;

    // A bitmap compatible with `reference`.
    bool CreateCompatible(HDC reference, int width, int height);
    // A 32-bit top-down DIB section whose pixels can be addressed directly.
    bool CreateTopDown(HDC reference, int width, int height);
    void Drop();

    bool IsValid() const { return m_dc.IsValid() && m_bitmap.IsValid(); }
    HDC Dc() const { return m_dc.Get(); }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    BYTE* Pixels() const { return m_pixels; } // only for top-down buffers
    SIZE Size() const { return m_size; }

private:
    bool Adopt(HDC reference, CBitmap bitmap, int width, int height);

    CMemoryDc m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    BYTE* m_pixels = nullptr;
    SIZE m_size = {};
};

} // namespace SkinUI
