#include "SafeXml.h"

#include "base/ScopedHandle.h"

#include <windows.h>

#include <exception>

namespace SafeXml {

namespace {

// TinyXML needs well under 1 KB of stack per nesting level; this leaves
// ample room for kMaxElementTags levels plus the caller's visit.
constexpr SIZE_T kLargeStackBytes = 64 * 1024 * 1024;

struct TLargeStackCall {
    const std::function<void()>* body;
    std::exception_ptr failure;
};

DWORD WINAPI RunLargeStackCall(LPVOID parameter)
{
    auto* call = static_cast<TLargeStackCall*>(parameter);
    try {
        (*call->body)();
    } catch (...) {
        call->failure = std::current_exception();
    }
    return 0;
}

// TinyXML treats '<' followed by a letter, '_' or any byte of a multi-byte
// UTF-8 sequence as the start of an element.
bool OpensElement(unsigned char next)
{
    return (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || next == '_' || next >= 0x7F;
}

} // namespace

bool CallOnLargeStack(const std::function<void()>& body)
{
    TLargeStackCall call{&body, nullptr};
    CKernelHandle thread(::CreateThread(nullptr, kLargeStackBytes, RunLargeStackCall, &call,
                                        STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread)
        return false;
    ::WaitForSingleObject(thread.Get(), INFINITE);
    if (call.failure)
        std::rethrow_exception(call.failure);
    return true;
}

size_t CountElementTags(const char* text)
{
    size_t count = 0;
    for (const char* p = text; *p; ++p) {
        if (*p == '<' && OpensElement(static_cast<unsigned char>(p[1])))
            ++count;
    }
    return count;
}

bool VisitDocument(const char* text, const std::function<void(const TiXmlDocument&)>& visit)
{
    if (!text || !*text)
        return false;
    const size_t tags = CountElementTags(text);
    if (tags > kMaxElementTags)
        return false;
    bool parsed = false;
    auto parse = [&] {
        TiXmlDocument document;
        document.Parse(text, nullptr, TIXML_ENCODING_UTF8);
        if (document.Error())
            return;
        parsed = true;
        visit(document);
    };
    if (tags <= kDirectParseTags) {
        parse();
        return parsed;
    }
    return CallOnLargeStack(parse) && parsed;
}

} // namespace SafeXml
