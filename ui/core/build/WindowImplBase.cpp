#include "ui/core/build/WindowImplBase.h"

#include "ui/controls/ControlUI.h"

#include <cwchar>

namespace SkinUI {

namespace {

constexpr LONG kCaptionBits = WS_CAPTION;                           // 0x00C00000
constexpr LONG kClipBits = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;       // 0x06000000

// A resource named by decimal text is a numeric id; anything else is a name.
LPCWSTR ResourceName(const std::wstring& text)
{
    if (!text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos) {
        unsigned long id = std::wcstoul(text.c_str(), nullptr, 10);
        if (id > 0 && id <= 0xFFFF)
            return MAKEINTRESOURCEW(id);
    }
    return text.c_str();
}

} // namespace

SKINUI_BEGIN_NOTICE_MAP(WindowImplBase, CNotifyPump)
SKINUI_NOTICE_MESSAGE(L"click", L"", WindowImplBase, HandleClickNotice)
SKINUI_END_NOTICE_MAP()

WindowImplBase::~WindowImplBase()
{
    // A window outliving its object would route messages into freed memory.
    if (::IsWindow(m_window))
        ::DestroyWindow(m_window);
}

void WindowImplBase::AfterSkinBuilt()
{
}

UINT WindowImplBase::RegisterStyle() const
{
    return CS_DBLCLKS;
}

ESkinSourceKind WindowImplBase::SkinSourceKind() const
{
    return ESkinSourceKind::File;
}

std::wstring WindowImplBase::SkinZipFileName() const
{
    return std::wstring();
}

std::wstring WindowImplBase::SkinResourceId() const
{
    return std::wstring();
}

bool WindowImplBase::DefaultKeyPressed(WPARAM key)
{
    return key == VK_ESCAPE;
}

CControlUI* WindowImplBase::BuildControl(const wchar_t*)
{
    return nullptr;
}

void WindowImplBase::Notify(TNotifyMsg& message)
{
    OnNotice(message);
}

void WindowImplBase::OnNotice(TNotifyMsg& message)
{
    Dispatch(message);
}

LRESULT WindowImplBase::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    return MessageFilter(message, wParam, lParam, handled);
}

LRESULT WindowImplBase::MessageFilter(UINT message, WPARAM wParam, LPARAM, bool&)
{
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE))
        return DefaultKeyPressed(wParam) ? TRUE : FALSE;
    return 0;
}

void WindowImplBase::HandleClickNotice(TNotifyMsg& message)
{
    if (!message.sender)
        return;
    std::wstring name = message.sender->controlName();
    if (name == L"closebtn")
        PostClose(1);
    else if (name == L"minbtn")
        Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (name == L"maxbtn")
        Send(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (name == L"restorebtn")
        Send(WM_SYSCOMMAND, SC_RESTORE, 0);
}

LRESULT WindowImplBase::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled = true;
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE: result = MsgCreate(message, wParam, lParam, handled); break;
    case WM_CLOSE: result = MsgClose(message, wParam, lParam, handled); break;
    case WM_DESTROY: result = MsgDestroy(message, wParam, lParam, handled); break;
    case WM_NCACTIVATE: result = MsgNcActivate(message, wParam, lParam, handled); break;
    case WM_NCCALCSIZE: result = MsgNcCalcSize(message, wParam, lParam, handled); break;
    case WM_NCPAINT: result = MsgNcPaint(message, wParam, lParam, handled); break;
    case WM_NCHITTEST: result = MsgNcHitTest(message, wParam, lParam, handled); break;
    case WM_GETMINMAXINFO: result = MsgMinMaxInfo(message, wParam, lParam, handled); break;
    case WM_MOUSEWHEEL: result = MsgWheel(message, wParam, lParam, handled); break;
    case WM_MOUSEHOVER: result = MsgHover(message, wParam, lParam, handled); break;
    case WM_SIZE: result = MsgSize(message, wParam, lParam, handled); break;
    case WM_CHAR: result = MsgChar(message, wParam, lParam, handled); break;
    case WM_SYSCOMMAND: result = MsgSysCommand(message, wParam, lParam, handled); break;
    case WM_KEYDOWN: result = MsgKeyDown(message, wParam, lParam, handled); break;
    case WM_KILLFOCUS: result = MsgKillFocus(message, wParam, lParam, handled); break;
    case WM_SETFOCUS: result = MsgSetFocus(message, wParam, lParam, handled); break;
    case WM_LBUTTONDOWN: result = MsgLeftDown(message, wParam, lParam, handled); break;
    case WM_LBUTTONUP: result = MsgLeftUp(message, wParam, lParam, handled); break;
    case WM_MOUSEMOVE: result = MsgMouseMove(message, wParam, lParam, handled); break;
    default: handled = false; break;
    }
    if (handled)
        return result;
    result = MsgOther(message, wParam, lParam, handled);
    if (handled)
        return result;
    if (m_context.HandleWindowMessage(message, wParam, lParam, result))
        return result;
    return CWindowWnd::RouteMessage(message, wParam, lParam);
}

