#include "biz/WriteProtection.h"

#include <aclapi.h>
#include <sddl.h>

#include <memory>

namespace {

// Rights that change what the file says or who may change it. Attributes
// (read-only, hidden) leave the content as it is.
constexpr ACCESS_MASK kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | DELETE | WRITE_DAC |
                                        WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

constexpr wchar_t kTrustedInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

struct TLocalFree {
    void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    BYTE known[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(known);
    return ::CreateWellKnownSid(type, nullptr, known, &size) && ::EqualSid(sid, known);
}

bool IsAdministrator(PSID sid)
{
    if (!sid || !::IsValidSid(sid))
        return false;
    if (IsWellKnown(sid, WinLocalSystemSid) || IsWellKnown(sid, WinBuiltinAdministratorsSid))
        return true;
    PSID installer = nullptr;
    if (!::ConvertStringSidToSidW(kTrustedInstaller, &installer))
        return false;
    std::unique_ptr<void, TLocalFree> owned(installer);
    return ::EqualSid(sid, installer) != FALSE;
}

// The entries that apply to the object itself; an entry only handed down to
// children, or one that takes rights away, gives no one anything here.
bool GrantsChangesOnlyToAdministrators(PACL dacl)
{
    ACL_SIZE_INFORMATION size{};
    if (!::GetAclInformation(dacl, &size, sizeof(size), AclSizeInformation))
        return false;
    for (DWORD i = 0; i < size.AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!::GetAce(dacl, i, reinterpret_cast<void**>(&header)))
            return false;
        if ((header->AceFlags & INHERIT_ONLY_ACE) || header->AceType == ACCESS_DENIED_ACE_TYPE)
            continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE)
            return false; // conditional and object entries are not read here: refuse
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        PSID sid = &ace->SidStart;
        // "Owner rights" is the owner, who is checked on its own.
        if ((ace->Mask & kChangingRights) && !IsAdministrator(sid) && !IsWellKnown(sid, WinCreatorOwnerRightsSid))
            return false;
    }
    return true;
}

} // namespace

bool IsChangeableOnlyByAdministrators(PSECURITY_DESCRIPTOR descriptor)
{
    PSID owner = nullptr;
    BOOL ownerDefaulted = FALSE, present = FALSE, daclDefaulted = FALSE;
    PACL dacl = nullptr;
    if (!descriptor || !::IsValidSecurityDescriptor(descriptor) ||
        !::GetSecurityDescriptorOwner(descriptor, &owner, &ownerDefaulted) ||
        !::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &daclDefaulted))
        return false;
    // The owner may always rewrite the access list; no list at all, or a
    // null one, lets everyone do everything.
    return IsAdministrator(owner) && present && dacl && GrantsChangesOnlyToAdministrators(dacl);
}

bool IsFileChangeableOnlyByAdministrators(HANDLE file)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                          nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    std::unique_ptr<void, TLocalFree> owned(descriptor);
    return IsChangeableOnlyByAdministrators(descriptor);
}
