#include "biz/libutils.h"

#include "base/ScopedHandle.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <memory>

namespace {

const wchar_t kTestKey[] = L"Software\\OrvaneTest\\Libutils";

std::wstring ConfigIniPath()
{
    return GetModuleFolder() + L"config.ini";
}

class ConfigIniFile {
public:
    explicit ConfigIniFile(const std::string& content) { TestEnv::WriteFileBytes(ConfigIniPath(), content); }
    ~ConfigIniFile() { ::DeleteFileW(ConfigIniPath().c_str()); }
};

bool WriteInView(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& data, REGSAM view,
                 DWORD type = REG_SZ, DWORD bytes = 0)
{
    CRegKey handle;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, handle.Receive(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    if (bytes == 0)
        bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(handle.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
           ERROR_SUCCESS;
}

DWORD StoredBytes(const std::wstring& name)
{
    CRegKey key;
    DWORD bytes = 0;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ | KEY_WOW64_64KEY, key.Receive()) != ERROR_SUCCESS ||
        ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return 0;
    return bytes;
}

// Gives the test key a DACL in SDDL, opened only with the owner's implicit right to do so.
void SetKeyAccess(const wchar_t* sddl)
{
    CRegKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, WRITE_DAC | KEY_WOW64_64KEY, nullptr,
                                key.Receive(), nullptr),
              ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR raw = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &raw, nullptr));
    std::unique_ptr<void, decltype(&::LocalFree)> descriptor(raw, &::LocalFree);
    ASSERT_EQ(::RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.get()), ERROR_SUCCESS);
}

} // namespace

class RegistryStrings : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetKeyAccess(L"D:(A;;KA;;;WD)"); // deletable again, whatever a test left
        TestEnv::DeleteRegistryTree(HKEY_CURRENT_USER, kTestKey, KEY_WOW64_64KEY);
        TestEnv::DeleteRegistryTree(HKEY_LOCAL_MACHINE, SuiteRegistry::kSuiteKey, KEY_WOW64_32KEY);
        TestEnv::DeleteRegistryTree(HKEY_LOCAL_MACHINE, SuiteRegistry::kSuiteKey, KEY_WOW64_64KEY);
    }
};

TEST_F(RegistryStrings, WrittenTextReadsBackAsText)
{
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"value", L"6600", true));
    std::wstring text;
    ASSERT_TRUE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"value", text));
    EXPECT_EQ(text, L"6600");

    CRegKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExW(key.Get(), L"value", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStrings, KeyNamesIgnoreCase)
{
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, L"SOFTWARE\\ORVANETEST\\LIBUTILS", L"v", L"x", true));
    std::wstring text;
    EXPECT_TRUE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"v", text));
    EXPECT_EQ(text, L"x");
}

TEST_F(RegistryStrings, ValuesUpTo1023CharactersFit)
{
    std::wstring longest(1023, L'a'), tooLong(1024, L'b');
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"longest", longest, true));
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"tooLong", tooLong, true));
    std::wstring text;
    ASSERT_TRUE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"longest", text));
    EXPECT_EQ(text, longest);
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"tooLong", text));
    // Stored without a terminator by another writer, 1024 characters fill
    // the buffer and do not fit either.
    ASSERT_TRUE(WriteInView(HKEY_CURRENT_USER, kTestKey, L"bare", tooLong, KEY_WOW64_64KEY, REG_SZ, 2048));
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"bare", text));
}

TEST_F(RegistryStrings, TextIsStoredWithItsTerminator)
{
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"v", L"6600", true));
    EXPECT_EQ(StoredBytes(L"v"), 10u);
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"empty", L"", true));
    EXPECT_EQ(StoredBytes(L"empty"), 2u);
}

TEST_F(RegistryStrings, OnlyTextValuesAreRead)
{
    const wchar_t number[] = L"\x1234";
    for (DWORD type : {DWORD(REG_DWORD), DWORD(REG_BINARY), DWORD(REG_EXPAND_SZ), DWORD(REG_MULTI_SZ)}) {
        ASSERT_TRUE(WriteInView(HKEY_CURRENT_USER, kTestKey, L"v", number, KEY_WOW64_64KEY, type, 4));
        std::wstring text = L"unchanged";
        EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"v", text)) << type;
    }
}

