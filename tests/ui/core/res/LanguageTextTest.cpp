// "%{N}" references in displayed text become language texts.
#include "ui/core/res/LanguageText.h"

#include <gtest/gtest.h>

#include <map>

using namespace SkinUI;

namespace {

LanguageLookup Table(std::map<std::wstring, std::wstring> entries)
{
    return [entries](const std::wstring& id, std::wstring& text) {
        auto found = entries.find(id);
        if (found == entries.end())
            return false;
        text = found->second;
        return true;
    };
}

} // namespace

TEST(LanguageText, KnownIdsAreReplaced)
{
    auto lookup = Table({{L"12", L"Eye care"}, {L"3", L"on"}});
    EXPECT_EQ(L"Eye care is on.", SubstituteLanguageTexts(L"%{12} is %{3}.", lookup));
}

TEST(LanguageText, UnknownOrMalformedReferencesStay)
{
    auto lookup = Table({{L"1", L"one"}});
    EXPECT_EQ(L"%{2} %{x} %{} %{1 %{", SubstituteLanguageTexts(L"%{2} %{x} %{} %{1 %{", lookup));
    EXPECT_EQ(L"one%{", SubstituteLanguageTexts(L"%{1}%{", lookup));
}

TEST(LanguageText, ReplacementsAreNotScannedAgain)
{
    auto lookup = Table({{L"1", L"%{1}"}});
    EXPECT_EQ(L"%{1}!", SubstituteLanguageTexts(L"%{1}!", lookup));
}

TEST(LanguageText, NoLookupLeavesTextAlone)
{
    EXPECT_EQ(L"%{1}", SubstituteLanguageTexts(L"%{1}", LanguageLookup()));
}
