#include "app/WindowLanguage.h"

#include "biz/LanguageHelper.h"
#include "tests/support/TestEnvironment.h"
#include "ui/core/res/SkinMarkup.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

namespace {

using TextMap = std::map<std::wstring, std::wstring>;

std::function<std::wstring(const std::wstring&)> LookupIn(const TextMap& texts)
{
    return [&texts](const std::wstring& key) {
        auto found = texts.find(key);
        return found == texts.end() ? std::wstring() : found->second;
    };
}

// What the skin says: the Chinese text of each MultiLanguage id, and the ids
// its texts and tooltips refer to as "%{N}".
struct TSkinTexts {
    std::map<int, std::wstring> defaults;
    std::set<int> referenced;
};

void CollectSkinTexts(const SkinUI::CSkinNode& node, TSkinTexts& texts)
{
    static const std::wregex reference(L"%\\{(\\d+)\\}");
    for (SkinUI::CSkinNode child = node.FirstChild(); child.Exists(); child = child.NextSibling()) {
        if (std::wstring(child.Name()) == L"MultiLanguage")
            texts.defaults[std::stoi(child.AttrValue(L"id"))] = child.AttrValue(L"value");
        for (const wchar_t* attribute : {L"text", L"tooltip"}) {
            const wchar_t* value = child.AttrValue(attribute);
            if (!value)
                continue;
            const std::wstring text = value;
            for (std::wsregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it)
                texts.referenced.insert(std::stoi((*it)[1].str()));
        }
        CollectSkinTexts(child, texts);
    }
}

TSkinTexts ReadSkinTexts()
{
    const std::string bytes = TestEnv::ReadFileBytes(TestEnv::SourceFolder() + L"skin\\RuzerodOradirWnd.xml");
    SkinUI::CSkinMarkup markup;
    TSkinTexts texts;
    EXPECT_TRUE(markup.LoadBytes(bytes.data(), bytes.size()));
    CollectSkinTexts(markup.Root(), texts);
    return texts;
}

LanguageTextTable ReadLanguageFile(const wchar_t* name)
{
    LanguageTextTable table;
    EXPECT_TRUE(LanguageText::LoadFile(TestEnv::SourceFolder() + L"tools\\lan\\" + name, table)) << name;
    return table;
}

} // namespace

TEST(WindowLanguage, TheSkinsOwnLanguageReplacesNothing)
{
    const TextMap english = {{L"slogan", L"Care for your eyes"}};
    EXPECT_TRUE(TranslatedWindowTexts(L"zh-cn", LookupIn(english)).empty());
    EXPECT_TRUE(TranslatedWindowTexts(L"ZH-CN", LookupIn(english)).empty());
}

TEST(WindowLanguage, OtherLanguagesReplaceOnlyTheTextsTheFileHas)
{
    const TextMap texts = {{L"title", L"Eyeward"}, {L"slogan", L"Care for your eyes"}, {L"close", L""},
                           {L"unrelated", L"x"}};
    const std::vector<TranslatedText> translated = TranslatedWindowTexts(L"en", LookupIn(texts));
    const std::vector<TranslatedText> expected = {{1, L"Eyeward"}, {4, L"Care for your eyes"}};
    EXPECT_EQ(translated, expected);
    EXPECT_TRUE(TranslatedWindowTexts(L"en", LookupIn({})).empty());
}

TEST(WindowLanguage, EverySkinTextHasAChineseDefaultAndAKeyInBothLanguageFiles)
{
    const TSkinTexts skin = ReadSkinTexts();
    std::set<int> known;
    for (const TWindowText& text : WindowTexts())
        known.insert(text.id);
    EXPECT_EQ(skin.referenced, known) << "the skin's %{N} and the window's texts differ";
    for (int id : skin.referenced)
        EXPECT_TRUE(skin.defaults.count(id)) << "no Chinese text for %{" << id << "}";

    const LanguageTextTable chinese = ReadLanguageFile(L"zh-cn.dat");
    const LanguageTextTable english = ReadLanguageFile(L"en.dat");
    for (const TWindowText& text : WindowTexts()) {
        // The Chinese file says what the skin says, so both ways of showing Chinese agree.
        auto found = chinese.find(text.key);
        ASSERT_NE(found, chinese.end()) << text.key;
        auto chineseDefault = skin.defaults.find(text.id);
        if (chineseDefault != skin.defaults.end()) {
            EXPECT_EQ(found->second, chineseDefault->second) << text.key;
        }
        EXPECT_FALSE(english.count(text.key) == 0 || english.at(text.key).empty()) << text.key;
    }
}
