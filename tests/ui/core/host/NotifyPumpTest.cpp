// Notifications reach handler functions through chained message maps.
#include "ui/controls/ControlUI.h"
#include "ui/core/host/NotifyPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SkinUI;

namespace {

class CBasePump : public CNotifyPump {
public:
    std::vector<std::wstring> calls;

    void OnAnyClick(TNotifyMsg&) { calls.push_back(L"base any click"); }
    void OnOkClick(TNotifyMsg&) { calls.push_back(L"base ok click"); }
    void OnValue(WPARAM wParam, LPARAM lParam)
    {
        calls.push_back(L"base value " + std::to_wstring(wParam) + L"," + std::to_wstring(lParam));
    }

    SKINUI_DECLARE_NOTICE_MAP()
};

SKINUI_BEGIN_NOTICE_MAP(CBasePump, CNotifyPump)
SKINUI_NOTICE_MESSAGE(L"click", L"", CBasePump, OnAnyClick)
SKINUI_NOTICE_MESSAGE(L"click", L"ok", CBasePump, OnOkClick)
SKINUI_NOTICE_PARAMS(L"valuechanged", L"", CBasePump, OnValue)
SKINUI_END_NOTICE_MAP()

class CDerivedPump : public CBasePump {
public:
    void OnCancelClick(TNotifyMsg&) { calls.push_back(L"derived cancel click"); }
    void OnSelect(TNotifyMsg& message) { calls.push_back(L"derived select " + message.type); }

    SKINUI_DECLARE_NOTICE_MAP()
};

SKINUI_BEGIN_NOTICE_MAP(CDerivedPump, CBasePump)
SKINUI_NOTICE_MESSAGE(L"click", L"cancel", CDerivedPump, OnCancelClick)
SKINUI_NOTICE_MESSAGE(L"selectchanged", L"", CDerivedPump, OnSelect)
SKINUI_END_NOTICE_MAP()

// The pump is not the first base, so handlers need the pointer adjustment.
struct TPadding {
    virtual ~TPadding() = default;
    char bytes[40] = {};
};

class CSecondBasePump : public TPadding, public CNotifyPump {
public:
    int clicks = 0;
    std::wstring lastSender;
    void OnClick(TNotifyMsg& message) { ++clicks, lastSender = message.sender->controlName(); }

    SKINUI_DECLARE_NOTICE_MAP()
};

SKINUI_BEGIN_NOTICE_MAP(CSecondBasePump, CNotifyPump)
SKINUI_NOTICE_MESSAGE(L"click", L"", CSecondBasePump, OnClick)
SKINUI_END_NOTICE_MAP()

class CNotifyPumpTest : public ::testing::Test {
protected:
    TNotifyMsg Notice(const std::wstring& type, CControlUI* sender, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        TNotifyMsg message;
        message.type = type;
        message.sender = sender;
        message.wParam = wParam;
        message.lParam = lParam;
        return message;
    }
    CControlUI* Named(CControlUI& control, const wchar_t* name)
    {
        control.assignName(name);
        return &control;
    }
    CControlUI ok, cancel, other;
};

} // namespace

TEST_F(CNotifyPumpTest, AnEntryForTheSendersNameWinsOverAnEntryForAnyControl)
{
    CBasePump pump;
    TNotifyMsg message = Notice(L"click", Named(ok, L"ok"));
    EXPECT_TRUE(pump.Dispatch(message));
    TNotifyMsg again = Notice(L"click", Named(other, L"other"));
    EXPECT_TRUE(pump.Dispatch(again));
    EXPECT_EQ(pump.calls, (std::vector<std::wstring>{L"base ok click", L"base any click"}));
}

TEST_F(CNotifyPumpTest, ParameterHandlersReceiveWParamAndLParam)
{
    CBasePump pump;
    TNotifyMsg message = Notice(L"valuechanged", Named(other, L"slider"), 7, -3);
    EXPECT_TRUE(pump.Dispatch(message));
    EXPECT_EQ(pump.calls, (std::vector<std::wstring>{L"base value 7,-3"}));
}

TEST_F(CNotifyPumpTest, TheMostDerivedMapIsSearchedFirstThenTheBaseMaps)
{
    CDerivedPump pump;
    TNotifyMsg cancelClick = Notice(L"click", Named(cancel, L"cancel"));
    TNotifyMsg okClick = Notice(L"click", Named(ok, L"ok"));
    TNotifyMsg select = Notice(L"selectchanged", Named(other, L"other"));
    pump.Dispatch(cancelClick);
    pump.Dispatch(okClick);
    pump.Dispatch(select);
    EXPECT_EQ(pump.calls, (std::vector<std::wstring>{L"derived cancel click", L"base ok click",
                                                     L"derived select selectchanged"}));
}

TEST_F(CNotifyPumpTest, UnknownTypesAreNotHandled)
{
    CDerivedPump pump;
    TNotifyMsg message = Notice(L"windowinit", Named(ok, L"ok"));
    EXPECT_FALSE(pump.Dispatch(message));
    EXPECT_TRUE(pump.calls.empty());
}

TEST_F(CNotifyPumpTest, TypesCompareExactly)
{
    CBasePump pump;
    TNotifyMsg message = Notice(L"Click", Named(ok, L"ok"));
    EXPECT_FALSE(pump.Dispatch(message));
}

TEST_F(CNotifyPumpTest, ANoticeWithoutSenderReachesTheEntryForAnyControl)
{
    CBasePump pump;
    TNotifyMsg message = Notice(L"click", nullptr);
    EXPECT_TRUE(pump.Dispatch(message));
    EXPECT_EQ(pump.calls, (std::vector<std::wstring>{L"base any click"}));
}

TEST_F(CNotifyPumpTest, HandlersOfAPumpThatIsNotTheFirstBaseReachTheirObject)
{
    CSecondBasePump pump;
    TNotifyMsg message = Notice(L"click", Named(ok, L"ok"));
    EXPECT_TRUE(pump.Dispatch(message));
    EXPECT_EQ(pump.clicks, 1);
    EXPECT_EQ(pump.lastSender, L"ok");
}

TEST_F(CNotifyPumpTest, ANamedVirtualWindowIsAskedFirstWithoutRegardToCase)
{
    CBasePump outer;
    CDerivedPump page;
    ASSERT_TRUE(outer.AddVirtualWindow(L"SettingsPage", &page));
    EXPECT_FALSE(outer.AddVirtualWindow(L"settingspage", &page));

    TNotifyMsg message = Notice(L"click", Named(cancel, L"cancel"));
    message.virtualWindow = L"SETTINGSPAGE";
    EXPECT_TRUE(outer.Dispatch(message));
    EXPECT_EQ(page.calls, (std::vector<std::wstring>{L"derived cancel click"}));
    EXPECT_TRUE(outer.calls.empty());
}

TEST_F(CNotifyPumpTest, AVirtualWindowThatDoesNotHandleLeavesTheNoticeToTheOwnMaps)
{
    CBasePump outer;
    CSecondBasePump page;
    outer.AddVirtualWindow(L"page", &page);
    TNotifyMsg message = Notice(L"valuechanged", Named(other, L"slider"), 1, 2);
    message.virtualWindow = L"page";
    EXPECT_TRUE(outer.Dispatch(message));
    EXPECT_EQ(outer.calls, (std::vector<std::wstring>{L"base value 1,2"}));
    EXPECT_TRUE(outer.RemoveVirtualWindow(L"PAGE"));
    EXPECT_FALSE(outer.RemoveVirtualWindow(L"page"));
}
