// Every control class takes any attribute value without crashing, and still
// lays out and paints afterwards.
#include "ControlTestSupport.h"

#include "ui/core/build/ChildLayoutUI.h"
#include "ui/controls/layout/HorizontalLayoutUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/layout/TabLayoutUI.h"
#include "ui/controls/layout/TileLayoutUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::Fixed;
using ControlTest::Rect;

namespace {

const wchar_t* const kNames[] = {
    L"pos", L"padding", L"bkcolor", L"bkcolor2", L"bkcolor3", L"bordercolor", L"focusbordercolor", L"colorhsl",
    L"bordersize", L"leftbordersize", L"borderstyle", L"borderround", L"bkimage", L"foreimage", L"width",
    L"height", L"minwidth", L"minheight", L"maxwidth", L"maxheight", L"name", L"text", L"tooltip", L"visible",
    L"enabled", L"mouse", L"float", L"shortcut", L"menu", L"virtualwnd", L"inset", L"mousechild", L"vscrollbar",
    L"hscrollbar", L"vscrollbarstyle", L"hscrollbarstyle", L"childpadding", L"sepheight", L"sepwidth", L"sepimm",
    L"itemsize", L"columns", L"selectedid", L"updatefocus", L"xmlfile", L"range", L"value", L"linesize",
    L"minthumbheight", L"showbutton1", L"thumbnormalimage", L"button1color"};

const wchar_t* const kValues[] = {L"",
                                  L",",
                                  L",,,,,,",
                                  L"-1",
                                  L"-2147483648,-2147483648,2147483647,2147483647",
                                  L"99999999999999999999",
                                  L"#",
                                  L"#GGGGGGGG",
                                  L"nan,inf,-inf,1e308",
                                  L"true",
                                  L"0.5,0.5,0.5,0.5",
                                  L"width=\"3\" height=\"",
                                  L"file='' dest='1,2,3'",
                                  L"\x1\x2\x3",
                                  L"<n><n><n"};

std::vector<std::function<CControlUI*()>> Makers()
{
    return {[] { return new CControlUI(); },         [] { return new CContainerUI(); },
            [] { return new CVerticalLayoutUI(); },  [] { return new CHorizontalLayoutUI(); },
            [] { return new CTileLayoutUI(); },      [] { return new CTabLayoutUI(); },
            [] { return new CChildLayoutUI(); },     [] { return new CScrollBarUI(); }};
}

} // namespace

TEST(MalformedInput, AnyValueOfAnyAttributeIsSurvived)
{
    CDibCanvas canvas(64, 64);
    for (const auto& make : Makers()) {
        for (const wchar_t* value : kValues) {
            std::unique_ptr<CControlUI> control(make());
            if (auto* container = static_cast<IContainerUI*>(control->queryFacet(L"IContainer"))) {
                container->addItem(Fixed(0, 0));
                container->addItem(Fixed(10, 10));
            }
            for (const wchar_t* name : kNames) {
                control->writeAttribute(name, value);
                control->readAttribute(name);
            }
            control->placeAt(Rect(0, 0, 64, 64));
            control->render(canvas.Dc(), Rect(0, 0, 64, 64));
            control->applyAttributeList(value);
        }
    }
    SUCCEED();
}

TEST(MalformedInput, EventsOfEveryKindAreSurvivedWithoutAWindow)
{
    for (const auto& make : Makers()) {
        std::unique_ptr<CControlUI> control(make());
        control->writeAttribute(L"vscrollbar", L"true");
        control->writeAttribute(L"sepheight", L"5");
        control->placeAt(Rect(0, 0, 50, 50));
        for (int kind = 0; kind <= 32; ++kind) {
            for (LPARAM parameter : {LPARAM(0), LPARAM(1), LPARAM(-1), LPARAM(100000)}) {
                TInputEvent event;
                event.kind = EInputKind(kind);
                event.mouse = POINT{25, 48};
                event.wParam = WPARAM(parameter);
                event.lParam = parameter;
                event.key = wchar_t(0x21 + kind % 8);
                control->dispatchInput(event);
            }
        }
    }
    SUCCEED();
}
