// The Authenticode image digest of a module, checked offline: the digest the
// signature records must be the file's own, and the signer's signature must
// cover that record. No trust provider runs here (that costs hundreds of
// milliseconds at start-up); who signed is decided by the thumbprint and
// name checks that follow.
#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"
#include "biz/EmbeddedSignature.h"
#include "biz/ModuleFile.h"

namespace {

using CBytes = std::vector<BYTE>;

struct TLocalFree {
    void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

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
bool ImageDigest(const TEmbeddedSignature& signature, ALG_ID algorithm, CBytes& digest)
{
    const BYTE* base = signature.image.data();
    const size_t tableEnd = signature.tableOffset + signature.tableSize;
    return Digest(algorithm,
                  {{base, signature.checksumOffset},
                   {base + signature.checksumOffset + 4, signature.directoryOffset - signature.checksumOffset - 4},
                   {base + signature.directoryOffset + 8, signature.tableOffset - signature.directoryOffset - 8},
                   {base + tableEnd, signature.image.size() - tableEnd}},
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

bool SameBytes(const BYTE* data, DWORD size, const CBytes& expected)
{
    return size == expected.size() && memcmp(data, expected.data(), size) == 0;
}

// The first signer's signature over the signed attributes, and the content
// digest those attributes carry.
bool SignerCoversContent(HCRYPTMSG message, const CBytes& content)
{
    CBytes signerInfo;
    if (!MessageParam(message, CMSG_SIGNER_INFO_PARAM, 0, signerInfo))
        return false;
    CCertContext signer = FindSignerCertificate(message);
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

bool IsImageDigestIntact(ESignatureRead read, const TEmbeddedSignature& signature)
{
    switch (read) {
    case ESignatureRead::None:
        return true; // nothing signed here, so nothing contradicts the file
    case ESignatureRead::Damaged:
        return false;
    case ESignatureRead::Present:
        break;
    }
    HCRYPTMSG message = signature.message.Get();
    CBytes contentType, content;
    if (!MessageParam(message, CMSG_INNER_CONTENT_TYPE_PARAM, 0, contentType) ||
        lstrcmpA(reinterpret_cast<const char*>(contentType.data()), SPC_INDIRECT_DATA_OBJID) != 0 ||
        !MessageParam(message, CMSG_CONTENT_PARAM, 0, content))
        return false;

    SPC_INDIRECT_DATA_CONTENT* indirect = nullptr;
    DWORD size = 0;
    if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, SPC_INDIRECT_DATA_CONTENT_STRUCT, content.data(),
                               DWORD(content.size()), CRYPT_DECODE_ALLOC_FLAG, nullptr, &indirect, &size))
        return false;
    std::unique_ptr<SPC_INDIRECT_DATA_CONTENT, TLocalFree> owned(indirect);
    CBytes digest;
    if (!ImageDigest(signature, ::CertOIDToAlgId(indirect->DigestAlgorithm.pszObjId), digest) ||
        !SameBytes(indirect->Digest.pbData, indirect->Digest.cbData, digest))
        return false;
    return SignerCoversContent(message, content);
}

bool CDigitalCertify::IsSignatureDigestIntact(const wchar_t* path)
{
    // A file that cannot be read vouches for nothing.
    CModuleFile file(path ? path : L"");
    if (file.State() != CModuleFile::EState::Opened)
        return false;
    TEmbeddedSignature signature(file.Bytes());
    return IsImageDigestIntact(ReadEmbeddedSignature(signature), signature);
}
