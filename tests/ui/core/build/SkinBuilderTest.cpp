// Building control trees from skin markup into a window context bound to a
// real window: resource elements, Window settings, the class table, the
// callback, includes, and the order of children, defaults and attributes.
#include "tests/support/TestEnvironment.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ControlUI.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/host/WindowContextUI.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace SkinUI;

namespace {

// Records each attribute with the number of children it had at that moment.
class CProbeBox : public CContainerUI {
public:
    void writeAttribute(const std::wstring& name, const std::wstring& value) override
    {
        seen.push_back(name + L"=" + value + L" with " + std::to_wstring(itemCount()));
        CContainerUI::writeAttribute(name, value);
    }
    std::vector<std::wstring> seen;
};

// Takes no children at all.
class CFullBox : public CContainerUI {
public:
    bool addItem(CControlUI*) override { return false; }
};

class CCallback : public IDialogBuilderCallback {
public:
    CControlUI* BuildControl(const wchar_t* className) override
    {
        asked.push_back(className);
        std::wstring name = className;
        if (name == L"ProbeBox")
            return new CProbeBox();
        if (name == L"FullBox")
            return new CFullBox();
        return nullptr;
    }
    std::vector<std::wstring> asked;
};

IContainerUI* ContainerOf(CControlUI* control)
{
    return control ? static_cast<IContainerUI*>(control->queryFacet(L"IContainer")) : nullptr;
}

class CSkinBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        CWindowContextUI::ClearLanguageTexts();
        m_window = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 20, 30, 200, 100, nullptr, nullptr, nullptr,
                                     nullptr);
        ASSERT_NE(m_window, nullptr);
        m_context.reset(new CWindowContextUI());
        m_context->Bind(m_window);
    }
    void TearDown() override
    {
        m_context.reset();
        ::DestroyWindow(m_window);
        CSkinSource::Reset();
        CWindowContextUI::ClearLanguageTexts();
    }
    // Builds into the context, which then owns the tree.
    CControlUI* Build(const wchar_t* source, IDialogBuilderCallback* callback = nullptr)
    {
        CControlUI* root = m_builder.Build(source, nullptr, callback, m_context.get());
        if (root)
            m_context->AdoptRoot(root);
        return root;
    }
    CControlUI* Named(const wchar_t* name) { return m_context->ControlByName(name); }
    SIZE WindowSize()
    {
        RECT bounds = {};
        ::GetWindowRect(m_window, &bounds);
        return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    }

    HWND m_window = nullptr;
    std::unique_ptr<CWindowContextUI> m_context;
    CSkinBuilder m_builder;
};

} // namespace

// ---- The tool's own skin ----

TEST_F(CSkinBuilderTest, TheToolsSkinRegistersItsFontsWindowSettingsAndShadow)
{
    CWindowContextUI::SetSkinFolder(TestEnv::SourceFolder() + L"skin\\");
    CControlUI* root = Build(L"RuzerodOradirWnd.xml");
    ASSERT_NE(root, nullptr) << m_builder.ErrorMessage();
    EXPECT_EQ(root->controlName(), L"vbk_name");
    EXPECT_STREQ(root->typeName(), L"VerticalLayoutUI");

    const int sizes[] = {14, 18, 30, 16};
    for (int index = 0; index < 4; ++index) {
        TFontEntry* font = m_context->FontEntryByIndex(index);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->face, L"Microsoft YaHei") << index;
        EXPECT_EQ(font->size, sizes[index]) << index;
    }
    TFontEntry* base = m_context->FontEntryByIndex(99);
    EXPECT_EQ(base->face, L"Microsoft YaHei");
    EXPECT_EQ(base->size, 14);

    EXPECT_EQ(m_context->StartSize().cx, 480);
    EXPECT_EQ(m_context->StartSize().cy, 323);
    RECT caption = m_context->CaptionArea();
    EXPECT_EQ(caption.left, 0);
    EXPECT_EQ(caption.top, 0);
    EXPECT_EQ(caption.right, 0);
    EXPECT_EQ(caption.bottom, 100);
    EXPECT_EQ(m_context->CornerRound().cx, 3);
    EXPECT_EQ(m_context->CornerRound().cy, 3);
    EXPECT_EQ(m_context->Shadow().ImageName(), L"shadow.png");
    RECT corner = m_context->Shadow().Corner();
    EXPECT_EQ(corner.left, 23);
    EXPECT_EQ(corner.top, 13);
    EXPECT_EQ(corner.right, 23);
    EXPECT_EQ(corner.bottom, 33);
    EXPECT_TRUE(m_context->Shadow().IsWanted());
}

