// The signing certificate of a file's embedded Authenticode signature.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <vector>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"
#include "biz/EmbeddedSignature.h"

namespace {

// The signer of the file's embedded signature, whether or not the
// signature still matches the file.
CCertContext FileSigner(const wchar_t* path)
{
    TEmbeddedSignature signature;
    if (ReadEmbeddedSignature(path, signature) != ESignatureRead::Present)
        return CCertContext();
    return FindSignerCertificate(signature.message.Get());
}

} // namespace

std::wstring CDigitalCertify::GetSignerThumbprint(const wchar_t* path)
{
    CCertContext certificate = FileSigner(path);
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

bool CDigitalCertify::GetSignerName(const wchar_t* path, std::wstring& name)
{
    CCertContext certificate = FileSigner(path);
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
