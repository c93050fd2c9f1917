// Keyboard focus: focusing controls, Tab and Shift+Tab, access keys, and the
// keyboard handling of queued messages before they are dispatched.
#include "ui/core/host/WindowContextUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/core/host/WindowContextShared.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace SkinUI {

namespace {

bool ClassContains(const CControlUI* control, const wchar_t* part)
{
    const wchar_t* type = control ? control->typeName() : nullptr;
    return type && std::wcsstr(type, part) != nullptr;
}

struct TAccessKeySearch {
    wchar_t key = 0;
    bool hit = false;
};

} // namespace

void CWindowContextUI::FocusControl(CControlUI* control)
{
    if (::GetFocus() != m_window && control != m_focus)
        ::SetFocus(m_window);
    if (control == m_focus)
        return;
    if (m_focus) {
        CControlUI* previous = m_focus;
        Dispatch(previous, EInputKind::KillFocus, 0, 0, 0, control);
        SendNotice(previous, L"killfocus");
        m_focus = nullptr;
    }
    if (control && control->windowContext() == this && control->isShown() && control->isOperable()) {
        m_focus = control;
        Dispatch(control, EInputKind::SetFocus);
        SendNotice(control, L"setfocus");
    }
}

// The tab stops in tab order (containers before their children) and the
// position of `focus` among all shown, operable controls.
static void CollectTabOrder(CControlUI* root, CControlUI* focus, std::vector<CControlUI*>& stops, int& focusIndex,
                            std::vector<int>& stopIndices)
{
    std::vector<CControlUI*> visited;
    root->searchTree(
        [](CControlUI* each, void* data) -> CControlUI* {
            static_cast<std::vector<CControlUI*>*>(data)->push_back(each);
            return nullptr;
        },
        &visited, FIND_SHOWN | FIND_OPERABLE | FIND_CONTAINER_FIRST);
    focusIndex = -1;
    for (size_t i = 0; i < visited.size(); ++i) {
        if (visited[i] == focus)
            focusIndex = int(i);
        if (visited[i]->inputTraits() & TRAIT_TABSTOP) {
            stops.push_back(visited[i]);
            stopIndices.push_back(int(i));
        }
    }
}

void CWindowContextUI::FocusLater(CControlUI* control)
{
    ::SetFocus(m_window);
    if (m_focus) {
        CControlUI* previous = m_focus;
        Dispatch(previous, EInputKind::KillFocus, 0, 0, 0, control);
        SendNotice(previous, L"killfocus");
        m_focus = nullptr;
    }
    // Park the focus (without events) on the tab stop before the control, so
    // the Tab step of the next paint lands on the control itself.
    if (m_root && control) {
        std::vector<CControlUI*> stops;
        std::vector<int> stopIndices;
        int ignored = -1;
        CollectTabOrder(m_root, nullptr, stops, ignored, stopIndices);
        auto found = std::find(stops.begin(), stops.end(), control);
        if (found != stops.end() && found != stops.begin())
            m_focus = *(found - 1);
    }
    m_focusNeeded = true;
    if (m_root)
        m_root->markForRelayout();
    m_layoutNeeded = true;
}

bool CWindowContextUI::TabToNext(bool forward)
{
    if (m_layoutNeeded && forward) {
        m_focusNeeded = true;
        if (m_window)
            ::InvalidateRect(m_window, nullptr, FALSE);
        return true;
    }
    if (!m_root)
        return false;
    std::vector<CControlUI*> stops;
    std::vector<int> stopIndices;
    int focusIndex = -1;
    CollectTabOrder(m_root, m_focus, stops, focusIndex, stopIndices);
    m_focusNeeded = false;
    if (stops.empty())
        return false;

    CControlUI* next = nullptr;
    if (focusIndex < 0) {
        next = stops.front();
    } else if (forward) {
        for (size_t i = 0; i < stops.size() && !next; ++i)
            if (stopIndices[i] > focusIndex)
                next = stops[i];
        if (!next)
            next = stops.front();
    } else {
        for (size_t i = stops.size(); i-- > 0 && !next;)
            if (stopIndices[i] < focusIndex)
                next = stops[i];
        if (!next)
            next = stops.back();
    }
    FocusControl(next);
    m_focusNeeded = false;
    return true;
}

