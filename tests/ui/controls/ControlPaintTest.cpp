// The paint sequence painted into a 32-bit DIB: background fills, borders and
// the clipping of containers.
#include "ControlTestSupport.h"

#include "ui/controls/ContainerUI.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::Fixed;
using ControlTest::Rect;

TEST(ControlPaint, OpaqueBackColourFillsOnlyThePaintRectangle)
{
    CDibCanvas canvas(100, 100);
    CControlUI control;
    control.placeAt(Rect(10, 10, 60, 60));
    control.writeAttribute(L"bkcolor", L"#FFFF0000");
    control.render(canvas.Dc(), Rect(10, 10, 30, 30));
    EXPECT_EQ(Rect(10, 10, 30, 30), control.paintRect());
    EXPECT_EQ(0xFF0000u, canvas.Rgb(20, 20));
    EXPECT_EQ(0u, canvas.Rgb(40, 40));
    EXPECT_EQ(0u, canvas.Rgb(5, 5));
}

TEST(ControlPaint, TranslucentBackColourFillsTheWholeControl)
{
    CDibCanvas canvas(100, 100);
    CControlUI control;
    control.placeAt(Rect(10, 10, 60, 60));
    control.writeAttribute(L"bkcolor", L"#4CC7CDDD");
    control.render(canvas.Dc(), Rect(10, 10, 30, 30));
    EXPECT_NE(0u, canvas.Rgb(20, 20));
    EXPECT_NE(0u, canvas.Rgb(40, 40));
    EXPECT_EQ(0u, canvas.Rgb(5, 5));
    EXPECT_EQ(0u, canvas.Rgb(65, 65));
}

TEST(ControlPaint, NothingOutsideTheRequest)
{
    CDibCanvas canvas(100, 100);
    CControlUI control;
    control.placeAt(Rect(10, 10, 60, 60));
    control.writeAttribute(L"bkcolor", L"#FFFF0000");
    control.render(canvas.Dc(), Rect(70, 70, 90, 90));
    EXPECT_EQ(Rect(0, 0, 0, 0), control.paintRect());
    EXPECT_EQ(0u, canvas.Rgb(20, 20));
}

TEST(ControlPaint, TwoStopGradientRunsTopToBottom)
{
    CDibCanvas canvas(20, 100);
    CControlUI control;
    control.placeAt(Rect(0, 0, 20, 100));
    control.writeAttribute(L"bkcolor", L"#FFFF0000");
    control.writeAttribute(L"bkcolor2", L"#FF0000FF");
    control.render(canvas.Dc(), Rect(0, 0, 20, 100));
    const DWORD top = canvas.Rgb(10, 1);
    const DWORD bottom = canvas.Rgb(10, 98);
    EXPECT_GT((top >> 16) & 0xFF, 0xE0u);
    EXPECT_LT(top & 0xFF, 0x20u);
    EXPECT_LT((bottom >> 16) & 0xFF, 0x20u);
    EXPECT_GT(bottom & 0xFF, 0xE0u);
}

TEST(ControlPaint, ThreeStopGradientMeetsTheMiddleColourHalfWay)
{
    CDibCanvas canvas(20, 100);
    CControlUI control;
    control.placeAt(Rect(0, 0, 20, 100));
    control.writeAttribute(L"bkcolor", L"#FFFF0000");
    control.writeAttribute(L"bkcolor2", L"#FF00FF00");
    control.writeAttribute(L"bkcolor3", L"#FF0000FF");
    control.render(canvas.Dc(), Rect(0, 0, 20, 100));
    const DWORD middle = canvas.Rgb(10, 50);
    EXPECT_GT((middle >> 8) & 0xFF, 0xE0u);
    EXPECT_GT(canvas.Rgb(10, 99) & 0xFF, 0xE0u);
    EXPECT_GT((canvas.Rgb(10, 0) >> 16) & 0xFF, 0xE0u);
}

TEST(ControlPaint, UniformBorderFramesTheControl)
{
    CDibCanvas canvas(100, 100);
    CControlUI control;
    control.placeAt(Rect(10, 10, 60, 60));
    control.writeAttribute(L"bordercolor", L"#FF00FF00");
    control.writeAttribute(L"bordersize", L"1");
    control.render(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(10, 30));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(30, 10));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(59, 30));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(30, 59));
    EXPECT_EQ(0u, canvas.Rgb(30, 30));
}

TEST(ControlPaint, SideBordersDrawOnlyTheirEdges)
{
    CDibCanvas canvas(100, 100);
    CControlUI control;
    control.placeAt(Rect(10, 10, 60, 60));
    control.writeAttribute(L"bordercolor", L"#FF0000FF");
    control.writeAttribute(L"leftbordersize", L"1");
    control.render(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(0x0000FFu, canvas.Rgb(10, 30));
    EXPECT_EQ(0u, canvas.Rgb(30, 10));
    EXPECT_EQ(0u, canvas.Rgb(59, 30));
}

TEST(ControlPaint, NoBorderWithoutColour)
{
    CDibCanvas canvas(100, 100);
    CControlUI control;
    control.placeAt(Rect(10, 10, 60, 60));
    control.writeAttribute(L"bordersize", L"3");
    control.render(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(0u, canvas.Rgb(10, 30));
}

TEST(ContainerPaint, ChildrenAreClippedToTheInnerRectangle)
{
    CDibCanvas canvas(100, 100);
    CContainerUI container;
    container.writeAttribute(L"inset", L"10,10,10,10");
    auto* child = Fixed(0, 0);
    child->writeAttribute(L"bkcolor", L"#FFFF0000");
    container.addItem(child);
    container.placeAt(Rect(0, 0, 50, 50));
    child->placeAt(Rect(0, 0, 100, 100));
    container.render(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(0u, canvas.Rgb(5, 5));
    EXPECT_EQ(0xFF0000u, canvas.Rgb(20, 20));
    EXPECT_EQ(0u, canvas.Rgb(45, 45));
    EXPECT_EQ(0u, canvas.Rgb(70, 70));
}

TEST(ContainerPaint, FloatingChildrenPaintInTheInsetButNotOutsideTheContainer)
{
    CDibCanvas canvas(100, 100);
    CContainerUI container;
    container.writeAttribute(L"inset", L"10,10,10,10");
    auto* child = new CControlUI();
    child->writeAttribute(L"float", L"true");
    child->writeAttribute(L"pos", L"0,0,80,80");
    child->writeAttribute(L"bkcolor", L"#FF00FF00");
    container.addItem(child);
    container.placeAt(Rect(0, 0, 50, 50));
    EXPECT_EQ(Rect(0, 0, 80, 80), child->itemRect());
    container.render(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(5, 5));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(45, 45));
    EXPECT_EQ(0u, canvas.Rgb(60, 60));
}

TEST(ContainerPaint, HiddenChildrenAreNotPainted)
{
    CDibCanvas canvas(100, 100);
    CContainerUI container;
    auto* child = Fixed(0, 0);
    child->writeAttribute(L"bkcolor", L"#FFFF0000");
    container.addItem(child);
    container.placeAt(Rect(0, 0, 50, 50));
    container.assignShown(false);
    container.assignShown(true);
    child->assignShown(false);
    container.render(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(0u, canvas.Rgb(20, 20));
}
