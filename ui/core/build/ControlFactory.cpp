// The element names of the skin vocabulary and the control classes behind
// them. A class joins the build by naming its maker in its entry (and
// including its header); entries without a maker are left to the window's
// builder callback.
#include "ui/core/build/ControlFactory.h"

#include "ui/controls/AnimationOptionUI.h"
#include "ui/controls/ButtonSwitchExUI.h"
#include "ui/controls/ButtonUI.h"
#include "ui/core/build/ChildLayoutUI.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ControlUI.h"
#include "ui/controls/CustomButtonUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/layout/HorizontalLayoutUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressExUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/SequencePictureUI.h"
#include "ui/controls/SliderCtrlEx.h"
#include "ui/controls/layout/TabLayoutUI.h"
#include "ui/controls/layout/TileLayoutUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"

#include <cwchar>

namespace SkinUI {

namespace {

template <typename T>
CControlUI* Make()
{
    return new T();
}

const TControlClass kControlClasses[] = {
    {L"Control", L"CControlUI", false, &Make<CControlUI>},
    {L"Label", L"CLabelUI", false, &Make<CLabelUI>},
    {L"LabelEx", L"CLabelUIEx", true, &Make<CLabelUIEx>},
    {L"Text", L"CTextUI", false, &Make<CTextUI>},
    {L"Button", L"CButtonUI", false, &Make<CButtonUI>},
    {L"Option", L"COptionUI", false, &Make<COptionUI>},
    {L"CheckBox", L"CCheckBoxUI", false, &Make<CCheckBoxUI>},
    {L"CustonButton", L"CCustomButtonUI", false, &Make<CCustomButtonUI>},
    {L"ButtonSwitchEx", L"CButtonSwitchExUI", false, &Make<CButtonSwitchExUI>},
    {L"AnimationOption", L"CAnimationOptionUI", false, &Make<CAnimationOptionUI>},
    {L"Progress", L"CProgressUI", false, &Make<CProgressUI>},
    {L"ProgressEx", L"CProgressExUI", false, &Make<CProgressExUI>},
    {L"Slider", L"CSliderUI", false, &Make<CSliderUI>},
    {L"SliderCtrlEx", L"CSliderCtrlEx", false, &Make<CSliderCtrlEx>},
    {L"GifAnim", L"CGifAnimUI", true, &Make<CGifAnimUI>},
    {L"SequencePic", L"CSequencePictureUI", false, &Make<CSequencePictureUI>},
    {L"RotateAnimateUI", L"CRotateAnimateUI", false, &Make<CRotateAnimateUI>},
    {L"RichEdit", L"CRichEditUI", false, nullptr},
    {L"ActiveX", L"CActiveXUI", false, nullptr},
    {L"Container", L"CContainerUI", false, &Make<CContainerUI>},
    {L"VerticalLayout", L"CVerticalLayoutUI", false, &Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", L"CHorizontalLayoutUI", false, &Make<CHorizontalLayoutUI>},
    {L"TileLayout", L"CTileLayoutUI", false, &Make<CTileLayoutUI>},
    {L"TabLayout", L"CTabLayoutUI", false, &Make<CTabLayoutUI>},
    {L"ChildLayout", L"CChildLayoutUI", false, &Make<CChildLayoutUI>},
    {L"ScrollBar", L"CScrollBarUI", false, &Make<CScrollBarUI>},
    {L"List", L"CListUI", false, nullptr},
    {L"ListHeader", L"CListHeaderUI", false, nullptr},
    {L"ListHeaderItem", L"CListHeaderItemUI", false, nullptr},
    {L"ListTextElement", L"CListTextElementUI", false, nullptr},
    {L"ListLabelElement", L"CListLabelElementUI", false, nullptr},
    {L"ListContainerElement", L"CListContainerElementUI", false, nullptr},
    {L"TreeView", L"CTreeViewUI", false, nullptr},
    {L"TreeNode", L"CTreeNodeUI", false, nullptr},
    {L"Combo", L"CComboUI", false, nullptr},
    {L"Edit", L"CEditUI", false, nullptr},
    {L"DateTime", L"CDateTimeUI", false, nullptr},
    {L"WebBrowser", L"CWebBrowserUI", false, nullptr},
};

} // namespace

const TControlClass* FindControlClass(const wchar_t* elementName)
{
    if (!elementName)
        return nullptr;
    // Few names share a length, so the length sorts out most entries before
    // any character is compared.
    size_t length = wcslen(elementName);
    for (const TControlClass& entry : kControlClasses) {
        if (wcslen(entry.elementName) != length)
            continue;
        bool same = entry.exactCase ? wcscmp(entry.elementName, elementName) == 0
                                    : _wcsicmp(entry.elementName, elementName) == 0;
        if (same)
            return &entry;
    }
    return nullptr;
}

CControlUI* CreateControlByElement(const wchar_t* elementName)
{
    const TControlClass* entry = FindControlClass(elementName);
    return entry && entry->make ? entry->make() : nullptr;
}

const TControlClass* ControlClassTable(size_t& count)
{
    count = sizeof(kControlClasses) / sizeof(kControlClasses[0]);
    return kControlClasses;
}

} // namespace SkinUI
