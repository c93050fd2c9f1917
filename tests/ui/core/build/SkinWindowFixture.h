#pragma once
// A skinned test window built from markup text (or a skin file), with the
// skin sources reset around each test.
#include "tests/ui/core/host/WindowTestSupport.h"
#include "ui/controls/ControlUI.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/build/WindowImplBase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace WindowTest {

// A control that answers a chosen type name, to stand for classes by type.
class CTypedControl : public SkinUI::CControlUI {
public:
    explicit CTypedControl(const wchar_t* type) : m_type(type) {}
    const wchar_t* typeName() const override { return m_type; }

private:
    const wchar_t* m_type;
};

class CSkinWindow : public SkinUI::WindowImplBase {
public:
    explicit CSkinWindow(std::wstring entry, SkinUI::ESkinSourceKind kind = SkinUI::ESkinSourceKind::File,
                         std::wstring zipName = std::wstring())
        : m_entry(std::move(entry)), m_kind(kind), m_zipName(std::move(zipName))
    {
    }
    const wchar_t* RegisteredClassName() const override { return L"OrvaneSkinTestWnd"; }
    std::wstring SkinSubfolder() const override { return L"skin\\"; }
    std::wstring SkinEntryName() const override { return m_entry; }
    SkinUI::ESkinSourceKind SkinSourceKind() const override { return m_kind; }
    std::wstring SkinZipFileName() const override { return m_zipName; }
    void AfterSkinBuilt() override { ++skinBuilt; }
    bool DefaultKeyPressed(WPARAM key) override
    {
        keys.push_back(key);
        return WindowImplBase::DefaultKeyPressed(key);
    }
    SkinUI::CControlUI* BuildControl(const wchar_t* className) override
    {
        asked.push_back(className);
        if (std::wstring(className) == L"FakeWebView")
            return new CTypedControl(L"WebViewWindowlessUI");
        return WindowImplBase::BuildControl(className);
    }

    HWND Open(int x = 50, int y = 60, int cx = 400, int cy = 300)
    {
        return CreateNative(nullptr, L"SkinTest", WS_POPUP, 0, x, y, cx, cy);
    }
    // Shows the window and paints it once, which lays the tree out.
    void ShowAndPaint()
    {
        ::ShowWindow(Window(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(Window());
        PumpMessages();
    }

    int skinBuilt = 0;
    std::vector<WPARAM> keys;
    std::vector<std::wstring> asked;

private:
    std::wstring m_entry;
    SkinUI::ESkinSourceKind m_kind;
    std::wstring m_zipName;
};

class CSkinWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinUI::CSkinSource::Reset();
        SkinUI::CWindowContextUI::SetAppModule(::GetModuleHandleW(nullptr));
    }
    void TearDown() override
    {
        PumpMessages();
        SkinUI::CSkinSource::Reset();
    }
};

} // namespace WindowTest
