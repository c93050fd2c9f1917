#include "ui/core/gfx/MarkedTextTokens.h"

namespace SkinUI {

namespace {

bool IsTagLetter(wchar_t c) { return c >= L'a' && c <= L'z'; }
bool IsOpenBracket(wchar_t c) { return c == L'<' || c == L'{'; }
bool IsCloseBracket(wchar_t c) { return c == L'>' || c == L'}'; }

// The length of a closing tag at `at` ("</x>" or "{/x}"), or 0.
size_t ClosingTagAt(const std::wstring& text, size_t at, wchar_t& letter)
{
    if (at + 3 < text.size() && IsOpenBracket(text[at]) && text[at + 1] == L'/' && IsTagLetter(text[at + 2]) &&
        IsCloseBracket(text[at + 3])) {
        letter = text[at + 2];
        return 4;
    }
    return 0;
}

} // namespace

std::vector<TMarkToken> TokenizeMarkedText(const std::wstring& text)
{
    std::vector<TMarkToken> tokens;
    std::wstring run;
    auto flush = [&] {
        if (!run.empty()) {
            tokens.push_back(TMarkToken{TMarkToken::Text, 0, run});
            run.clear();
        }
    };

    bool raw = false;
    size_t i = 0;
    while (i < text.size()) {
        wchar_t letter = 0;
        if (const size_t length = ClosingTagAt(text, i, letter); length && (!raw || letter == L'r')) {
            flush();
            tokens.push_back(TMarkToken{TMarkToken::Close, letter, std::wstring()});
            raw = false;
            i += length;
            continue;
        }
        if (!raw && IsOpenBracket(text[i]) && i + 2 < text.size() && IsTagLetter(text[i + 1]) &&
            (text[i + 2] == L' ' || IsCloseBracket(text[i + 2]))) {
            const size_t end = text.find_first_of(L">}", i + 2);
            if (end != std::wstring::npos) {
                flush();
                const size_t argument = text[i + 2] == L' ' ? i + 3 : end;
                tokens.push_back(TMarkToken{TMarkToken::Open, text[i + 1], text.substr(argument, end - argument)});
                raw = text[i + 1] == L'r';
                i = end + 1;
                continue;
            }
        }
        run += text[i];
        ++i;
    }
    flush();
    return tokens;
}

} // namespace SkinUI
