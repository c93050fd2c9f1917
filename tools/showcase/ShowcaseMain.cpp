// Opens the showcase skin (every control and layout of the framework) in a
// window on the desktop and, once its animated pictures have come to rest,
// writes where every control was placed:
//   orvane_showcase <report file>
// The skin is read from the "skin" folder beside the exe. The window stays
// open until it is closed; the report is UTF-8 text (see LayoutReport.h).
#include "tools/layoutreport/LayoutReport.h"

#include "ui/core/build/WindowImplBase.h"

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kTitle[] = L"SkinUI Showcase";
// The window's own timer; the context's control timers start at 4096.
constexpr UINT_PTR kReportTimerId = 1;
constexpr UINT kReportPollMs = 200;
// A picture still moving after this long is reported as it is.
constexpr DWORD kReportDeadlineMs = 10000;

class CShowcaseWindow : public SkinUI::WindowImplBase {
public:
    explicit CShowcaseWindow(std::wstring reportPath) : m_reportPath(std::move(reportPath)) {}

    const wchar_t* RegisteredClassName() const override { return L"OrvaneShowcaseWnd"; }
    std::wstring SkinSubfolder() const override { return L"skin\\"; }
    std::wstring SkinEntryName() const override { return L"Showcase.xml"; }

    void Notify(SkinUI::TNotifyMsg& message) override
    {
        if (message.type == L"windowinit") {
            m_shownAt = ::GetTickCount();
            ::SetTimer(m_window, kReportTimerId, kReportPollMs, nullptr);
        }
        WindowImplBase::Notify(message);
    }

    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kReportTimerId) {
            ReportWhenAtRest();
            return 0;
        }
        return WindowImplBase::RouteMessage(message, wParam, lParam);
    }

private:
    void ReportWhenAtRest()
    {
        SkinUI::CControlUI* root = m_context.Root();
        if (!LayoutReport::AnimationsAtRest(root) && ::GetTickCount() - m_shownAt < kReportDeadlineMs)
            return;
        ::KillTimer(m_window, kReportTimerId);
        // One more paint, so the screen shows the state the report describes.
        ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        LayoutReport::WriteReportFile(m_reportPath, LayoutReport::DescribeTree(root));
    }

    std::wstring m_reportPath;
    DWORD m_shownAt = 0;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    SkinUI::CWindowContextUI::SetAppModule(::GetModuleHandleW(nullptr));

    CShowcaseWindow window(argv[1]);
    if (!window.CreateNative(nullptr, kTitle, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0))
        return 3;
    window.Center(true);
    window.RunModal(false);
    return 0;
}
