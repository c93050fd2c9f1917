// The Authenticode image digest of a module, checked offline: the digest the
// signature records must be the file's own, and the signer's signature must
// cover that record. No certificate chain is built (a trust provider run
// costs hundreds of milliseconds at start-up); who signed is decided by the
// thumbprint and name checks that follow.
#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr ULONGLONG kMaxImageBytes = 64ull << 20;
constexpr DWORD kSecurityDirectory = 4;

using CBytes = std::vector<BYTE>;

struct TLocalFree {
    void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

bool ReadImage(const wchar_t* path, CBytes& image)
{
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        ULONGLONG(size.QuadPart) > kMaxImageBytes)
        return false;
    image.resize(size_t(size.QuadPart));
    DWORD read = 0;
    return ::ReadFile(file.Get(), image.data(), DWORD(image.size()), &read, nullptr) && read == image.size();
}

DWORD ReadU32(const CBytes& image, size_t offset)
{
    DWORD value = 0;
    memcpy(&value, image.data() + offset, sizeof(value));
    return value;
}

// Where the parts the digest leaves out lie: the header checksum, the
// security directory entry and the certificate table it points at.
struct TSignedImage {
    size_t checksumOffset = 0;
    size_t directoryOffset = 0;
    size_t tableOffset = 0;
    size_t tableSize = 0;
};

enum class ECertificateTable { None, Damaged, Present };

ECertificateTable LocateCertificateTable(const CBytes& image, TSignedImage& layout)
{
    using E = ECertificateTable;
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z')
        return E::None;
    const size_t header = ReadU32(image, 0x3C);
    const size_t optional = header + 24;
    if (header > image.size() || optional + 2 > image.size() || ReadU32(image, header) != IMAGE_NT_SIGNATURE)
        return E::None;
    const WORD magic = WORD(image[optional] | image[optional + 1] << 8);
    size_t directories = 0, directoryCount = 0;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        directories = optional + 96, directoryCount = optional + 92;
    else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        directories = optional + 112, directoryCount = optional + 108;
    else
        return E::None;
    layout.checksumOffset = optional + 64;
    layout.directoryOffset = directories + kSecurityDirectory * 8;
    if (layout.directoryOffset + 8 > image.size() || ReadU32(image, directoryCount) <= kSecurityDirectory)
        return E::None;
    layout.tableOffset = ReadU32(image, layout.directoryOffset);
    layout.tableSize = ReadU32(image, layout.directoryOffset + 4);
    if (layout.tableOffset == 0 && layout.tableSize == 0)
        return E::None;
    const bool inside = layout.tableSize >= 8 && layout.tableOffset >= layout.directoryOffset + 8 &&
                        layout.tableOffset <= image.size() && layout.tableSize <= image.size() - layout.tableOffset;
    return inside ? E::Present : E::Damaged;
}

struct TPiece {
    const BYTE* data;
    size_t size;
};

bool Digest(ALG_ID algorithm, std::initializer_list<TPiece> pieces, CBytes& digest)
{
    if (GET_ALG_CLASS(algorithm) != ALG_CLASS_HASH)
        return false;
    CCryptProvider provider;
    CCryptHash hash;
    if (!::CryptAcquireContextW(provider.Receive(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
        !::CryptCreateHash(provider.Get(), algorithm, 0, 0, hash.Receive()))
        return false;
    for (const TPiece& piece : pieces)
        if (piece.size && !::CryptHashData(hash.Get(), piece.data, DWORD(piece.size), 0))
            return false;
    DWORD size = 0;
    if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, nullptr, &size, 0))
        return false;
    digest.resize(size);
    return ::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest.data(), &size, 0) != FALSE;
}

// The image without the checksum, the security directory entry and the
// certificate table.
bool ImageDigest(const CBytes& image, const TSignedImage& layout, ALG_ID algorithm, CBytes& digest)
{
    const BYTE* base = image.data();
    const size_t tableEnd = layout.tableOffset + layout.tableSize;
    return Digest(algorithm,
                  {{base, layout.checksumOffset},
                   {base + layout.checksumOffset + 4, layout.directoryOffset - layout.checksumOffset - 4},
                   {base + layout.directoryOffset + 8, layout.tableOffset - layout.directoryOffset - 8},
                   {base + tableEnd, image.size() - tableEnd}},
                  digest);
}

// Authenticode signs the digest of the indirect data's contents without its
// own tag and length, which the message layer does not hash that way.
bool ContentDigest(const CBytes& content, ALG_ID algorithm, CBytes& digest)
{
    if (content.size() < 2)
        return false;
    size_t header = 2;
    if (content[1] & 0x80)
        header += content[1] & 0x7F;
    return header <= content.size() && Digest(algorithm, {{content.data() + header, content.size() - header}}, digest);
}

