#include "ui/core/gfx/GdiPlusSession.h"

#include <windows.h>

#include <gdiplus.h>

namespace SkinUI {

namespace {

class CGdiPlusSession {
public:
    CGdiPlusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_running = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiPlusSession()
    {
        if (m_running)
            Gdiplus::GdiplusShutdown(m_token);
    }
    CGdiPlusSession(const CGdiPlusSession&) = delete;
    CGdiPlusSession& operator=(const CGdiPlusSession&) = delete;
    bool Running() const { return m_running; }

private:
    ULONG_PTR m_token = 0;
    bool m_running = false;
};

} // namespace

bool EnsureGdiPlus()
{
    static CGdiPlusSession session;
    return session.Running();
}

} // namespace SkinUI
