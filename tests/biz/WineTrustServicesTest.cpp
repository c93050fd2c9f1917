// What the trust services of the Wine this project tests under (8.0) do with
// the build's signed files. Windows is stricter in one respect: it refuses a
// self-signed certificate (CERT_E_UNTRUSTEDROOT), where Wine accepts any
// intact signature whatever its chain, usage or validity period.
#include <gtest/gtest.h>

#include <windows.h>
#include <wincrypt.h>
#include <mscat.h>
#include <softpub.h>
#include <wintrust.h>

#include <algorithm>
#include <cctype>

#include "biz/CryptHandles.h"
#include "biz/DigitalCertify.h"
#include "biz/Logger.h"
#include "tests/biz/TrustTestSupport.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using TrustTest::MirtelBuild;

LONG VerifyFile(const std::wstring& path)
{
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_IGNORE;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    return ::WinVerifyTrust(nullptr, &action, &data);
}

std::vector<BYTE> CatalogHash(const std::wstring& path)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::vector<BYTE> hash(100);
    DWORD size = static_cast<DWORD>(hash.size());
    if (!file || !::CryptCATAdminCalcHashFromFileHandle(file.Get(), &size, hash.data(), 0))
        return {};
    hash.resize(size);
    return hash;
}

std::vector<BYTE> Sha1(const std::string& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::vector<BYTE> digest(20);
    DWORD size = 20;
    bool ok = ::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
              ::CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash) &&
              ::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
              ::CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0);
    if (hash)
        ::CryptDestroyHash(hash);
    if (provider)
        ::CryptReleaseContext(provider, 0);
    return ok ? digest : std::vector<BYTE>();
}

// A signed copy with one byte of its code changed after signing.
std::wstring TamperedCopy(const std::wstring& variant, const TestEnv::CScratchFolder& folder)
{
    std::string bytes = TestEnv::ReadFileBytes(MirtelBuild(variant));
    bytes[bytes.size() / 2] ^= 0x5A;
    std::wstring path = folder.File(L"tampered.dll");
    TestEnv::WriteFileBytes(path, bytes);
    return path;
}

// The image digest osslsigncode computes for a file, as raw bytes.
std::string ImageDigest(const std::wstring& path)
{
    std::string output;
    TestEnv::RunUnixCommand("osslsigncode verify -in '" + TestEnv::UnixPathOf(path) +
                                "' 2>/dev/null | sed -n 's/^Calculated message digest *: *//p'",
                            output);
    std::string digest;
    for (size_t i = 0; i + 1 < output.size() && isxdigit(output[i]) && isxdigit(output[i + 1]); i += 2)
        digest += static_cast<char>(std::stoi(output.substr(i, 2), nullptr, 16));
    return digest;
}

} // namespace

TEST(WineTrustServices, WinVerifyTrustAcceptsAnIntactSelfSignedSignature)
{
    EXPECT_EQ(VerifyFile(MirtelBuild(L"signed")), 0);
    EXPECT_EQ(VerifyFile(MirtelBuild(L"signed-contoso")), 0);
    EXPECT_TRUE(CDigitalCertify::VerifyTrust(MirtelBuild(L"signed").c_str()));
}

TEST(WineTrustServices, WinVerifyTrustReportsAMissingSignature)
{
    EXPECT_EQ(VerifyFile(MirtelBuild(L"unsigned")), TRUST_E_NOSIGNATURE);
}

TEST(WineTrustServices, WinVerifyTrustChecksTheImageDigest)
{
    TestEnv::CScratchFolder folder(L"wintrust");
    std::wstring tampered = TamperedCopy(L"signed", folder);
    EXPECT_EQ(VerifyFile(tampered), TRUST_E_BAD_DIGEST);
    EXPECT_FALSE(CDigitalCertify::IsSignatureDigestIntact(tampered.c_str()));
    EXPECT_TRUE(CDigitalCertify::IsSignatureDigestIntact(MirtelBuild(L"signed").c_str()));
    EXPECT_TRUE(CDigitalCertify::IsSignatureDigestIntact(MirtelBuild(L"unsigned").c_str()));
}

