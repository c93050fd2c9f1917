#pragma once
// The Authenticode signature a module file carries in its certificate table,
// read straight from the image: the PKCS #7 message and where the parts the
// image digest leaves out lie.
#include <windows.h>

#include <string>
#include <vector>

#include "biz/CryptHandles.h"

struct TEmbeddedSignature {
    explicit TEmbeddedSignature(const std::vector<BYTE>& file) : image(file) {}

    const std::vector<BYTE>& image; // the whole file, as read once by the caller
    size_t checksumOffset = 0;   // header checksum (4 bytes)
    size_t directoryOffset = 0;  // security directory entry (8 bytes)
    size_t tableOffset = 0;      // certificate table
    size_t tableSize = 0;
    CCryptMsg message;           // decoded signed data
};

enum class ESignatureRead {
    None,    // unreadable, not a PE image, or no certificate table
    Damaged, // a certificate table that is out of bounds or holds no usable signature
    Present,
};

ESignatureRead ReadEmbeddedSignature(TEmbeddedSignature& signature);

// False when the file carries a signature that does not vouch for it: the
// recorded image digest differs from the file's, or the signer's signature
// does not cover the record. A file without signature passes (nothing here
// names a signer for it). Builds no certificate chain.
bool IsImageDigestIntact(ESignatureRead read, const TEmbeddedSignature& signature);

// SHA-1 thumbprint of the signing certificate as 40 lower-case hex digits;
// empty when there is no usable signature.
std::wstring SignerThumbprint(const TEmbeddedSignature& signature);

// Simple display name of the signing certificate.
bool SignerName(const TEmbeddedSignature& signature, std::wstring& name);

// Whether the signing certificate chains, for code signing and without any
// error, to a root this machine trusts (certificates the signature carries
// may fill the gaps).
bool SignerChainsToTrustedRoot(const TEmbeddedSignature& signature);

// One parameter of a decoded message (CryptMsgGetParam's size-then-data calls).
bool MessageParam(HCRYPTMSG message, DWORD param, DWORD index, std::vector<BYTE>& value);

// The first signer's certificate among those the message carries.
CCertContext FindSignerCertificate(HCRYPTMSG message);
