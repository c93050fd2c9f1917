// The in-place markup parser: the tree it builds, its attribute maps and its
// error messages for malformed text.
#include "ui/core/res/SkinMarkup.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;

namespace {

void ExpectFailure(const wchar_t* text, const wchar_t* message, const wchar_t* location = nullptr)
{
    CSkinMarkup markup;
    EXPECT_FALSE(markup.LoadText(text)) << text;
    EXPECT_STREQ(message, markup.ErrorMessage()) << text;
    if (location != nullptr) {
        EXPECT_STREQ(location, markup.ErrorLocation()) << text;
    }
    EXPECT_FALSE(markup.Root().Exists());
    EXPECT_EQ(0u, markup.ElementCount());
}

} // namespace

TEST(SkinMarkupTree, EmptyOrWhitespaceTextLoadsWithoutRoot)
{
    for (const wchar_t* text : {L"", L"   \r\n\t  "}) {
        CSkinMarkup markup;
        EXPECT_TRUE(markup.LoadText(text));
        EXPECT_FALSE(markup.Root().Exists());
        EXPECT_STREQ(L"", markup.ErrorMessage());
    }
}

TEST(SkinMarkupTree, BuildsElementsChildrenAndSiblings)
{
    CSkinMarkup markup(L"<Window size=\"480,323\">\n"
                       L"  <VerticalLayout>\n"
                       L"    <Button name=\"close\"/>\n"
                       L"    <Label text=\"Hi\"/>\n"
                       L"  </VerticalLayout>\n"
                       L"  <Slider />\n"
                       L"</Window>\n");
    CSkinNode root = markup.Root();
    ASSERT_TRUE(root.Exists());
    EXPECT_STREQ(L"Window", root.Name());
    EXPECT_TRUE(root.HasChild());
    EXPECT_FALSE(root.NextSibling().Exists());

    CSkinNode layout = root.FirstChild();
    EXPECT_STREQ(L"VerticalLayout", layout.Name());
    CSkinNode button = layout.FirstChild();
    EXPECT_STREQ(L"Button", button.Name());
    EXPECT_FALSE(button.HasChild());
    EXPECT_FALSE(button.FirstChild().Exists());
    CSkinNode label = button.NextSibling();
    EXPECT_STREQ(L"Label", label.Name());
    EXPECT_FALSE(label.NextSibling().Exists());
    EXPECT_STREQ(L"Slider", layout.NextSibling().Name());
    EXPECT_STREQ(L"Window", label.Parent().Parent().Name());

    // Index 0 is the reserved record; the root is element 1.
    EXPECT_EQ(6u, markup.ElementCount());
    EXPECT_EQ(1u, root.Index());
    EXPECT_EQ(0u, markup.ElementAt(1).parent);
}

TEST(SkinMarkupTree, RootWithoutEndTagLoads)
{
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadText(L"<Window a=\"1\"><Button/>"));
    EXPECT_STREQ(L"Window", markup.Root().Name());
    EXPECT_STREQ(L"Button", markup.Root().FirstChild().Name());
    ASSERT_TRUE(markup.LoadText(L"<Window>some text"));
    EXPECT_STREQ(L"Window", markup.Root().Name());
    EXPECT_STREQ(L"some text", markup.Root().Text());
}

TEST(SkinMarkupTree, NameFollowedDirectlyByEmptyTagCloseIsEmptyElement)
{
    for (const wchar_t* text : {L"<a><b/><c/></a>", L"<a><b /><c /></a>"}) {
        CSkinMarkup markup(text);
        CSkinNode b = markup.Root().FirstChild();
        EXPECT_STREQ(L"b", b.Name()) << text;
        EXPECT_FALSE(b.HasChild());
        EXPECT_FALSE(b.HasAttrs());
        EXPECT_STREQ(L"", b.Text());
        EXPECT_STREQ(L"c", b.NextSibling().Name()) << text;
    }
}

TEST(SkinMarkupTree, CommentsAndDeclarationsAreSkipped)
{
    CSkinMarkup markup(L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                       L"<!-- leading -->\r\n"
                       L"<Window><!-- between --><Button/><!-- x --><Label/></Window>");
    CSkinNode root = markup.Root();
    ASSERT_TRUE(root.Exists()) << markup.ErrorMessage();
    EXPECT_STREQ(L"Window", root.Name());
    EXPECT_STREQ(L"Button", root.FirstChild().Name());
    EXPECT_STREQ(L"Label", root.FirstChild().NextSibling().Name());
}