TEST(WineTrustServices, ADigestRewrittenToMatchAlteredCodeIsRefused)
{
    // An attacker can recompute the image digest but cannot re-sign it: the
    // signed attributes still carry the digest of the original record.
    TestEnv::CScratchFolder folder(L"wintrust");
    const std::wstring signedPath = MirtelBuild(L"signed");
    const std::wstring tampered = TamperedCopy(L"signed", folder);
    const std::string original = ImageDigest(signedPath);
    const std::string altered = ImageDigest(tampered);
    ASSERT_EQ(original.size(), 32u);
    ASSERT_NE(original, altered);

    std::string bytes = TestEnv::ReadFileBytes(tampered);
    size_t at = bytes.find(original);
    ASSERT_NE(at, std::string::npos) << "the signature records the SHA-256 image digest";
    std::copy(altered.begin(), altered.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    const std::wstring forged = folder.File(L"forged.dll");
    TestEnv::WriteFileBytes(forged, bytes);

    EXPECT_FALSE(CDigitalCertify::IsSignatureDigestIntact(forged.c_str()));
    // Wine's trust provider compares only the image digest, so it takes the forgery.
    EXPECT_EQ(VerifyFile(forged), 0);
    // Signatures cut short or pointing past the file vouch for nothing either.
    std::string cut = TestEnv::ReadFileBytes(signedPath);
    cut.resize(cut.size() - 100);
    TestEnv::WriteFileBytes(folder.File(L"cut.dll"), cut);
    EXPECT_FALSE(CDigitalCertify::IsSignatureDigestIntact(folder.File(L"cut.dll").c_str()));
}

TEST(WineTrustServices, TheSignerIsReadableFromATamperedFile)
{
    // Why the check insists on an intact digest before it trusts a thumbprint.
    TestEnv::CScratchFolder folder(L"wintrust");
    EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(TamperedCopy(L"signed", folder).c_str()),
              TrustTest::CertificateThumbprint("tamsel"));
}

TEST(WineTrustServices, OurVerifyTrustRetriesTwelveTimesAndLogsTheLastResult)
{
    LogLevel = kLogInfo;
    TestLog::CLogCapture log;
    EXPECT_FALSE(CDigitalCertify::VerifyTrust(MirtelBuild(L"unsigned").c_str()));
    EXPECT_TRUE(log.Contains(L"error times:12 result:" + std::to_wstring(static_cast<int>(TRUST_E_NOSIGNATURE))))
        << TrustTest::ToUtf8(log.Text());
    log.Clear();
    EXPECT_TRUE(CDigitalCertify::VerifyTrust(MirtelBuild(L"signed").c_str()));
    EXPECT_FALSE(log.Contains(L"error times"));
    EXPECT_FALSE(CDigitalCertify::VerifyTrust(nullptr));
}

TEST(WineTrustServices, CatalogHashIsTheSha1OfTheWholeFile)
{
    // Windows hashes the image without its signature; Wine hashes every byte,
    // so a signed file and its unsigned original hash differently.
    CCatAdmin admin;
    ASSERT_TRUE(::CryptCATAdminAcquireContext(admin.Receive(), nullptr, 0));
    for (const std::wstring& path : {MirtelBuild(L"signed"), MirtelBuild(L"unsigned")}) {
        std::vector<BYTE> hash = CatalogHash(path);
        ASSERT_EQ(hash.size(), 20u);
        EXPECT_EQ(hash, Sha1(TestEnv::ReadFileBytes(path)));
    }
    EXPECT_NE(CatalogHash(MirtelBuild(L"signed")), CatalogHash(MirtelBuild(L"unsigned")));
}

TEST(WineTrustServices, NoSystemCatalogListsTheBuildsFiles)
{
    CCatAdmin admin;
    ASSERT_TRUE(::CryptCATAdminAcquireContext(admin.Receive(), nullptr, 0));
    std::vector<BYTE> hash = CatalogHash(MirtelBuild(L"signed"));
    ASSERT_FALSE(hash.empty());
    CCatalogInfo catalog(admin.Get(),
                         ::CryptCATAdminEnumCatalogFromHash(admin.Get(), hash.data(), static_cast<DWORD>(hash.size()), 0,
                                                            nullptr));
    EXPECT_EQ(catalog.Get(), nullptr);
}
