#include "biz/DigitalCertify.h"

#include <windows.h>

#include <array>

#include "biz/ConfigManager.h"
#include "biz/EmbeddedSignature.h"
#include "biz/KeyValueFile.h"
#include "biz/Logger.h"
#include "biz/ModuleFile.h"
#include "biz/libutils.h"

namespace {

// The maker's code-signing certificates (SHA-1, 40 lower-case hex digits).
// The suite's release certificates go here. This build signs its modules
// with a certificate made at build time, so the table stays empty and the
// install names that certificate through "ThrumbPrintsList" instead.
constexpr std::array<const wchar_t*, 0> kBuiltInThumbprints{};

// Read once per process, on the first check; kept so that every verifier
// gets the configured thumbprints, not only the one that read them.
struct TProcessConfig {
    int mode = CDigitalCertify::kModeUnread;
    std::vector<std::wstring> extraThumbprints;
};

CCriticalSection& ConfigLock()
{
    static CCriticalSection lock;
    return lock;
}

TProcessConfig& ProcessConfig()
{
    static TProcessConfig config;
    return config;
}

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string FromWide(const wchar_t* key)
{
    return std::string(key, key + wcslen(key)); // keys are ASCII
}

// A setting that decides what code runs: config.ini beside the module (which
// only those who could replace the module itself can write), else the suite
// configuration when its document can be changed only by administrators.
std::wstring ReadTrustSetting(const wchar_t* key)
{
    CConfigManager* manager = GetConfigManager();
    std::wstring fromDocument = manager ? FromUtf8(manager->GetAdministratorValue(FromWide(key))) : std::wstring();
    return ReadConfigIni(key, fromDocument);
}

// Returns the mode and the configured thumbprints, reading them on first use.
TProcessConfig ReadProcessConfig()
{
    CLockGuard guard(ConfigLock());
    TProcessConfig& config = ProcessConfig();
    if (config.mode == CDigitalCertify::kModeUnread) {
        config.mode = CDigitalCertify::kModeDefault;
        std::wstring modeText = ReadTrustSetting(L"CheckDigitalCertify");
        if (!modeText.empty())
            config.mode = ParseDecimal(modeText);
        config.extraThumbprints = SplitThumbprintList(ReadTrustSetting(L"ThrumbPrintsList"));
    }
    return config;
}

std::wstring ToLowerAscii(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

bool IsTrustedSignerName(const std::wstring& name)
{
    std::wstring lower = ToLowerAscii(name);
    return lower.find(L"orvane") != std::wstring::npos ||
           lower.find(L"microsoft corporation") != std::wstring::npos;
}

} // namespace

CDigitalCertify::CDigitalCertify()
{
    m_thumbprints.assign(kBuiltInThumbprints.begin(), kBuiltInThumbprints.end());
}

std::vector<std::wstring> SplitThumbprintList(const std::wstring& list)
{
    std::vector<std::wstring> pieces;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L';', start);
        if (end == std::wstring::npos)
            end = list.size();
        if (end > start)
            pieces.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

bool CDigitalCertify::IsTrustedThumbprint(const std::wstring& thumbprint) const
{
    if (thumbprint.empty())
        return false;
    for (const std::wstring& entry : m_thumbprints)
        if (entry == thumbprint)
            return true;
    return false;
}

int CDigitalCertify::VerificationMode()
{
    CLockGuard guard(ConfigLock());
    return ProcessConfig().mode;
}

bool CDigitalCertify::CheckSignature(const wchar_t* path)
{
    if (!path) {
        LOG_INFO(L"DigitalCertify", L"file not exit. check signature error:%s", L"(null)");
        return false;
    }
    return CheckSignature(CModuleFile(path));
}

bool CDigitalCertify::CheckSignature(const CModuleFile& file)
{
    const wchar_t* path = file.Path().c_str();
    if (file.State() == CModuleFile::EState::Missing) {
        LOG_INFO(L"DigitalCertify", L"file not exit. check signature error:%s", path);
        return false;
    }
    if (file.State() != CModuleFile::EState::Opened) {
        LOG_ERROR(L"DigitalCertify", L"file unreadable:%s", path);
        LOG_INFO(L"DigitalCertify", L"check signature error:%s", path);
        return false;
    }

    TProcessConfig config = ReadProcessConfig();
    if (config.mode == kModeAcceptAll)
        return true;

    CLockGuard guard(m_lock);
    for (const std::wstring& thumbprint : config.extraThumbprints)
        if (!IsTrustedThumbprint(thumbprint))
            m_thumbprints.push_back(thumbprint);

    TEmbeddedSignature signature(file.Bytes());
    const ESignatureRead read = ReadEmbeddedSignature(signature);
    // The thumbprint and the name are read from the signature without
    // verifying it, so a signature copied onto other code must not count.
    if (!IsImageDigestIntact(read, signature)) {
        LOG_ERROR(L"DigitalCertify", L"signature digest mismatch:%s", path);
        LOG_INFO(L"DigitalCertify", L"check signature error:%s", path);
        return false;
    }
    // A failed trust check is final: no name may overrule it.
    if (config.mode == kModeWinTrust && !VerifyTrust(file)) {
        LOG_ERROR(L"DigitalCertify", L"sigverify_check failed:%s", path);
        LOG_INFO(L"DigitalCertify", L"check signature error:%s", path);
        return false;
    }
    if (read == ESignatureRead::Present && IsTrustedThumbprint(SignerThumbprint(signature)))
        return true;
    LOG_ERROR(L"DigitalCertify", L"sigverify_getThrumbPrint failed:%s", path);

    // Anyone can make a certificate with any name: a name counts only when
    // a root this machine trusts vouches for its certificate.
    std::wstring signer;
    if (read == ESignatureRead::Present && SignerName(signature, signer) && IsTrustedSignerName(signer)) {
        if (SignerChainsToTrustedRoot(signature))
            return true;
        LOG_ERROR(L"DigitalCertify", L"signer not trusted:%s", path);
    }
    LOG_INFO(L"DigitalCertify", L"check signature error:%s", path);
    return false;
}

void DigitalCertifyTesting::Reset()
{
    CLockGuard guard(ConfigLock());
    ProcessConfig() = TProcessConfig();
}