TEST_F(CSkinBuilderTest, TheToolsSkinCreatesItsNamedControls)
{
    CWindowContextUI::SetSkinFolder(TestEnv::SourceFolder() + L"skin\\");
    ASSERT_NE(Build(L"RuzerodOradirWnd.xml"), nullptr);
    ASSERT_NE(Named(L"BtnMin"), nullptr);
    EXPECT_STREQ(Named(L"BtnMin")->typeName(), L"ButtonUI");
    ASSERT_NE(Named(L"eyecomfort"), nullptr);
    EXPECT_STREQ(Named(L"eyecomfort")->typeName(), L"CheckBoxUI");
    ASSERT_NE(Named(L"ColorTemperature"), nullptr);
    EXPECT_STREQ(Named(L"ColorTemperature")->typeName(), L"SliderUI");
    ASSERT_NE(Named(L"top_bk"), nullptr);
    EXPECT_EQ(ContainerOf(Named(L"top_bk"))->itemCount(), 5);
    EXPECT_EQ(ContainerOf(Named(L"vbk_name"))->itemCount(), 3);
}

TEST_F(CSkinBuilderTest, TheStartSizeResizesTheWindowWhileNoRootIsAttached)
{
    ASSERT_NE(Build(L"<Window size=\"333,222\"><Control /></Window>"), nullptr);
    EXPECT_EQ(WindowSize().cx, 333);
    EXPECT_EQ(WindowSize().cy, 222);
    RECT bounds = {};
    ::GetWindowRect(m_window, &bounds);
    EXPECT_EQ(bounds.left, 20);
    EXPECT_EQ(bounds.top, 30);
}

// ---- Resource elements ----

TEST_F(CSkinBuilderTest, FontAttributesAndTheirFlagsAreReadInAnyCase)
{
    ASSERT_NE(Build(L"<Window><FONT ID=\"2\" NAME=\"Arial\" Size=\"20\" BOLD=\"TRUE\" Italic=\"True\" "
                    L"DEFAULT=\"true\" /><Control /></Window>"),
              nullptr);
    TFontEntry* font = m_context->FontEntryByIndex(2);
    EXPECT_EQ(font->face, L"Arial");
    EXPECT_EQ(font->size, 20);
    EXPECT_TRUE(font->bold);
    EXPECT_TRUE(font->italic);
    EXPECT_FALSE(font->underline);
    EXPECT_EQ(m_context->FontEntryByIndex(77)->face, L"Arial");
}

TEST_F(CSkinBuilderTest, AFontWithoutSizeIsTwelvePixelsHigh)
{
    ASSERT_NE(Build(L"<Window><Font id=\"1\" name=\"Arial\" /><Control /></Window>"), nullptr);
    EXPECT_EQ(m_context->FontEntryByIndex(1)->size, 12);
}

TEST_F(CSkinBuilderTest, AFontWithoutIdOrWithoutNameRegistersNothing)
{
    HFONT fallback = m_context->FontByIndex(-1);
    ASSERT_NE(Build(L"<Window><Font name=\"Arial\" size=\"30\" default=\"true\" />"
                    L"<Font id=\"5\" size=\"30\" default=\"true\" /><Control /></Window>"),
              nullptr);
    EXPECT_EQ(m_context->FontByIndex(5), fallback);
    EXPECT_EQ(m_context->FontByIndex(0), fallback);
    EXPECT_NE(m_context->FontEntryByIndex(-1)->size, 30);
}

