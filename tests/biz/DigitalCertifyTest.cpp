// The signature check against files this build signed with its own certificates.
#include <gtest/gtest.h>

#include "biz/ConfigManager.h"
#include "biz/DigitalCertify.h"
#include "biz/Logger.h"
#include "base/ScopedHandle.h"
#include "biz/libutils.h"
#include "tests/biz/TrustTestSupport.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using TrustTest::CertificateThumbprint;
using TrustTest::MirtelBuild;

std::string UpperCase(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool Check(const std::wstring& path)
{
    CDigitalCertify verifier;
    return verifier.CheckSignature(path.c_str());
}

class SignatureCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        LogLevel = kLogInfo;
        DigitalCertifyTesting::Reset();
    }
    void TearDown() override { DigitalCertifyTesting::Reset(); }

    // A copy of a build's mirtel.dll under a name of the test's choosing.
    std::wstring Copy(const std::wstring& variant, const std::wstring& name)
    {
        std::wstring path = m_folder.File(name);
        TrustTest::CopyOrFail(MirtelBuild(variant), path);
        return path;
    }

    TestEnv::CScratchFolder m_folder{L"certify"};
};

} // namespace

TEST(SignerCertificate, ThumbprintIsTheCertificatesSha1InLowerCase)
{
    std::wstring expected = CertificateThumbprint("tamsel");
    ASSERT_EQ(expected.size(), 40u);
    EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(MirtelBuild(L"signed").c_str()), expected);
    EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(MirtelBuild(L"signed-contoso").c_str()),
              CertificateThumbprint("contoso"));
}

TEST(SignerCertificate, NameIsTheSimpleDisplayName)
{
    std::wstring name;
    ASSERT_TRUE(CDigitalCertify::GetSignerName(MirtelBuild(L"signed").c_str(), name));
    EXPECT_EQ(name, L"Tamsel Build Signing");
    ASSERT_TRUE(CDigitalCertify::GetSignerName(MirtelBuild(L"signed-orvane").c_str(), name));
    EXPECT_EQ(name, L"ORVANE Labs Test Signing");
}

TEST(SignerCertificate, UnsignedMissingAndForeignFilesHaveNone)
{
    TestEnv::CScratchFolder folder(L"signer");
    TestEnv::WriteFileBytes(folder.File(L"text.dll"), "MZ this is not a program");
    TestEnv::WriteFileBytes(folder.File(L"empty.dll"), "");
    std::wstring name = L"unchanged";
    for (const std::wstring& path : {MirtelBuild(L"unsigned"), folder.File(L"text.dll"), folder.File(L"empty.dll"),
                                     folder.File(L"absent.dll"), folder.Path()}) {
        EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(path.c_str()), L"") << TrustTest::ToUtf8(path);
        EXPECT_FALSE(CDigitalCertify::GetSignerName(path.c_str(), name)) << TrustTest::ToUtf8(path);
    }
    EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(nullptr), L"");
    EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(std::wstring(400, L'a').c_str()), L"");
    EXPECT_EQ(name, L"unchanged");
}

TEST(ThumbprintList, SplitsAtSemicolonsSkippingEmptyPieces)
{
    EXPECT_EQ(SplitThumbprintList(L";;abc;"), std::vector<std::wstring>{L"abc"});
    EXPECT_EQ(SplitThumbprintList(L"a;b"), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(SplitThumbprintList(L" a ;"), std::vector<std::wstring>{L" a "});
    EXPECT_TRUE(SplitThumbprintList(L"").empty());
    EXPECT_TRUE(SplitThumbprintList(L";;;").empty());
}

TEST(ThumbprintList, AnEmptyThumbprintIsNeverTrusted)
{
    CDigitalCertify verifier;
    EXPECT_FALSE(verifier.IsTrustedThumbprint(L""));
}

TEST_F(SignatureCheck, AMissingFileIsRejectedBeforeTheConfigurationIsRead)
{
    TestLog::CLogCapture log;
    std::wstring path = m_folder.File(L"absent.dll");
    EXPECT_FALSE(Check(path));
    EXPECT_TRUE(log.Contains(L"file not exit. check signature error:" + path));
    EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeUnread);
    CDigitalCertify verifier;
    EXPECT_FALSE(verifier.CheckSignature(nullptr));
    EXPECT_FALSE(Check(m_folder.Path())); // a folder is not a file
    EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeUnread);
}

