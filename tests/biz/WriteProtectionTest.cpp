// Which files may say what code the tool runs: those only administrators can
// change. Wine gives every file to the user who runs it, so protected
// descriptors are tried here as the system's own parser builds them.
#include "biz/WriteProtection.h"

#include "base/ScopedHandle.h"
#include "tests/support/TestEnvironment.h"

#include <sddl.h>

#include <gtest/gtest.h>

namespace {

const wchar_t kInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

bool Protected(const std::wstring& sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                                nullptr)) {
        ADD_FAILURE() << "not a descriptor: " << sddl;
        return false;
    }
    bool result = IsChangeableOnlyByAdministrators(descriptor);
    ::LocalFree(descriptor);
    return result;
}

} // namespace

TEST(WriteProtection, AdministratorsSystemAndTheInstallerMayOwnAndChange)
{
    EXPECT_TRUE(Protected(L"O:BAD:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;0x1200a9;;;BU)"));
    EXPECT_TRUE(Protected(L"O:SYD:(A;;FA;;;SY)(A;;FR;;;WD)"));
    EXPECT_TRUE(Protected(std::wstring(L"O:") + kInstaller + L"D:(A;;FA;;;" + kInstaller + L")(A;;FRFX;;;BU)"));
    // Rights handed down to children only, rights taken away, and attribute
    // changes leave the file's content to administrators.
    EXPECT_TRUE(Protected(L"O:BAD:(A;;FA;;;BA)(A;OICIIO;FA;;;BU)(A;OICIIO;GA;;;CO)"));
    EXPECT_TRUE(Protected(L"O:BAD:(D;;FA;;;WD)(A;;FA;;;BA)"));
    EXPECT_TRUE(Protected(L"O:BAD:(A;;FA;;;BA)(A;;0x100;;;AU)"));
    EXPECT_TRUE(Protected(L"O:BAD:(A;;FA;;;BA)(A;;FA;;;OW)"));
}

TEST(WriteProtection, AnyoneElseWhoOwnsOrMayChangeTheFileSpoilsIt)
{
    const wchar_t* spoiled[] = {
        L"O:S-1-5-21-1-2-3-1001D:(A;;FA;;;BA)",           // a user owns it
        L"O:BUD:(A;;FA;;;BA)",                             // the users group owns it
        L"O:BAD:(A;;FA;;;BA)(A;;FW;;;BU)",                 // users may write
        L"O:BAD:(A;;FA;;;BA)(A;;0x4;;;WD)",                // everyone may append
        L"O:BAD:(A;;FA;;;BA)(A;;SD;;;AU)",                 // delete it
        L"O:BAD:(A;;FA;;;BA)(A;;WD;;;AU)",                 // change its access list
        L"O:BAD:(A;;FA;;;BA)(A;;WO;;;AU)",                 // take it over
        L"O:BAD:(A;;FA;;;BA)(A;;GW;;;S-1-5-21-1-2-3-1001)", // generic write
        L"O:BAD:(A;;FA;;;BA)(A;;GA;;;IU)",                 // generic all
        L"O:BA",                                           // no access list at all
    };
    for (const wchar_t* sddl : spoiled)
        EXPECT_FALSE(Protected(sddl)) << sddl;
    EXPECT_FALSE(IsChangeableOnlyByAdministrators(nullptr));

    // A null access list lets everyone do everything (built by hand: Wine's
    // text form makes an empty list of it).
    SECURITY_DESCRIPTOR open;
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(administrators);
    ASSERT_TRUE(::InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size));
    ASSERT_TRUE(::SetSecurityDescriptorOwner(&open, administrators, FALSE));
    ASSERT_TRUE(::SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE));
    EXPECT_FALSE(IsChangeableOnlyByAdministrators(&open));
}

TEST(WriteProtection, AFileWineMadeBelongsToTheUserAndIsNotProtected)
{
    TestEnv::CScratchFolder folder(L"protection");
    TestEnv::WriteFileBytes(folder.File(L"config.xml"), "<x/>");
    CFileHandle file(::CreateFileW(folder.File(L"config.xml").c_str(), READ_CONTROL, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    EXPECT_FALSE(IsFileChangeableOnlyByAdministrators(file.Get()));
}
