// Bad input for the language loader: seeded mutations of a language file.
#include "biz/LanguageHelper.h"
#include "tests/biz/Mutator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kDocument[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<strings>\n"
                         "  <string id=\"title\">Eyeward</string>\n"
                         "  <String name=\"close\">\xE5\x85\xB3\xE9\x97\xAD</String>\n"
                         "  <string id=\"empty\"></string>\n  <string>none</string>\n"
                         "  <string id=\"c\"><![CDATA[a<b]]></string><!-- note -->\n"
                         "  <string id=\"title\">Second</string>\n</strings>\n";

} // namespace

TEST(LanguageMutations, MutatedFilesParseOrLeaveTheTableEmpty)
{
    CMutator mutator(1208);
    int parsed = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string text = mutator.Mutate(kDocument);
        LanguageTextTable table;
        if (LanguageText::ParseText(text.c_str(), table))
            ++parsed;
        else
            ASSERT_TRUE(table.empty()) << "case " << i;
    }
    EXPECT_GT(parsed, 0);
}