TEST_F(SignatureCheck, AListedThumbprintIsAcceptedWithoutTheNameCheck)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    TestLog::CLogCapture log;
    EXPECT_TRUE(Check(Copy(L"signed", L"mirtel.dll")));
    EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeDefault);
    EXPECT_FALSE(log.Contains(L"DigitalCertify")) << TrustTest::ToUtf8(log.Text());
}

TEST_F(SignatureCheck, AnUnsignedFileIsRejectedWithTwoMessages)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    std::wstring path = Copy(L"unsigned", L"mirtel.dll");
    TestLog::CLogCapture log;
    EXPECT_FALSE(Check(path));
    std::wstring text = log.Text();
    size_t first = text.find(L"sigverify_getThrumbPrint failed:" + path);
    size_t second = text.find(L"check signature error:" + path);
    ASSERT_NE(first, std::wstring::npos);
    ASSERT_NE(second, std::wstring::npos);
    EXPECT_LT(first, second);

    // The first is an error (level 1), the second information (level 3).
    LogLevel = kLogError;
    log.Clear();
    EXPECT_FALSE(Check(path));
    EXPECT_TRUE(log.Contains(L"sigverify_getThrumbPrint failed:" + path));
    EXPECT_FALSE(log.Contains(L"check signature error:"));
}

TEST_F(SignatureCheck, AnUpperCaseListEntryNeverMatches)
{
    TrustTest::CConfigIni ini("[config]\r\nThrumbPrintsList=" + UpperCase(TrustTest::ToUtf8(CertificateThumbprint("tamsel"))) +
                              "\r\n");
    EXPECT_FALSE(Check(Copy(L"signed", L"mirtel.dll")));
}

TEST_F(SignatureCheck, SeparatorsAroundOneThumbprintAddExactlyThatOne)
{
    std::string thumbprint = TrustTest::ToUtf8(CertificateThumbprint("tamsel"));
    TrustTest::CConfigIni ini("[config]\r\nThrumbPrintsList=;;" + thumbprint + ";\r\n");
    CDigitalCertify verifier;
    size_t builtIn = verifier.Thumbprints().size();
    EXPECT_TRUE(verifier.CheckSignature(Copy(L"signed", L"mirtel.dll").c_str()));
    ASSERT_EQ(verifier.Thumbprints().size(), builtIn + 1);
    EXPECT_EQ(verifier.Thumbprints().back(), CertificateThumbprint("tamsel"));
}

TEST_F(SignatureCheck, SeveralListedThumbprintsAreAllTrusted)
{
    TrustTest::CConfigIni ini("[config]\r\nThrumbPrintsList=" + TrustTest::ToUtf8(CertificateThumbprint("contoso")) + ";" +
                              TrustTest::ToUtf8(CertificateThumbprint("tamsel")) + "\r\n");
    EXPECT_TRUE(Check(Copy(L"signed", L"a.dll")));
    EXPECT_TRUE(Check(Copy(L"signed-contoso", L"b.dll")));
}

TEST_F(SignatureCheck, EveryVerifierGetsTheConfiguredThumbprints)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    std::wstring path = Copy(L"signed", L"mirtel.dll");
    EXPECT_TRUE(Check(path));
    EXPECT_TRUE(Check(path)); // a second verifier, after the configuration was read
}

TEST_F(SignatureCheck, TheMakersNameCountsForACertificateATrustedRootIssued)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    std::wstring path = Copy(L"signed-orvane-issued", L"mirtel.dll");
    TestLog::CLogCapture log;
    EXPECT_TRUE(Check(path));
    EXPECT_TRUE(log.Contains(L"sigverify_getThrumbPrint failed:" + path));
    EXPECT_FALSE(log.Contains(L"check signature error:"));
    // "Microsoft Corporation" in any capitalisation, under the same condition.
    EXPECT_TRUE(Check(Copy(L"signed-microsoft-issued", L"ms.dll")));
}

TEST_F(SignatureCheck, ASelfMadeCertificateWithTheSameNameIsRefused)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    for (const wchar_t* variant : {L"signed-orvane", L"signed-microsoft"}) {
        std::wstring path = Copy(variant, std::wstring(variant) + L".dll");
        std::wstring selfMadeName, issuedName;
        ASSERT_TRUE(CDigitalCertify::GetSignerName(path.c_str(), selfMadeName));
        const std::wstring issued = MirtelBuild(std::wstring(variant) + L"-issued");
        ASSERT_TRUE(CDigitalCertify::GetSignerName(issued.c_str(), issuedName));
        ASSERT_EQ(selfMadeName, issuedName);
        TestLog::CLogCapture log;
        EXPECT_FALSE(Check(path)) << TrustTest::ToUtf8(path);
        EXPECT_TRUE(log.Contains(L"signer not trusted:" + path)) << TrustTest::ToUtf8(log.Text());
        EXPECT_TRUE(log.Contains(L"check signature error:" + path));
        EXPECT_FALSE(CDigitalCertify::IsSignerChainTrusted(path.c_str()));
    }
    EXPECT_TRUE(CDigitalCertify::IsSignerChainTrusted(MirtelBuild(L"signed-orvane-issued").c_str()));
}

