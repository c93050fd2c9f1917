// Labels, buttons, options and sliders as a user drives them: input events
// delivered to controls bound to a real window's context, notifications
// observed by a receiver.
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "tests/ui/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

using namespace SkinUI;
using ControlTest::CHostWindow;

namespace {

TInputEvent Event(EInputKind kind, int x = 0, int y = 0, WPARAM wParam = 0)
{
    TInputEvent event;
    event.kind = kind;
    event.mouse = POINT{x, y};
    event.wParam = wParam;
    return event;
}

void Send(CControlUI& control, EInputKind kind, int x = 0, int y = 0, WPARAM wParam = 0)
{
    TInputEvent event = Event(kind, x, y, wParam);
    control.dispatchInput(event);
}

// Binds `control` alone under a container of the host window at `rect`.
template <typename T>
T* Place(CHostWindow& host, T* control, const RECT& rect)
{
    auto* root = new CContainerUI();
    root->addItem(control);
    host.context.AdoptRoot(root);
    host.context.AddReceiver(&host.notices);
    control->placeAt(rect);
    return control;
}

} // namespace

TEST(LabelAlignment, FirstKeywordFoundDecides)
{
    EXPECT_EQ(ApplyAlignKeyword(0x4, L"center"), 0x5u);
    EXPECT_EQ(ApplyAlignKeyword(0x4, L"vcenter"), 0x25u);
    EXPECT_EQ(ApplyAlignKeyword(0x25, L"left"), 0x04u);
    EXPECT_EQ(ApplyAlignKeyword(0x4, L"mleft"), 0x2004u);
    EXPECT_EQ(ApplyAlignKeyword(0x25, L"right"), 0x06u);
    EXPECT_EQ(ApplyAlignKeyword(0x4, L"top"), 0x20u);
    EXPECT_EQ(ApplyAlignKeyword(0x25, L"nothing"), 0x25u);
}

TEST(LabelAttributes, RenderHintOutOfRangeIsZeroAndEllipsisToggles)
{
    CLabelUI label;
    label.writeAttribute(L"rhaa", L"7");
    EXPECT_EQ(label.renderHint(), 0);
    label.writeAttribute(L"rhaa", L"4");
    EXPECT_EQ(label.renderHint(), 4);
    label.writeAttribute(L"endellipsis", L"true");
    EXPECT_EQ(label.textStyle() & TEXT_END_ELLIPSIS, UINT(TEXT_END_ELLIPSIS));
    label.writeAttribute(L"endellipsis", L"false");
    EXPECT_EQ(label.textStyle() & TEXT_END_ELLIPSIS, 0u);
    label.writeAttribute(L"shadowoffset", L"3,200");
    EXPECT_EQ(label.shadowOffsetPoint().x, 0);
    label.writeAttribute(L"shadowoffset", L"3,45");
    EXPECT_EQ(label.shadowOffsetPoint().x, -3);
    EXPECT_EQ(label.shadowOffsetPoint().y, -3);
}

TEST(LabelMeasure, AutoWidthFollowsTheTextAndHeightIsFontPlusFour)
{
    CHostWindow host;
    auto* label = Place(host, new CLabelUI(), RECT{0, 0, 64, 20});
    label->writeAttribute(L"width", L"64");
    label->writeAttribute(L"textpadding", L"5,0,7,0");
    label->writeAttribute(L"autocalcwidth", L"true");
    label->assignText(L"A much longer caption than sixty-four pixels");
    SIZE size = label->measure(SIZE{1000, 1000});
    EXPECT_GT(size.cx, 64 + 12);
    label->assignText(L"i");
    SIZE narrow = label->measure(SIZE{1000, 1000});
    EXPECT_LT(narrow.cx, size.cx);
    EXPECT_GE(narrow.cx, 12);
    TFontEntry* font = host.context.FontEntryByIndex(-1);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(narrow.cy, int(font->metrics.tmHeight) + 4);
}

