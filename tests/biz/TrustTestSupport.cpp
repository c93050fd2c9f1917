#include "tests/biz/TrustTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include <wincrypt.h>

#include "biz/ConfigManager.h"
#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"
#include "base/ScopedHandle.h"
#include "biz/libutils.h"
#include "tests/support/TestEnvironment.h"

namespace TrustTest {

namespace {

const wchar_t kConfigDocumentPath[] = L"C:\\config.xml";

std::wstring MirtelBuildFolder()
{
    return TestEnv::FromUnixPath(ORVANE_BINARY_DIR "/tools/mirtel/");
}

void ForgetTrustConfiguration()
{
    DigitalCertifyTesting::Reset();
}

// The build's test root among the prefix's trusted roots for the whole test
// program. Added before any test runs: Wine reads the roots once per process.
// Wine keeps the store in the registry, one key per certificate named by its
// thumbprint, and does not drop that key when the certificate is deleted
// through the store, so the key itself is removed afterwards.
class CTrustedTestRoot : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string der = TestEnv::ReadFileBytes(MirtelBuildFolder() + L"signing\\testroot.der");
        CCertStore roots(::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root"));
        ASSERT_TRUE(roots) << "the machine's root store does not open";
        CCertContext added;
        ASSERT_TRUE(::CertAddEncodedCertificateToStore(roots.Get(), X509_ASN_ENCODING,
                                                       reinterpret_cast<const BYTE*>(der.data()),
                                                       static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING,
                                                       added.Receive()))
            << "the test root cannot be added";
        BYTE hash[20] = {};
        DWORD size = sizeof(hash);
        ASSERT_TRUE(::CertGetCertificateContextProperty(added.Get(), CERT_SHA1_HASH_PROP_ID, hash, &size));
        wchar_t digits[3];
        for (BYTE byte : hash) {
            std::swprintf(digits, 3, L"%02X", byte);
            m_key += digits;
        }
    }

    void TearDown() override
    {
        if (!m_key.empty())
            ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, (kRootCertificates + m_key).c_str(), KEY_WOW64_64KEY, 0);
    }

private:
    static inline const std::wstring kRootCertificates =
        L"Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\";
    std::wstring m_key;
};

::testing::Environment* const g_trustedTestRoot = ::testing::AddGlobalTestEnvironment(new CTrustedTestRoot);

} // namespace

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], size, nullptr,
                              nullptr);
    return utf8;
}

std::wstring MirtelBuild(const std::wstring& variant)
{
    return MirtelBuildFolder() + variant + L"\\mirtel.dll";
}

std::wstring CertificateThumbprint(const std::string& name)
{
    std::string text = TestEnv::ReadFileBytes(MirtelBuildFolder() + L"signing\\" +
                                              std::wstring(name.begin(), name.end()) + L".thumbprint");
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return std::wstring(text.begin(), text.end());
}

void CopyOrFail(const std::wstring& from, const std::wstring& to)
{
    ASSERT_TRUE(::CopyFileW(from.c_str(), to.c_str(), FALSE)) << "cannot copy " << ToUtf8(from);
}

CConfigIni::CConfigIni(const std::string& content) : m_path(GetModuleFolder() + L"config.ini")
{
    m_existed = IsExistingFile(m_path);
    if (m_existed)
        m_previous = TestEnv::ReadFileBytes(m_path);
    TestEnv::WriteFileBytes(m_path, content);
    ForgetTrustConfiguration();
}

CConfigIni::~CConfigIni()
{
    if (m_existed)
        TestEnv::WriteFileBytes(m_path, m_previous);
    else
        ::DeleteFileW(m_path.c_str());
    ForgetTrustConfiguration();
}

std::string TrustingConfigIni()
{
    return "[config]\r\nThrumbPrintsList=" + ToUtf8(CertificateThumbprint("tamsel")) + "\r\n";
}

CConfigDocument::CConfigDocument(const std::string& globalConfigJson)
    : m_existed(IsExistingFile(kConfigDocumentPath))
{
    if (m_existed)
        m_previous = TestEnv::ReadFileBytes(kConfigDocumentPath);
    std::string document = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Suite version=\"1\"><Globle><Config><![CDATA[" +
                           globalConfigJson + "]]></Config></Globle></Suite>\n";
    TestEnv::WriteFileBytes(kConfigDocumentPath, document);
    GetConfigManager()->Load();
    ForgetTrustConfiguration();
}

CConfigDocument::~CConfigDocument()
{
    if (m_existed)
        TestEnv::WriteFileBytes(kConfigDocumentPath, m_previous);
    else
        ::DeleteFileW(kConfigDocumentPath);
    GetConfigManager()->Load();
    ForgetTrustConfiguration();
}

CUserRegistryValue::CUserRegistryValue(const std::wstring& keyPath, const std::wstring& name)
    : m_keyPath(keyPath), m_name(name)
{
    CRegKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.Receive()) !=
        ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &m_type, nullptr, &size) != ERROR_SUCCESS)
        return;
    m_previous.resize(size);
    m_existed = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &m_type, m_previous.data(), &size) ==
                ERROR_SUCCESS;
    m_previous.resize(size);
}

CUserRegistryValue::~CUserRegistryValue()
{
    if (!m_existed) {
        Remove();
        return;
    }
    CRegKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                          nullptr, key.Receive(), nullptr) == ERROR_SUCCESS)
        ::RegSetValueExW(key.Get(), m_name.c_str(), 0, m_type, m_previous.data(),
                         static_cast<DWORD>(m_previous.size()));
}

void CUserRegistryValue::SetDword(DWORD value)
{
    SetRaw(REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void CUserRegistryValue::SetRaw(DWORD type, const BYTE* data, DWORD size)
{
    CRegKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key.Get(), m_name.c_str(), 0, type, data, size), ERROR_SUCCESS);
}

void CUserRegistryValue::SetString(const std::wstring& value)
{
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, REG_SZ, m_keyPath, m_name, value, true));
}

void CUserRegistryValue::Remove()
{
    CRegKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, key.Receive()) ==
        ERROR_SUCCESS)
        ::RegDeleteValueW(key.Get(), m_name.c_str());
}

std::wstring JournalIn(const std::wstring& folder)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + L"events.jsonl";
}

std::wstring SuiteJournal()
{
    return JournalIn(GetSuiteDataFolder() + L"mirtel");
}

std::vector<Json::Value> ReadJournal(const std::wstring& path)
{
    std::vector<Json::Value> calls;
    std::istringstream lines(TestEnv::ReadFileBytes(path));
    std::string line;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    while (std::getline(lines, line)) {
        Json::Value call;
        std::string errors;
        if (reader->parse(line.data(), line.data() + line.size(), &call, &errors))
            calls.push_back(call);
        else
            ADD_FAILURE() << "journal line is not JSON: " << line;
    }
    return calls;
}

} // namespace TrustTest
