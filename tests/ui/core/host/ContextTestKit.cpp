#include "tests/ui/core/host/ContextTestKit.h"

#include "ui/core/res/SkinSource.h"

#include <algorithm>

namespace ContextTest {

const char* KindName(EInputKind kind)
{
    switch (kind) {
    case EInputKind::KeyDown: return "KeyDown";
    case EInputKind::KeyUp: return "KeyUp";
    case EInputKind::Char: return "Char";
    case EInputKind::SysKey: return "SysKey";
    case EInputKind::MouseMove: return "MouseMove";
    case EInputKind::MouseLeave: return "MouseLeave";
    case EInputKind::MouseEnter: return "MouseEnter";
    case EInputKind::MouseHover: return "MouseHover";
    case EInputKind::ButtonDown: return "ButtonDown";
    case EInputKind::ButtonUp: return "ButtonUp";
    case EInputKind::RightButtonDown: return "RightButtonDown";
    case EInputKind::RightButtonUp: return "RightButtonUp";
    case EInputKind::DoubleClick: return "DoubleClick";
    case EInputKind::ContextMenu: return "ContextMenu";
    case EInputKind::ScrollWheel: return "ScrollWheel";
    case EInputKind::KillFocus: return "KillFocus";
    case EInputKind::SetFocus: return "SetFocus";
    case EInputKind::WindowSize: return "WindowSize";
    case EInputKind::SetCursor: return "SetCursor";
    case EInputKind::Timer: return "Timer";
    case EInputKind::ImeComposition: return "ImeComposition";
    case EInputKind::PanGesture: return "PanGesture";
    default: return "Other";
    }
}

// ---------------------------------------------------------------------------

CProbeControl::CProbeControl(const std::string& tag, EventLog* log, const RECT& rect, UINT traits)
    : fixedRect(rect), m_tag(tag), m_log(log), m_traits(traits)
{
    m_rect = rect;
}

CProbeControl::~CProbeControl()
{
    if (auto* box = dynamic_cast<CProbeBox*>(m_parent))
        box->Detach(this);
    if (deletedFlag)
        *deletedFlag = true;
}

bool CProbeControl::fireAction()
{
    ++actions;
    if (m_log)
        m_log->push_back(m_tag + ":Action");
    return CControlUI::fireAction();
}

void CProbeControl::dispatchInput(TInputEvent& event)
{
    m_events.push_back(event);
    if (m_log)
        m_log->push_back(m_tag + ":" + KindName(event.kind));
    CControlUI::dispatchInput(event);
}

void CProbeControl::render(HDC dc, const RECT& request)
{
    RECT area = {};
    if (m_hasFill && ::IntersectRect(&area, &request, &m_rect)) {
        CBrush brush(::CreateSolidBrush(m_fill));
        ::FillRect(dc, &area, brush.Get());
    }
}

const TInputEvent* CProbeControl::Last(EInputKind kind) const
{
    for (auto it = m_events.rbegin(); it != m_events.rend(); ++it)
        if (it->kind == kind)
            return &*it;
    return nullptr;
}

int CProbeControl::Count(EInputKind kind) const
{
    return int(std::count_if(m_events.begin(), m_events.end(), [kind](const TInputEvent& e) { return e.kind == kind; }));
}

// ---------------------------------------------------------------------------

CProbeBox::CProbeBox(const std::string& tag, EventLog* log, const RECT& rect) : CProbeControl(tag, log, rect) {}

CProbeBox::~CProbeBox()
{
    std::vector<CProbeControl*> children;
    children.swap(m_children);
    for (CProbeControl* child : children)
        delete child;
}

void CProbeBox::Detach(CProbeControl* child)
{
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
}

void CProbeBox::Add(CProbeControl* child)
{
    m_children.push_back(child);
    if (m_context)
        m_context->RegisterTree(child, this);
}

void CProbeBox::bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit)
{
    CControlUI::bindContext(context, parent, runInit);
    for (CProbeControl* child : m_children)
        child->bindContext(context, this, runInit);
}

void CProbeBox::placeAt(RECT rc, bool invalidate)
{
    ++placements;
    CControlUI::placeAt(rc, invalidate);
    for (CProbeControl* child : m_children) {
        RECT place = child->fixedRect;
        ::OffsetRect(&place, m_rect.left, m_rect.top);
        child->placeAt(place, invalidate);
    }
}

