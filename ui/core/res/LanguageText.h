#pragma once
// Language substitution in displayed texts: "%{N}" becomes the language
// table's text for the decimal id N.
#include <functional>
#include <string>

namespace SkinUI {

using LanguageLookup = std::function<bool(const std::wstring& id, std::wstring& text)>;

// Replaces every "%{N}" whose N is decimal and names an entry; everything else
// (unknown ids, malformed references) stays as written. Replacement texts are
// not scanned again.
std::wstring SubstituteLanguageTexts(const std::wstring& text, const LanguageLookup& lookup);

} // namespace SkinUI
