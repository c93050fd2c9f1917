// WinVerifyTrust on a module file: through a system catalog that lists the
// file's hash when there is one, otherwise on its embedded signature.
#include <windows.h>
#include <softpub.h>
#include <wintrust.h>

#include <cstdio>
#include <string>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"
#include "biz/Logger.h"
#include "biz/ModuleFile.h"

namespace {

// The trust data with the signature-settings pointer of newer systems (52
// bytes in 32-bit builds); the pointer stays null.
struct TTrustData {
    WINTRUST_DATA data;
    void* signatureSettings;
};

// The catalog information with the administrator handle of newer systems
// (40 bytes in 32-bit builds); the handle stays null.
struct TCatalogInfo {
    WINTRUST_CATALOG_INFO info;
    HCATADMIN catAdmin;
};

#if defined(__i386__)
static_assert(sizeof(TTrustData) == 52, "32-bit trust data");
static_assert(sizeof(TCatalogInfo) == 40, "32-bit catalog information");
static_assert(sizeof(WINTRUST_FILE_INFO) == 16, "32-bit file information");
#endif

// A failing first call is retried at once, up to this many times.
constexpr int kMaxRetries = 12;

LONG CallWinVerifyTrust(WINTRUST_DATA& data)
{
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    return ::WinVerifyTrust(nullptr, &action, &data);
}

bool RewindFile(HANDLE file)
{
    LARGE_INTEGER start{};
    return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
}

std::wstring HexUpper(const BYTE* bytes, DWORD size)
{
    std::wstring text;
    for (DWORD i = 0; i < size; ++i) {
        wchar_t digits[3] = {};
        std::swprintf(digits, 3, L"%02X", bytes[i]);
        text += digits;
    }
    return text;
}

} // namespace

bool CDigitalCertify::VerifyTrust(const wchar_t* path)
{
    return VerifyTrust(CModuleFile(path ? path : L""));
}

bool CDigitalCertify::VerifyTrust(const CModuleFile& file)
{
    if (file.State() != CModuleFile::EState::Opened)
        return false;
    CCatAdmin admin;
    if (!::CryptCATAdminAcquireContext(admin.Receive(), nullptr, 0))
        return false;

    // Every read goes through the held handle, from the file's start.
    const HANDLE handle = file.Handle();
    const wchar_t* path = file.Path().c_str();
    BYTE hash[100] = {};
    DWORD hashSize = sizeof(hash);
    if (!RewindFile(handle) || !::CryptCATAdminCalcHashFromFileHandle(handle, &hashSize, hash, 0) ||
        hashSize > sizeof(hash))
        hashSize = 0;
    std::wstring memberTag = HexUpper(hash, hashSize);

    CCatalogInfo catalog(admin.Get(), hashSize ? ::CryptCATAdminEnumCatalogFromHash(admin.Get(), hash, hashSize,
                                                                                     0, nullptr)
                                               : nullptr);
    CATALOG_INFO catalogFile{};
    catalogFile.cbStruct = sizeof(catalogFile);

    TTrustData trustData{};
    WINTRUST_DATA& data = trustData.data;
    data.cbStruct = sizeof(trustData);
    data.dwUIChoice = WTD_UI_NONE;
    data.dwStateAction = WTD_STATEACTION_IGNORE;

    TCatalogInfo catalogInfo{};
    WINTRUST_FILE_INFO fileInfo{};
    if (catalog.Get() && ::CryptCATCatalogInfoFromContext(catalog.Get(), &catalogFile, 0)) {
        catalogInfo.info.cbStruct = sizeof(catalogInfo);
        catalogInfo.info.dwCatalogVersion = 0;
        catalogInfo.info.pcwszCatalogFilePath = catalogFile.wszCatalogFile;
        catalogInfo.info.pcwszMemberTag = memberTag.c_str();
        catalogInfo.info.pcwszMemberFilePath = path;
        catalogInfo.info.hMemberFile = handle;
        data.dwUnionChoice = WTD_CHOICE_CATALOG;
        data.pCatalog = &catalogInfo.info;
        data.fdwRevocationChecks = WTD_REVOKE_WHOLECHAIN;
        data.dwProvFlags = 0;
    } else {
        fileInfo.cbStruct = sizeof(fileInfo);
        fileInfo.pcwszFilePath = path;
        fileInfo.hFile = handle;
        data.dwUnionChoice = WTD_CHOICE_FILE;
        data.pFile = &fileInfo;
        data.fdwRevocationChecks = WTD_REVOKE_NONE;
        data.dwProvFlags = WTD_SAFER_FLAG;
    }

    LONG result = RewindFile(handle) ? CallWinVerifyTrust(data) : TRUST_E_NOSIGNATURE;
    if (result != 0) {
        int retries = 0;
        while (result != 0 && retries < kMaxRetries) {
            result = RewindFile(handle) ? CallWinVerifyTrust(data) : TRUST_E_NOSIGNATURE;
            ++retries;
        }
        LOG_INFO(L"DigitalCertify", L"error times:%d result:%d", retries, static_cast<int>(result));
    }
    if (result != 0)
        return false;
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    CallWinVerifyTrust(data);
    return true;
}
