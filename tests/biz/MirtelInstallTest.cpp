// The suite install folder this build produced holds a signed mirtel.dll
// that the tool trusts through the thumbprint its config.ini lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "biz/DigitalCertify.h"
#include "biz/KeyValueFile.h"
#include "biz/libutils.h"
#include "tests/biz/TrustTestSupport.h"
#include "tests/support/TestEnvironment.h"

namespace {

std::wstring InstallFolder()
{
    return TestEnv::FromUnixPath(ORVANE_BINARY_DIR "/../dist64/");
}

std::wstring InstalledThumbprintList()
{
    wchar_t value[200] = {};
    ::GetPrivateProfileStringW(L"config", L"ThrumbPrintsList", L"", value, 200,
                               (InstallFolder() + L"config.ini").c_str());
    return value;
}

} // namespace

TEST(MirtelInstall, TheInstalledLibraryIsSignedByTheCertificateConfigIniLists)
{
    std::wstring library = InstallFolder() + L"mirtel.dll";
    if (!IsExistingFile(library))
        GTEST_SKIP() << "the suite install folder has not been installed yet";
    std::wstring thumbprint = TrustTest::CertificateThumbprint("tamsel");
    EXPECT_EQ(CDigitalCertify::GetSignerThumbprint(library.c_str()), thumbprint);
    EXPECT_EQ(SplitThumbprintList(InstalledThumbprintList()), std::vector<std::wstring>{thumbprint});
    EXPECT_TRUE(IsExistingFile(InstallFolder() + L"data32.cfg"));
}

TEST(MirtelInstall, TheInstallFolderHoldsNoTestHelpers)
{
    // What ships is the tool and the suite's own files; helpers stay in the build tree.
    std::vector<std::wstring> programs;
    for (const wchar_t* pattern : {L"*.exe", L"tools\\*.exe"}) {
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((InstallFolder() + pattern).c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
            programs.push_back(found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            ::FindClose(search);
    }
    if (programs.empty())
        GTEST_SKIP() << "the suite install folder has not been installed yet";
    std::sort(programs.begin(), programs.end());
    EXPECT_EQ(programs, (std::vector<std::wstring>{L"OrvaneRuzerodOradirr.exe", L"cfgcrypt.exe"}));
}

TEST(MirtelInstall, TheShippedData32CfgNamesTheProductionChannel)
{
    KeyValueFile settings(TestEnv::SourceFolder() + L"tools\\mirtel\\data32.cfg");
    EXPECT_EQ(settings.Lookup(L"channel", L""), L"other");
    EXPECT_EQ(settings.Lookup(L"version", L""), L"1.0.0");
    EXPECT_EQ(settings.Lookup(L"versionCode", L""), L"1");
    EXPECT_EQ(settings.Lookup(L"logLevel", L""), L"2");
}
