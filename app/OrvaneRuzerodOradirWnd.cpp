#include "app/OrvaneRuzerodOradirWnd.h"

#include "app/SingleInstance.h"
#include "app/UsageEvents.h"
#include "app/WindowLanguage.h"
#include "biz/Logger.h"
#include "biz/libutils.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"

#include <algorithm>
#include <climits>
#include <cwchar>

using namespace SkinUI;

namespace {

constexpr wchar_t kSource[] = L"OrvaneRuzerodOradirWnd";
constexpr wchar_t kEyeProtectionValue[] = L"Eye_Protection";
constexpr wchar_t kTemperatureValue[] = L"ColorTemperatureValue";
constexpr wchar_t kDefaultBackground[] = L"bk.png";
constexpr int kLowestStoredKelvin = 2000;
constexpr int kHighestStoredKelvin = 11200;

std::wstring ReadSetting(const wchar_t* valueName)
{
    std::wstring text;
    if (!RegReadStringHklm(SuiteRegistry::kColorTemperatureKey, valueName, true, text))
        text.clear();
    return text;
}

// Leading blanks and a sign are accepted, digits count up to the first other
// character, no digits give 0; numbers beyond int saturate.
int ParseStoredKelvin(const std::wstring& text)
{
    long long value = std::wcstoll(text.c_str(), nullptr, 10);
    return int(std::min<long long>(INT_MAX, std::max<long long>(INT_MIN, value)));
}

} // namespace

COrvaneRuzerodOradirWnd::~COrvaneRuzerodOradirWnd() = default;

const wchar_t* COrvaneRuzerodOradirWnd::RegisteredClassName() const
{
    return kMainWindowClassName;
}

std::wstring COrvaneRuzerodOradirWnd::SkinSubfolder() const
{
    return std::wstring();
}

std::wstring COrvaneRuzerodOradirWnd::SkinEntryName() const
{
    return L"RuzerodOradirWnd.xml";
}

ESkinSourceKind COrvaneRuzerodOradirWnd::SkinSourceKind() const
{
    return ESkinSourceKind::ZipResource;
}

std::wstring COrvaneRuzerodOradirWnd::SkinResourceId() const
{
    return L"131";
}

void COrvaneRuzerodOradirWnd::AfterSkinBuilt()
{
    // Before the first layout: the texts' widths place the controls.
    ApplyWindowLanguage();
    temperatureSlider = static_cast<CSliderUI*>(m_context.ControlByName(L"ColorTemperature"));
    eyeComfortSwitch = static_cast<CCheckBoxUI*>(m_context.ControlByName(L"eyecomfort"));
    restoreButton = static_cast<CButtonUI*>(m_context.ControlByName(L"restored_btn"));
    LoadStoredSettings();
    if (!settingsOnly)
        ApplySkinBackground(ReadSkinBackgroundPath());
}

int COrvaneRuzerodOradirWnd::SliderKelvin() const
{
    if (!temperatureSlider)
        return kNeutralKelvin;
    return SliderToKelvin(temperatureSlider->minValue(), temperatureSlider->maxValue(),
                          temperatureSlider->currentValue());
}

void COrvaneRuzerodOradirWnd::SetSliderPosition(int kelvin)
{
    if (temperatureSlider)
        temperatureSlider->assignValue(
            KelvinToSlider(temperatureSlider->minValue(), temperatureSlider->maxValue(), kelvin));
}

void COrvaneRuzerodOradirWnd::SetRestoreEnabled(bool enabled)
{
    if (restoreButton)
        restoreButton->assignOperable(enabled);
}

void COrvaneRuzerodOradirWnd::LoadStoredSettings()
{
    const std::wstring temperature = ReadSetting(kTemperatureValue);
    const std::wstring eyeProtection = ReadSetting(kEyeProtectionValue);

    if (temperature.empty() || eyeProtection.empty()) {
        if (eyeComfortSwitch)
            eyeComfortSwitch->assignSelected(false, true);
        ApplyPresetTemperature(kNeutralKelvin);
        return;
    }
    if (eyeProtection == L"true") {
        // The switch's "selectchanged" runs the whole switch-on step at once.
        if (eyeComfortSwitch)
            eyeComfortSwitch->assignSelected(true, true);
        SetRestoreEnabled(false);
        ApplyPresetTemperature(kEyeComfortKelvin);
        return;
    }
    if (eyeComfortSwitch)
        eyeComfortSwitch->assignSelected(false, true);
    SetRestoreEnabled(true);
    const int stored = ParseStoredKelvin(temperature);
    colorRamp.ApplyColorTemperature(std::min(kHighestStoredKelvin, std::max(kLowestStoredKelvin, stored)), true, 0.5);
    // The unclamped number: the slider's next paint brings an outlier back into range.
    SetSliderPosition(stored);
}