// The handlers without behaviour of their own leave the message to the context.
#define SKINUI_PASS_ON(method)                                                                                       \
    LRESULT WindowImplBase::method(UINT, WPARAM, LPARAM, bool& handled)                                              \
    {                                                                                                                \
        handled = false;                                                                                             \
        return 0;                                                                                                    \
    }
SKINUI_PASS_ON(MsgClose)
SKINUI_PASS_ON(MsgDestroy)
SKINUI_PASS_ON(MsgWheel)
SKINUI_PASS_ON(MsgHover)
SKINUI_PASS_ON(MsgChar)
SKINUI_PASS_ON(MsgKeyDown)
SKINUI_PASS_ON(MsgKillFocus)
SKINUI_PASS_ON(MsgSetFocus)
SKINUI_PASS_ON(MsgLeftDown)
SKINUI_PASS_ON(MsgLeftUp)
SKINUI_PASS_ON(MsgMouseMove)
SKINUI_PASS_ON(MsgOther)
#undef SKINUI_PASS_ON

LONG WindowImplBase::StyleWithoutCaption() const
{
    return ::GetWindowLongW(m_window, GWL_STYLE) & ~kCaptionBits;
}

LRESULT WindowImplBase::MsgCreate(UINT, WPARAM, LPARAM, bool&)
{
    // The whole window becomes client area; the skin draws its own frame.
    LONG style = ::GetWindowLongW(m_window, GWL_STYLE);
    ::SetWindowLongW(m_window, GWL_STYLE, (style & ~kCaptionBits) | kClipBits);
    RECT client = {};
    ::GetClientRect(m_window, &client);
    ::SetWindowPos(m_window, nullptr, client.left, client.top, client.right - client.left,
                   client.bottom - client.top, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);

    m_context.Bind(m_window);
    m_context.AddPreFilter(this);

    if (CWindowContextUI::SkinFolder().empty())
        CWindowContextUI::SetSkinFolder(CWindowContextUI::AppFolder() + SkinSubfolder());
    if (!SelectSkinSource())
        return 0;

    CControlUI* root = BuildSkin();
    if (!root) {
        ::MessageBoxW(nullptr, kSkinFailureText, kSkinFailureCaption, MB_OK | MB_ICONERROR);
        ::ExitProcess(1);
    }
    m_context.AddReceiver(this);
    m_context.AdoptRoot(root);
    m_context.SetOwnerBackdrop(true);
    AfterSkinBuilt();
    return 0;
}

bool WindowImplBase::SelectSkinSource()
{
    switch (SkinSourceKind()) {
    case ESkinSourceKind::ZipFile:
        CWindowContextUI::SetSkinZipFile(SkinZipFileName(), true);
        return true;
    case ESkinSourceKind::ZipResource: {
        std::wstring id = SkinResourceId();
        return CSkinSource::InstallZipResource(ResourceName(id));
    }
    default:
        return true;
    }
}

CControlUI* WindowImplBase::BuildSkin()
{
    CSkinBuilder builder;
    std::wstring entry = SkinEntryName();
    if (SkinSourceKind() == ESkinSourceKind::Resource) {
        unsigned long id = std::wcstoul(entry.c_str(), nullptr, 10);
        if (id == 0 || id > 0xFFFF)
            return nullptr;
        return builder.Build(MAKEINTRESOURCEW(id), L"xml", this, &m_context);
    }
    return builder.Build(entry.c_str(), nullptr, this, &m_context);
}

void WindowImplBase::AfterDestroyed(HWND)
{
    m_context.RemovePreFilter(this);
    m_context.RemoveReceiver(this);
    m_context.ForgetControl(m_context.Root());
}

} // namespace SkinUI
