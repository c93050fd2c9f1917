#include "biz/EmbeddedSignature.h"

#include <wincrypt.h>
#include <wintrust.h>

#include <cstring>

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr DWORD kSecurityDirectory = 4;

DWORD ReadU32(const std::vector<BYTE>& image, size_t offset)
{
    DWORD value = 0;
    std::memcpy(&value, image.data() + offset, sizeof(value));
    return value;
}

WORD ReadU16(const std::vector<BYTE>& image, size_t offset)
{
    return WORD(image[offset] | image[offset + 1] << 8);
}

ESignatureRead LocateCertificateTable(TEmbeddedSignature& signature)
{
    using E = ESignatureRead;
    const std::vector<BYTE>& image = signature.image;
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z')
        return E::None;
    const size_t header = ReadU32(image, 0x3C);
    const size_t optional = header + 24;
    if (header > image.size() || optional + 2 > image.size() || ReadU32(image, header) != IMAGE_NT_SIGNATURE)
        return E::None;
    size_t directories = 0, directoryCount = 0;
    switch (ReadU16(image, optional)) {
    case IMAGE_NT_OPTIONAL_HDR32_MAGIC:
        directories = optional + 96, directoryCount = optional + 92;
        break;
    case IMAGE_NT_OPTIONAL_HDR64_MAGIC:
        directories = optional + 112, directoryCount = optional + 108;
        break;
    default:
        return E::None;
    }
    signature.checksumOffset = optional + 64;
    signature.directoryOffset = directories + kSecurityDirectory * 8;
    if (signature.directoryOffset + 8 > image.size() || ReadU32(image, directoryCount) <= kSecurityDirectory)
        return E::None;
    signature.tableOffset = ReadU32(image, signature.directoryOffset);
    signature.tableSize = ReadU32(image, signature.directoryOffset + 4);
    if (signature.tableOffset == 0 && signature.tableSize == 0)
        return E::None;
    const bool inside = signature.tableSize >= 8 && signature.tableOffset >= signature.directoryOffset + 8 &&
                        signature.tableOffset <= image.size() &&
                        signature.tableSize <= image.size() - signature.tableOffset;
    return inside ? E::Present : E::Damaged;
}

} // namespace

ESignatureRead ReadEmbeddedSignature(TEmbeddedSignature& signature)
{
    const ESignatureRead table = LocateCertificateTable(signature);
    if (table != ESignatureRead::Present)
        return table;
    // WIN_CERTIFICATE: length (header included), revision, type, then the PKCS #7 bytes.
    const DWORD length = ReadU32(signature.image, signature.tableOffset);
    const WORD type = ReadU16(signature.image, signature.tableOffset + 6);
    if (length <= 8 || length > signature.tableSize || type != WIN_CERT_TYPE_PKCS_SIGNED_DATA)
        return ESignatureRead::Damaged;
    signature.message.Reset(::CryptMsgOpenToDecode(kEncoding, 0, 0, 0, nullptr, nullptr));
    if (!signature.message ||
        !::CryptMsgUpdate(signature.message.Get(), signature.image.data() + signature.tableOffset + 8, length - 8,
                          TRUE))
        return ESignatureRead::Damaged;
    return ESignatureRead::Present;
}

bool MessageParam(HCRYPTMSG message, DWORD param, DWORD index, std::vector<BYTE>& value)
{
    DWORD size = 0;
    if (!::CryptMsgGetParam(message, param, index, nullptr, &size))
        return false;
    value.resize(size);
    return ::CryptMsgGetParam(message, param, index, value.data(), &size) != FALSE;
}

CCertContext FindSignerCertificate(HCRYPTMSG message)
{
    std::vector<BYTE> signerInfo;
    if (!MessageParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, signerInfo) || signerInfo.empty())
        return CCertContext();
    CCertStore store(::CertOpenStore(CERT_STORE_PROV_MSG, kEncoding, 0, 0, message));
    if (!store)
        return CCertContext();
    // The certificate keeps its store alive after our handle closes.
    return CCertContext(::CertGetSubjectCertificateFromStore(store.Get(), kEncoding,
                                                             reinterpret_cast<CERT_INFO*>(signerInfo.data())));
}
