#include "ui/core/res/SkinMarkup.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace SkinUI {

namespace {

inline bool IsWhitespace(wchar_t c)
{
    return c != 0 && c <= L' ';
}

inline bool IsNameChar(wchar_t c)
{
    // ASCII is decided inline; the C library's test is a call per character.
    if (c < 0x80)
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
               c == L':';
    return std::iswalnum(c) != 0;
}

inline void SkipWhitespace(wchar_t*& p)
{
    while (IsWhitespace(*p))
        ++p;
}

inline void SkipName(wchar_t*& p)
{
    while (IsNameChar(*p))
        ++p;
}

void CopyBounded(wchar_t* target, size_t capacity, const wchar_t* source)
{
    size_t i = 0;
    if (source != nullptr)
        for (; i + 1 < capacity && source[i] != 0; ++i)
            target[i] = source[i];
    target[i] = 0;
}

struct TEntity {
    const wchar_t* tail; // the text after '&'
    size_t length;
    wchar_t value;
};

const TEntity kEntities[] = {
    {L"amp;", 4, L'&'}, {L"lt;", 3, L'<'}, {L"gt;", 3, L'>'}, {L"quot;", 5, L'"'}, {L"apos;", 5, L'\''},
};

// `p` stands just after an '&'. Anything that is not one of the five
// entities yields a literal '&' and leaves the text where it is.
void DecodeEntity(wchar_t*& p, wchar_t*& write)
{
    for (const TEntity& entity : kEntities) {
        // wcsncmp stops at the text's terminator, so a short tail cannot match.
        if (std::wcsncmp(p, entity.tail, entity.length) == 0) {
            *write++ = entity.value;
            p += entity.length;
            return;
        }
    }
    *write++ = L'&';
}

// Decodes character data in place up to `terminator` (or the end of the
// text) and returns the write position; the gap left by shortened entities
// is filled with spaces so the buffer stays a run of well-formed strings.
wchar_t* ParseCharacterData(wchar_t*& p, wchar_t terminator)
{
    wchar_t* write = p;
    while (*p != 0 && *p != terminator) {
        if (*p == L'&') {
            ++p;
            DecodeEntity(p, write);
            while (*p == L'&') {
                ++p;
                DecodeEntity(p, write);
            }
            // Stopping at the end too keeps the reader inside the buffer.
            if (*p == terminator || *p == 0)
                break;
        }
        *write++ = *p++;
    }
    for (wchar_t* gap = write + 1; gap < p; ++gap)
        *gap = L' ';
    return write;
}

} // namespace

// The parse runs on an explicit stack of open element lists, so a deeply
// nested document cannot exhaust the thread's stack.
class CSkinMarkup::CParser {
public:
    explicit CParser(CSkinMarkup& markup) : m_markup(markup), m_text(markup.m_text.get()) {}

    bool Run()
    {
        wchar_t* p = m_text;
        m_lists.push_back(TList{});
        SkipWhitespace(p);
        for (;;) {
            TList& list = m_lists.back();
            // Step 1: the text may end at top level or inside the root element.
            SkipWhitespace(p);
            if (*p == 0 && list.parent <= 1) {
                if (!EndList(p))
                    return false;
                if (m_lists.empty())
                    return true;
                continue;
            }
            if (*p != L'<')
                return Fail(L"Expected start tag", p);
            if (p[1] == L'/') {
                // The parent's end tag: the parent's list handles it.
                if (!EndList(p))
                    return false;
                if (m_lists.empty())
                    return true;
                continue;
            }
            *p++ = 0;
            SkipWhitespace(p);
            if (*p == L'!' || *p == L'?') {
                SkipDeclaration(p);
                continue;
            }
            SkipWhitespace(p);
            const uint32_t element = m_markup.AppendElement();
            if (element == 0)
                return Fail(L"Out of memory", p);
            TElement* elements = m_markup.m_elements.get();
            elements[element].nameStart = Offset(p);
            elements[element].parent = list.parent;
            if (list.previous != 0)
                elements[list.previous].nextSibling = element;
            else if (list.parent != 0)
                elements[list.parent].firstChild = element;

            SkipName(p);
            if (*p == 0)
                return Fail(L"Error parsing element name", p);
            wchar_t* nameEnd = p;
            if (!ParseAttributes(p))
                return false;
            SkipWhitespace(p);
            if (p[0] == L'/' && p[1] == L'>') {
                m_markup.m_elements.get()[element].dataStart = Offset(p);
                *p = 0;
                p += 2;
                FinishElement(list, element, nameEnd, p);
                continue;
            }
            if (*p != L'>')
                return Fail(L"Expected start-tag closing", p);
            ++p;
            m_markup.m_elements.get()[element].dataStart = Offset(p);
            wchar_t* dataWrite = ParseCharacterData(p, L'<');
            if (*p == 0 && list.parent <= 1) {
                // An element left open at the end: its name and text still
                // need their terminators.
                *dataWrite = 0;
                *nameEnd = 0;
                if (!EndList(p))
                    return false;
                if (m_lists.empty())
                    return true;
                continue;
            }
            if (*p != L'<')
                return Fail(L"Expected end-tag start", p);
            if (p[1] != L'/') {
                list.open = element;
                list.openNameEnd = nameEnd;
                list.openDataWrite = dataWrite;
                TList children;
                children.parent = element;
                m_lists.push_back(children);
                continue;
            }
            if (!CloseElement(element, nameEnd, dataWrite, p))
                return false;
            FinishElement(list, element, nameEnd, p);
        }
    }

private:
    struct TList {
        uint32_t parent = 0;
        uint32_t previous = 0;
        // The element whose children are being parsed by the list above this one.
        uint32_t open = 0;
        wchar_t* openNameEnd = nullptr;
        wchar_t* openDataWrite = nullptr;
    };

