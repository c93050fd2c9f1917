// The signing certificate of a file's embedded Authenticode signature: its
// thumbprint, its name and whether a root this machine trusts vouches for it.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <vector>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"
#include "biz/EmbeddedSignature.h"
#include "biz/ModuleFile.h"

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

CCertContext Signer(const TEmbeddedSignature& signature)
{
    return signature.message ? FindSignerCertificate(signature.message.Get()) : CCertContext();
}

// Calls `use` with the signature of the file at `path`, whether or not it
// still matches the file; `fallback` when there is none.
template <typename Result, typename Use>
Result WithFileSignature(const wchar_t* path, Result fallback, Use use)
{
    CModuleFile file(path ? path : L"");
    if (file.State() != CModuleFile::EState::Opened)
        return fallback;
    TEmbeddedSignature signature(file.Bytes());
    if (ReadEmbeddedSignature(signature) != ESignatureRead::Present)
        return fallback;
    return use(signature);
}

} // namespace

std::wstring SignerThumbprint(const TEmbeddedSignature& signature)
{
    CCertContext certificate = Signer(signature);
    if (!certificate)
        return std::wstring();
    BYTE hash[100] = {};
    DWORD size = sizeof(hash);
    if (!::CertGetCertificateContextProperty(certificate.Get(), CERT_SHA1_HASH_PROP_ID, hash, &size) || size == 0)
        return std::wstring();
    std::wstring thumbprint;
    for (DWORD i = 0; i < size && i < sizeof(hash); ++i) {
        wchar_t digits[3] = {};
        std::swprintf(digits, 3, L"%02x", hash[i]);
        thumbprint += digits;
    }
    return thumbprint;
}

bool SignerName(const TEmbeddedSignature& signature, std::wstring& name)
{
    CCertContext certificate = Signer(signature);
    if (!certificate)
        return false;
    DWORD length = ::CertGetNameStringW(certificate.Get(), CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (length == 0)
        return false;
    std::vector<wchar_t> buffer(length, L'\0');
    ::CertGetNameStringW(certificate.Get(), CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, buffer.data(), length);
    buffer.back() = L'\0';
    name = buffer.data();
    return true;
}

bool SignerChainsToTrustedRoot(const TEmbeddedSignature& signature)
{
    CCertContext certificate = Signer(signature);
    if (!certificate)
        return false;
    CCertStore carried(::CertOpenStore(CERT_STORE_PROV_MSG, kEncoding, 0, 0, signature.message.Get()));
    LPSTR codeSigning[] = {const_cast<LPSTR>(szOID_PKIX_KP_CODE_SIGNING)};
    CERT_CHAIN_PARA request{};
    request.cbSize = sizeof(request);
    request.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    request.RequestedUsage.Usage.cUsageIdentifier = 1;
    request.RequestedUsage.Usage.rgpszUsageIdentifier = codeSigning;
    CCertChain chain;
    if (!::CertGetCertificateChain(nullptr, certificate.Get(), nullptr, carried.Get(), &request, 0, nullptr,
                                   chain.Receive()))
        return false;
    // Wine's base policy lets a chain that ends short of any root pass, so
    // the chain's own error bits are read as well.
    if (chain.Get()->TrustStatus.dwErrorStatus != CERT_TRUST_NO_ERROR)
        return false;
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof(policy);
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof(status);
    return ::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_BASE, chain.Get(), &policy, &status) &&
           status.dwError == 0;
}

std::wstring CDigitalCertify::GetSignerThumbprint(const wchar_t* path)
{
    return WithFileSignature(path, std::wstring(), SignerThumbprint);
}

bool CDigitalCertify::GetSignerName(const wchar_t* path, std::wstring& name)
{
    return WithFileSignature(path, false,
                             [&](const TEmbeddedSignature& signature) { return SignerName(signature, name); });
}

bool CDigitalCertify::IsSignerChainTrusted(const wchar_t* path)
{
    return WithFileSignature(path, false, SignerChainsToTrustedRoot);
}
