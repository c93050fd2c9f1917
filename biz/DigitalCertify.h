#pragma once
// Decides whether a module file outside the executable may be loaded, from
// its Authenticode signature: optionally a full WinVerifyTrust check, then the
// signing certificate's thumbprint against the maker's list, and as a last
// resort the signer's name, for a certificate a trusted root vouches for.
#include <string>
#include <vector>

#include "base/ScopedHandle.h"

class CModuleFile;

class CDigitalCertify {
public:
    // Verification modes, read once per process from "CheckDigitalCertify"
    // (config.ini beside the module, else a configuration document only
    // administrators can change).
    enum : int {
        kModeUnread = -1,
        kModeDefault = 1,   // thumbprint and name checks only
        kModeWinTrust = 2,  // WinVerifyTrust first
        kModeAcceptAll = 3, // every existing file is accepted unchecked
    };

    CDigitalCertify();
    CDigitalCertify(const CDigitalCertify&) = delete;
    CDigitalCertify& operator=(const CDigitalCertify&) = delete;

    // True when the file may be loaded; every refusal is logged. The file is
    // opened and read once; every decision is made on that one read.
    bool CheckSignature(const wchar_t* path);
    // The same for a file the caller holds open until it is loaded.
    bool CheckSignature(const CModuleFile& file);

    // True when `thumbprint` equals a list entry exactly (lower-case entries only ever match).
    bool IsTrustedThumbprint(const std::wstring& thumbprint) const;
    const std::vector<std::wstring>& Thumbprints() const { return m_thumbprints; }

    // WinVerifyTrust on the file's catalog signature when a system catalog
    // lists it, otherwise on its embedded signature.
    static bool VerifyTrust(const wchar_t* path);
    static bool VerifyTrust(const CModuleFile& file);

    // False when the file carries a signature that does not vouch for it
    // (see IsImageDigestIntact) or cannot be read. A file without signature
    // passes (the thumbprint and name checks refuse it).
    static bool IsSignatureDigestIntact(const wchar_t* path);

    // SHA-1 thumbprint of the embedded signature's signing certificate as 40
    // lower-case hex digits; empty when the file carries no usable signature.
    static std::wstring GetSignerThumbprint(const wchar_t* path);

    // Simple display name of the signing certificate.
    static bool GetSignerName(const wchar_t* path, std::wstring& name);

    // Whether a root this machine trusts vouches for the signing certificate.
    static bool IsSignerChainTrusted(const wchar_t* path);

    // The process-wide mode (kModeUnread until the first check).
    static int VerificationMode();

private:
    std::vector<std::wstring> m_thumbprints;
    CCriticalSection m_lock;
};

// Splits a ";"-separated thumbprint list; empty pieces are skipped, nothing is trimmed.
std::vector<std::wstring> SplitThumbprintList(const std::wstring& list);

namespace DigitalCertifyTesting {
// Forgets the mode and the configured thumbprints, so the next check reads the configuration again.
void Reset();
} // namespace DigitalCertifyTesting
