// OrvaneRuzerodOradirr.exe: the eye-care tool of the Orvane suite.
//   (no switch)   show the window until it is closed
//   -tamsel       apply the stored setting and exit
//   -redefault    put the screen back to 6500 K and exit
#include "app/DllSearch.h"
#include "app/OrvaneRuzerodOradirWnd.h"
#include "app/SingleInstance.h"
#include "app/StartupSwitches.h"
#include "biz/LanguageHelper.h"
#include "biz/Logger.h"
#include "biz/UsageStats.h"
#include "biz/libutils.h"
#include "ui/core/host/WindowContextUI.h"

#include <windows.h>

#include <new>

namespace {

constexpr wchar_t kSource[] = L"OrvaneRuzerodOradirr";
constexpr UINT kIconResourceId = 107;

// Zero-filled before construction, as the window's fields expect, and never
// deleted: the process exit releases it.
COrvaneRuzerodOradirWnd* CreateMainWindowObject()
{
    void* memory = ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(COrvaneRuzerodOradirWnd));
    return memory ? new (memory) COrvaneRuzerodOradirWnd() : nullptr;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    RestrictDllSearchToSystem32();
    LoggerInit(L"OrvaneRuzerodOradir");

    const std::wstring installFolder = GetInstallFolder();
    LanguageTextInit(L"", JoinPath(installFolder, L"skin\\lan\\"));

    SkinUI::CWindowContextUI::SetAppModule(instance);
    SkinUI::CWindowContextUI::SetSkinFolder(JoinPath(installFolder, L"skin"));

    if (!EnsureSingleInstance()) {
        LOG_INFO(kSource, L"Mutex Exist");
        return 0;
    }

    UsageStatsInit(installFolder.c_str());

    // With a switch the window only applies the stored settings and the
    // process ends: that needs the skin and its controls but no screen
    // window, so a message-only window is built and nothing flashes up.
    // Otherwise the window is built hidden and appears once, already
    // centred, when the modal loop shows it.
    const std::wstring switches = ParseSwitches(commandLine ? commandLine : L"");
    const bool settingsOnly = switches == kSwitchTamsel || switches == kSwitchRedefault;

    COrvaneRuzerodOradirWnd* window = CreateMainWindowObject();
    if (!window)
        return 0;
    if (settingsOnly) {
        window->ApplySettingsOnly();
        window->CreateNative(HWND_MESSAGE, L"Eyeward", 0, 0);
    } else {
        window->CreateNative(nullptr, L"Eyeward", kMainWindowStyle & ~WS_VISIBLE, 0);
    }

    if (switches == kSwitchTamsel) {
        LOG_INFO(kSource, L"Run OrvaneRuzerodOradirr.exe -tamsel");
        return 0;
    }
    if (switches == kSwitchRedefault) {
        LOG_INFO(kSource, L"Run OrvaneRuzerodOradirr.exe -redefault");
        window->ColorRamp().ApplyColorTemperature(kRedefaultKelvin, false, 0.5);
        return 0;
    }
    window->ApplyIcon(kIconResourceId);
    window->Center(false);
    window->RunModal(false);
    UsageStatsFinish();
    return 0;
}