    uint32_t Offset(const wchar_t* p) const { return static_cast<uint32_t>(p - m_text); }

    bool Fail(const wchar_t* message, const wchar_t* location)
    {
        m_markup.SetError(message, location);
        return false;
    }

    // The current list succeeded: resume the element that owns it, which now
    // expects its end tag (or tolerates the end of the text).
    bool EndList(wchar_t*& p)
    {
        m_lists.pop_back();
        if (m_lists.empty())
            return true;
        TList& list = m_lists.back();
        const uint32_t element = list.open;
        if (p[0] == L'<' && p[1] == L'/') {
            if (!CloseElement(element, list.openNameEnd, list.openDataWrite, p))
                return false;
        }
        FinishElement(list, element, list.openNameEnd, p);
        return true;
    }

    bool CloseElement(uint32_t element, wchar_t* nameEnd, wchar_t* dataWrite, wchar_t*& p)
    {
        *dataWrite = 0;
        *p = 0;
        p += 2;
        SkipWhitespace(p);
        const wchar_t* name = m_text + m_markup.m_elements.get()[element].nameStart;
        const size_t length = static_cast<size_t>(nameEnd - name);
        if (std::wcsncmp(p, name, length) != 0)
            return Fail(L"Unmatched closing tag", p);
        p += length;
        SkipWhitespace(p);
        if (*p != L'>')
            return Fail(L"Unmatched closing tag", *p != 0 ? p + 1 : p);
        ++p;
        return true;
    }

    static void FinishElement(TList& list, uint32_t element, wchar_t* nameEnd, wchar_t*& p)
    {
        *nameEnd = 0;
        SkipWhitespace(p);
        list.previous = element;
    }

    // `p` stands on the '!' or '?' after '<': a comment ends at the first
    // "->", a declaration at the first "?>".
    static void SkipDeclaration(wchar_t*& p)
    {
        const wchar_t first = *p == L'!' ? L'-' : L'?';
        ++p;
        while (*p != 0 && !(p[0] == first && p[1] == L'>'))
            ++p;
        if (*p != 0)
            p += 2;
    }

    bool ParseAttributes(wchar_t*& p)
    {
        if (*p == L'>' || *p == L'/')
            return true;
        *p++ = 0;
        for (;;) {
            SkipWhitespace(p);
            if (*p == 0 || *p == L'>' || *p == L'/')
                return true;
            SkipName(p);
            wchar_t* nameEnd = p;
            SkipWhitespace(p);
            if (*p != L'=')
                return Fail(L"Error while parsing attributes", p);
            *p++ = L' ';
            *nameEnd = 0;
            SkipWhitespace(p);
            if (*p != L'"')
                return Fail(L"Expected attribute value", *p != 0 ? p + 1 : p);
            ++p;
            wchar_t* valueEnd = ParseCharacterData(p, L'"');
            if (*p == 0)
                return Fail(L"Error while parsing attribute string", p);
            *valueEnd = 0;
            if (valueEnd != p)
                *p = L' ';
            ++p;
        }
    }

    CSkinMarkup& m_markup;
    wchar_t* m_text;
    std::vector<TList> m_lists;
};

