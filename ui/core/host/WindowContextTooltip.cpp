// Tooltips: the platform tooltip window shows the hint text of the control
// the mouse rests on.
#include "ui/core/host/WindowContextUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/core/res/LanguageText.h"
#include "ui/core/res/SkinSource.h"

namespace SkinUI {

UINT CWindowContextUI::HoverDelay() const
{
    if (!m_tooltip)
        return 400;
    return UINT(::SendMessageW(m_tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
}

void CWindowContextUI::ShowTooltip(CControlUI* control)
{
    if (!control)
        return;
    const std::wstring hint = control->hintText();
    if (hint.empty())
        return;
    m_tooltipText = SubstituteLanguageTexts(
        hint, [this](const std::wstring& id, std::wstring& text) { return LanguageText(id, text); });

    // The record's size is the platform's own (48 bytes on 32-bit Windows).
    m_toolInfo = TOOLINFOW{};
    m_toolInfo.cbSize = sizeof(TOOLINFOW);
    m_toolInfo.uFlags = TTF_IDISHWND;
    m_toolInfo.hwnd = m_window;
    m_toolInfo.uId = reinterpret_cast<UINT_PTR>(m_window);
    m_toolInfo.rect = control->itemRect();
    m_toolInfo.hinst = CSkinSource::AppModule();
    m_toolInfo.lpszText = &m_tooltipText[0];
    if (!m_tooltip) {
        m_tooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                                      CSkinSource::AppModule(), nullptr);
        if (!m_tooltip)
            return;
        ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    }
    ::SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, control->hintWidth());
    ::SendMessageW(m_tooltip, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m_toolInfo));
}

void CWindowContextUI::HideTooltip()
{
    if (m_tooltip)
        ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_toolInfo));
}

} // namespace SkinUI
