#pragma once
// The skin markup parser: a non-validating parser of a subset of XML that
// indexes one wide text buffer in place. Names, values and element texts are
// NUL-terminated strings inside that buffer; nothing is copied per element.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace SkinUI {

class CSkinMarkup;

// A light value referring to one element of a markup. Its attribute map is
// filled on the first attribute query and lives inside the value.
class CSkinNode {
public:
    static constexpr int kMaxAttrs = 64;

    CSkinNode() = default;
    CSkinNode(const CSkinMarkup* owner, uint32_t index) : m_owner(owner), m_index(index) {}

    bool Exists() const { return m_owner != nullptr; }
    const wchar_t* Name() const; // nullptr for an invalid node
    CSkinNode FirstChild() const;
    CSkinNode NextSibling() const;
    CSkinNode Parent() const;
    bool HasChild() const;
    const wchar_t* Text() const; // the element's character data; nullptr for an invalid node

    bool HasAttrs() const;
    int AttrCount() const;
    // "" for an index out of range, nullptr for an invalid node.
    const wchar_t* AttrNameAt(int index) const;
    const wchar_t* AttrValueAt(int index) const;
    // Copies the value of the first attribute named exactly `name` (at most
    // `capacity` characters, always terminated when capacity > 0).
    bool CopyAttrValue(const wchar_t* name, wchar_t* buffer, size_t capacity) const;
    // The value of the first attribute named exactly `name`, or nullptr.
    const wchar_t* AttrValue(const wchar_t* name) const;

    uint32_t Index() const { return m_index; }

private:
    struct TAttr {
        uint32_t name;
        uint32_t value;
    };
    void MapAttrs() const;

    const CSkinMarkup* m_owner = nullptr;
    uint32_t m_index = 0;
    mutable int m_attrCount = 0;
    mutable bool m_attrsMapped = false;
    mutable TAttr m_attrs[kMaxAttrs];
};

class CSkinMarkup {
public:
    // Element encodings of LoadBytes.
    enum EEncoding : int { kUtf8 = 0, kUtf16 = 1, kAnsi = 2 };

    struct TElement {
        uint32_t nameStart;   // offset of the name in the text
        uint32_t firstChild;  // 0 for none
        uint32_t nextSibling; // 0 for none
        uint32_t parent;      // 0 for a top-level element
        uint32_t dataStart;   // offset of the element text; attributes lie between name and here
    };

    explicit CSkinMarkup(const wchar_t* text = nullptr);
    ~CSkinMarkup();
    CSkinMarkup(const CSkinMarkup&) = delete;
    CSkinMarkup& operator=(const CSkinMarkup&) = delete;

    bool LoadText(const wchar_t* text);
    // The caller's bytes are left unchanged (big-endian UTF-16 is swapped while copying).
    bool LoadBytes(const void* bytes, size_t size, int encoding = kUtf8);
    // Reads a skin file by relative name through the skin sources.
    bool LoadFile(const std::wstring& name, int encoding = kUtf8);
    void Discard();

    bool IsValid() const { return m_elementCount > 1; }
    CSkinNode Root() const;

    const wchar_t* ErrorMessage() const { return m_errorMessage; }
    const wchar_t* ErrorLocation() const { return m_errorLocation; }

    uint32_t ElementCount() const { return m_elementCount; }
    uint32_t ElementCapacity() const { return m_elementCapacity; }
    const TElement& ElementAt(uint32_t index) const { return m_elements.get()[index]; }
    const wchar_t* TextAt(uint32_t offset) const { return m_text.get() + offset; }

private:
    class CParser;
    friend class CParser;

    bool ParseOwnedText();
    void SetError(const wchar_t* message, const wchar_t* location);
    uint32_t AppendElement();

    struct TFreeDeleter {
        void operator()(void* block) const;
    };

    std::unique_ptr<wchar_t[]> m_text;
    std::unique_ptr<TElement, TFreeDeleter> m_elements;
    uint32_t m_elementCount = 0;
    uint32_t m_elementCapacity = 0;
    wchar_t m_errorMessage[100] = {};
    wchar_t m_errorLocation[50] = {};
    bool m_preserveWhitespace = true;
};

} // namespace SkinUI