TEST_F(SignatureCheck, AnUnlistedForeignSignerIsRejected)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    std::wstring path = Copy(L"signed-contoso", L"mirtel.dll");
    TestLog::CLogCapture log;
    EXPECT_FALSE(Check(path));
    EXPECT_TRUE(log.Contains(L"check signature error:" + path));
}

TEST_F(SignatureCheck, WithoutAnyListOnlyATrustedNameCanAccept)
{
    TrustTest::CConfigIni ini("[config]\r\n");
    EXPECT_FALSE(Check(Copy(L"signed", L"a.dll")));
    EXPECT_FALSE(Check(Copy(L"signed-orvane", L"b.dll")));
    EXPECT_TRUE(Check(Copy(L"signed-orvane-issued", L"c.dll")));
}

TEST_F(SignatureCheck, ADocumentUsersCanChangeSetsNeitherModeNorThumbprints)
{
    // Under Wine every file belongs to the user, so c:\config.xml is such a
    // document; its other values still load.
    std::string thumbprint = TrustTest::ToUtf8(CertificateThumbprint("tamsel"));
    TrustTest::CConfigIni ini("[config]\r\n");
    TrustTest::CConfigDocument document("{\"ThrumbPrintsList\": \"" + thumbprint +
                                        "\", \"CheckDigitalCertify\": \"3\", \"other\": \"kept\"}");
    EXPECT_EQ(GetConfigManager()->GetValue("other"), "kept");
    EXPECT_EQ(GetConfigManager()->GetAdministratorValue("other"), "");
    EXPECT_FALSE(Check(Copy(L"signed", L"a.dll")));
    EXPECT_FALSE(Check(Copy(L"unsigned", L"b.dll")));
    EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeDefault);
}

TEST_F(SignatureCheck, ConfigIniBesideTheModuleSetsModeAndThumbprints)
{
    std::string thumbprint = TrustTest::ToUtf8(CertificateThumbprint("tamsel"));
    {
        TrustTest::CConfigIni ini("[config]\r\nThrumbPrintsList=" + thumbprint + "\r\n");
        EXPECT_TRUE(Check(Copy(L"signed", L"a.dll")));
    }
    {
        TrustTest::CConfigIni ini("[config]\r\nCheckDigitalCertify=3\r\n");
        EXPECT_TRUE(Check(Copy(L"unsigned", L"b.dll")));
        EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeAcceptAll);
    }
}

TEST_F(SignatureCheck, ModeThreeAcceptsEveryReadableFileButNotALockedOne)
{
    TrustTest::CConfigIni ini("[config]\r\nCheckDigitalCertify=3\r\n");
    std::wstring text = m_folder.File(L"text.dll");
    TestEnv::WriteFileBytes(text, "not a program");
    EXPECT_TRUE(Check(Copy(L"unsigned", L"mirtel.dll")));
    EXPECT_TRUE(Check(text));
    EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeAcceptAll);
    {
        // Held open for writing elsewhere: what would be loaded is not known.
        CFileHandle held(::CreateFileW(text.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                       nullptr));
        ASSERT_TRUE(held);
        TestLog::CLogCapture log;
        EXPECT_FALSE(Check(text));
        EXPECT_TRUE(log.Contains(L"file unreadable:" + text));
    }
    EXPECT_FALSE(Check(m_folder.File(L"absent.dll")));
}

TEST_F(SignatureCheck, TheModeIsReadOncePerProcess)
{
    std::wstring unsignedCopy = Copy(L"unsigned", L"mirtel.dll");
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    EXPECT_FALSE(Check(unsignedCopy));

    // A configuration that changes later is not read again...
    TestEnv::WriteFileBytes(GetModuleFolder() + L"config.ini", "[config]\r\nCheckDigitalCertify=3\r\n");
    EXPECT_FALSE(Check(unsignedCopy));
    // ...until the process starts anew.
    DigitalCertifyTesting::Reset();
    EXPECT_TRUE(Check(unsignedCopy));
}

