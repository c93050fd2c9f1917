#include "ui/core/host/NotifyPump.h"

#include "ui/controls/ControlUI.h"

#include <cwchar>

namespace SkinUI {

bool CNotifyPump::TNoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const
{
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
}

const TNoticeMap* CNotifyPump::NoticeMap() const
{
    return nullptr;
}

bool CNotifyPump::AddVirtualWindow(const std::wstring& name, CNotifyPump* pump)
{
    if (name.empty() || !pump || pump == this)
        return false;
    return m_virtualWindows.emplace(name, pump).second;
}

bool CNotifyPump::RemoveVirtualWindow(const std::wstring& name)
{
    return m_virtualWindows.erase(name) > 0;
}

bool CNotifyPump::Dispatch(TNotifyMsg& message)
{
    if (!message.virtualWindow.empty()) {
        auto found = m_virtualWindows.find(message.virtualWindow);
        if (found != m_virtualWindows.end() && found->second->Dispatch(message))
            return true;
    }
    return DispatchThroughMaps(message);
}

bool CNotifyPump::DispatchThroughMaps(TNotifyMsg& message)
{
    std::wstring senderName = message.sender ? message.sender->controlName() : std::wstring();
    for (const TNoticeMap* map = NoticeMap(); map; map = map->base) {
        // An entry for this very control wins over one for any control.
        const TNoticeMapEntry* chosen = nullptr;
        for (const TNoticeMapEntry* entry = map->entries; entry && (entry->paramsHandler || entry->messageHandler);
             ++entry) {
            if (message.type != entry->type)
                continue;
            const wchar_t* wanted = entry->controlName ? entry->controlName : L"";
            if (*wanted && senderName == wanted) {
                chosen = entry;
                break;
            }
            if (!*wanted && !chosen)
                chosen = entry;
        }
        if (!chosen)
            continue;
        switch (chosen->kind) {
        case NOTICE_PARAMS:
            if (!chosen->paramsHandler)
                return false;
            (this->*chosen->paramsHandler)(message.wParam, message.lParam);
            return true;
        case NOTICE_MESSAGE:
            if (!chosen->messageHandler)
                return false;
            (this->*chosen->messageHandler)(message);
            return true;
        default:
            return false;
        }
    }
    return false;
}

} // namespace SkinUI
