#pragma once
// Splits inline-markup text into plain runs and tags. A tag is a letter a..z
// right after '<' or '{' followed by a space, '>' or '}', and ends at the next
// '>' or '}'; "</x>" or "{/x}" closes it. Inside <r> nothing is a tag until
// the closing </r>.
#include <string>
#include <vector>

namespace SkinUI {

struct TMarkToken {
    enum EKind { Text, Open, Close };
    EKind kind = Text;
    wchar_t tag = 0;    // the tag letter of Open and Close
    std::wstring text;  // the run of Text; the argument of Open (after the space)
};

std::vector<TMarkToken> TokenizeMarkedText(const std::wstring& text);

} // namespace SkinUI
