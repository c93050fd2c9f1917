#include "LanguageHelper.h"

#include "base/FileBytes.h"
#include "Logger.h"
#include "SafeXml.h"
#include "libutils.h"

#include <windows.h>

#include <tinyxml.h>

#include <mutex>
#include <vector>

namespace {

constexpr const wchar_t* kSource = L"LanguageHelper";
constexpr unsigned kEnglish = 9;                  // LANG_ENGLISH
constexpr LONGLONG kMaxFileBytes = 16 * 1024 * 1024; // a language file is a few kilobytes

LanguageTextTable& Table()
{
    static LanguageTextTable table;
    return table;
}

bool g_loaded = false;

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring result(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

bool IsStringElement(const std::string& name)
{
    return name.size() == 6 && ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), 6, "string", 6) ==
                                   CSTR_EQUAL;
}

} // namespace

namespace LanguageText {

std::wstring CodeForPrimaryLanguage(unsigned primaryLanguage)
{
    return primaryLanguage == kEnglish ? L"en" : L"zh-cn";
}

bool IsLanguageCode(const std::wstring& code)
{
    if (code.empty())
        return false;
    for (wchar_t c : code)
        if (!((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'-'))
            return false;
    return true;
}

std::wstring DecideLanguage()
{
    // The code becomes part of a file path and of a log line: anything but
    // letters and '-' is not a language and is passed over.
    std::wstring code = ReadConfigIni(L"language", L"");
    if (IsLanguageCode(code)) {
        LOG_INFO(kSource, L"local config lan:%s", code.c_str());
        return code;
    }
    if (RegReadString(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKey, L"language", code) && IsLanguageCode(code)) {
        LOG_INFO(kSource, L"reg config lan:%s", code.c_str());
        return code;
    }
    unsigned primary = ::GetUserDefaultUILanguage() & 0x3FF;
    code = CodeForPrimaryLanguage(primary);
    LOG_INFO(kSource, L"current wlangpid:%d lan:%s", static_cast<int>(primary), code.c_str());
    return code;
}

std::wstring FilePath(const std::wstring& folder, const std::wstring& language, const std::wstring& prefix)
{
    std::wstring path = folder + language;
    if (!prefix.empty())
        path += L"." + prefix;
    return path + L".dat";
}

bool ParseText(const char* text, LanguageTextTable& table)
{
    bool hasElement = false;
    SafeXml::VisitDocument(text, [&](const TiXmlDocument& document) {
        const TiXmlElement* top = document.FirstChildElement();
        if (!top)
            return;
        hasElement = true;
        for (const TiXmlElement* entry = top->FirstChildElement(); entry; entry = entry->NextSiblingElement()) {
            // The key is the first attribute's value, whatever it is called.
            const TiXmlAttribute* key = entry->FirstAttribute();
            if (!key || !IsStringElement(entry->ValueStr()))
                continue;
            const TiXmlNode* body = entry->FirstChild();
            const TiXmlText* text = body ? body->ToText() : nullptr;
            table.emplace(FromUtf8(key->ValueStr()), text ? FromUtf8(text->ValueStr()) : std::wstring());
        }
    });
    return hasElement;
}

bool LoadFile(const std::wstring& path, LanguageTextTable& table)
{
    std::vector<char> text;
    if (!ReadFileBytes(path, FILE_SHARE_READ, kMaxFileBytes, text))
        return false;
    text.push_back('\0');
    return ParseText(text.data(), table);
}

} // namespace LanguageText

std::wstring CurrentLanguage()
{
    static std::mutex lock;
    static std::wstring code;
    std::lock_guard<std::mutex> guard(lock);
    if (code.empty())
        code = LanguageText::DecideLanguage();
    return code;
}

void LanguageTextInit(const std::wstring& prefix, const std::wstring& folder)
{
    if (g_loaded)
        return;
    LOG_INFO(kSource, L"start init language text");
    LanguageTextTable& table = Table();
    table.clear();
    std::wstring lanFolder = folder.empty() ? GetModuleFolder() + L"skin\\lan\\" : folder;
    std::wstring path = LanguageText::FilePath(lanFolder, CurrentLanguage(), prefix);
    if (!IsExistingFile(path)) {
        LOG_ERROR(kSource, L"语言文件加载失败！ :%s", path.c_str());
        return;
    }
    if (!LanguageText::LoadFile(path, table)) {
        table.clear();
        return;
    }
    LOG_INFO(kSource, L"end init language text");
    g_loaded = true;
}

std::wstring GetLanguageText(const std::wstring& key)
{
    const LanguageTextTable& table = Table();
    auto text = table.find(key);
    return text == table.end() ? std::wstring() : text->second;
}

bool IsLanguageTextLoaded()
{
    return g_loaded;
}
