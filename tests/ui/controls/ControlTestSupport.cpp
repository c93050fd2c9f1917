#include "ControlTestSupport.h"

namespace ControlTest {

int CNotices::Count(const std::wstring& type) const
{
    int count = 0;
    for (const SkinUI::TNotifyMsg& notice : notices)
        count += notice.type == type ? 1 : 0;
    return count;
}

CHostWindow::CHostWindow()
{
    static const wchar_t* kClass = L"ControlsTestHost";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &CHostWindow::Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClass;
        ::RegisterClassW(&windowClass);
        registered = true;
    }
    m_window = ::CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, LONG_PTR(this));
    context.Bind(m_window);
    context.AddReceiver(&notices);
}

CHostWindow::~CHostWindow()
{
    context.RemoveReceiver(&notices);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    ::DestroyWindow(m_window);
}

void CHostWindow::Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool CHostWindow::PumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    for (const DWORD start = ::GetTickCount(); !done(); Pump()) {
        if (::GetTickCount() - start > limitMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

LRESULT CALLBACK CHostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CHostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && self->context.HandleWindowMessage(message, wParam, lParam, result))
        return result;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

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

std::string SolidBmp(int width, int height, DWORD rgb)
{
    const int stride = (width * 3 + 3) & ~3;
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file = {0x4D42, offset + DWORD(stride * height), 0, 0, offset};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(size_t(stride), '\0');
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
            row[size_t(x * 3 + c)] = char(rgb >> (8 * c));
    for (int y = 0; y < height; ++y)
        bytes += row;
    return bytes;
}

int CountLeaning(const CDibCanvas& canvas, const RECT& area, DWORD rgb)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            bool leans = true;
            for (int shift : {16, 8, 0}) {
                const int channel = int((canvas.Rgb(x, y) >> shift) & 0xFF);
                leans = leans && (((rgb >> shift) & 0xFF) > 0x80 ? channel > 0x60 : channel < 0x40);
            }
            count += leans ? 1 : 0;
        }
    return count;
}

} // namespace ControlTest
