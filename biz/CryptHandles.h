#pragma once
// Owners for the certificate, message and catalog handles of the trust checks.
#include <windows.h>
#include <wincrypt.h>
#include <mscat.h>

#include "base/ScopedHandle.h"

namespace HandleTraits {

struct CertStore {
    using Handle = HCERTSTORE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CertCloseStore(h, 0); }
};

struct CryptMsg {
    using Handle = HCRYPTMSG;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CryptMsgClose(h); }
};

struct CertContext {
    using Handle = PCCERT_CONTEXT;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CertFreeCertificateContext(h); }
};

struct CertChain {
    using Handle = PCCERT_CHAIN_CONTEXT;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CertFreeCertificateChain(h); }
};

struct CryptProvider {
    using Handle = HCRYPTPROV;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle h) noexcept { ::CryptReleaseContext(h, 0); }
};

struct CryptHash {
    using Handle = HCRYPTHASH;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle h) noexcept { ::CryptDestroyHash(h); }
};

struct CatAdmin {
    using Handle = HCATADMIN;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CryptCATAdminReleaseContext(h, 0); }
};

} // namespace HandleTraits

using CCertStore = CScopedHandle<HandleTraits::CertStore>;
using CCryptMsg = CScopedHandle<HandleTraits::CryptMsg>;
using CCertContext = CScopedHandle<HandleTraits::CertContext>;
using CCertChain = CScopedHandle<HandleTraits::CertChain>;
using CCryptProvider = CScopedHandle<HandleTraits::CryptProvider>;
using CCryptHash = CScopedHandle<HandleTraits::CryptHash>;
using CCatAdmin = CScopedHandle<HandleTraits::CatAdmin>;

// A catalog found for a file hash; released through its administrator context.
class CCatalogInfo {
public:
    CCatalogInfo(HCATADMIN admin, HCATINFO info) noexcept : m_admin(admin), m_info(info) {}
    ~CCatalogInfo()
    {
        if (m_info)
            ::CryptCATAdminReleaseCatalogContext(m_admin, m_info, 0);
    }
    CCatalogInfo(const CCatalogInfo&) = delete;
    CCatalogInfo& operator=(const CCatalogInfo&) = delete;
    HCATINFO Get() const noexcept { return m_info; }

private:
    HCATADMIN m_admin;
    HCATINFO m_info;
};