void CSkinMarkup::TFreeDeleter::operator()(void* block) const
{
    std::free(block);
}

CSkinMarkup::CSkinMarkup(const wchar_t* text)
{
    if (text != nullptr)
        LoadText(text);
}

CSkinMarkup::~CSkinMarkup() = default;

void CSkinMarkup::Discard()
{
    m_text.reset();
    m_elements.reset();
    m_elementCount = 0;
    m_elementCapacity = 0;
}

void CSkinMarkup::SetError(const wchar_t* message, const wchar_t* location)
{
    CopyBounded(m_errorMessage, sizeof(m_errorMessage) / sizeof(m_errorMessage[0]), message);
    CopyBounded(m_errorLocation, sizeof(m_errorLocation) / sizeof(m_errorLocation[0]), location);
}

uint32_t CSkinMarkup::AppendElement()
{
    if (m_elementCount == 0)
        m_elementCapacity = 0;
    if (m_elementCount >= m_elementCapacity) {
        const uint64_t capacity = uint64_t(m_elementCapacity) + m_elementCapacity / 2 + 500;
        if (capacity > UINT32_MAX / sizeof(TElement))
            return 0;
        void* grown = std::realloc(m_elements.get(), size_t(capacity) * sizeof(TElement));
        if (grown == nullptr)
            return 0;
        m_elements.release();
        m_elements.reset(static_cast<TElement*>(grown));
        m_elementCapacity = static_cast<uint32_t>(capacity);
    }
    const uint32_t index = m_elementCount++;
    m_elements.get()[index] = TElement{0, 0, 0, 0, 0};
    return index;
}

bool CSkinMarkup::ParseOwnedText()
{
    m_elementCount = 0;
    m_errorMessage[0] = 0;
    m_errorLocation[0] = 0;
    // Index 0 is the reserved record that also means "none".
    if (AppendElement() != 0) {
        SetError(L"Out of memory", nullptr);
        Discard();
        return false;
    }
    CParser parser(*this);
    if (!parser.Run()) {
        Discard();
        return false;
    }
    return true;
}

bool CSkinMarkup::LoadText(const wchar_t* text)
{
    Discard();
    if (text == nullptr) {
        SetError(nullptr, nullptr);
        return false;
    }
    const size_t length = std::wcslen(text);
    if (length >= UINT32_MAX) {
        SetError(L"File too large", nullptr);
        return false;
    }
    m_text.reset(new wchar_t[length + 1]);
    std::memcpy(m_text.get(), text, (length + 1) * sizeof(wchar_t));
    return ParseOwnedText();
}

bool CSkinMarkup::LoadBytes(const void* bytes, size_t size, int encoding)
{
    Discard();
    const uint8_t* data = static_cast<const uint8_t*>(bytes);
    if (data == nullptr)
        size = 0;
    if (size > size_t(INT_MAX)) {
        SetError(L"File too large", nullptr);
        return false;
    }

    if (encoding == kUtf16) {
        // A block without a byte-order mark has no text to parse.
        if (size < 2 || !((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
            SetError(L"Expected byte-order mark", nullptr);
            return false;
        }
        const bool bigEndian = data[0] == 0xFE;
        const size_t length = size / 2 - 1;
        m_text.reset(new wchar_t[length + 1]);
        const uint8_t* source = data + 2;
        for (size_t i = 0; i < length; ++i, source += 2)
            m_text[i] = bigEndian ? wchar_t((source[0] << 8) | source[1]) : wchar_t(source[0] | (source[1] << 8));
        m_text[length] = 0;
        return ParseOwnedText();
    }

    UINT codePage = CP_UTF8;
    if (encoding == kUtf8) {
        if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
            data += 3;
            size -= 3;
        }
    } else if (encoding == kAnsi) {
        codePage = CP_ACP;
    } else {
        SetError(L"Unknown encoding", nullptr);
        return false;
    }

    const int byteCount = static_cast<int>(size);
    int length = 0;
    if (byteCount > 0) {
        length = ::MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(data), byteCount, nullptr, 0);
        if (length <= 0) {
            SetError(L"Could not convert text", nullptr);
            return false;
        }
    }
    m_text.reset(new wchar_t[size_t(length) + 1]);
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(data), byteCount, m_text.get(), length);
    m_text[length] = 0;
    return ParseOwnedText();
}

CSkinNode CSkinMarkup::Root() const
{
    if (m_elementCount > 1)
        return CSkinNode(this, 1);
    return CSkinNode();
}

// ---------------------------------------------------------------------------

