#include "app/WindowLanguage.h"

#include "biz/LanguageHelper.h"
#include "ui/core/host/WindowContextUI.h"

#include <cwchar>

const std::vector<TWindowText>& WindowTexts()
{
    static const std::vector<TWindowText> texts = {
        {1, L"title"},
        {2, L"minimize"},
        {3, L"close"},
        {4, L"slogan"},
        {5, L"eye_comfort"},
        {6, L"eye_comfort_tip"},
        {7, L"color_temperature"},
        {8, L"restore_defaults"},
        {9, L"color_temperature_tip"},
        {10, L"scale_weak"},
        {11, L"scale_recommended"},
        {12, L"scale_strong"},
    };
    return texts;
}

std::vector<TranslatedText> TranslatedWindowTexts(const std::wstring& language,
                                                  const std::function<std::wstring(const std::wstring&)>& textForKey)
{
    std::vector<TranslatedText> translated;
    // Language codes come from the user's settings in any case.
    if (_wcsicmp(language.c_str(), kSkinLanguage) == 0)
        return translated;
    for (const TWindowText& text : WindowTexts()) {
        std::wstring value = textForKey(text.key);
        if (!value.empty())
            translated.emplace_back(text.id, std::move(value));
    }
    return translated;
}

void ApplyWindowLanguage()
{
    for (const TranslatedText& text : TranslatedWindowTexts(CurrentLanguage(), GetLanguageText))
        SkinUI::CWindowContextUI::SetLanguageText(text.first, text.second);
}