// The installer grants standard users read and set-value access to the tool's
// key and nothing more; the tool's writes must need no more than that.
TEST_F(RegistryStrings, KeyThatOnlyAllowsSettingValuesIsWritten)
{
    SetKeyAccess(L"D:P(A;;0x2001b;;;WD)"); // KEY_READ | KEY_SET_VALUE for everyone, protected
    EXPECT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"ColorTemperatureValue", L"4200", true));
    std::wstring text;
    EXPECT_TRUE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"ColorTemperatureValue", text));
    EXPECT_EQ(text, L"4200");

    SetKeyAccess(L"D:P(A;;KR;;;WD)"); // read only: the write is refused, not forced
    EXPECT_FALSE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"ColorTemperatureValue", L"5000", true));
}

TEST_F(RegistryStrings, MissingKeyOrValueFails)
{
    std::wstring text = L"unchanged";
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, L"Software\\OrvaneTest\\Nowhere", L"v", text));
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, kTestKey, L"v", L"x", true));
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, kTestKey, L"other", text));
}

TEST_F(RegistryStrings, InstallFolderLivesInThe32BitView)
{
    ASSERT_TRUE(WriteInView(HKEY_LOCAL_MACHINE, SuiteRegistry::kSuiteKey, L"OrvaneInstallPath", L"C:\\Only64\\",
                            KEY_WOW64_64KEY));
    EXPECT_EQ(GetInstallFolder(), GetModuleFolder());
    ASSERT_TRUE(WriteInView(HKEY_LOCAL_MACHINE, SuiteRegistry::kSuiteKey, L"OrvaneInstallPath",
                            L"C:\\Program Files (x86)\\Orvane\\", KEY_WOW64_32KEY));
    EXPECT_EQ(GetInstallFolder(), L"C:\\Program Files (x86)\\Orvane\\");

    std::wstring text;
    EXPECT_TRUE(RegReadStringHklm(SuiteRegistry::kSuiteKey, L"OrvaneInstallPath", true, text));
    EXPECT_EQ(text, L"C:\\Only64\\");
}

TEST_F(RegistryStrings, AnInstallFolderThatIsNotLocalAndAbsoluteMeansThisModulesFolder)
{
    for (const wchar_t* folder : {L"Orvane\\", L".\\", L"C:Orvane\\", L"\\Orvane\\", L"\\\\server\\share\\Orvane\\",
                                  L"\\\\?\\C:\\Orvane\\", L"\\\\.\\pipe\\Orvane", L""}) {
        ASSERT_TRUE(WriteInView(HKEY_LOCAL_MACHINE, SuiteRegistry::kSuiteKey, L"OrvaneInstallPath", folder,
                                KEY_WOW64_32KEY));
        EXPECT_EQ(GetInstallFolder(), GetModuleFolder()) << folder;
    }
    ASSERT_TRUE(WriteInView(HKEY_LOCAL_MACHINE, SuiteRegistry::kSuiteKey, L"OrvaneInstallPath", L"c:/Orvane",
                            KEY_WOW64_32KEY));
    EXPECT_EQ(GetInstallFolder(), L"c:/Orvane");
}

TEST(SuitePaths, JoinPathPutsOneBackslashBetween)
{
    EXPECT_EQ(JoinPath(L"C:\\Orvane\\", L"skin"), L"C:\\Orvane\\skin");
    EXPECT_EQ(JoinPath(L"C:\\Orvane", L"skin\\lan\\"), L"C:\\Orvane\\skin\\lan\\");
    EXPECT_EQ(JoinPath(L"C:/Orvane/", L"mirtel.dll"), L"C:/Orvane/mirtel.dll");
    EXPECT_EQ(JoinPath(L"", L"mirtel.dll"), L"mirtel.dll");
}