bool CWindowContextUI::PreTranslate(const MSG* message)
{
    if (!message)
        return false;
    const std::vector<IMessageFilterUI*> preFilters = m_preFilters;
    for (IMessageFilterUI* filter : preFilters) {
        bool handled = false;
        filter->FilterMessage(message->message, message->wParam, message->lParam, handled);
        if (handled)
            return true;
    }
    switch (message->message) {
    case WM_KEYDOWN:
        if (message->wParam != VK_TAB)
            return false;
        // An embedded web view uses Tab itself.
        if (m_focus && m_focus->isShown() && m_focus->isOperable() && ClassContains(m_focus, L"WebViewWindowlessUI"))
            return false;
        TabToNext(::GetKeyState(VK_SHIFT) >= 0);
        return true;
    case WM_SYSKEYDOWN: {
        if (m_focus) {
            TInputEvent event;
            event.kind = EInputKind::SysKey;
            event.sender = m_focus;
            event.timestamp = ::GetTickCount();
            event.mouse = m_lastMouse;
            event.key = WCHAR(message->wParam);
            event.wParam = message->wParam;
            event.lParam = message->lParam;
            m_focus->dispatchInput(event);
        }
        // Alt+F4 stays with the platform so the window still closes.
        if (message->wParam == VK_F4)
            return false;
        // The key is swallowed, but its WM_SYSCHAR must still be made so
        // access keys keep working.
        ::TranslateMessage(message);
        return true;
    }
    case WM_SYSCHAR: {
        if (!m_root)
            return false;
        TAccessKeySearch search;
        search.key = wchar_t(std::towupper(wchar_t(message->wParam)));
        CControlUI* target = m_root->searchTree(
            [](CControlUI* each, void* data) -> CControlUI* {
                auto& search = *static_cast<TAccessKeySearch*>(data);
                if (!each->isShown())
                    return nullptr;
                if (!search.hit && each->accessKey() != 0 &&
                    wchar_t(std::towupper(each->accessKey())) == search.key)
                    search.hit = true;
                // A label's key activates the next control that is not a label.
                if (search.hit && !ClassContains(each, L"LabelUI"))
                    return each;
                return nullptr;
            },
            &search, FIND_OPERABLE | FIND_TOPFIRST | FIND_CONTAINER_FIRST);
        if (!target)
            return false;
        target->grabFocus();
        target->fireAction();
        return true;
    }
    default:
        return false;
    }
}

bool CWindowContextUI::TranslateForAll(const MSG* message)
{
    if (!message || !message->hwnd)
        return false;
    const std::vector<CWindowContextUI*> contexts = AllContexts();
    auto stillBound = [](CWindowContextUI* context) {
        const auto& all = AllContexts();
        return std::find(all.begin(), all.end(), context) != all.end();
    };
    auto offer = [&](CWindowContextUI* context) {
        const std::vector<ITranslateAccelerator*> handlers = context->m_acceleratorHandlers;
        for (ITranslateAccelerator* handler : handlers)
            if (handler->TranslateAccel(const_cast<MSG*>(message)))
                return true;
        return stillBound(context) && context->PreTranslate(message);
    };

    if (::GetWindowLongPtrW(message->hwnd, GWL_STYLE) & WS_CHILD) {
        for (size_t i = contexts.size(); i-- > 0;) {
            CWindowContextUI* context = contexts[i];
            if (!stillBound(context))
                continue;
            for (HWND window = message->hwnd; window; window = ::GetParent(window)) {
                if (context->m_window == window) {
                    if (offer(context))
                        return true;
                    break;
                }
            }
        }
        return false;
    }
    for (CWindowContextUI* context : contexts)
        if (stillBound(context) && context->m_window == message->hwnd)
            return offer(context);
    return false;
}

} // namespace SkinUI