namespace {

inline bool NodeValid(const CSkinMarkup* owner, uint32_t index)
{
    return owner != nullptr && index < owner->ElementCount();
}

} // namespace

const wchar_t* CSkinNode::Name() const
{
    if (!NodeValid(m_owner, m_index))
        return nullptr;
    return m_owner->TextAt(m_owner->ElementAt(m_index).nameStart);
}

const wchar_t* CSkinNode::Text() const
{
    if (!NodeValid(m_owner, m_index))
        return nullptr;
    return m_owner->TextAt(m_owner->ElementAt(m_index).dataStart);
}

CSkinNode CSkinNode::FirstChild() const
{
    if (!NodeValid(m_owner, m_index) || m_owner->ElementAt(m_index).firstChild == 0)
        return CSkinNode();
    return CSkinNode(m_owner, m_owner->ElementAt(m_index).firstChild);
}

CSkinNode CSkinNode::NextSibling() const
{
    if (!NodeValid(m_owner, m_index) || m_owner->ElementAt(m_index).nextSibling == 0)
        return CSkinNode();
    return CSkinNode(m_owner, m_owner->ElementAt(m_index).nextSibling);
}

CSkinNode CSkinNode::Parent() const
{
    if (!NodeValid(m_owner, m_index) || m_owner->ElementAt(m_index).parent == 0)
        return CSkinNode();
    return CSkinNode(m_owner, m_owner->ElementAt(m_index).parent);
}

bool CSkinNode::HasChild() const
{
    return NodeValid(m_owner, m_index) && m_owner->ElementAt(m_index).firstChild != 0;
}

// Walks the attribute area, which the parser left as: name NUL [spaces] '"'
// value NUL [spaces] ... up to dataStart. Every step stays before dataStart.
void CSkinNode::MapAttrs() const
{
    if (m_attrsMapped)
        return;
    m_attrsMapped = true;
    m_attrCount = 0;
    if (!NodeValid(m_owner, m_index))
        return;
    const CSkinMarkup::TElement& element = m_owner->ElementAt(m_index);
    const wchar_t* text = m_owner->TextAt(0);
    const uint32_t end = element.dataStart;
    uint32_t pos = element.nameStart;
    while (pos < end && text[pos] != 0)
        ++pos;
    ++pos;
    while (pos < end && m_attrCount < kMaxAttrs) {
        while (pos < end && IsWhitespace(text[pos]))
            ++pos;
        if (pos >= end)
            break;
        const uint32_t name = pos;
        while (pos < end && text[pos] != 0)
            ++pos;
        if (pos >= end)
            break;
        ++pos;
        while (pos < end && IsWhitespace(text[pos]))
            ++pos;
        if (pos >= end || text[pos] != L'"')
            break;
        const uint32_t value = ++pos;
        while (pos < end && text[pos] != 0)
            ++pos;
        if (pos >= end)
            break;
        m_attrs[m_attrCount++] = TAttr{name, value};
        ++pos;
    }
}

bool CSkinNode::HasAttrs() const
{
    MapAttrs();
    return m_attrCount > 0;
}

int CSkinNode::AttrCount() const
{
    MapAttrs();
    return m_attrCount;
}

const wchar_t* CSkinNode::AttrNameAt(int index) const
{
    if (!NodeValid(m_owner, m_index))
        return nullptr;
    MapAttrs();
    if (index < 0 || index >= m_attrCount)
        return L"";
    return m_owner->TextAt(m_attrs[index].name);
}

const wchar_t* CSkinNode::AttrValueAt(int index) const
{
    if (!NodeValid(m_owner, m_index))
        return nullptr;
    MapAttrs();
    if (index < 0 || index >= m_attrCount)
        return L"";
    return m_owner->TextAt(m_attrs[index].value);
}

const wchar_t* CSkinNode::AttrValue(const wchar_t* name) const
{
    if (!NodeValid(m_owner, m_index) || name == nullptr)
        return nullptr;
    MapAttrs();
    for (int i = 0; i < m_attrCount; ++i)
        if (std::wcscmp(m_owner->TextAt(m_attrs[i].name), name) == 0)
            return m_owner->TextAt(m_attrs[i].value);
    return nullptr;
}

bool CSkinNode::CopyAttrValue(const wchar_t* name, wchar_t* buffer, size_t capacity) const
{
    const wchar_t* value = AttrValue(name);
    if (value == nullptr)
        return false;
    if (buffer != nullptr && capacity > 0)
        CopyBounded(buffer, capacity, value);
    return true;
}

} // namespace SkinUI