TEST_F(CSkinBuilderTest, ADefaultElementStoresTheAttributeListOfItsClass)
{
    ASSERT_NE(Build(L"<Window><default NAME=\"Button\" Value=\"width=&quot;10&quot;\" /><Control /></Window>"),
              nullptr);
    const std::wstring* list = m_context->ClassDefaults(L"Button");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(*list, L"width=\"10\"");
    EXPECT_EQ(m_context->ClassDefaults(L"Label"), nullptr);
}

TEST_F(CSkinBuilderTest, MultiLanguageEntriesFillTheLanguageTableAndReplaceOlderOnes)
{
    ASSERT_NE(Build(L"<Window><MultiLanguage id=\"7\" value=\"first\" /><MultiLanguage id=\"7\" value=\"second\" />"
                    L"<MultiLanguage value=\"no id\" /><MultiLanguage id=\"8\" /><Control /></Window>"),
              nullptr);
    std::wstring text;
    ASSERT_TRUE(m_context->LanguageText(L"7", text));
    EXPECT_EQ(text, L"second");
    EXPECT_FALSE(m_context->LanguageText(L"8", text));
    EXPECT_FALSE(m_context->LanguageText(L"-1", text));
}

// ---- The Window element ----

TEST_F(CSkinBuilderTest, TheFirstGroupOfWindowAttributesIsReadInAnyCase)
{
    ASSERT_NE(Build(L"<window SIZE=\"300,200\" SizeBox=\"1,2,3,4\" CAPTION=\"0,0,0,30\" RoundCorner=\"5,6\" "
                    L"MinInfo=\"100,80\" MAXINFO=\"800,600\" ShowDirty=\"TRUE\" Alpha=\"200\" BkTrans=\"True\" "
                    L"DisabledFontColor=\"#FF111111\" defaultfontcolor=\"FF222222\" LinkFontColor=\"#FF333333\" "
                    L"LinkHoverFontColor=\"#FF444444\" SelectedColor=\"#FF555555\"><Control /></window>"),
              nullptr);
    EXPECT_EQ(m_context->StartSize().cx, 300);
    EXPECT_EQ(m_context->StartSize().cy, 200);
    RECT border = m_context->ResizeBorder();
    EXPECT_EQ(border.left, 1);
    EXPECT_EQ(border.top, 2);
    EXPECT_EQ(border.right, 3);
    EXPECT_EQ(border.bottom, 4);
    EXPECT_EQ(m_context->CaptionArea().bottom, 30);
    EXPECT_EQ(m_context->CornerRound().cx, 5);
    EXPECT_EQ(m_context->CornerRound().cy, 6);
    EXPECT_EQ(m_context->MinTrack().cx, 100);
    EXPECT_EQ(m_context->MaxTrack().cy, 600);
    EXPECT_TRUE(m_context->ShowDirty());
    EXPECT_EQ(m_context->WindowAlpha(), 200);
    EXPECT_TRUE(m_context->OwnerBackdrop());
    EXPECT_EQ(m_context->DisabledTextColour(), 0xFF111111u);
    EXPECT_EQ(m_context->DefaultTextColour(), 0xFF222222u);
    EXPECT_EQ(m_context->LinkColour(), 0xFF333333u);
    EXPECT_EQ(m_context->LinkHoverColour(), 0xFF444444u);
    EXPECT_EQ(m_context->SelectedBackColour(), 0xFF555555u);
}

