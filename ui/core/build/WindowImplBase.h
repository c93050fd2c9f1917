#pragma once
// The base of a skinned, captionless top-level window: on creation it picks
// the skin source, builds the control tree into its own window context, and
// afterwards gives the window caption dragging and sizing borders by
// hit-testing, rounded corners, maximise handling and the standard buttons
// ("closebtn", "minbtn", "maxbtn", "restorebtn").
#include "ui/core/host/NotifyPump.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/host/WindowContextUI.h"
#include "ui/core/host/WindowInterfaces.h"
#include "ui/core/host/WindowWnd.h"

#include <string>

namespace SkinUI {

// The message box text and caption shown when a skin cannot be built.
inline constexpr wchar_t kSkinFailureText[] = L"加载资源文件失败";
inline constexpr wchar_t kSkinFailureCaption[] = L"SkinUI";

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase() = default;

    // The virtual operations continue CWindowWnd's, in this order.
    virtual ~WindowImplBase();
    virtual void AfterSkinBuilt();
    virtual BOOL AnimateShow(DWORD time, DWORD flags);
    virtual void HandleClickNotice(TNotifyMsg& message);
    // Where the skin lives below the application folder ("skin\\").
    virtual std::wstring SkinSubfolder() const = 0;
    // The markup: a file or archive entry name, markup text, or (for the
    // Resource kind) a decimal resource id of type "xml".
    virtual std::wstring SkinEntryName() const = 0;
    virtual bool DefaultKeyPressed(WPARAM key);
    virtual ESkinSourceKind SkinSourceKind() const;
    virtual std::wstring SkinZipFileName() const;
    // The "ZIPRES" resource of the ZipResource kind: a decimal id or a name.
    virtual std::wstring SkinResourceId() const;
    virtual LRESULT MsgClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgHover(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgLeftDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgLeftUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT MsgOther(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LONG StyleWithoutCaption() const;

    // CWindowWnd
    UINT RegisterStyle() const override;
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterDestroyed(HWND window) override;

    // As the context's notification receiver: forwards to the message maps.
    void OnNotice(TNotifyMsg& message);
    // As the context's pre-filter: Return and Escape key-downs go to
    // DefaultKeyPressed; nothing is ever marked handled.
    LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // As the builder's callback: this window knows no extra controls.
    CControlUI* BuildControl(const wchar_t* className) override;

    // INotifyUI and IMessageFilterUI, forwarding to the two above.
    void Notify(TNotifyMsg& message) override;
    LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    CWindowContextUI& Context() { return m_context; }

    SKINUI_DECLARE_NOTICE_MAP()

protected:
    CWindowContextUI m_context;

private:
    // Installs the skin source of SkinSourceKind(); false leaves the window without skin.
    bool SelectSkinSource();
    CControlUI* BuildSkin();
    // After a maximise or restore: shows the matching one of "maxbtn" and "restorebtn".
    void SyncMaximiseButtons(bool maximised);
};

// The hit-test answer of a skinned window for a client point, given the
// client rectangle, the sizing border widths, the caption area and the type
// name of the control under the point (none when there is no control).
LRESULT SkinHitTest(POINT point, const RECT& client, const RECT& sizeBox, const RECT& caption, bool maximised,
                    const wchar_t* controlType);

} // namespace SkinUI
