// The class table: element names, their case rules and the classes behind them.
#include "ui/controls/ControlUI.h"
#include "ui/core/build/ControlFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

using namespace SkinUI;

namespace {

std::wstring ClassOf(const wchar_t* element)
{
    const TControlClass* entry = FindControlClass(element);
    return entry ? entry->className : L"(none)";
}

} // namespace

TEST(ControlFactory, NamesAreComparedWithoutRegardToCase)
{
    EXPECT_EQ(ClassOf(L"CheckBox"), L"CCheckBoxUI");
    EXPECT_EQ(ClassOf(L"checkbox"), L"CCheckBoxUI");
    EXPECT_EQ(ClassOf(L"VERTICALLAYOUT"), L"CVerticalLayoutUI");
    EXPECT_EQ(ClassOf(L"horizontallayout"), L"CHorizontalLayoutUI");
}

TEST(ControlFactory, GifAnimAndLabelExMustBeWrittenExactly)
{
    EXPECT_EQ(ClassOf(L"GifAnim"), L"CGifAnimUI");
    EXPECT_EQ(ClassOf(L"gifanim"), L"(none)");
    EXPECT_EQ(ClassOf(L"GIFANIM"), L"(none)");
    EXPECT_EQ(ClassOf(L"LabelEx"), L"CLabelUIEx");
    EXPECT_EQ(ClassOf(L"labelex"), L"(none)");
}

TEST(ControlFactory, SkinsSpellTheCustomButtonCustonButton)
{
    EXPECT_EQ(ClassOf(L"CustonButton"), L"CCustomButtonUI");
    EXPECT_EQ(ClassOf(L"CustomButton"), L"(none)");
}

TEST(ControlFactory, NamesThatOnlyShareALengthOrAPrefixDoNotMatch)
{
    EXPECT_EQ(ClassOf(L"Labe"), L"(none)");
    EXPECT_EQ(ClassOf(L"Labels"), L"(none)");
    EXPECT_EQ(ClassOf(L"Lobel"), L"(none)");
    EXPECT_EQ(ClassOf(L""), L"(none)");
    EXPECT_EQ(FindControlClass(nullptr), nullptr);
}

TEST(ControlFactory, TheTableNamesEveryElementOfTheVocabularyOnce)
{
    size_t count = 0;
    const TControlClass* table = ControlClassTable(count);
    EXPECT_EQ(count, 38u);
    std::set<std::wstring> names;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(names.insert(table[i].elementName).second) << table[i].elementName;
        EXPECT_EQ(FindControlClass(table[i].elementName), &table[i]);
    }
    for (const wchar_t* name : {L"Control", L"Label", L"Text", L"Button", L"Option", L"Slider", L"Progress",
                                L"Container", L"TabLayout", L"TileLayout", L"ChildLayout", L"ScrollBar",
                                L"SequencePic", L"RotateAnimateUI", L"SliderCtrlEx", L"ProgressEx",
                                L"ButtonSwitchEx", L"AnimationOption", L"TreeNode", L"WebBrowser"})
        EXPECT_NE(FindControlClass(name), nullptr) << name;
}

TEST(ControlFactory, ControlMakesAPlainControl)
{
    std::unique_ptr<CControlUI> control(CreateControlByElement(L"control"));
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->typeName(), L"ControlUI");
}

TEST(ControlFactory, UnknownNamesMakeNothing)
{
    EXPECT_EQ(CreateControlByElement(L"Gauge"), nullptr);
    EXPECT_EQ(CreateControlByElement(L"gifanim"), nullptr);
}
