#pragma once
// Routes notifications to handler functions through static message maps:
// each class that handles notifications declares one map that names its
// base class's map, so a lookup walks from the most derived map to the base.
#include "ui/controls/InputEvent.h"

#include <windows.h>

#include <map>
#include <string>

namespace SkinUI {

class CNotifyPump;

// Handler kinds of a map entry.
enum ENoticeHandlerKind : int {
    NOTICE_PARAMS = 1,  // the handler receives wParam and lParam
    NOTICE_MESSAGE = 2, // the handler receives the whole notification
};

using NoticeParamsHandler = void (CNotifyPump::*)(WPARAM wParam, LPARAM lParam);
using NoticeMessageHandler = void (CNotifyPump::*)(TNotifyMsg& message);

// One entry; a table ends with an entry without a handler. The member
// pointers carry the adjustment from the pump to the handler's object.
struct TNoticeMapEntry {
    const wchar_t* type;        // notification type, "click"
    const wchar_t* controlName; // empty: any control
    int kind;
    NoticeParamsHandler paramsHandler;
    NoticeMessageHandler messageHandler;
};

struct TNoticeMap {
    const TNoticeMap* base; // the base class's map, or none
    const TNoticeMapEntry* entries;
};

class CNotifyPump {
public:
    CNotifyPump() = default;
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    // The notification entry point; true when a handler took the message.
    bool Dispatch(TNotifyMsg& message);

    // Named virtual windows are asked first for notifications carrying their name.
    bool AddVirtualWindow(const std::wstring& name, CNotifyPump* pump);
    bool RemoveVirtualWindow(const std::wstring& name);

protected:
    ~CNotifyPump() = default;
    // The most derived map of the object; the pump itself has none.
    virtual const TNoticeMap* NoticeMap() const;

private:
    bool DispatchThroughMaps(TNotifyMsg& message);

    struct TNoCaseLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    std::map<std::wstring, CNotifyPump*, TNoCaseLess> m_virtualWindows;
};

} // namespace SkinUI

// Declares a class's map (inside the class).
#define SKINUI_DECLARE_NOTICE_MAP()                                                                                  \
protected:                                                                                                           \
    static const ::SkinUI::TNoticeMapEntry s_noticeEntries[];                                                        \
    static const ::SkinUI::TNoticeMap s_noticeMap;                                                                   \
    const ::SkinUI::TNoticeMap* NoticeMap() const override;                                                          \
                                                                                                                     \
public:                                                                                                              \
    static const ::SkinUI::TNoticeMap* ClassNoticeMap() { return &s_noticeMap; }

// Defines the map of `theClass`, chained to `baseClass`'s map (a class with
// a map of its own, or ::SkinUI::CNotifyPump for none).
#define SKINUI_BEGIN_NOTICE_MAP(theClass, baseClass)                                                                 \
    const ::SkinUI::TNoticeMap* theClass::NoticeMap() const { return &s_noticeMap; }                                 \
    const ::SkinUI::TNoticeMap theClass::s_noticeMap = {::SkinUI::NoticeMapOf<baseClass>(),                          \
                                                        theClass::s_noticeEntries};                                  \
    const ::SkinUI::TNoticeMapEntry theClass::s_noticeEntries[] = {

// An entry whose handler takes the whole notification: void method(TNotifyMsg&).
#define SKINUI_NOTICE_MESSAGE(type, controlName, theClass, method)                                                   \
    {type, controlName, ::SkinUI::NOTICE_MESSAGE, nullptr,                                                           \
     static_cast<::SkinUI::NoticeMessageHandler>(&theClass::method)},

// An entry whose handler takes wParam and lParam: void method(WPARAM, LPARAM).
#define SKINUI_NOTICE_PARAMS(type, controlName, theClass, method)                                                    \
    {type, controlName, ::SkinUI::NOTICE_PARAMS, static_cast<::SkinUI::NoticeParamsHandler>(&theClass::method),     \
     nullptr},

#define SKINUI_END_NOTICE_MAP()                                                                                      \
    { nullptr, nullptr, 0, nullptr, nullptr }                                                                        \
    }                                                                                                                \
    ;

namespace SkinUI {

// The map a base class contributes to a chain: none for the pump itself.
template <typename T>
const TNoticeMap* NoticeMapOf()
{
    return T::ClassNoticeMap();
}
template <>
inline const TNoticeMap* NoticeMapOf<CNotifyPump>()
{
    return nullptr;
}

} // namespace SkinUI
