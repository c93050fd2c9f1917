// The window's resources: fonts by index with the base-font fallback, class
// defaults, colours and language texts.
#include "tests/ui/core/host/ContextTestKit.h"

#include "ui/core/gfx/ColourAdjust.h"
#include "ui/core/host/WindowContextShared.h"

#include <gtest/gtest.h>

using namespace ContextTest;
using namespace SkinUI;

namespace {

std::wstring FaceOf(HFONT font)
{
    LOGFONTW description = {};
    ::GetObjectW(font, sizeof(description), &description);
    return description.lfFaceName;
}

LOGFONTW DescriptionOf(HFONT font)
{
    LOGFONTW description = {};
    ::GetObjectW(font, sizeof(description), &description);
    return description;
}

} // namespace

TEST(ContextFonts, AnUnknownIndexGivesTheProcessBaseFontWhileTheWindowHasNone)
{
    CWindowContextUI context;
    HFONT base = context.FontByIndex(7);
    ASSERT_NE(nullptr, base);
    EXPECT_EQ(ContextProcessState().baseFont.font.Get(), base);
    EXPECT_EQ(base, context.FontByIndex(-1));
    EXPECT_FALSE(ContextProcessState().baseFont.face.empty());
}

TEST(ContextFonts, AnUnknownIndexGivesTheWindowsBaseFontOnceSet)
{
    CWindowContextUI context;
    context.SetBaseFont(L"Tahoma", 14, false, false, false, false);
    HFONT font = context.FontByIndex(7);
    EXPECT_NE(ContextProcessState().baseFont.font.Get(), font);
    EXPECT_EQ(L"Tahoma", FaceOf(font));
    EXPECT_EQ(-14, DescriptionOf(font).lfHeight);
    CWindowContextUI other;
    EXPECT_EQ(ContextProcessState().baseFont.font.Get(), other.FontByIndex(7)) << "the base font is the window's own";
}

TEST(ContextFonts, FontsAreRegisteredByIndexAndReplaced)
{
    CWindowContextUI context;
    HFONT first = context.AddFontEntry(2, L"Tahoma", 18, true, false, true, false);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, context.FontByIndex(2));
    const LOGFONTW description = DescriptionOf(first);
    EXPECT_EQ(-18, description.lfHeight);
    EXPECT_GE(description.lfWeight, FW_BOLD);
    EXPECT_LE(description.lfWeight, 1000);
    EXPECT_TRUE(description.lfItalic);
    EXPECT_FALSE(description.lfUnderline);
    EXPECT_EQ(DEFAULT_CHARSET, description.lfCharSet);

    HFONT second = context.AddFontEntry(2, L"Arial", 12, false, true, false, false);
    EXPECT_EQ(second, context.FontByIndex(2));
    EXPECT_EQ(2, context.FindFontIndex(L"Arial", 12, false, true, false));
    EXPECT_EQ(-1, context.FindFontIndex(L"Tahoma", 18, true, false, true));
    TFontEntry* entry = context.FontEntryByIndex(2);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(L"Arial", entry->face);
    EXPECT_TRUE(entry->hasMetrics);
    EXPECT_GT(entry->metrics.tmHeight, 0);
    EXPECT_EQ(entry, context.FontEntryByHandle(second));
}

TEST(ContextFonts, SharedFontsServeEveryWindowAfterItsOwn)
{
    CWindowContextUI first;
    CWindowContextUI second;
    HFONT shared = first.AddFontEntry(41, L"Tahoma", 11, false, false, false, true);
    EXPECT_EQ(shared, second.FontByIndex(41));
    HFONT own = second.AddFontEntry(41, L"Arial", 11, false, false, false, false);
    EXPECT_EQ(own, second.FontByIndex(41));
    EXPECT_EQ(shared, first.FontByIndex(41));
    EXPECT_EQ(41, first.FindFontIndex(L"Tahoma", 11, false, false, false));
    ContextProcessState().sharedFonts.Clear();
}

TEST(ContextFonts, ALongFaceNameIsCut)
{
    CWindowContextUI context;
    const std::wstring longFace(80, L'F');
    HFONT font = context.AddFontEntry(0, longFace, 12, false, false, false, false);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(31u, context.FontEntryByIndex(0)->face.size());
}