CControlUI* CProbeBox::searchTree(SkinUI::TreeVisitor visitor, void* data, UINT flags)
{
    using namespace SkinUI;
    if ((flags & FIND_SHOWN) && !isShown())
        return nullptr;
    if ((flags & FIND_OPERABLE) && !isOperable())
        return nullptr;
    if ((flags & FIND_HITTEST) && !::PtInRect(&m_rect, *static_cast<const POINT*>(data)))
        return nullptr;
    if ((flags & FIND_UPDATETEST) && visitor(this, data))
        return nullptr;
    if (flags & FIND_CONTAINER_FIRST) {
        if (CControlUI* found = visitor(this, data))
            return found;
    }
    const bool topFirst = (flags & FIND_TOPFIRST) != 0;
    for (size_t step = 0; step < m_children.size(); ++step) {
        CProbeControl* child = m_children[topFirst ? m_children.size() - 1 - step : step];
        if (CControlUI* found = child->searchTree(visitor, data, flags))
            return found;
    }
    if (flags & FIND_CONTAINER_FIRST)
        return nullptr;
    if ((flags & FIND_HITTEST) && !takesMouse())
        return nullptr;
    return visitor(this, data);
}

void CProbeBox::render(HDC dc, const RECT& request)
{
    CProbeControl::render(dc, request);
    for (CProbeControl* child : m_children)
        if (child->isShown())
            child->render(dc, request);
}

// ---------------------------------------------------------------------------

void CNoticeLog::Notify(TNotifyMsg& msg)
{
    notices.push_back(msg);
    if (m_log)
        m_log->push_back("notice:" + std::string(msg.type.begin(), msg.type.end()));
    if (onNotice)
        onNotice(msg);
}

int CNoticeLog::Count(const std::wstring& type) const
{
    return int(std::count_if(notices.begin(), notices.end(), [&](const TNotifyMsg& n) { return n.type == type; }));
}

// ---------------------------------------------------------------------------

namespace {

constexpr wchar_t kTestClass[] = L"SkinUiContextTestWnd";

void RegisterTestClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.lpszClassName = kTestClass;
    registered = ::RegisterClassExW(&windowClass) != 0;
}

} // namespace

CTestWindow::CTestWindow(int width, int height, DWORD style, HWND parent, int x, int y)
{
    if (!CWindowContextUI::AppModule())
        CWindowContextUI::SetAppModule(::GetModuleHandleW(nullptr));
    RegisterTestClass();
    m_context = std::make_unique<CWindowContextUI>();
    m_window = ::CreateWindowExW(0, kTestClass, L"context test", style, x, y, width, height, parent, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CTestWindow::WindowProc));
    m_context->Bind(m_window);
}

CTestWindow::~CTestWindow()
{
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    m_context.reset();
    ::DestroyWindow(m_window);
    PumpMessages();
}

LRESULT CTestWindow::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_window, message, wParam, lParam);
}

void CTestWindow::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    ::PostMessageW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK CTestWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CTestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->m_context) {
        if (message == WM_CLOSE)
            ++self->closeMessages;
        LRESULT result = 0;
        if (self->m_context->HandleWindowMessage(message, wParam, lParam, result))
            return result;
        self->unhandled.push_back(message);
        if (message == WM_CLOSE)
            return 0; // tests keep their windows
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages()
{
    MSG message = {};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (CWindowContextUI::TranslateForAll(&message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

LPARAM PointParam(int x, int y) { return MAKELPARAM(x, y); }

bool ParkCursor(HWND window, int x, int y)
{
    POINT point = {x, y};
    ::ClientToScreen(window, &point);
    ::SetCursorPos(point.x, point.y);
    POINT actual = {};
    ::GetCursorPos(&actual);
    return actual.x == point.x && actual.y == point.y;
}

EventLog Without(const EventLog& log, const std::string& suffix)
{
    EventLog kept;
    for (const std::string& entry : log)
        if (entry.size() < suffix.size() || entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0)
            kept.push_back(entry);
    return kept;
}

} // namespace ContextTest
