#pragma once
// The Authenticode signature a module file carries in its certificate table,
// read straight from the image: the PKCS #7 message and where the parts the
// image digest leaves out lie.
#include <windows.h>

#include <vector>

#include "biz/CryptHandles.h"

struct TEmbeddedSignature {
    std::vector<BYTE> image;     // the whole file
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

ESignatureRead ReadEmbeddedSignature(const wchar_t* path, TEmbeddedSignature& signature);

// One parameter of a decoded message (CryptMsgGetParam's size-then-data calls).
bool MessageParam(HCRYPTMSG message, DWORD param, DWORD index, std::vector<BYTE>& value);

// The first signer's certificate among those the message carries.
CCertContext FindSignerCertificate(HCRYPTMSG message);