TEST(Button, ClickOnlyWhenReleasedInside)
{
    CHostWindow host;
    auto* button = Place(host, new CButtonUI(), RECT{10, 10, 60, 40});
    Send(*button, EInputKind::ButtonDown, 20, 20);
    EXPECT_EQ(button->state() & STATE_PUSHED, UINT(STATE_PUSHED));
    Send(*button, EInputKind::MouseMove, 100, 100);
    EXPECT_EQ(button->state() & STATE_PUSHED, 0u);
    Send(*button, EInputKind::ButtonUp, 100, 100);
    EXPECT_EQ(host.notices.Count(L"click"), 0);

    Send(*button, EInputKind::ButtonDown, 20, 20);
    Send(*button, EInputKind::MouseMove, 100, 100);
    Send(*button, EInputKind::MouseMove, 30, 30);
    Send(*button, EInputKind::ButtonUp, 30, 30);
    EXPECT_EQ(host.notices.Count(L"click"), 1);
    EXPECT_EQ(button->state() & (STATE_PUSHED | STATE_CAPTURED), 0u);
}

TEST(Button, SpaceAndEnterClickUnlessDisabled)
{
    CHostWindow host;
    auto* button = Place(host, new CButtonUI(), RECT{0, 0, 50, 30});
    TInputEvent space = Event(EInputKind::KeyDown);
    space.key = VK_SPACE;
    button->dispatchInput(space);
    TInputEvent enter = Event(EInputKind::KeyDown);
    enter.key = VK_RETURN;
    button->dispatchInput(enter);
    EXPECT_EQ(host.notices.Count(L"click"), 2);
    button->assignOperable(false);
    EXPECT_EQ(button->state(), 0u);
    button->dispatchInput(space);
    EXPECT_EQ(host.notices.Count(L"click"), 2);
}

TEST(Button, AngleIsHexadecimal)
{
    CButtonUI button;
    button.writeAttribute(L"Angle", L"10");
    EXPECT_EQ(button.imageAngle(), 16);
}

TEST(Option, CheckBoxWithoutGroupTogglesWithClickThenSelectChanged)
{
    CHostWindow host;
    auto* box = Place(host, new CCheckBoxUI(), RECT{0, 0, 36, 16});
    Send(*box, EInputKind::ButtonDown, 5, 5);
    Send(*box, EInputKind::ButtonUp, 5, 5);
    EXPECT_TRUE(box->isChecked());
    Send(*box, EInputKind::ButtonDown, 5, 5);
    Send(*box, EInputKind::ButtonUp, 5, 5);
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(host.notices.notices.size(), 4u);
    EXPECT_EQ(host.notices.notices[0].type, L"click");
    EXPECT_EQ(host.notices.notices[1].type, L"selectchanged");
    EXPECT_EQ(host.notices.notices[2].type, L"click");
    EXPECT_EQ(host.notices.notices[3].type, L"selectchanged");
}

TEST(Option, SettingTheCurrentValueSendsNothingAndWithoutContextIsSilent)
{
    CHostWindow host;
    auto* option = Place(host, new COptionUI(), RECT{0, 0, 20, 20});
    option->assignSelected(false, true);
    EXPECT_EQ(host.notices.Count(L"selectchanged"), 0);
    COptionUI loose;
    loose.writeAttribute(L"selected", L"true");
    EXPECT_TRUE(loose.selected());
}

TEST(Option, GroupSelectsExclusivelyAndOnlyTheNewMemberNotifies)
{
    CHostWindow host;
    auto* root = new CContainerUI();
    auto* a = new COptionUI();
    auto* b = new COptionUI();
    a->assignName(L"a");
    b->assignName(L"b");
    root->addItem(a);
    root->addItem(b);
    host.context.AdoptRoot(root);
    host.context.AddReceiver(&host.notices);
    a->assignGroup(L"g");
    b->assignGroup(L"g");
    a->assignSelected(true, true);
    b->assignSelected(true, true);
    EXPECT_FALSE(a->selected());
    EXPECT_TRUE(b->selected());
    ASSERT_EQ(host.notices.Count(L"selectchanged"), 2);
    EXPECT_EQ(host.notices.notices.back().sender, b);
    // Clicking the selected member of a group keeps it selected and sends nothing new.
    b->fireAction();
    EXPECT_TRUE(b->selected());
    EXPECT_EQ(host.notices.Count(L"selectchanged"), 2);
}