TEST_F(SignatureCheck, ANonNumericModeMeansTheDefaultChecks)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni() + "CheckDigitalCertify=yes\r\n");
    EXPECT_FALSE(Check(Copy(L"unsigned", L"a.dll")));
    EXPECT_EQ(CDigitalCertify::VerificationMode(), 0);
    EXPECT_TRUE(Check(Copy(L"signed", L"b.dll")));
}

namespace {

std::wstring TamperedCopy(const std::wstring& variant, const std::wstring& path)
{
    std::string bytes = TestEnv::ReadFileBytes(MirtelBuild(variant));
    bytes[bytes.size() / 2] ^= 0x5A;
    TestEnv::WriteFileBytes(path, bytes);
    return path;
}

std::string ModeTwoConfigIni()
{
    return TrustTest::TrustingConfigIni() + "CheckDigitalCertify=2\r\n";
}

} // namespace

TEST_F(SignatureCheck, ModeTwoAcceptsAListedSignerThatWinVerifyTrustAccepts)
{
    TrustTest::CConfigIni ini(ModeTwoConfigIni());
    TestLog::CLogCapture log;
    EXPECT_TRUE(Check(Copy(L"signed", L"mirtel.dll")));
    EXPECT_EQ(CDigitalCertify::VerificationMode(), CDigitalCertify::kModeWinTrust);
    EXPECT_FALSE(log.Contains(L"DigitalCertify")) << TrustTest::ToUtf8(log.Text());
}

TEST_F(SignatureCheck, ModeTwoRefusesAtOnceWhenWinVerifyTrustFails)
{
    TrustTest::CConfigIni ini(ModeTwoConfigIni());
    std::wstring path = Copy(L"unsigned", L"mirtel.dll");
    TestLog::CLogCapture log;
    EXPECT_FALSE(Check(path));
    std::wstring text = log.Text();
    size_t retries = text.find(L"error times:12 result:");
    size_t trust = text.find(L"sigverify_check failed:" + path);
    size_t final = text.find(L"check signature error:" + path);
    ASSERT_NE(retries, std::wstring::npos) << TrustTest::ToUtf8(text);
    ASSERT_NE(trust, std::wstring::npos);
    ASSERT_NE(final, std::wstring::npos);
    EXPECT_LT(retries, trust);
    EXPECT_LT(trust, final);
    // Neither a thumbprint nor a name is looked at after a failed trust check.
    EXPECT_FALSE(log.Contains(L"sigverify_getThrumbPrint failed"));
    EXPECT_FALSE(log.Contains(L"signer not trusted"));
}

TEST_F(SignatureCheck, ModeTwoTakesANameOnlyFromACertificateATrustedRootIssued)
{
    TrustTest::CConfigIni ini(ModeTwoConfigIni());
    std::wstring issued = Copy(L"signed-orvane-issued", L"issued.dll");
    std::wstring selfMade = Copy(L"signed-orvane", L"selfmade.dll");
    TestLog::CLogCapture log;
    EXPECT_TRUE(Check(issued));
    EXPECT_FALSE(log.Contains(L"sigverify_check failed"));
    // Wine's trust provider takes the self-made one; the name still does not count.
    EXPECT_FALSE(Check(selfMade));
    EXPECT_TRUE(log.Contains(L"signer not trusted:" + selfMade));
}

TEST_F(SignatureCheck, ATamperedSignedFileIsRejectedWhateverItsSigner)
{
    TrustTest::CConfigIni ini(TrustTest::TrustingConfigIni());
    std::wstring listed = TamperedCopy(L"signed", m_folder.File(L"listed.dll"));
    std::wstring named = TamperedCopy(L"signed-orvane-issued", m_folder.File(L"named.dll"));
    TestLog::CLogCapture log;
    EXPECT_FALSE(Check(listed));
    EXPECT_FALSE(Check(named));
    EXPECT_TRUE(log.Contains(L"signature digest mismatch:" + listed));
    EXPECT_TRUE(log.Contains(L"check signature error:" + named));
    {
        TrustTest::CConfigIni modeTwo(ModeTwoConfigIni());
        EXPECT_FALSE(Check(listed));
        EXPECT_FALSE(Check(named));
    }
    {
        TrustTest::CConfigIni modeThree("[config]\r\nCheckDigitalCertify=3\r\n");
        EXPECT_TRUE(Check(listed)); // mode 3 checks nothing, by design
    }
}