TEST(ContextClassDefaults, TheWindowsListComesBeforeTheSharedOne)
{
    CWindowContextUI context;
    EXPECT_EQ(nullptr, context.ClassDefaults(L"Button"));
    context.SetClassDefaults(L"Button", L"height=\"20\"", true);
    ASSERT_NE(nullptr, context.ClassDefaults(L"Button"));
    EXPECT_EQ(L"height=\"20\"", *context.ClassDefaults(L"Button"));
    context.SetClassDefaults(L"Button", L"height=\"30\"", false);
    EXPECT_EQ(L"height=\"30\"", *context.ClassDefaults(L"Button"));
    context.SetClassDefaults(L"Button", L"height=\"40\"", false);
    EXPECT_EQ(L"height=\"40\"", *context.ClassDefaults(L"Button"));
    CWindowContextUI other;
    EXPECT_EQ(L"height=\"20\"", *other.ClassDefaults(L"Button"));
    EXPECT_EQ(nullptr, other.ClassDefaults(L"button")) << "class names keep their case";
    ContextProcessState().sharedClassDefaults.clear();
}

TEST(ContextColours, WindowsStartWithTheProcessDefaults)
{
    CWindowContextUI context;
    EXPECT_EQ(0xFFA7A6AAu, context.DisabledTextColour());
    EXPECT_EQ(0xFF000000u, context.DefaultTextColour());
    EXPECT_EQ(0xFF0000FFu, context.LinkColour());
    EXPECT_EQ(0xFFD3215Fu, context.LinkHoverColour());
    EXPECT_EQ(0xFFBAE4FFu, context.SelectedBackColour());
}

TEST(ContextColours, ASharedChangeMovesWindowsStillOnTheOldDefault)
{
    CWindowContextUI onDefault;
    CWindowContextUI own;
    own.SetLinkColour(0xFF123456);
    onDefault.SetLinkColour(0xFF00FF00, true);
    EXPECT_EQ(0xFF00FF00u, onDefault.LinkColour());
    EXPECT_EQ(0xFF123456u, own.LinkColour());
    CWindowContextUI later;
    EXPECT_EQ(0xFF00FF00u, later.LinkColour());
    own.SetLinkColour(0xFF0000FF, true); // put the default back
    EXPECT_EQ(0xFF123456u, own.LinkColour());
    EXPECT_EQ(0xFF0000FFu, CWindowContextUI().LinkColour());
}

TEST(ContextLanguage, DecimalIdsNameTheProcessWideTexts)
{
    CWindowContextUI context;
    CWindowContextUI::SetLanguageText(12, L"twelve");
    std::wstring text;
    EXPECT_TRUE(context.LanguageText(L"12", text));
    EXPECT_EQ(L"twelve", text);
    EXPECT_FALSE(context.LanguageText(L"13", text));
    EXPECT_FALSE(context.LanguageText(L"1x", text));
    EXPECT_FALSE(context.LanguageText(L"", text));
    EXPECT_FALSE(context.LanguageText(L"99999999999999999999", text));
    CWindowContextUI::ClearLanguageTexts();
    EXPECT_FALSE(context.LanguageText(L"12", text));
}

TEST(ContextSkinSources, TheStaticSettersForwardToTheSkinSource)
{
    CWindowContextUI::SetSkinFolder(L"C:\\skins");
    EXPECT_EQ(L"C:\\skins\\", CWindowContextUI::SkinFolder());
    CWindowContextUI::SetSkinFolder(L"");
    EXPECT_TRUE(CWindowContextUI::SkinFolder().empty());
    CWindowContextUI::SetAppModule(::GetModuleHandleW(nullptr));
    EXPECT_EQ(::GetModuleHandleW(nullptr), CWindowContextUI::AppModule());
    EXPECT_FALSE(CWindowContextUI::AppFolder().empty());
    WNDCLASSEXW shadowClass = {};
    shadowClass.cbSize = sizeof(shadowClass);
    EXPECT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), L"TovinShadowWnd", &shadowClass));
    EXPECT_EQ(UINT(CS_HREDRAW | CS_VREDRAW), shadowClass.style);
}

TEST(ContextColourAdjustment, SetHslClampsAndStoresTheProcessSettings)
{
    CWindowContextUI::SetHsl(true, 400, -5, 150);
    const TColourAdjustment& adjustment = ColourAdjustment();
    EXPECT_TRUE(adjustment.enabled);
    EXPECT_EQ(360, adjustment.hue);
    EXPECT_EQ(0, adjustment.saturation);
    EXPECT_EQ(150, adjustment.lightness);
    CWindowContextUI::SetHsl(false, 180, 100, 100);
    EXPECT_FALSE(ColourAdjustment().enabled);
    EXPECT_TRUE(ColourAdjustment().IsNeutral());
}
