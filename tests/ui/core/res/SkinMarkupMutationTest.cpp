// Seeded mutations of real-looking skin markup, as UTF-8 and UTF-16 bytes:
// every load ends (no hang), reads nothing outside its buffers and either
// yields a walkable tree or one of the parser's messages.
#include "tests/support/GuardedMemory.h"
#include "ui/core/res/SkinMarkup.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <random>
#include <set>
#include <string>

using namespace SkinUI;

namespace {

const wchar_t kCorpus[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    L"<!-- main window -->\n"
    L"<Window size=\"480,323\" caption=\"0,0,0,36\" roundcorner=\"4,4\">\n"
    L"  <Font id=\"0\" name=\"Microsoft YaHei\" size=\"12\"/>\n"
    L"  <Default name=\"Button\" value=\"textcolor=&quot;#FF000000&quot;\" />\n"
    L"  <VerticalLayout bkimage=\"file='bk.png' corner='4,4,4,4'\">\n"
    L"    <HorizontalLayout height=\"36\">\n"
    L"      <Label text=\"Eye care &amp; comfort &lt;3&gt;\" autocalcwidth=\"true\"/>\n"
    L"      <Button name=\"closebtn\" normalimage=\"image/close.png\"></Button>\n"
    L"    </HorizontalLayout>\n"
    L"    <Slider name=\"temp\" min=\"0\" max=\"92\" thumbsize=\"14,14\">text &apos;x&apos;</Slider>\n"
    L"    <Option group=\"g\" selected=\"true\" text=\"\x62A4\x773C\"/>\n"
    L"  </VerticalLayout>\n"
    L"</Window>\n";

const std::set<std::wstring> kMessages = {
    L"Expected start tag",        L"Error parsing element name",     L"Expected start-tag closing",
    L"Expected end-tag start",    L"Unmatched closing tag",          L"Error while parsing attributes",
    L"Expected attribute value", L"Error while parsing attribute string",
};

const wchar_t kSpecials[] = L"<>/=\"'&;!?- \t\n:_a\x7A97";

std::wstring Mutate(std::wstring text, std::mt19937& random)
{
    const int edits = 1 + int(random() % 6);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        const size_t at = random() % text.size();
        switch (random() % 6) {
        case 0:
            text[at] = kSpecials[random() % (sizeof(kSpecials) / sizeof(kSpecials[0]) - 1)];
            break;
        case 1:
            text.insert(text.begin() + long(at), kSpecials[random() % (sizeof(kSpecials) / sizeof(kSpecials[0]) - 1)]);
            break;
        case 2:
            text.erase(at, 1 + random() % 8);
            break;
        case 3:
            text.resize(at);
            break;
        case 4:
            text[at] = wchar_t(1 + random() % 0xFFFE);
            break;
        default: {
            const size_t from = random() % text.size();
            text.insert(at, text.substr(from, 1 + random() % 20));
            break;
        }
        }
    }
    return text;
}

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &bytes[0], length, nullptr, nullptr);
    return bytes;
}

std::string ToUtf16(const std::wstring& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char high = char((c >> 8) & 0xFF), low = char(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Visits every node, name, attribute and text of a loaded tree.
size_t Walk(const CSkinNode& first)
{
    size_t characters = 0;
    for (CSkinNode node = first; node.Exists(); node = node.NextSibling()) {
        characters += std::wcslen(node.Name()) + std::wcslen(node.Text());
        for (int i = 0; i < node.AttrCount(); ++i)
            characters += std::wcslen(node.AttrNameAt(i)) + std::wcslen(node.AttrValueAt(i));
        if (node.HasChild())
            characters += Walk(node.FirstChild());
    }
    return characters;
}

void Check(CSkinMarkup& markup, bool loaded, const std::string& what)
{
    if (loaded) {
        Walk(markup.Root());
        EXPECT_STREQ(L"", markup.ErrorMessage()) << what;
    } else {
        EXPECT_FALSE(markup.Root().Exists()) << what;
        EXPECT_LT(std::wcslen(markup.ErrorLocation()), 50u);
        // Random bytes can make a byte-order mark missing only in UTF-16 input, which is never mutated here.
        EXPECT_TRUE(kMessages.count(markup.ErrorMessage())) << what << ": " << markup.ErrorMessage();
    }
}

} // namespace

TEST(SkinMarkupMutation, CorpusItselfLoads)
{
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadText(kCorpus)) << markup.ErrorMessage();
    EXPECT_STREQ(L"Window", markup.Root().Name());
}

TEST(SkinMarkupMutation, MutatedUtf8TextNeverCrashesOrOverreads)
{
    std::mt19937 random(20261208);
    const size_t guardedBefore = GuardedMemory::GuardedArrayCount();
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = ToUtf8(Mutate(kCorpus, random));
        GuardedMemory::CBlock block(bytes);
        CSkinMarkup markup;
        bool ok;
        {
            GuardedMemory::CGuardArrays guard;
            ok = markup.LoadBytes(block.Data(), block.Size(), CSkinMarkup::kUtf8);
        }
        loaded += ok;
        Check(markup, ok, "utf-8 round " + std::to_string(round));
    }
    EXPECT_GT(GuardedMemory::GuardedArrayCount(), guardedBefore);
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 3000);
}

TEST(SkinMarkupMutation, MutatedUtf16TextNeverCrashesOrOverreads)
{
    std::mt19937 random(131);
    for (int round = 0; round < 3000; ++round) {
        const bool bigEndian = (round & 1) != 0;
        const std::string bytes = ToUtf16(Mutate(kCorpus, random), bigEndian);
        GuardedMemory::CBlock block(bytes);
        CSkinMarkup markup;
        bool ok;
        {
            GuardedMemory::CGuardArrays guard;
            ok = markup.LoadBytes(block.Data(), block.Size(), CSkinMarkup::kUtf16);
        }
        Check(markup, ok, "utf-16 round " + std::to_string(round));
    }
}

TEST(SkinMarkupMutation, RandomBytesNeverCrash)
{
    std::mt19937 random(7);
    for (int round = 0; round < 1000; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes)
            c = char(random() % 4 == 0 ? "<>/=\"&"[random() % 6] : random() % 256);
        GuardedMemory::CBlock block(bytes);
        CSkinMarkup markup;
        bool ok;
        {
            GuardedMemory::CGuardArrays guard;
            ok = markup.LoadBytes(block.Data(), block.Size(), int(random() % 3));
        }
        if (ok)
            Walk(markup.Root());
    }
}
