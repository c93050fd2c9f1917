#include "ui/core/gfx/PaintBuffer.h"

#include "ui/core/gfx/image/DibSection.h"

namespace SkinUI {

bool CPaintBuffer::CreateCompatible(HDC reference, int width, int height)
{
    Drop();
    if (!reference || width <= 0 || height <= 0)
        return false;
    return Adopt(reference, CBitmap(::CreateCompatibleBitmap(reference, width, height)), width, height);
}

bool CPaintBuffer::CreateTopDown(HDC reference, int width, int height)
{
    Drop();
    BYTE* pixels = nullptr;
    CBitmap bitmap = CreateTopDownDib(width, height, &pixels);
    if (!Adopt(reference, std::move(bitmap), width, height))
        return false;
    m_pixels = pixels;
    return true;
}

bool CPaintBuffer::Adopt(HDC reference, CBitmap bitmap, int width, int height)
{
    if (!bitmap)
        return false;
    CMemoryDc dc(::CreateCompatibleDC(reference));
    if (!dc)
        return false;
    m_previous = ::SelectObject(dc.Get(), bitmap.Get());
    m_dc = std::move(dc);
    m_bitmap = std::move(bitmap);
    m_size = SIZE{width, height};
    return true;
}

void CPaintBuffer::Drop()
{
    // The bitmap must leave the DC before either is deleted.
    if (m_dc && m_previous)
        ::SelectObject(m_dc.Get(), m_previous);
    m_previous = nullptr;
    m_dc.Reset();
    m_bitmap.Reset();
    m_pixels = nullptr;
    m_size = SIZE{};
}

} // namespace SkinUI
