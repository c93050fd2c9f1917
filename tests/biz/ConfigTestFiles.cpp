#include "tests/biz/ConfigTestFiles.h"

#include "biz/BlowFishEnc.h"
#include "biz/ConfigReader.h"
#include "base/ScopedHandle.h"
#include "biz/libutils.h"
#include "tests/support/TestEnvironment.h"

#include <vector>

namespace ConfigTest {

namespace {

std::wstring ConfigIniPath()
{
    return GetModuleFolder() + L"config.ini";
}

// Gives config.ini a write time it never had before, so a cached copy is
// always seen as stale.
void MarkChanged(const std::wstring& path)
{
    static ULONGLONG tick = 0;
    ULARGE_INTEGER time;
    time.QuadPart = 130000000000000000ull + (++tick) * 10000000ull;
    FILETIME fileTime{time.LowPart, time.HighPart};
    CFileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        ::SetFileTime(file.Get(), nullptr, nullptr, &fileTime);
}

void WriteConfigIni(const std::string& content)
{
    TestEnv::WriteFileBytes(ConfigIniPath(), content);
    MarkChanged(ConfigIniPath());
    // Reading once makes the cache take the new content now.
    ReadConfigIni(L"language", L"");
}

} // namespace

CScopedFile::CScopedFile(const std::wstring& path, const std::string& bytes) : m_path(path)
{
    TestEnv::WriteFileBytes(path, bytes);
}

CScopedFile::~CScopedFile()
{
    ::DeleteFileW(m_path.c_str());
}

COverrideFile::COverrideFile(const std::string& xml) : CScopedFile(CConfigReader::kOverrideFile, xml) {}

CDataFile::CDataFile(const std::string& xml, bool encipher)
    : CScopedFile(CConfigReader::DataFilePath(), encipher ? Encipher(xml) : xml)
{
}

CConfigIni::CConfigIni(const std::string& content)
{
    WriteConfigIni(content);
}

CConfigIni::~CConfigIni()
{
    WriteConfigIni(std::string());
    ::DeleteFileW(ConfigIniPath().c_str());
}

CRegistryLanguage::CRegistryLanguage(const std::wstring& value, bool present)
{
    m_hadValue = RegReadString(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKey, L"language", m_previous);
    if (present)
        RegWriteString(HKEY_CURRENT_USER, REG_SZ, SuiteRegistry::kSuiteKey, L"language", value, true);
    else
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKey, L"language");
}

CRegistryLanguage::~CRegistryLanguage()
{
    if (m_hadValue)
        RegWriteString(HKEY_CURRENT_USER, REG_SZ, SuiteRegistry::kSuiteKey, L"language", m_previous, true);
    else
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKey, L"language");
}

std::string Encipher(const std::string& bytes)
{
    std::vector<uint8_t> buffer(bytes.begin(), bytes.end());
    buffer.resize((bytes.size() + 7) / 8 * 8);
    BlowFishEnc cipher;
    size_t length = cipher.Encrypt(buffer.data(), bytes.size(), buffer.data());
    return std::string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
}

std::string Document(const char* version, const std::string& inner)
{
    std::string root = version ? std::string("<Configs version=\"") + version + "\">" : std::string("<Configs>");
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + root + inner + "</Configs>\n";
}

} // namespace ConfigTest
