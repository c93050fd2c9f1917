// A test build of the tool's window. It starts the window as a plain start
// does (the language from the configuration, the registry or the system,
// its texts from the install folder's language file, the skin from this
// exe's resources, which are the tool's own), and once the window has been
// laid out and painted it writes what the window's texts say and where they
// landed, then closes:
//   orvane_windowprobe <report file>
// The report is UTF-8 text, one tab-separated line per item:
//   window   0,0,<width>,<height>          (first line: the client area)
//   text     <skin text> <shown text> <control l,t,r,b> <padded text width>,<padded text height> <container l,t,r,b>
//   tooltip  <control name> <shown tooltip>
//   control  <name or -> <l,t,r,b>           (every shown control without children)
#include "app/OrvaneRuzerodOradirWnd.h"
#include "biz/LanguageHelper.h"
#include "biz/libutils.h"
#include "tools/layoutreport/LayoutReport.h"
#include "ui/controls/LabelUI.h"
#include "ui/core/gfx/RenderKit.h"
#include "ui/core/host/WindowContextUI.h"
#include "ui/core/res/LanguageText.h"

#include <windows.h>

#include <string>

namespace {

using SkinUI::CControlUI;
using SkinUI::CLabelUI;

constexpr UINT kReportMessage = WM_APP + 1;

class CProbedWindow : public COrvaneRuzerodOradirWnd {
public:
    explicit CProbedWindow(std::wstring reportPath) : m_reportPath(std::move(reportPath)) {}

    void Notify(SkinUI::TNotifyMsg& message) override
    {
        // Sent after the first layout, inside the first paint: report once it is on screen.
        if (message.type == L"windowinit")
            ::PostMessageW(m_window, kReportMessage, 0, 0);
        COrvaneRuzerodOradirWnd::Notify(message);
    }

    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kReportMessage)
            return COrvaneRuzerodOradirWnd::RouteMessage(message, wParam, lParam);
        ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        LayoutReport::WriteReportFile(m_reportPath, Describe());
        ::PostQuitMessage(0);
        return 0;
    }

private:
    // The text as the framework shows it: "%{N}" replaced from its language table.
    std::wstring Shown(const std::wstring& text) const
    {
        return SkinUI::SubstituteLanguageTexts(
            text, [this](const std::wstring& id, std::wstring& value) { return m_context.LanguageText(id, value); });
    }

    // The room the label's text needs, with its padding, measured as the label
    // measures its width. Vertical alignment is left out: measuring with it
    // shifts the rectangle instead of giving the line's height.
    SIZE PaddedTextSize(CLabelUI& label)
    {
        RECT measured = {0, 0, 0, 0};
        const UINT style = label.textStyle() & ~(SkinUI::TEXT_VCENTER | SkinUI::TEXT_BOTTOM);
        SkinUI::CRenderKit::PaintText(m_context.WindowDC(), &m_context, measured, label.textValue(), 0,
                                      label.fontIndex(), style | SkinUI::TEXT_CALCRECT);
        const RECT padding = label.textPadding();
        return SIZE{measured.right - measured.left + padding.left + padding.right,
                    measured.bottom - measured.top + padding.top + padding.bottom};
    }

    RECT ClientRect() const
    {
        RECT client = {};
        ::GetClientRect(m_window, &client);
        return client;
    }

    RECT ContainerRect(CControlUI& control) const
    {
        CControlUI* parent = control.parentControl();
        return parent ? parent->itemRect() : ClientRect();
    }

    std::wstring Describe()
    {
        std::wstring report = L"window\t" + LayoutReport::RectText(ClientRect()) + L"\n";
        LayoutReport::VisitTree(m_context.Root(), [this, &report](CControlUI& control) {
            if (!control.isShown())
                return;
            auto* label = dynamic_cast<CLabelUI*>(&control);
            if (label && !label->textValue().empty()) {
                const SIZE text = PaddedTextSize(*label);
                report += L"text\t" + label->textValue() + L"\t" + Shown(label->textValue()) + L"\t" +
                          LayoutReport::RectText(control.itemRect()) + L"\t" + std::to_wstring(text.cx) + L"," +
                          std::to_wstring(text.cy) + L"\t" + LayoutReport::RectText(ContainerRect(control)) + L"\n";
            }
            if (!control.hintText().empty())
                report += L"tooltip\t" + control.controlName() + L"\t" + Shown(control.hintText()) + L"\n";
            if (!control.queryFacet(L"IContainer")) {
                const std::wstring name = control.controlName();
                report += L"control\t" + (name.empty() ? std::wstring(L"-") : name) + L"\t" +
                          LayoutReport::RectText(control.itemRect()) + L"\n";
            }
        });
        return report;
    }

    std::wstring m_reportPath;
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    if (!commandLine || !*commandLine)
        return 2;
    LanguageTextInit(L"", GetInstallFolder() + L"\\skin\\lan\\");
    SkinUI::CWindowContextUI::SetAppModule(instance);

    CProbedWindow window(commandLine);
    if (!window.CreateNative(nullptr, L"Eyeward", kMainWindowStyle & ~WS_VISIBLE, 0))
        return 3;
    window.Center(false);
    window.RunModal(false);
    return 0;
}
