#pragma once
// The window's texts in the user's language. The skin writes each of them as
// "%{id}" and gives its Chinese text as the framework's language entry of that
// id; for any other language the entries the loaded language file translates
// are replaced, so a text the file lacks stays Chinese.
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A window text: the skin's id and the language files' key.
struct TWindowText {
    int id;
    const wchar_t* key;
};

// Every text of the skin "RuzerodOradirWnd.xml" that has a translation.
const std::vector<TWindowText>& WindowTexts();

// The language whose texts the skin itself holds.
inline constexpr wchar_t kSkinLanguage[] = L"zh-cn";

using TranslatedText = std::pair<int, std::wstring>;

// The framework entries to replace for `language`: one per window text whose
// key `textForKey` translates (an empty answer means missing). None for the
// skin's own language.
std::vector<TranslatedText> TranslatedWindowTexts(const std::wstring& language,
                                                  const std::function<std::wstring(const std::wstring&)>& textForKey);

// Puts the loaded language file's texts into the framework's language table.
// Runs after the skin is built, whose entries it replaces.
void ApplyWindowLanguage();
