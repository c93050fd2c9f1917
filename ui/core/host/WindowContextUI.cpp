#include "ui/core/host/WindowContextUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/core/gfx/BlendFunctions.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/host/WindowContextShared.h"

#include <algorithm>

namespace SkinUI {

TContextProcessState& ContextProcessState()
{
    static TContextProcessState state;
    return state;
}

namespace {

template <typename T>
bool AddUnique(std::vector<T*>& list, T* item)
{
    if (!item || std::find(list.begin(), list.end(), item) != list.end())
        return false;
    list.push_back(item);
    return true;
}

template <typename T>
bool RemoveItem(std::vector<T*>& list, T* item)
{
    auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------
// Process-wide settings
// ---------------------------------------------------------------------------

void CWindowContextUI::InitProcessDefaults()
{
    TContextProcessState& state = ContextProcessState();
    if (state.baseFont.face.empty()) {
        state.colours = TDefaultColours();
        CreateDefaultGuiFont(state.baseFont);
    }
    if (state.initialised)
        return;
    state.initialised = true;
    state.dirtyPen.Reset(::CreatePen(PS_SOLID, 1, RGB(220, 0, 0)));
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    BlendFunctions(); // loads msimg32 once
}

void CWindowContextUI::SetAppModule(HINSTANCE module)
{
    CSkinSource::SetAppModule(module);
    CShadowUI::RegisterWindowClass(module);
}

HINSTANCE CWindowContextUI::AppModule() { return CSkinSource::AppModule(); }
std::wstring CWindowContextUI::AppFolder() { return CSkinSource::AppFolder(); }
void CWindowContextUI::SetSkinFolder(const std::wstring& path) { CSkinSource::SetSkinFolder(path); }
const std::wstring& CWindowContextUI::SkinFolder() { return CSkinSource::SkinFolder(); }
void CWindowContextUI::SetSkinZipFile(const std::wstring& name, bool keepOpen)
{
    CSkinSource::SetSkinZipFile(name, keepOpen);
}
void CWindowContextUI::SetSkinZipBlock(const void* bytes, size_t size) { CSkinSource::SetSkinZipBlock(bytes, size); }
const std::wstring& CWindowContextUI::SkinZipName() { return CSkinSource::SkinZipName(); }
bool CWindowContextUI::KeepZipOpen() { return CSkinSource::KeepZipOpen(); }
const ZipArchive* CWindowContextUI::OpenZip() { return CSkinSource::OpenZip(); }

void CWindowContextUI::SetLanguageText(int id, const std::wstring& text)
{
    ContextProcessState().languageTexts[id] = text;
}

void CWindowContextUI::ClearLanguageTexts() { ContextProcessState().languageTexts.clear(); }

bool CWindowContextUI::LanguageText(const std::wstring& id, std::wstring& text) const
{
    if (id.empty() || id.size() > 9 || !std::all_of(id.begin(), id.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return false;
    const auto& texts = ContextProcessState().languageTexts;
    auto found = texts.find(std::stoi(id));
    if (found == texts.end())
        return false;
    text = found->second;
    return true;
}

const std::vector<CWindowContextUI*>& CWindowContextUI::AllContexts() { return ContextProcessState().allContexts; }

// ---------------------------------------------------------------------------
// Life
// ---------------------------------------------------------------------------

CWindowContextUI::CWindowContextUI()
{
    InitProcessDefaults();
    const TDefaultColours& colours = ContextProcessState().colours;
    m_disabledTextColour = colours.disabledText;
    m_defaultTextColour = colours.text;
    m_linkColour = colours.link;
    m_linkHoverColour = colours.linkHover;
    m_selectedBackColour = colours.selectedBack;
}

CWindowContextUI::~CWindowContextUI()
{
    // Controls forget themselves through ForgetControl while they are deleted.
    ControlList pending;
    pending.swap(m_deleteLater);
    for (CControlUI* control : pending)
        delete control;
    CControlUI* root = m_root;
    m_root = nullptr;
    m_focus = m_hover = m_click = m_keyTarget = nullptr;
    delete root;

    m_fonts.Clear();
    m_images.DropImageTable(false);
    m_classDefaults.clear();
    m_optionGroups.clear();
    m_controlsByName.clear();
    m_deferredNotices.clear();
    m_timers.RemoveAll(m_window);
    if (m_tooltip && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    m_offscreen.Drop();
    m_backdrop.Drop();
    m_windowDc.reset();
    RemoveItem(ContextProcessState().allContexts, this);
}

void CWindowContextUI::Bind(HWND window)
{
    if (m_window == window)
        return;
    m_windowDc.reset();
    m_window = window;
    if (window)
        m_windowDc = std::make_unique<CWindowDc>(window);
    AddUnique(ContextProcessState().allContexts, this);
}

HDC CWindowContextUI::WindowDC() const { return m_windowDc ? m_windowDc->Get() : nullptr; }

// ---------------------------------------------------------------------------
// Tree
// ---------------------------------------------------------------------------

bool CWindowContextUI::AdoptRoot(CControlUI* root)
{
    m_focus = nullptr;
    m_keyTarget = nullptr;
    m_hover = nullptr;
    m_click = nullptr;
    if (m_root) {
        m_postPainters.clear();
        DeleteLater(m_root);
    }
    m_root = root;
    m_firstLayoutPending = true;
    m_layoutNeeded = true;
    m_focusNeeded = true;
    // A new tree must be painted even when nothing else invalidates the window.
    if (m_window)
        ::InvalidateRect(m_window, nullptr, FALSE);
    return RegisterTree(root, nullptr);
}

bool CWindowContextUI::RegisterTree(CControlUI* control, CControlUI* parent)
{
    if (!control)
        return false;
    control->bindContext(this, parent ? parent : control->parentControl(), true);
    control->searchTree(
        [](CControlUI* each, void* data) -> CControlUI* {
            auto& names = *static_cast<std::map<std::wstring, CControlUI*>*>(data);
            const std::wstring name = each->controlName();
            if (!name.empty())
                names[name] = each;
            return nullptr;
        },
        &m_controlsByName, FIND_CONTAINER_FIRST);
    return true;
}

void CWindowContextUI::ForgetControl(CControlUI* control)
{
    if (!control)
        return;
    if (m_keyTarget == control)
        m_keyTarget = nullptr;
    if (m_hover == control)
        m_hover = nullptr;
    if (m_click == control) {
        m_click = nullptr;
        ReleaseMouse();
    }
    if (m_focus == control)
        m_focus = nullptr;
    if (m_root == control)
        m_root = nullptr;
    StopTimers(control);
    for (auto it = m_controlsByName.begin(); it != m_controlsByName.end();) {
        if (it->second == control)
            it = m_controlsByName.erase(it);
        else
            ++it;
    }
    RemoveItem(m_postPainters, control);
    for (auto& group : m_optionGroups)
        RemoveItem(group.second, control);
    for (auto& notice : m_deferredNotices)
        if (notice->sender == control)
            notice->sender = nullptr;
    for (TNotifyMsg* notice : m_noticesInFlight)
        if (notice->sender == control)
            notice->sender = nullptr;
}

void CWindowContextUI::DeleteLater(CControlUI* control)
{
    if (!control)
        return;
    control->bindContext(this, nullptr, false);
    AddUnique(m_deleteLater, control);
    if (m_window)
        ::PostMessageW(m_window, WM_SKINUI_DELETE_LATER, 0, 0);
}

CControlUI* CWindowContextUI::ControlByName(const std::wstring& name) const
{
    auto found = m_controlsByName.find(name);
    return found == m_controlsByName.end() ? nullptr : found->second;
}

CControlUI* CWindowContextUI::ControlAt(POINT point) const
{
    if (!m_root)
        return nullptr;
    return m_root->searchTree([](CControlUI* each, void*) -> CControlUI* { return each; }, &point,
                              FIND_SHOWN | FIND_HITTEST | FIND_TOPFIRST);
}

// ---------------------------------------------------------------------------
// Receivers and filters
// ---------------------------------------------------------------------------

bool CWindowContextUI::AddReceiver(INotifyUI* receiver) { return AddUnique(m_receivers, receiver); }
bool CWindowContextUI::RemoveReceiver(INotifyUI* receiver) { return RemoveItem(m_receivers, receiver); }
bool CWindowContextUI::AddPreFilter(IMessageFilterUI* filter) { return AddUnique(m_preFilters, filter); }
bool CWindowContextUI::RemovePreFilter(IMessageFilterUI* filter) { return RemoveItem(m_preFilters, filter); }
bool CWindowContextUI::AddFilter(IMessageFilterUI* filter) { return AddUnique(m_filters, filter); }
bool CWindowContextUI::RemoveFilter(IMessageFilterUI* filter) { return RemoveItem(m_filters, filter); }
bool CWindowContextUI::AddPostPainter(CControlUI* control) { return AddUnique(m_postPainters, control); }
bool CWindowContextUI::RemovePostPainter(CControlUI* control) { return RemoveItem(m_postPainters, control); }
bool CWindowContextUI::AddAcceleratorHandler(ITranslateAccelerator* handler)
{
    return AddUnique(m_acceleratorHandlers, handler);
}
bool CWindowContextUI::RemoveAcceleratorHandler(ITranslateAccelerator* handler)
{
    return RemoveItem(m_acceleratorHandlers, handler);
}

// ---------------------------------------------------------------------------
// Notifications
// ---------------------------------------------------------------------------

void CWindowContextUI::SendNotice(CControlUI* sender, const std::wstring& type, WPARAM wParam, LPARAM lParam,
                                  bool deferred)
{
    auto notice = std::make_unique<TNotifyMsg>();
    notice->type = type;
    notice->sender = sender;
    notice->timestamp = ::GetTickCount();
    notice->mouse = m_lastMouse;
    notice->wParam = wParam;
    notice->lParam = lParam;
    if (m_virtualRouting && sender)
        notice->virtualWindow = sender->effectiveVirtualWindow();
    if (deferred) {
        m_deferredNotices.push_back(std::move(notice));
        return;
    }
    DeliverNotice(*notice);
}

void CWindowContextUI::DeliverNotice(TNotifyMsg& notice)
{
    // While it is delivered the notice stays reachable for ForgetControl, so
    // a receiver that deletes the sender leaves the later ones a null sender.
    m_noticesInFlight.push_back(&notice);
    if (notice.sender && !notice.sender->notifyListeners().empty())
        notice.sender->notifyListeners().fire(&notice);
    const std::vector<INotifyUI*> receivers = m_receivers;
    for (INotifyUI* receiver : receivers)
        if (std::find(m_receivers.begin(), m_receivers.end(), receiver) != m_receivers.end())
            receiver->Notify(notice);
    m_noticesInFlight.pop_back();
}

void CWindowContextUI::DeliverDeferredNotices()
{
    while (!m_deferredNotices.empty()) {
        std::unique_ptr<TNotifyMsg> notice = std::move(m_deferredNotices.front());
        m_deferredNotices.erase(m_deferredNotices.begin());
        DeliverNotice(*notice);
    }
}

// ---------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------

bool CWindowContextUI::StartTimer(CControlUI* control, UINT timerId, UINT elapseMs)
{
    return m_timers.Start(m_window, control, timerId, elapseMs);
}

bool CWindowContextUI::StopTimer(CControlUI* control, UINT timerId) { return m_timers.Stop(m_window, control, timerId); }

void CWindowContextUI::StopTimers(CControlUI* control) { m_timers.RemoveControl(m_window, control); }

void CWindowContextUI::StopAllTimers() { m_timers.RemoveAll(m_window); }

// ---------------------------------------------------------------------------
// Option groups
// ---------------------------------------------------------------------------

bool CWindowContextUI::JoinGroup(const std::wstring& group, CControlUI* option)
{
    if (!option)
        return false;
    return AddUnique(m_optionGroups[group], option);
}

void CWindowContextUI::LeaveGroup(const std::wstring& group, CControlUI* option)
{
    auto found = m_optionGroups.find(group);
    if (found == m_optionGroups.end())
        return;
    RemoveItem(found->second, option);
    if (found->second.empty())
        m_optionGroups.erase(found);
}

const std::vector<CControlUI*>* CWindowContextUI::GroupMembers(const std::wstring& group) const
{
    auto found = m_optionGroups.find(group);
    return found == m_optionGroups.end() ? nullptr : &found->second;
}

} // namespace SkinUI