TEST(SuitePaths, OnlyDrivePathsOfThisMachineAreLocalAndAbsolute)
{
    EXPECT_TRUE(IsLocalAbsolutePath(L"C:\\"));
    EXPECT_TRUE(IsLocalAbsolutePath(L"c:/Program Files/Orvane"));
    for (const wchar_t* path : {L"", L"C:", L"C:x", L"x\\y", L"\\x", L"\\\\host\\share", L"\\\\?\\C:\\x", L"1:\\x"})
        EXPECT_FALSE(IsLocalAbsolutePath(path)) << path;
}

TEST_F(RegistryStrings, LoginUidFromTheUsersSuiteKey)
{
    TestEnv::DeleteRegistryTree(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKeyUpper, KEY_WOW64_64KEY);
    EXPECT_EQ(GetLoginUid(), L"");
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, SuiteRegistry::kSuiteKeyUpper, L"loginuid", L"u-42", true));
    EXPECT_EQ(GetLoginUid(), L"u-42");
    TestEnv::DeleteRegistryTree(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKeyUpper, KEY_WOW64_64KEY);
}

TEST(SuiteFolders, DataFolderExistsAndEndsInPellwick)
{
    std::wstring folder = GetSuiteDataFolder();
    ASSERT_GE(folder.size(), 17u);
    EXPECT_EQ(folder.substr(folder.size() - 17), L"\\Orvane\\Pellwick\\");
    EXPECT_TRUE(IsExistingFolder(folder));
    EXPECT_EQ(GetSuiteDataFolder(), folder);
}

TEST(SuiteFolders, ModuleFolderIsTheExecutablesFolder)
{
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    EXPECT_EQ(GetModuleFolder(), path.substr(0, path.rfind(L'\\') + 1));
}

TEST(SuiteFolders, FolderTreesAreCreatedLevelByLevel)
{
    TestEnv::CScratchFolder scratch(L"tree");
    std::wstring deep = scratch.Path() + L"a\\b/c\\d";
    EXPECT_TRUE(CreateFolderTree(deep));
    EXPECT_TRUE(IsExistingFolder(scratch.Path() + L"a\\b\\c\\d"));
    EXPECT_FALSE(CreateFolderTree(scratch.Path() + std::wstring(260, L'x')));
}

TEST(ConfigIni, ReadsTheConfigSectionOnly)
{
    ConfigIniFile ini("[other]\r\nLogLevel=5\r\n[config]\r\nlanguage=en\r\n");
    EXPECT_EQ(ReadConfigIni(L"LogLevel", L"3"), L"3");
    EXPECT_EQ(ReadConfigIni(L"language", L""), L"en");
}

TEST(ConfigIni, MissingFileGivesTheDefault)
{
    ::DeleteFileW(ConfigIniPath().c_str());
    EXPECT_EQ(ReadConfigIni(L"LogLevel", L"3"), L"3");
    EXPECT_EQ(ReadConfigIni(L"ThrumbPrintsList", L"abc"), L"abc");
}

TEST(ConfigIni, AddressKeysHaveBuiltInHttpsDefaults)
{
    ::DeleteFileW(ConfigIniPath().c_str());
    struct {
        const wchar_t* key;
        const wchar_t* path;
    } rows[] = {{L"isok_addr", L"/api/isok"}, {L"auth_addr", L"/api/auth"},
                {L"config_addr", L"/api/v1/client/config/xml"}};
    for (const auto& row : rows) {
        std::wstring value = ReadConfigIni(row.key, L"ignored");
        EXPECT_EQ(value.rfind(L"https://", 0), 0u) << value;
        EXPECT_EQ(value.substr(value.size() - wcslen(row.path)), row.path);
    }
    EXPECT_EQ(ReadConfigIni(L"ISOK_ADDR", L"kept"), L"kept");
    ConfigIniFile ini("[config]\r\nauth_addr=https://example.test/a\r\n");
    EXPECT_EQ(ReadConfigIni(L"auth_addr", L""), L"https://example.test/a");
}

TEST(ConfigIni, LongValuesAreCutTo199Characters)
{
    ConfigIniFile ini("[config]\r\nbase_url=" + std::string(300, 'q') + "\r\n");
    EXPECT_EQ(ReadConfigIni(L"base_url", L""), std::wstring(199, L'q'));
}