TEST(SkinMarkupTree, TableGrowsByHalfPlusFiveHundred)
{
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadText(L"<a/>"));
    EXPECT_EQ(500u, markup.ElementCapacity());

    std::wstring text = L"<r>";
    for (int i = 0; i < 1300; ++i)
        text += L"<e/>";
    text += L"</r>";
    ASSERT_TRUE(markup.LoadText(text.c_str()));
    EXPECT_EQ(1302u, markup.ElementCount());
    EXPECT_EQ(2375u, markup.ElementCapacity()); // 500, 1250, 2375
}

TEST(SkinMarkupTree, DeepNestingDoesNotExhaustTheStack)
{
    std::wstring text;
    for (int i = 0; i < 200000; ++i)
        text += L"<a>";
    for (int i = 0; i < 200000; ++i)
        text += L"</a>";
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadText(text.c_str())) << markup.ErrorMessage();
    EXPECT_EQ(200001u, markup.ElementCount());
}

TEST(SkinMarkupText, ElementTextIsKeptVerbatim)
{
    CSkinMarkup markup(L"<a>  two  words </a>");
    EXPECT_STREQ(L"  two  words ", markup.Root().Text());
}

TEST(SkinMarkupText, FiveEntitiesAreDecodedAndOthersLeftAsWritten)
{
    CSkinMarkup markup(L"<a v=\"&amp;&lt;&gt;&#65;\" q=\"&quot;&apos;\">x&amp;y &copy;</a>");
    CSkinNode root = markup.Root();
    ASSERT_TRUE(root.Exists()) << markup.ErrorMessage();
    wchar_t value[64];
    ASSERT_TRUE(root.CopyAttrValue(L"v", value, 64));
    EXPECT_STREQ(L"&<>&#65;", value);
    ASSERT_TRUE(root.CopyAttrValue(L"q", value, 64));
    EXPECT_STREQ(L"\"'", value);
    EXPECT_STREQ(L"x&y &copy;", root.Text());
}

TEST(SkinMarkupText, EntityAtTheEndOfTheTextStaysInsideTheBuffer)
{
    CSkinMarkup markup;
    EXPECT_TRUE(markup.LoadText(L"<a>x&amp;"));
    EXPECT_STREQ(L"x&", markup.Root().Text());
    EXPECT_FALSE(markup.LoadText(L"<a v=\"&amp;"));
    EXPECT_STREQ(L"Error while parsing attribute string", markup.ErrorMessage());
}

TEST(SkinMarkupAttrs, MapsNamesAndValuesInOrder)
{
    CSkinMarkup markup(L"<Button name=\"ok\" text = \"OK\"  pos=\"1,2,3,4\"/>");
    CSkinNode node = markup.Root();
    ASSERT_TRUE(node.HasAttrs());
    ASSERT_EQ(3, node.AttrCount());
    EXPECT_STREQ(L"name", node.AttrNameAt(0));
    EXPECT_STREQ(L"ok", node.AttrValueAt(0));
    EXPECT_STREQ(L"text", node.AttrNameAt(1));
    EXPECT_STREQ(L"OK", node.AttrValueAt(1));
    EXPECT_STREQ(L"pos", node.AttrNameAt(2));
    EXPECT_STREQ(L"1,2,3,4", node.AttrValueAt(2));
    EXPECT_STREQ(L"", node.AttrNameAt(3));
    EXPECT_STREQ(L"", node.AttrValueAt(-1));
}

TEST(SkinMarkupAttrs, ShortenedValuesAndFollowingAttributesStayIntact)
{
    CSkinMarkup markup(L"<a x=\"&lt;b&gt;\" y=\"2\">t</a>");
    CSkinNode node = markup.Root();
    ASSERT_EQ(2, node.AttrCount());
    EXPECT_STREQ(L"<b>", node.AttrValueAt(0));
    EXPECT_STREQ(L"y", node.AttrNameAt(1));
    EXPECT_STREQ(L"2", node.AttrValueAt(1));
    EXPECT_STREQ(L"t", node.Text());
}

