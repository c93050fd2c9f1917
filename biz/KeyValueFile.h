#pragma once
// A small "key: value" settings file such as "data32.cfg": one entry per
// line, "#" comments, a later key replacing an earlier one.
#include <cstddef>
#include <map>
#include <string>
#include <utility>

class KeyValueFile {
public:
    // Lines longer than this are skipped whole rather than split.
    static constexpr size_t kMaxLineLength = 511;
    // Larger files are treated as unreadable (every lookup gives its default).
    static constexpr size_t kMaxFileSize = 1024 * 1024;

    // Reads the whole file at once; a missing or unreadable file holds no entries.
    explicit KeyValueFile(const std::wstring& path);
    explicit KeyValueFile(std::map<std::wstring, std::wstring> entries) : m_entries(std::move(entries)) {}

    // The value of `key`, or `defaultText` when the key is missing or its value empty.
    std::wstring Lookup(const std::wstring& key, const std::wstring& defaultText) const;

    const std::map<std::wstring, std::wstring>& Entries() const { return m_entries; }

    // Parses 8-bit text (ANSI code page) into ordered entries.
    static std::map<std::wstring, std::wstring> Parse(const std::string& bytes);

private:
    std::map<std::wstring, std::wstring> m_entries;
};

// A leading optional sign and decimal digits; 0 when there are none.
// Values beyond the 32-bit range saturate.
int ParseDecimal(const std::wstring& text);