void COrvaneRuzerodOradirWnd::ApplyPresetTemperature(int kelvin)
{
    if (temperatureSlider) {
        if (kelvin == kEyeComfortKelvin)
            temperatureSlider->assignOperable(false);
        else if (kelvin == kNeutralKelvin)
            temperatureSlider->assignOperable(true);
    }
    colorRamp.ApplyColorTemperature(kelvin, true, 0.5);
    SetSliderPosition(kelvin);
}

std::wstring COrvaneRuzerodOradirWnd::ReadSkinBackgroundPath() const
{
    std::wstring path;
    if (RegReadString(HKEY_CURRENT_USER, SuiteRegistry::kSuiteKey, L"skinpath", path) && !path.empty() &&
        IsExistingFile(path))
        return path;
    return kDefaultBackground;
}

void COrvaneRuzerodOradirWnd::ApplySkinBackground(const std::wstring& path)
{
    CControlUI* background = m_context.ControlByName(L"vbk_name");
    if (!background)
        return;
    background->assignBackImage(L"file='" + path + L"' source='0,0,920,540'");
}

void COrvaneRuzerodOradirWnd::Notify(TNotifyMsg& message)
{
    const std::wstring sender = message.sender ? message.sender->controlName() : std::wstring();
    if (message.type == L"click")
        OnClick(sender);
    else if (message.type == L"valuechanged" && sender == L"ColorTemperature")
        OnSliderMoved();
    else if (message.type == L"selectchanged" && sender == L"eyecomfort" && eyeComfortSwitch)
        OnEyeComfortChanged(eyeComfortSwitch->selected());
}

void COrvaneRuzerodOradirWnd::OnClick(const std::wstring& sender)
{
    if (sender == L"BtnClose") {
        UsageEvents::TrackChecked(UsageEvents::kClose);
        ::PostQuitMessage(0);
    } else if (sender == L"BtnMin") {
        LOG_INFO(kSource, L"btnMin");
        UsageEvents::TrackIfAllowed(UsageEvents::kMinimise);
        Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (sender == L"restored_btn") {
        if (ProbeGammaRamp() == 0)
            return;
        if (eyeComfortSwitch)
            eyeComfortSwitch->assignSelected(false, true);
        ApplyPresetTemperature(kNeutralKelvin);
        UsageEvents::TrackIfAllowed(UsageEvents::kRestoreDefaults);
    }
}

void COrvaneRuzerodOradirWnd::OnSliderMoved()
{
    colorRamp.ApplyColorTemperature(SliderKelvin(), true, 0.5);
    wchar_t blueLight[16];
    std::swprintf(blueLight, 16, L"%d", SliderKelvin());
    UsageEvents::TrackChecked(UsageEvents::kSliderMoved, blueLight);
    SetRestoreEnabled(true);
}

void COrvaneRuzerodOradirWnd::OnEyeComfortChanged(bool selected)
{
    if (selected) {
        UsageEvents::TrackIfAllowed(UsageEvents::kEyeComfortOn, L"3500");
        ApplyPresetTemperature(kEyeComfortKelvin);
        SetRestoreEnabled(false);
    } else {
        UsageEvents::TrackIfAllowed(UsageEvents::kEyeComfortOff, L"6600");
        ApplyPresetTemperature(kNeutralKelvin);
        SetRestoreEnabled(true);
    }
    RegWriteString(HKEY_LOCAL_MACHINE, REG_SZ, SuiteRegistry::kColorTemperatureKey, kEyeProtectionValue,
                   selected ? L"true" : L"false", true);
}

void COrvaneRuzerodOradirWnd::OnCopyData(const COPYDATASTRUCT* request)
{
    if (!request || request->cbData == 0)
        return;
    if (request->dwData == kCopyDataRefreshBackground) {
        ApplySkinBackground(ReadSkinBackgroundPath());
    } else if (request->dwData == kCopyDataResetAndQuit) {
        colorRamp.ApplyColorTemperature(kRedefaultKelvin, false, 0.5);
        ::PostQuitMessage(0);
    }
}

LRESULT COrvaneRuzerodOradirWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA)
        OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return WindowImplBase::RouteMessage(message, wParam, lParam);
}
