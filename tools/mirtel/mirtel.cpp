// A stand-in for the suite's usage-statistics library. It accepts the calls
// of the real one and keeps every call as one JSON line in "events.jsonl" in
// the data folder the init record names, so tests (and a curious user) can
// see exactly what the tool reports. Events that arrive before a successful
// initialisation go to "events.jsonl" beside the library.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "base/ScopedHandle.h"
#include "biz/UsageStatsRecord.h"

namespace {

CCriticalSection g_lock;
std::wstring g_journalFolder; // empty until initialize2 succeeded

// More attributes than this are counted but not listed.
constexpr int kMaxListedAttributes = 64;
// Longest text taken from a borrowed string, so an unterminated one cannot run away.
constexpr size_t kMaxTextLength = 4096;

std::string ToUtf8(const wchar_t* text, size_t length)
{
    if (length == 0)
        return std::string();
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string utf8(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &utf8[0], size, nullptr, nullptr);
    return utf8;
}

std::string JsonString(const wchar_t* text, size_t maxLength)
{
    if (!text)
        return "null";
    std::string utf8 = ToUtf8(text, wcsnlen(text, maxLength));
    std::string json = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                json += escaped;
            } else {
                json += static_cast<char>(c);
            }
        }
    }
    return json + "\"";
}

std::string JsonField(const wchar_t* name, const std::string& value)
{
    return JsonString(name, kMaxTextLength) + ":" + value;
}

std::string JsonNumber(long long value)
{
    return std::to_string(value);
}

std::wstring LibraryFolder()
{
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&LibraryFolder), &self);
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.rfind(L'\\');
    folder.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return folder;
}

[[maybe_unused]] bool EnsureFolder(const std::wstring& folder)
{
    for (size_t i = 1; i < folder.size(); ++i)
        if ((folder[i] == L'\\' || folder[i] == L'/') && folder[i - 1] != L':')
            ::CreateDirectoryW(folder.substr(0, i).c_str(), nullptr);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithSlash(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

// Appends one line; the file is opened per line so readers always see whole lines.
bool AppendLine(const std::string& line)
{
    std::wstring folder = g_journalFolder.empty() ? LibraryFolder() : g_journalFolder;
    std::wstring path = WithSlash(folder) + L"events.jsonl";
    CFileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::string text = line + "\n";
    DWORD written = 0;
    return ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

template <size_t N>
std::string RecordText(const wchar_t (&field)[N])
{
    return JsonString(field, N);
}

template <size_t N>
bool IsZero(const uint8_t (&bytes)[N])
{
    for (uint8_t b : bytes)
        if (b)
            return false;
    return true;
}

} // namespace

extern "C" {

__declspec(dllexport) int WINAPI initialize()
{
    return 0;
}

#ifndef MIRTEL_WITHOUT_INITIALIZE2
// 0 on success. The journal goes into the record's data folder, which must be usable.
__declspec(dllexport) int WINAPI initialize2(int reserved, const UsageStatsInitRecord* record)
{
    CLockGuard lock(g_lock);
    if (!record)
        return 1;
    std::wstring folder(record->dataFolder, wcsnlen(record->dataFolder, 256));
    if (folder.empty() || !EnsureFolder(folder))
        return 2;
    g_journalFolder = folder;
    std::string line = "{" + JsonField(L"call", "\"initialize2\"") + "," + JsonField(L"reserved", JsonNumber(reserved)) +
                       "," + JsonField(L"appKey", RecordText(record->appKey)) + "," +
                       JsonField(L"version", RecordText(record->version)) + "," +
                       JsonField(L"versionCode", JsonNumber(record->versionCode)) + "," +
                       JsonField(L"dataFolder", RecordText(record->dataFolder)) + "," +
                       JsonField(L"channel", RecordText(record->channel)) + "," +
                       JsonField(L"logLevel", JsonNumber(record->logLevel)) + "," +
                       JsonField(L"reservedZero", IsZero(record->reserved1) && record->reserved2 == 0 ? "true" : "false") +
                       "}";
    return AppendLine(line) ? 0 : 3;
}
#endif

#ifndef MIRTEL_WITHOUT_TRACKEVENT2
__declspec(dllexport) int WINAPI trackEvent2(const wchar_t* category, const wchar_t* eventId,
                                             const wchar_t* application, int value, int count,
                                             const UsageStatsAttr* attributes)
{
    CLockGuard lock(g_lock);
    std::string list = "null";
    if (attributes && count > 0) {
        list = "[";
        for (int i = 0; i < count && i < kMaxListedAttributes; ++i) {
            if (i)
                list += ",";
            list += "[" + JsonString(attributes[i].key, kMaxTextLength) + "," +
                    JsonString(attributes[i].value, kMaxTextLength) + "]";
        }
        list += "]";
    } else if (count == 0 && attributes) {
        list = "[]";
    }
    std::string line = "{" + JsonField(L"call", "\"trackEvent2\"") + "," +
                       JsonField(L"category", JsonString(category, kMaxTextLength)) + "," +
                       JsonField(L"id", JsonString(eventId, kMaxTextLength)) + "," +
                       JsonField(L"application", JsonString(application, kMaxTextLength)) + "," +
                       JsonField(L"value", JsonNumber(value)) + "," + JsonField(L"count", JsonNumber(count)) + "," +
                       JsonField(L"attributes", list) + "}";
    return AppendLine(line) ? 0 : 3;
}
#endif

__declspec(dllexport) int WINAPI finish(int reserved)
{
    CLockGuard lock(g_lock);
    std::string line = "{" + JsonField(L"call", "\"finish\"") + "," + JsonField(L"reserved", JsonNumber(reserved)) + "}";
    return AppendLine(line) ? 0 : 3;
}

} // extern "C"

#ifdef MIRTEL_RECORD_LOADS
// The planted-library copy: every process that loads it appends its path to
// the file named by ORVANE_LOAD_MARKER, so a test sees that it ran.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*)
{
    wchar_t marker[MAX_PATH] = {};
    if (reason != DLL_PROCESS_ATTACH || !::GetEnvironmentVariableW(L"ORVANE_LOAD_MARKER", marker, MAX_PATH))
        return TRUE;
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    std::string line = ToUtf8(path, length) + "\n";
    CFileHandle file(::CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return TRUE;
}
#endif
