#include "ControlTestSupport.h"

namespace ControlTest {

CDibCanvas::CDibCanvas(int width, int height) : m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc.Reset(::CreateCompatibleDC(nullptr));
    m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<DWORD*>(bits);
    m_previous = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    Clear(0);
}

CDibCanvas::~CDibCanvas()
{
    if (m_previous)
        ::SelectObject(m_dc.Get(), m_previous);
}

DWORD CDibCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xDEADBEEF;
    return m_bits[size_t(y) * size_t(m_width) + size_t(x)];
}

void CDibCanvas::Clear(DWORD value)
{
    ::GdiFlush();
    if (!m_bits)
        return;
    for (size_t i = 0; i < size_t(m_width) * size_t(m_height); ++i)
        m_bits[i] = value;
}

} // namespace ControlTest
