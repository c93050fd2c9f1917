#pragma once
// Parsing untrusted XML text with TinyXML without risking the stack: the
// parser and the tree's destructor recurse once per nesting level, so a text
// with many element tags is parsed, visited and destroyed on a thread with a
// large stack, and texts with more tags than that stack covers are refused.
#include <tinyxml.h>

#include <cstddef>
#include <functional>

namespace SafeXml {

// More start tags than this and a text is refused; deeper nesting needs more tags.
inline constexpr size_t kMaxElementTags = 20000;
// Up to this many start tags the caller's own stack is ample; starting a
// thread costs far more than parsing such a small text.
inline constexpr size_t kDirectParseTags = 128;

// Parses zero-terminated UTF-8 `text` and, when it parses without error,
// calls `visit` with the document (which lives only during the call).
// False when the text is refused or does not parse. Exceptions thrown by
// `visit` reach the caller.
bool VisitDocument(const char* text, const std::function<void(const TiXmlDocument&)>& visit);

// Runs `body` on a fresh thread with a stack sized for kMaxElementTags levels
// and waits for it; its exception, if any, is rethrown here. False only when
// no thread could be started.
bool CallOnLargeStack(const std::function<void()>& body);

// The number of '<' that could open an element, a bound on the nesting depth.
size_t CountElementTags(const char* text);

} // namespace SafeXml
