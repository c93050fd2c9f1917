#include "app/SingleInstance.h"

#include "biz/Logger.h"
#include "base/ScopedHandle.h"

#include <windows.h>
#include <sddl.h>

#include <memory>
#include <string>
#include <utility>

namespace {

constexpr wchar_t kSource[] = L"OrvaneRuzerodOradirr";

struct TLocalFree {
    void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

// Only this user, SYSTEM and the administrators may use or change the mutex.
// A null access list let any program take it over; the default one is not
// the same everywhere (Wine gives none).
std::unique_ptr<void, TLocalFree> MutexSecurity()
{
    CKernelHandle token;
    BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    wchar_t* user = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Receive()) ||
        !::GetTokenInformation(token.Get(), TokenUser, buffer, sizeof(buffer), &size) ||
        !::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &user))
        return nullptr;
    std::unique_ptr<void, TLocalFree> ownedUser(user);
    const std::wstring sddl = std::wstring(L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;") + user + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr);
    return std::unique_ptr<void, TLocalFree>(descriptor);
}

} // namespace

void ActivateRunningInstance()
{
    LOG_INFO(kSource, L"Active old window");
    HWND window = ::FindWindowW(kMainWindowClassName, nullptr);
    if (!window || !::IsWindow(window))
        return;
    if (::IsIconic(window))
        ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
}

bool EnsureSingleInstance()
{
    // Not inherited: a child process needs no handle to it.
    const auto descriptor = MutexSecurity();
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
    CKernelHandle created(::CreateMutexW(&attributes, TRUE, kInstanceMutexName));
    const DWORD error = ::GetLastError();
    // Opened as someone else's, or there and closed to us: another instance runs.
    if ((created && error == ERROR_ALREADY_EXISTS) || (!created && error == ERROR_ACCESS_DENIED)) {
        ActivateRunningInstance();
        return false;
    }
    // Held until the process exits; the system releases it then.
    static CKernelHandle* const instanceMutex = new CKernelHandle(std::move(created));
    (void)instanceMutex;
    return true;
}