TEST_F(CSkinBuilderTest, ShadowAndLaterWindowAttributesAreReadExactly)
{
    ASSERT_NE(Build(L"<Window shadowsize=\"5\" shadowsharpness=\"7\" shadowdarkness=\"100\" shadowposition=\"2,3\" "
                    L"shadowcolor=\"#123456\" shadowcorner=\"1,2,3,4\" shadowimage=\"s.png\" showshadow=\"true\" "
                    L"animateimage=\"anim.png\" moveparentwnd=\"true\" alphabktrans=\"true\"><Control /></Window>"),
              nullptr);
    CShadowUI& shadow = m_context->Shadow();
    EXPECT_EQ(shadow.Spread(), 5);
    EXPECT_EQ(shadow.EdgeSoftness(), 7);
    EXPECT_EQ(shadow.OpacityLevel(), 100);
    EXPECT_EQ(shadow.Offset().x, 2);
    EXPECT_EQ(shadow.Offset().y, 3);
    EXPECT_EQ(shadow.Colour(), 0x123456u);
    EXPECT_EQ(shadow.Corner().right, 3);
    EXPECT_EQ(shadow.ImageName(), L"s.png");
    EXPECT_TRUE(shadow.IsWanted());
    EXPECT_EQ(m_context->AnimateImage(), L"anim.png");
    EXPECT_TRUE(m_context->DragParent());
    EXPECT_TRUE(m_context->LayeredPaint());
}

TEST_F(CSkinBuilderTest, ShadowAttributesWrittenInAnotherCaseOrWithOtherFlagsAreIgnored)
{
    ASSERT_NE(Build(L"<Window ShadowSize=\"5\" SHADOWIMAGE=\"s.png\" showshadow=\"TRUE\" MoveParentWnd=\"true\" "
                    L"alphabktrans=\"True\"><Control /></Window>"),
              nullptr);
    EXPECT_EQ(m_context->Shadow().Spread(), 0);
    EXPECT_EQ(m_context->Shadow().ImageName(), L"");
    EXPECT_FALSE(m_context->Shadow().IsWanted());
    EXPECT_FALSE(m_context->DragParent());
    EXPECT_FALSE(m_context->LayeredPaint());
}

TEST_F(CSkinBuilderTest, AttributesOfARootNotNamedWindowAreNotApplied)
{
    ASSERT_NE(Build(L"<Dialog size=\"300,200\" caption=\"0,0,0,30\"><Control /></Dialog>"), nullptr);
    EXPECT_EQ(m_context->StartSize().cx, 0);
    EXPECT_EQ(m_context->CaptionArea().bottom, 0);
}

TEST_F(CSkinBuilderTest, AContextWithoutAWindowGetsResourcesButNoWindowSettings)
{
    CWindowContextUI unbound;
    CSkinBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Build(
        L"<Window size=\"300,200\"><Font id=\"3\" name=\"Arial\" /><Control name=\"x\" /></Window>", nullptr,
        nullptr, &unbound));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(unbound.StartSize().cx, 0);
    EXPECT_EQ(unbound.FontEntryByIndex(3)->face, L"Arial");
    EXPECT_EQ(root->windowContext(), nullptr);
}

// ---- The class table and the callback ----

TEST_F(CSkinBuilderTest, ElementNamesOfTheTableIgnoreCaseExceptGifAnimAndLabelEx)
{
    CCallback callback;
    CControlUI* root = Build(L"<Window><VerticalLayout><checkbox name=\"c\" /><gifanim name=\"g\" />"
                             L"<labelex name=\"l\" /><LabelEx name=\"L\" /><GifAnim name=\"G\" />"
                             L"</VerticalLayout></Window>",
                             &callback);
    ASSERT_NE(root, nullptr);
    ASSERT_NE(Named(L"c"), nullptr);
    EXPECT_STREQ(Named(L"c")->typeName(), L"CheckBoxUI");
    EXPECT_EQ(Named(L"g"), nullptr);
    EXPECT_EQ(Named(L"l"), nullptr);
    ASSERT_NE(Named(L"L"), nullptr);
    ASSERT_NE(Named(L"G"), nullptr);
    EXPECT_STREQ(Named(L"G")->typeName(), L"GifAnimUI");
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"gifanim", L"labelex"}));
}

