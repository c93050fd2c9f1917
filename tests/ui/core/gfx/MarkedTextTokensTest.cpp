// Splitting inline-markup text into runs and tags.
#include "ui/core/gfx/MarkedTextTokens.h"

#include <gtest/gtest.h>

using namespace SkinUI;

namespace {

// A compact picture of the tokens: text as is, [x arg] for opening, [/x] for closing.
std::wstring Picture(const std::wstring& text)
{
    std::wstring out;
    for (const TMarkToken& token : TokenizeMarkedText(text)) {
        if (token.kind == TMarkToken::Text)
            out += L"(" + token.text + L")";
        else if (token.kind == TMarkToken::Open)
            out += std::wstring(L"[") + token.tag + (token.text.empty() ? L"" : L" " + token.text) + L"]";
        else
            out += std::wstring(L"[/") + token.tag + L"]";
    }
    return out;
}

} // namespace

TEST(MarkedTextTokens, PlainText)
{
    EXPECT_EQ(L"(hello world)", Picture(L"hello world"));
    EXPECT_EQ(L"", Picture(L""));
}

TEST(MarkedTextTokens, AngleAndBraceTags)
{
    EXPECT_EQ(L"(a)[b](bold)[/b](c)", Picture(L"a<b>bold</b>c"));
    EXPECT_EQ(L"[b](bold)[/b]", Picture(L"{b}bold{/b}"));
}

TEST(MarkedTextTokens, ArgumentsFollowTheSpace)
{
    EXPECT_EQ(L"[a http://x/?q=1](link)[/a]", Picture(L"<a http://x/?q=1>link</a>"));
    EXPECT_EQ(L"[c #FF0000](red)[/c]", Picture(L"<c #FF0000>red</c>"));
    EXPECT_EQ(L"[i file='a.png' dest='1,2,3,4']", Picture(L"<i file='a.png' dest='1,2,3,4'>"));
}

TEST(MarkedTextTokens, NotATag)
{
    EXPECT_EQ(L"(a < b and c > d)", Picture(L"a < b and c > d"));
    EXPECT_EQ(L"(<B>)", Picture(L"<B>"));      // upper case letters are text
    EXPECT_EQ(L"(<bx>)", Picture(L"<bx>"));    // the letter must be followed by ' ', '>' or '}'
    EXPECT_EQ(L"(<b unterminated)", Picture(L"<b unterminated"));
    EXPECT_EQ(L"(<)", Picture(L"<"));
    EXPECT_EQ(L"(x<b)", Picture(L"x<b"));
    EXPECT_EQ(L"(</b)", Picture(L"</b"));
}

TEST(MarkedTextTokens, RawTextKeepsTagsUntilItsClosingTag)
{
    EXPECT_EQ(L"[r](<b>not bold</b>)[/r][b](x)", Picture(L"<r><b>not bold</b></r><b>x"));
    EXPECT_EQ(L"[r]({n})", Picture(L"{r}{n}"));
}

TEST(MarkedTextTokens, TagEndsAtEitherBracket)
{
    EXPECT_EQ(L"[f 1](x)", Picture(L"<f 1}x"));
}
