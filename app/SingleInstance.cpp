#include "app/SingleInstance.h"

#include "biz/Logger.h"
#include "base/ScopedHandle.h"

#include <windows.h>

namespace {
constexpr wchar_t kSource[] = L"OrvaneRuzerodOradirr";
}

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
    CKernelHandle running(::OpenMutexW(READ_CONTROL, FALSE, kInstanceMutexName));
    if (running) {
        ActivateRunningInstance();
        return false;
    }
    // A null access-control list lets every user's instance see the mutex.
    SECURITY_DESCRIPTOR descriptor;
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, TRUE};
    // Held until the process exits; the system releases it then.
    static CKernelHandle* const instanceMutex =
        new CKernelHandle(::CreateMutexW(&attributes, TRUE, kInstanceMutexName));
    (void)instanceMutex;
    return true;
}