TEST_F(CSkinBuilderTest, AnUnknownElementIsSkippedWithEverythingBelowIt)
{
    CCallback callback;
    CControlUI* root = Build(L"<Window><Gauge name=\"gauge\"><Control name=\"inner\" /></Gauge>"
                             L"<Control name=\"after\" /></Window>",
                             &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"after");
    EXPECT_EQ(Named(L"inner"), nullptr);
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"Gauge"}));
}

TEST_F(CSkinBuilderTest, TheCallbackCreatesControlsForNamesTheTableDoesNotKnow)
{
    CCallback callback;
    CControlUI* root = Build(L"<Window><ProbeBox name=\"probe\"><Control /></ProbeBox></Window>", &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"probe");
    EXPECT_EQ(ContainerOf(root)->itemCount(), 1);
}

TEST_F(CSkinBuilderTest, TheResultIsTheFirstTopLevelControl)
{
    std::unique_ptr<CControlUI> root(
        m_builder.Build(L"<Window><Control name=\"one\" /><Control name=\"two\" /></Window>"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"one");
}

TEST_F(CSkinBuilderTest, ABuildWithoutContextStillAppliesEachElementsAttributes)
{
    std::unique_ptr<CControlUI> root(m_builder.Build(
        L"<Window size=\"1,1\"><HorizontalLayout name=\"row\"><Control name=\"a\" width=\"12\" /></HorizontalLayout>"
        L"</Window>"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"row");
    CControlUI* child = ContainerOf(root.get())->itemAt(0);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->presetWidth(), 12);
}

// ---- Nesting ----

TEST_F(CSkinBuilderTest, AControlInsideALabelFailsTheWholeBuild)
{
    EXPECT_EQ(Build(L"<Window><VerticalLayout><Label><Control /></Label></VerticalLayout></Window>"), nullptr);
    EXPECT_EQ(Build(L"<Window><Control><Button /></Control></Window>"), nullptr);
    EXPECT_EQ(m_context->Root(), nullptr);
}

TEST_F(CSkinBuilderTest, AnUnknownElementInsideALabelIsSkippedWithoutFailing)
{
    CControlUI* root = Build(L"<Window><Label name=\"l\"><Gauge /></Label></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"l");
}

TEST_F(CSkinBuilderTest, AControlTheContainerRefusesIsDropped)
{
    CCallback callback;
    CControlUI* root = Build(L"<Window><FullBox name=\"full\"><Control name=\"refused\" /></FullBox></Window>",
                             &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ContainerOf(root)->itemCount(), 0);
    EXPECT_EQ(Named(L"refused"), nullptr);
}

TEST_F(CSkinBuilderTest, NestingDeeperThanTheLimitFailsInsteadOfExhaustingTheStack)
{
    std::wstring markup = L"<Window>";
    for (int i = 0; i < 5000; ++i)
        markup += L"<VerticalLayout>";
    markup += L"<Control />";
    for (int i = 0; i < 5000; ++i)
        markup += L"</VerticalLayout>";
    markup += L"</Window>";
    EXPECT_EQ(Build(markup.c_str()), nullptr);
}

TEST_F(CSkinBuilderTest, NestingWithinTheLimitBuilds)
{
    std::wstring markup = L"<Window>";
    for (int i = 0; i < 50; ++i)
        markup += L"<VerticalLayout>";
    markup += L"<Control name=\"deep\" />";
    for (int i = 0; i < 50; ++i)
        markup += L"</VerticalLayout>";
    markup += L"</Window>";
    ASSERT_NE(Build(markup.c_str()), nullptr);
    EXPECT_NE(Named(L"deep"), nullptr);
}

// ---- Order of children, class defaults and attributes ----

TEST_F(CSkinBuilderTest, ChildrenAreAddedBeforeTheElementsOwnAttributes)
{
    CCallback callback;
    CControlUI* root = Build(L"<Window><ProbeBox name=\"probe\" childpadding=\"3\"><Control /><Control />"
                             L"</ProbeBox></Window>",
                             &callback);
    ASSERT_NE(root, nullptr);
    auto* probe = static_cast<CProbeBox*>(root);
    EXPECT_EQ(probe->seen, (std::vector<std::wstring>{L"name=probe with 2", L"childpadding=3 with 2"}));
}

TEST_F(CSkinBuilderTest, ASelectedIndexSeesTheChildrenItSelects)
{
    CControlUI* root = Build(L"<Window><TabLayout selectedid=\"1\"><Control name=\"first\" />"
                             L"<Control name=\"second\" /></TabLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(Named(L"first")->isShown());
    EXPECT_TRUE(Named(L"second")->isShown());
}

TEST_F(CSkinBuilderTest, ClassDefaultsApplyToLaterElementsAndTheElementsOwnAttributesWin)
{
    CControlUI* root = Build(L"<Window>"
                             L"<Default name=\"Control\" value=\"width=&quot;10&quot; height=&quot;20&quot;\" />"
                             L"<HorizontalLayout><Control name=\"a\" /><Control name=\"b\" height=\"30\" />"
                             L"</HorizontalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Named(L"a")->presetWidth(), 10);
    EXPECT_EQ(Named(L"a")->presetHeight(), 20);
    EXPECT_EQ(Named(L"b")->presetWidth(), 10);
    EXPECT_EQ(Named(L"b")->presetHeight(), 30);
}

TEST_F(CSkinBuilderTest, ClassDefaultsAreFoundOnlyUnderTheElementNameAsWritten)
{
    CControlUI* root = Build(L"<Window><Default name=\"control\" value=\"width=&quot;10&quot;\" />"
                             L"<HorizontalLayout><Control name=\"a\" /><control name=\"b\" /></HorizontalLayout>"
                             L"</Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Named(L"a")->presetWidth(), 0);
    EXPECT_EQ(Named(L"b")->presetWidth(), 10);
}

TEST_F(CSkinBuilderTest, LaterAttributesOverrideEarlierOnes)
{
    CControlUI* root = Build(L"<Window><Control width=\"5\" name=\"x\" width=\"7\" /></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->presetWidth(), 7);
}

// ---- Includes ----

TEST_F(CSkinBuilderTest, AnIncludeWithCountThreeAddsItsControlsThreeTimes)
{
    CControlUI* root = Build(L"<Window><VerticalLayout name=\"box\">"
                             L"<Include source=\"&lt;Window&gt;&lt;Control /&gt;&lt;Label /&gt;&lt;/Window&gt;\" "
                             L"count=\"3\" /></VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    IContainerUI* box = ContainerOf(root);
    ASSERT_EQ(box->itemCount(), 6);
    EXPECT_STREQ(box->itemAt(0)->typeName(), L"ControlUI");
    EXPECT_STREQ(box->itemAt(1)->typeName(), L"LabelUI");
    EXPECT_STREQ(box->itemAt(5)->typeName(), L"LabelUI");
}

TEST_F(CSkinBuilderTest, AnIncludeWithoutCountRunsOnceAndCountZeroNever)
{
    CControlUI* root = Build(L"<Window><VerticalLayout name=\"box\">"
                             L"<Include source=\"&lt;Window&gt;&lt;Control /&gt;&lt;/Window&gt;\" />"
                             L"<Include source=\"&lt;Window&gt;&lt;Control /&gt;&lt;/Window&gt;\" count=\"0\" />"
                             L"<Include count=\"2\" /><Include />"
                             L"</VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ContainerOf(root)->itemCount(), 1);
}

TEST_F(CSkinBuilderTest, AnIncludedFileAppliesItsResourcesAndIsNotTheResult)
{
    TestEnv::CScratchFolder folder(L"builder_include");
    TestEnv::WriteFileBytes(folder.File(L"part.xml"),
                            "<Window><Font id=\"4\" name=\"Arial\" /><Control name=\"included\" /></Window>");
    CWindowContextUI::SetSkinFolder(folder.Path());
    CControlUI* root = Build(L"<Window><Include source=\"part.xml\" /><VerticalLayout name=\"own\">"
                             L"<Include source=\"part.xml\" /></VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->controlName(), L"own");
    EXPECT_EQ(ContainerOf(root)->itemCount(), 1);
    EXPECT_EQ(m_context->FontEntryByIndex(4)->face, L"Arial");
}

TEST_F(CSkinBuilderTest, ADocumentIncludingItselfStopsAtTheIncludeDepthLimit)
{
    TestEnv::CScratchFolder folder(L"builder_self_include");
    TestEnv::WriteFileBytes(folder.File(L"self.xml"),
                            "<Window><Control /><Include source=\"self.xml\" /></Window>");
    CWindowContextUI::SetSkinFolder(folder.Path());
    CControlUI* root = Build(L"<Window><VerticalLayout><Include source=\"self.xml\" /></VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ContainerOf(root)->itemCount(), CSkinBuilder::kMaxIncludeDepth);
}

TEST_F(CSkinBuilderTest, AHugeIncludeCountStopsAtTheRunLimit)
{
    CControlUI* root = Build(L"<Window><VerticalLayout>"
                             L"<Include source=\"&lt;Window&gt;&lt;Control /&gt;&lt;/Window&gt;\" "
                             L"count=\"999999999\" />"
                             L"</VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ContainerOf(root)->itemCount(), CSkinBuilder::kMaxIncludeRuns);
}

// ---- Sources and load failures ----

TEST_F(CSkinBuilderTest, AMarkupErrorReturnsNoneAndLeavesTheParsersMessage)
{
    EXPECT_EQ(Build(L"<Window><Control name='x' /></Window>"), nullptr);
    EXPECT_STREQ(m_builder.ErrorMessage(), L"Expected attribute value");
}

TEST_F(CSkinBuilderTest, AMissingSkinFileReturnsNone)
{
    TestEnv::CScratchFolder folder(L"builder_missing");
    CWindowContextUI::SetSkinFolder(folder.Path());
    EXPECT_EQ(Build(L"nothing.xml"), nullptr);
    EXPECT_STREQ(m_builder.ErrorMessage(), L"Error opening file");
}

TEST_F(CSkinBuilderTest, AResourceIdWithoutTypeOrThatIsMissingReturnsNone)
{
    EXPECT_EQ(m_builder.Build(MAKEINTRESOURCEW(4321), nullptr), nullptr);
    EXPECT_EQ(m_builder.Build(MAKEINTRESOURCEW(4321), L"xml"), nullptr);
    EXPECT_EQ(m_builder.Build(nullptr), nullptr);
}

TEST_F(CSkinBuilderTest, ADocumentWithoutControlsReturnsNone)
{
    EXPECT_EQ(Build(L"<Window size=\"10,10\"><Font id=\"1\" name=\"Arial\" /></Window>"), nullptr);
    EXPECT_EQ(Build(L""), nullptr);
}

TEST_F(CSkinBuilderTest, BuildLoadedBuildsAgainFromTheMarkupAlreadyLoaded)
{
    ASSERT_TRUE(m_builder.Markup().LoadText(L"<Window><Control name=\"again\" /></Window>"));
    std::unique_ptr<CControlUI> first(m_builder.BuildLoaded());
    std::unique_ptr<CControlUI> second(m_builder.BuildLoaded());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(second->controlName(), L"again");
}
