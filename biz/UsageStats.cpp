#include "biz/UsageStats.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "biz/DigitalCertify.h"
#include "biz/ModuleFile.h"
#include "base/ScopedHandle.h"
#include "biz/libutils.h"

namespace {

// Written only while initialising, on the UI thread; the library is never unloaded.
int g_initialised = 0;
PFN_UsageStatsInitialize2 g_initialize2 = nullptr;
PFN_UsageStatsFinish g_finish = nullptr;
PFN_UsageStatsTrackEvent2 g_trackEvent2 = nullptr;

constexpr size_t kMaxFolderLength = 259;
constexpr int kFullAttributeCount = 5;

// Cuts at the field's size and at an embedded null, so the field holds one
// clean zero-terminated text and zeros after it.
template <size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text)
{
    size_t length = std::min({text.size(), text.find(L'\0'), N - 1});
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), field);
    field[length] = L'\0';
}

bool LibraryFolder(const wchar_t* folder, std::wstring& result)
{
    if (folder) {
        result = folder;
        return result.size() <= kMaxFolderLength;
    }
    wchar_t exePath[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, exePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        result.clear();
        return true;
    }
    result.assign(exePath, length);
    size_t slash = result.rfind(L'\\');
    result.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return true;
}

// The path that is checked must be the path that is loaded: a relative path
// would be checked against the current folder but loaded from the search path.
std::wstring FullPath(const std::wstring& path)
{
    DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    DWORD length = ::GetFullPathNameW(path.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}

int InitialiseLibrary(const wchar_t* folder)
{
    if (g_initialised)
        return 1;

    std::wstring libraryFolder;
    if (!LibraryFolder(folder, libraryFolder))
        return -1;
    std::wstring libraryPath = FullPath(JoinPath(libraryFolder, L"mirtel.dll"));
    std::wstring dataPath = JoinPath(libraryFolder, L"data32.cfg");

    // Held from the check until the loader has mapped it.
    const CModuleFile file(libraryPath);
    {
        CDigitalCertify verifier;
        if (!verifier.CheckSignature(file))
            return -1;
    }
    HMODULE library = file.Load();
    if (!library)
        return -1;

    // "initialize" is part of the library's contract but has nothing to do here.
    (void)::GetProcAddress(library, "initialize");
    g_initialize2 = reinterpret_cast<PFN_UsageStatsInitialize2>(
        reinterpret_cast<void*>(::GetProcAddress(library, "initialize2")));
    g_finish = reinterpret_cast<PFN_UsageStatsFinish>(reinterpret_cast<void*>(::GetProcAddress(library, "finish")));
    g_trackEvent2 = reinterpret_cast<PFN_UsageStatsTrackEvent2>(
        reinterpret_cast<void*>(::GetProcAddress(library, "trackEvent2")));
    if (!g_trackEvent2)
        return -1;

    UsageStatsInitRecord record;
    BuildInitRecord(KeyValueFile(dataPath), GetSuiteDataFolder(), record);

    int result = -1;
    if (g_initialize2)
        result = g_initialize2(0, &record) == 0 ? 1 : -1;
    if (result == 1)
        g_initialised = 1;
    return result;
}

int ForwardEvent(const wchar_t* category, const wchar_t* eventId, const wchar_t* application, int value,
                 int count, const UsageStatsAttr* attributes)
{
    if (!g_trackEvent2)
        return -1;
    if (count < 0 || (count > 0 && !attributes))
        return -1;

    std::wstring userId = GetLoginUid();
    // More than five attributes leave no room for the user id: they pass unchanged.
    if (userId.empty() || count >= kFullAttributeCount)
        return g_trackEvent2(category, eventId, application, value, count, attributes);

    UsageStatsAttr full[kFullAttributeCount];
    for (int i = 0; i < kFullAttributeCount - 1; ++i)
        full[i] = i < count ? attributes[i] : UsageStatsAttr{L"", L""};
    full[kFullAttributeCount - 1] = UsageStatsAttr{L"OrvaneID", userId.c_str()};
    return g_trackEvent2(category, eventId, application, value, kFullAttributeCount, full);
}

} // namespace

void BuildInitRecord(const KeyValueFile& settings, const std::wstring& suiteDataFolder,
                     UsageStatsInitRecord& record)
{
    std::memset(&record, 0, sizeof(record));
    std::wstring channel = settings.Lookup(L"channel", L"other");
    CopyField(record.version, settings.Lookup(L"version", L"1.0.0"));
    record.versionCode = ParseDecimal(settings.Lookup(L"versionCode", L"1"));
    CopyField(record.channel, channel);
    record.logLevel = ParseDecimal(settings.Lookup(L"logLevel", L"2"));
    CopyField(record.dataFolder, suiteDataFolder + L"mirtel");
    bool testChannel = channel.find(L"test") != std::wstring::npos;
    CopyField(record.appKey, testChannel ? UsageStatsKeys::kTest : UsageStatsKeys::kProduction);
}

int UsageStatsInit(const wchar_t* folder)
{
    try {
        return InitialiseLibrary(folder);
    } catch (...) {
        return -1;
    }
}

int UsageStatsTrack(const wchar_t* category, const wchar_t* eventId, const wchar_t* application, int value,
                    int count, const UsageStatsAttr* attributes)
{
    try {
        return ForwardEvent(category, eventId, application, value, count, attributes);
    } catch (...) {
        return -1;
    }
}

bool ReadParticipation(int& value)
{
    CRegKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SuiteRegistry::kConfigsKey, 0, KEY_READ | KEY_WOW64_64KEY,
                        key.Receive()) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Get(), L"participation", nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    // Only a 32-bit number is a choice; a value of any other type or size is
    // there but says nothing, which the gate takes as "no".
    DWORD data = 0;
    value = kNoParticipationChoice;
    if (type == REG_DWORD && size == sizeof(data) &&
        ::RegQueryValueExW(key.Get(), L"participation", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(data))
        value = static_cast<int>(data);
    return true;
}

bool IsParticipationAllowed()
{
    int participation = 1;
    return !ReadParticipation(participation) || participation == 1;
}

int UsageStatsTrackIfAllowed(const wchar_t* category, const wchar_t* eventId, const wchar_t* application,
                             int value, int count, const UsageStatsAttr* attributes)
{
    try {
        if (!IsParticipationAllowed())
            return -1;
        return ForwardEvent(category, eventId, application, value, count, attributes);
    } catch (...) {
        return -1;
    }
}

void UsageStatsFinish()
{
    if (g_finish)
        g_finish(0);
}

void UsageStatsTesting::Reset()
{
    // The tool never unloads the library; a test does, so its copy can be
    // deleted. Every failed init loaded it once more, so drop every reference.
    void* entry = g_trackEvent2 ? reinterpret_cast<void*>(g_trackEvent2)
                  : g_initialize2 ? reinterpret_cast<void*>(g_initialize2)
                                  : reinterpret_cast<void*>(g_finish);
    HMODULE library = nullptr;
    for (int i = 0; entry && i < 64 &&
                    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                         static_cast<LPCWSTR>(entry), &library);
         ++i)
        ::FreeLibrary(library);
    g_initialised = 0;
    g_initialize2 = nullptr;
    g_finish = nullptr;
    g_trackEvent2 = nullptr;
}
