#pragma once
// What the window-context tests share: a plain Win32 window that routes its
// messages to a bound context, probe controls that record the input events
// they receive, a probe container, and a notification log.
#include "ui/controls/ControlUI.h"
#include "ui/core/host/WindowContextUI.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ContextTest {

using SkinUI::CControlUI;
using SkinUI::CWindowContextUI;
using SkinUI::EInputKind;
using SkinUI::TInputEvent;
using SkinUI::TNotifyMsg;

// Shared record of what happened, in order ("A:MouseEnter", "B:ButtonUp", ...).
using EventLog = std::vector<std::string>;

const char* KindName(EInputKind kind);

// A leaf control with a fixed rectangle that records every input event.
class CProbeControl : public CControlUI {
public:
    CProbeControl(const std::string& tag, EventLog* log, const RECT& rect, UINT traits = 0);
    ~CProbeControl() override;

    const wchar_t* typeName() const override { return m_typeName.c_str(); }
    UINT inputTraits() const override { return m_traits; }
    bool fireAction() override;
    void dispatchInput(TInputEvent& event) override;
    void render(HDC dc, const RECT& request) override;

    void SetTypeName(const std::wstring& name) { m_typeName = name; }
    void SetFill(COLORREF colour) { m_fill = colour; m_hasFill = true; }
    const std::vector<TInputEvent>& Events() const { return m_events; }
    // The last event of a kind; none when it never came.
    const TInputEvent* Last(EInputKind kind) const;
    int Count(EInputKind kind) const;
    int actions = 0;
    bool* deletedFlag = nullptr;
    RECT fixedRect;

protected:
    std::string m_tag;
    EventLog* m_log;
    UINT m_traits;
    std::wstring m_typeName = L"ProbeUI";
    std::vector<TInputEvent> m_events;
    COLORREF m_fill = 0;
    bool m_hasFill = false;
};

// A container whose children keep the fixed rectangles they were made with
// (offset by the container's position).
class CProbeBox : public CProbeControl {
public:
    CProbeBox(const std::string& tag, EventLog* log, const RECT& rect);
    ~CProbeBox() override;

    void Add(CProbeControl* child);
    // Forgets a child that is being deleted elsewhere.
    void Detach(CProbeControl* child);
    void bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    CControlUI* searchTree(SkinUI::TreeVisitor visitor, void* data, UINT flags) override;
    void render(HDC dc, const RECT& request) override;
    int placements = 0;

private:
    std::vector<CProbeControl*> m_children;
};

// Receives notifications and keeps copies.
class CNoticeLog : public SkinUI::INotifyUI {
public:
    explicit CNoticeLog(EventLog* log = nullptr) : m_log(log) {}
    void Notify(TNotifyMsg& msg) override;
    int Count(const std::wstring& type) const;
    std::vector<TNotifyMsg> notices;
    std::function<void(TNotifyMsg&)> onNotice;

private:
    EventLog* m_log;
};

// A top-level (or child) window of a plain class with a context bound to it.
class CTestWindow {
public:
    explicit CTestWindow(int width = 300, int height = 200, DWORD style = WS_POPUP | WS_VISIBLE,
                         HWND parent = nullptr, int x = 100, int y = 100);
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND Handle() const { return m_window; }
    CWindowContextUI& Context() { return *m_context; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Messages the context did not handle, in order.
    std::vector<UINT> unhandled;
    int closeMessages = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_window = nullptr;
    std::unique_ptr<CWindowContextUI> m_context;
};

// Handles every queued message of this thread (through TranslateForAll, as the
// framework's message loop does).
void PumpMessages();
// Pumps until `done` answers true; false when it did not within `limitMs`
// (a guard against hangs, not a timing check).
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000);

LPARAM PointParam(int x, int y);

// Puts the real pointer at a client point of the window, so the platform's
// hover and leave tracking sees it inside; false when the display refused.
bool ParkCursor(HWND window, int x, int y);

// The log without the entries that end in `suffix` (such as ":MouseHover",
// which the platform's hover timer may add at any moment).
EventLog Without(const EventLog& log, const std::string& suffix);

} // namespace ContextTest