namespace {

// The tool's colour-temperature slider.
CSliderUI* ToolSlider(CHostWindow& host)
{
    auto* slider = Place(host, new CSliderUI(), RECT{100, 50, 340, 74});
    slider->applyAttributeList(L"min=\"2000\" max=\"11200\" value=\"6600\" hor=\"true\" thumbsize=\"24,24\"");
    return slider;
}

} // namespace

TEST(Slider, ThumbFollowsTheValueAndReleaseAtTheMiddleGives6600)
{
    CHostWindow host;
    CSliderUI* slider = ToolSlider(host);
    RECT thumb = slider->thumbRect();
    EXPECT_EQ(thumb.left, 100 + (6600 - 2000) * 216 / 9200);
    EXPECT_EQ(thumb.top, 50);
    EXPECT_EQ(thumb.right - thumb.left, 24);

    Send(*slider, EInputKind::ButtonDown, thumb.left + 5, 60);
    Send(*slider, EInputKind::MouseMove, 100 + 120, 60);
    EXPECT_EQ(host.notices.Count(L"valuechanged"), 0);
    Send(*slider, EInputKind::ButtonUp, 100 + 120, 60);
    EXPECT_EQ(slider->currentValue(), 6600);
    EXPECT_EQ(host.notices.Count(L"valuechanged"), 1);
}

TEST(Slider, ReleasingBeyondTheEndsGivesMinAndMax)
{
    CHostWindow host;
    CSliderUI* slider = ToolSlider(host);
    RECT thumb = slider->thumbRect();
    Send(*slider, EInputKind::ButtonDown, thumb.left + 1, 60);
    Send(*slider, EInputKind::ButtonUp, -50, 60);
    EXPECT_EQ(slider->currentValue(), 2000);
    thumb = slider->thumbRect();
    Send(*slider, EInputKind::ButtonDown, thumb.left + 1, 60);
    Send(*slider, EInputKind::ButtonUp, 900, 60);
    EXPECT_EQ(slider->currentValue(), 11200);
}

TEST(Slider, PressBesideTheThumbChangesNothing)
{
    CHostWindow host;
    CSliderUI* slider = ToolSlider(host);
    Send(*slider, EInputKind::ButtonDown, 105, 60);
    Send(*slider, EInputKind::ButtonUp, 105, 60);
    EXPECT_EQ(slider->currentValue(), 6600);
    EXPECT_EQ(host.notices.Count(L"valuechanged"), 0);
}

TEST(Slider, WheelActsOnADisabledSliderAndPassesTheMaximum)
{
    CHostWindow host;
    CSliderUI* slider = ToolSlider(host);
    slider->assignValue(11200);
    slider->assignOperable(false);
    Send(*slider, EInputKind::ScrollWheel, 200, 60, 0);
    EXPECT_EQ(slider->currentValue(), 11201);
    EXPECT_EQ(host.notices.Count(L"valuechanged"), 1);
    // The next paint corrects the stored value.
    ControlTest::CDibCanvas canvas(400, 100);
    slider->render(canvas.Dc(), RECT{0, 0, 400, 100});
    EXPECT_EQ(slider->currentValue(), 11200);
    Send(*slider, EInputKind::ButtonDown, slider->thumbRect().left + 2, 60);
    EXPECT_EQ(slider->state() & STATE_CAPTURED, 0u);
}

TEST(Progress, PaintTimeCorrectionOfMinMaxAndValue)
{
    CProgressUI progress;
    progress.assignMin(50);
    progress.assignMax(50);
    progress.assignValue(15000);
    ControlTest::CDibCanvas canvas(100, 20);
    progress.placeAt(RECT{0, 0, 100, 12});
    progress.render(canvas.Dc(), RECT{0, 0, 100, 20});
    EXPECT_EQ(progress.maxValue(), 51);
    EXPECT_EQ(progress.currentValue(), 51);
}