bool MessageParam(HCRYPTMSG message, DWORD param, DWORD index, CBytes& value)
{
    DWORD size = 0;
    if (!::CryptMsgGetParam(message, param, index, nullptr, &size))
        return false;
    value.resize(size);
    return ::CryptMsgGetParam(message, param, index, value.data(), &size) != FALSE;
}

bool SameBytes(const BYTE* data, DWORD size, const CBytes& expected)
{
    return size == expected.size() && memcmp(data, expected.data(), size) == 0;
}

// The first signer's signature over the signed attributes, and the content
// digest those attributes carry.
bool SignerCoversContent(HCRYPTMSG message, const CBytes& content)
{
    CBytes signerCertInfo, signerInfo;
    if (!MessageParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, signerCertInfo) ||
        !MessageParam(message, CMSG_SIGNER_INFO_PARAM, 0, signerInfo))
        return false;
    CCertStore store(::CertOpenStore(CERT_STORE_PROV_MSG, kEncoding, 0, 0, message));
    CCertContext signer(store ? ::CertGetSubjectCertificateFromStore(
                                    store.Get(), kEncoding, reinterpret_cast<CERT_INFO*>(signerCertInfo.data()))
                              : nullptr);
    if (!signer || !::CryptMsgControl(message, 0, CMSG_CTRL_VERIFY_SIGNATURE, signer.Get()->pCertInfo))
        return false;

    const auto* info = reinterpret_cast<const CMSG_SIGNER_INFO*>(signerInfo.data());
    CBytes computed;
    if (!ContentDigest(content, ::CertOIDToAlgId(info->HashAlgorithm.pszObjId), computed))
        return false;
    for (DWORD i = 0; i < info->AuthAttrs.cAttr; ++i) {
        const CRYPT_ATTRIBUTE& attribute = info->AuthAttrs.rgAttr[i];
        if (lstrcmpA(attribute.pszObjId, szOID_PKCS_9_MESSAGE_DIGEST) != 0 || attribute.cValue != 1)
            continue;
        CRYPT_DATA_BLOB* recorded = nullptr;
        DWORD size = 0;
        if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, X509_OCTET_STRING, attribute.rgValue[0].pbData,
                                   attribute.rgValue[0].cbData, CRYPT_DECODE_ALLOC_FLAG, nullptr, &recorded,
                                   &size))
            return false;
        std::unique_ptr<CRYPT_DATA_BLOB, TLocalFree> owned(recorded);
        return SameBytes(recorded->pbData, recorded->cbData, computed);
    }
    return false;
}

} // namespace

bool CDigitalCertify::IsSignatureDigestIntact(const wchar_t* path)
{
    CBytes image;
    TSignedImage layout;
    if (!path || !ReadImage(path, image))
        return true; // nothing readable here, so nothing contradicts the file
    switch (LocateCertificateTable(image, layout)) {
    case ECertificateTable::None:
        return true;
    case ECertificateTable::Damaged:
        return false;
    case ECertificateTable::Present:
        break;
    }
    const DWORD length = ReadU32(image, layout.tableOffset);
    const WORD type = WORD(image[layout.tableOffset + 6] | image[layout.tableOffset + 7] << 8);
    if (length <= 8 || length > layout.tableSize || type != WIN_CERT_TYPE_PKCS_SIGNED_DATA)
        return false;

    CCryptMsg message(::CryptMsgOpenToDecode(kEncoding, 0, 0, 0, nullptr, nullptr));
    if (!message || !::CryptMsgUpdate(message.Get(), image.data() + layout.tableOffset + 8, length - 8, TRUE))
        return false;
    CBytes contentType, content;
    if (!MessageParam(message.Get(), CMSG_INNER_CONTENT_TYPE_PARAM, 0, contentType) ||
        lstrcmpA(reinterpret_cast<const char*>(contentType.data()), SPC_INDIRECT_DATA_OBJID) != 0 ||
        !MessageParam(message.Get(), CMSG_CONTENT_PARAM, 0, content))
        return false;

    SPC_INDIRECT_DATA_CONTENT* indirect = nullptr;
    DWORD size = 0;
    if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, SPC_INDIRECT_DATA_CONTENT_STRUCT, content.data(),
                               DWORD(content.size()), CRYPT_DECODE_ALLOC_FLAG, nullptr, &indirect, &size))
        return false;
    std::unique_ptr<SPC_INDIRECT_DATA_CONTENT, TLocalFree> owned(indirect);
    const ALG_ID algorithm = ::CertOIDToAlgId(indirect->DigestAlgorithm.pszObjId);
    CBytes digest;
    if (!ImageDigest(image, layout, algorithm, digest) ||
        !SameBytes(indirect->Digest.pbData, indirect->Digest.cbData, digest))
        return false;
    return SignerCoversContent(message.Get(), content);
}
