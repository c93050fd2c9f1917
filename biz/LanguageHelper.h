#pragma once
// The user's language and the process-wide table of translated texts,
// loaded from "<folder><language>[.<prefix>].dat".
#include <map>
#include <string>

using LanguageTextTable = std::map<std::wstring, std::wstring>;

// Loads the table once; a failed load may be retried by a later call.
// An empty `folder` means "<module folder>skin\lan\".
void LanguageTextInit(const std::wstring& prefix, const std::wstring& folder);

// The language code ("zh-cn", "en", ...), decided on the first call.
std::wstring CurrentLanguage();

// The loaded text for `key`; empty when missing.
std::wstring GetLanguageText(const std::wstring& key);

bool IsLanguageTextLoaded();

// The steps behind the process-wide functions, usable on their own.
namespace LanguageText {

// config.ini "language", then the registry's "language", then the system's
// UI language ("en" for English, "zh-cn" for any other). A configured code
// counts only when it is made of letters and '-'. Logs its choice.
std::wstring DecideLanguage();

bool IsLanguageCode(const std::wstring& code);

// The code for a primary language identifier (the low 10 bits of a LANGID).
std::wstring CodeForPrimaryLanguage(unsigned primaryLanguage);

std::wstring FilePath(const std::wstring& folder, const std::wstring& language, const std::wstring& prefix);

// Parses a UTF-8 language document into `table` (keys already present keep
// their text). False when it does not parse or holds no element.
bool ParseText(const char* text, LanguageTextTable& table);

// Reads and parses a language file; false when it is missing, unreadable or malformed.
bool LoadFile(const std::wstring& path, LanguageTextTable& table);

} // namespace LanguageText
