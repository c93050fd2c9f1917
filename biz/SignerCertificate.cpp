// The signing certificate of a file's embedded Authenticode signature.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <vector>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

// Finds the first signer's certificate in the file's embedded PKCS #7 signature.
CCertContext FindSignerCertificate(const wchar_t* path)
{
    if (!path)
        return CCertContext();
    // The query takes a bounded copy: longer paths are not files we can open anyway.
    wchar_t filePath[MAX_PATH] = {};
    if (::lstrlenW(path) >= MAX_PATH)
        return CCertContext();
    ::lstrcpynW(filePath, path, MAX_PATH);

    CCertStore store;
    CCryptMsg message;
    DWORD encoding = 0, contentType = 0, formatType = 0;
    if (!::CryptQueryObject(CERT_QUERY_OBJECT_FILE, filePath, CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                            CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &contentType, &formatType,
                            store.Receive(), message.Receive(), nullptr))
        return CCertContext();

    DWORD size = 0;
    if (!::CryptMsgGetParam(message.Get(), CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size == 0)
        return CCertContext();
    std::vector<BYTE> buffer(size);
    if (!::CryptMsgGetParam(message.Get(), CMSG_SIGNER_INFO_PARAM, 0, buffer.data(), &size))
        return CCertContext();
    const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(buffer.data());

    CERT_INFO wanted{};
    wanted.Issuer = signer->Issuer;
    wanted.SerialNumber = signer->SerialNumber;
    return CCertContext(
        ::CertFindCertificateInStore(store.Get(), kEncoding, 0, CERT_FIND_SUBJECT_CERT, &wanted, nullptr));
}

} // namespace

std::wstring CDigitalCertify::GetSignerThumbprint(const wchar_t* path)
{
    CCertContext certificate = FindSignerCertificate(path);
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
    CCertContext certificate = FindSignerCertificate(path);
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
