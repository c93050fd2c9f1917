#include "ui/core/res/LanguageText.h"

namespace SkinUI {

std::wstring SubstituteLanguageTexts(const std::wstring& text, const LanguageLookup& lookup)
{
    if (!lookup || text.find(L"%{") == std::wstring::npos)
        return text;

    std::wstring result;
    result.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        const size_t start = text.find(L"%{", position);
        if (start == std::wstring::npos)
            break;
        size_t digits = start + 2;
        while (digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9')
            ++digits;
        std::wstring replacement;
        if (digits > start + 2 && digits < text.size() && text[digits] == L'}' &&
            lookup(text.substr(start + 2, digits - start - 2), replacement)) {
            result.append(text, position, start - position);
            result += replacement;
            position = digits + 1;
        } else {
            result.append(text, position, start + 2 - position);
            position = start + 2;
        }
    }
    result.append(text, position, std::wstring::npos);
    return result;
}

} // namespace SkinUI
