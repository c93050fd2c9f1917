#pragma once
// The fixture of the tests that drive controls as a user does: a shown
// 300 x 200 window whose tree is built from markup inside a horizontal
// layout, with one-colour pictures in a scratch skin folder.
#include "ControlTestSupport.h"

#include "tests/support/TestEnvironment.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace ControlTest {

class CShownSkinTest : public ::testing::Test {
protected:
    // `rest`: where the pointer waits while the window first paints; on the
    // layout, so the platform's leave tracking stays quiet.
    CShownSkinTest(const wchar_t* folderName, POINT rest) : m_folder(folderName), m_rest(rest) {}

    void SetUp() override { SkinUI::CSkinSource::Reset(); }
    void TearDown() override
    {
        ::ReleaseCapture();
        m_host.reset();
        SkinUI::CSkinSource::Reset();
    }

    // 20 x 20 one-colour pictures, and the folder as the skin folder.
    void WriteSolidPictures(std::initializer_list<std::pair<const wchar_t*, DWORD>> pictures)
    {
        for (const auto& picture : pictures)
            TestEnv::WriteFileBytes(m_folder.File(picture.first), SolidBmp(20, 20, picture.second));
        SkinUI::CWindowContextUI::SetSkinFolder(m_folder.Path());
    }

    // Builds `body`, shows the window and lets it paint once (which lays it out).
    template <typename T>
    T* Build(const std::wstring& body, const wchar_t* name)
    {
        const std::wstring markup = L"<Window><HorizontalLayout>" + body + L"</HorizontalLayout></Window>";
        SkinUI::CControlUI* root = m_builder.Build(markup.c_str(), nullptr, nullptr, &m_host->context);
        EXPECT_NE(nullptr, root) << m_builder.ErrorMessage();
        m_host->context.AdoptRoot(root);
        ParkCursor(m_rest.x, m_rest.y);
        ::ShowWindow(Window(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(Window());
        m_host->Pump();
        m_host->notices.notices.clear();
        return dynamic_cast<T*>(m_host->context.ControlByName(name));
    }

    HWND Window() const { return m_host->context.Window(); }
    void ParkCursor(int x, int y)
    {
        POINT point = {x, y};
        ::ClientToScreen(Window(), &point);
        ::SetCursorPos(point.x, point.y);
    }

    // Notices of one control (containers under the pointer send enter and leave notices of their own).
    int Notices(const SkinUI::CControlUI* sender, const wchar_t* type) const
    {
        int count = 0;
        for (const SkinUI::TNotifyMsg& notice : m_host->notices.notices)
            count += notice.sender == sender && notice.type == type ? 1 : 0;
        return count;
    }

    TestEnv::CScratchFolder m_folder;
    const POINT m_rest;
    std::unique_ptr<CHostWindow> m_host = std::make_unique<CHostWindow>();
    SkinUI::CSkinBuilder m_builder;
    CDibCanvas m_canvas{300, 200};
};

} // namespace ControlTest