TEST(SkinMarkupAttrs, OnlyTheFirst64AreVisible)
{
    std::wstring text = L"<a";
    for (int i = 0; i < 70; ++i)
        text += L" k" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
    text += L"/>";
    CSkinMarkup markup(text.c_str());
    CSkinNode node = markup.Root();
    ASSERT_EQ(64, node.AttrCount());
    EXPECT_STREQ(L"k63", node.AttrNameAt(63));
    EXPECT_STREQ(L"63", node.AttrValueAt(63));
    wchar_t value[8];
    EXPECT_TRUE(node.CopyAttrValue(L"k63", value, 8));
    EXPECT_FALSE(node.CopyAttrValue(L"k64", value, 8));
}

TEST(SkinMarkupAttrs, CopyAttrValueIsCaseSensitiveAndBounded)
{
    CSkinMarkup markup(L"<a name=\"abcdef\"/>");
    CSkinNode node = markup.Root();
    wchar_t value[4] = L"zz";
    EXPECT_FALSE(node.CopyAttrValue(L"Name", value, 4));
    EXPECT_STREQ(L"zz", value);
    EXPECT_TRUE(node.CopyAttrValue(L"name", value, 4));
    EXPECT_STREQ(L"abc", value);
}

TEST(SkinMarkupAttrs, InvalidNodeAnswersNone)
{
    CSkinNode node;
    EXPECT_FALSE(node.Exists());
    EXPECT_EQ(nullptr, node.Name());
    EXPECT_EQ(nullptr, node.AttrNameAt(0));
    EXPECT_EQ(nullptr, node.AttrValueAt(0));
    EXPECT_FALSE(node.HasAttrs());
    EXPECT_EQ(0, node.AttrCount());
    EXPECT_FALSE(node.HasChild());
    wchar_t value[4];
    EXPECT_FALSE(node.CopyAttrValue(L"a", value, 4));
    EXPECT_FALSE(node.FirstChild().Exists());
}

TEST(SkinMarkupErrors, EachMessageWithItsLocation)
{
    ExpectFailure(L"text", L"Expected start tag", L"text");
    ExpectFailure(L"<a", L"Error parsing element name", L"");
    ExpectFailure(L"<a x=\"1\"/ >", L"Expected start-tag closing", L"/ >");
    ExpectFailure(L"<a><b><c>x", L"Expected end-tag start", L"");
    ExpectFailure(L"<a></b>", L"Unmatched closing tag", L"b>");
    ExpectFailure(L"<a></a x>", L"Unmatched closing tag", L">");
    ExpectFailure(L"<a data-x=\"1\"/>", L"Error while parsing attributes", L"-x=\"1\"/>");
    ExpectFailure(L"<a x='1'/>", L"Expected attribute value", L"1'/>");
    ExpectFailure(L"<a x=\"1/>", L"Error while parsing attribute string", L"");
}

TEST(SkinMarkupErrors, LocationHoldsAtMost49Characters)
{
    std::wstring text = L"<a></" + std::wstring(80, L'z') + L">";
    CSkinMarkup markup;
    EXPECT_FALSE(markup.LoadText(text.c_str()));
    EXPECT_STREQ(L"Unmatched closing tag", markup.ErrorMessage());
    EXPECT_EQ(std::wstring(49, L'z'), markup.ErrorLocation());
}

TEST(SkinMarkupErrors, FailureReleasesThePreviousTree)
{
    CSkinMarkup markup(L"<a/>");
    ASSERT_TRUE(markup.Root().Exists());
    EXPECT_FALSE(markup.LoadText(L"<a></b>"));
    EXPECT_FALSE(markup.Root().Exists());
    EXPECT_TRUE(markup.LoadText(L"<c/>"));
    EXPECT_STREQ(L"", markup.ErrorMessage());
    EXPECT_STREQ(L"c", markup.Root().Name());
}

TEST(SkinMarkupErrors, DiscardFreesEverything)
{
    CSkinMarkup markup(L"<a><b/></a>");
    markup.Discard();
    EXPECT_EQ(0u, markup.ElementCount());
    EXPECT_FALSE(markup.Root().Exists());
}
