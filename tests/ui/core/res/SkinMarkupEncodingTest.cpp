// LoadBytes: the caller's encoding number decides how the bytes become text.
#include "ui/core/res/SkinMarkup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;

namespace {

// "<窗口 名=\"值\">文本</窗口>" in UTF-8.
const std::string kUtf8Markup = "<\xE7\xAA\x97\xE5\x8F\xA3 \xE5\x90\x8D=\"\xE5\x80\xBC\">\xE6\x96\x87\xE6\x9C\xAC</\xE7\xAA\x97\xE5\x8F\xA3>";
const std::wstring kWideMarkup = L"<\x7A97\x53E3 \x540D=\"\x503C\">\x6587\x672C</\x7A97\x53E3>";

std::string Utf16(const std::wstring& text, bool bigEndian, bool withMark = true)
{
    std::string bytes;
    if (withMark)
        bytes += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char high = char((c >> 8) & 0xFF), low = char(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

void ExpectWideMarkup(const CSkinMarkup& markup)
{
    CSkinNode root = markup.Root();
    ASSERT_TRUE(root.Exists()) << markup.ErrorMessage();
    EXPECT_EQ(std::wstring(L"\x7A97\x53E3"), root.Name());
    EXPECT_EQ(std::wstring(L"\x540D"), root.AttrNameAt(0));
    EXPECT_EQ(std::wstring(L"\x503C"), root.AttrValueAt(0));
    EXPECT_EQ(std::wstring(L"\x6587\x672C"), root.Text());
}

} // namespace

TEST(SkinMarkupEncoding, Utf8WithAndWithoutByteOrderMark)
{
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadBytes(kUtf8Markup.data(), kUtf8Markup.size(), CSkinMarkup::kUtf8));
    ExpectWideMarkup(markup);
    const std::string withMark = "\xEF\xBB\xBF" + kUtf8Markup;
    ASSERT_TRUE(markup.LoadBytes(withMark.data(), withMark.size(), CSkinMarkup::kUtf8));
    ExpectWideMarkup(markup);
}

TEST(SkinMarkupEncoding, Utf8MarkBeforeDeclarationIsSkipped)
{
    const std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"gbk\"?>\n<Window/>";
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadBytes(text.data(), text.size(), CSkinMarkup::kUtf8)) << markup.ErrorMessage();
    EXPECT_STREQ(L"Window", markup.Root().Name());
}

TEST(SkinMarkupEncoding, Utf8MarkAloneOrNothingLoadsEmpty)
{
    CSkinMarkup markup;
    EXPECT_TRUE(markup.LoadBytes("\xEF\xBB\xBF", 3, CSkinMarkup::kUtf8));
    EXPECT_FALSE(markup.Root().Exists());
    EXPECT_TRUE(markup.LoadBytes("", 0, CSkinMarkup::kUtf8));
    EXPECT_FALSE(markup.Root().Exists());
    EXPECT_TRUE(markup.LoadBytes(nullptr, 10, CSkinMarkup::kUtf8));
    EXPECT_FALSE(markup.Root().Exists());
}

TEST(SkinMarkupEncoding, Utf16LittleAndBigEndian)
{
    for (bool bigEndian : {false, true}) {
        const std::string bytes = Utf16(kWideMarkup, bigEndian);
        const std::string original = bytes;
        CSkinMarkup markup;
        ASSERT_TRUE(markup.LoadBytes(bytes.data(), bytes.size(), CSkinMarkup::kUtf16)) << bigEndian;
        ExpectWideMarkup(markup);
        // The caller's block may be read-only (a module resource): it is left alone.
        EXPECT_EQ(original, bytes);
    }
}

TEST(SkinMarkupEncoding, Utf16OddTrailingByteIsIgnored)
{
    const std::string bytes = Utf16(L"<a/>", false) + "\x20";
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadBytes(bytes.data(), bytes.size(), CSkinMarkup::kUtf16));
    EXPECT_STREQ(L"a", markup.Root().Name());
}

TEST(SkinMarkupEncoding, Utf16WithoutMarkOrTooShortFails)
{
    CSkinMarkup markup(L"<old/>");
    const std::string noMark = Utf16(L"<a/>", false, false);
    EXPECT_FALSE(markup.LoadBytes(noMark.data(), noMark.size(), CSkinMarkup::kUtf16));
    EXPECT_FALSE(markup.Root().Exists());
    EXPECT_FALSE(markup.LoadBytes("\xFF", 1, CSkinMarkup::kUtf16));
    EXPECT_TRUE(markup.LoadBytes("\xFF\xFE", 2, CSkinMarkup::kUtf16));
    EXPECT_FALSE(markup.Root().Exists());
}

TEST(SkinMarkupEncoding, AnsiUsesTheSystemCodePage)
{
    const std::string text = "<a t=\"caf\xE9\"/>";
    wchar_t expected[16] = {};
    ::MultiByteToWideChar(CP_ACP, 0, "caf\xE9", 4, expected, 15);
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadBytes(text.data(), text.size(), CSkinMarkup::kAnsi));
    EXPECT_STREQ(expected, markup.Root().AttrValueAt(0));
}

TEST(SkinMarkupEncoding, UnknownEncodingFails)
{
    CSkinMarkup markup;
    EXPECT_FALSE(markup.LoadBytes("<a/>", 4, 7));
    EXPECT_FALSE(markup.Root().Exists());
}
