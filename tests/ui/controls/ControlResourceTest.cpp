// Controls that read skin files through their window context: background
// images and the content of child layouts.
#include "ControlTestSupport.h"

#include "tests/support/TestEnvironment.h"
#include "ui/core/build/ChildLayoutUI.h"
#include "ui/core/host/WindowContextUI.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::CHostWindow;
using ControlTest::Rect;

namespace {

class ControlSkinFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::WriteFileBytes(m_folder.File(L"green.bmp"), ControlTest::SolidBmp(7, 5, 0x00FF00));
        TestEnv::WriteFileBytes(m_folder.File(L"child.xml"),
                                "<Window><HorizontalLayout name=\"childroot\"><Control name=\"childleaf\" />"
                                "</HorizontalLayout></Window>");
        CWindowContextUI::SetSkinFolder(m_folder.Path());
    }

    TestEnv::CScratchFolder m_folder{L"controls_skin"};
};

} // namespace

TEST_F(ControlSkinFiles, FloatingControlWithoutSizeTakesTheImageSize)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* floating = new CControlUI();
    auto* flowing = new CControlUI();
    root->addItem(floating);
    root->addItem(flowing);
    host.context.AdoptRoot(root);
    floating->writeAttribute(L"float", L"true");
    floating->writeAttribute(L"bkimage", L"green.bmp");
    EXPECT_EQ(7, floating->presetWidth());
    EXPECT_EQ(5, floating->presetHeight());
    ASSERT_NE(nullptr, floating->backImage().image);
    flowing->writeAttribute(L"bkimage", L"green.bmp");
    EXPECT_EQ(0, flowing->presetWidth());
}

TEST_F(ControlSkinFiles, BackgroundImageIsDrawnOverTheControl)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    root->writeAttribute(L"bkimage", L"green.bmp");
    host.context.AdoptRoot(root);
    root->placeAt(Rect(10, 10, 40, 40));
    CDibCanvas canvas(50, 50);
    root->render(canvas.Dc(), Rect(0, 0, 50, 50));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(20, 20));
    EXPECT_EQ(0u, canvas.Rgb(5, 5));
    EXPECT_EQ(L"green.bmp", root->readAttribute(L"bkimage"));
}

TEST_F(ControlSkinFiles, MissingImageDrawsNothing)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    host.context.AdoptRoot(root);
    root->writeAttribute(L"bkimage", L"missing.png");
    root->placeAt(Rect(0, 0, 20, 20));
    CDibCanvas canvas(20, 20);
    root->render(canvas.Dc(), Rect(0, 0, 20, 20));
    EXPECT_EQ(nullptr, root->backImage().image);
    EXPECT_EQ(0u, canvas.Rgb(10, 10));
}

TEST_F(ControlSkinFiles, ChildLayoutBuildsItsContentWhenAttached)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* child = new CChildLayoutUI();
    child->writeAttribute(L"xmlfile", L"child.xml");
    root->addItem(child);
    host.context.AdoptRoot(root);
    ASSERT_EQ(1, child->itemCount());
    EXPECT_EQ(L"childroot", child->itemAt(0)->controlName());
    EXPECT_EQ(child, child->itemAt(0)->parentControl());
    EXPECT_NE(nullptr, host.context.ControlByName(L"childleaf"));
}

TEST_F(ControlSkinFiles, ChildLayoutWithAMissingFileStaysEmpty)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* child = new CChildLayoutUI();
    child->writeAttribute(L"xmlfile", L"nothere.xml");
    root->addItem(child);
    int inits = 0;
    child->initListeners() += CDelegateBase(nullptr, [&inits](void*) {
        ++inits;
        return true;
    });
    host.context.AdoptRoot(root);
    EXPECT_EQ(0, child->itemCount());
    EXPECT_EQ(0, inits);
}
