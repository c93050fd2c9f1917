#pragma once
// The tool's only window: the eye-comfort switch, the colour-temperature
// slider and the restore button drive the screen's gamma ramp and the stored
// settings; every action is reported as a usage event; the host suite can
// ask it by copy-data message to refresh its background or reset and quit.
#include "app/GammaRamp.h"
#include "ui/core/build/WindowImplBase.h"

#include <string>

namespace SkinUI {
class CCheckBoxUI;
class CButtonUI;
class CSliderUI;
} // namespace SkinUI

// Copy-data request codes the host suite sends to the window.
inline constexpr ULONG_PTR kCopyDataRefreshBackground = 0x51;
inline constexpr ULONG_PTR kCopyDataResetAndQuit = 0x52;

// Pop-up, visible, clip siblings and children, border, dialog frame, system menu.
inline constexpr DWORD kMainWindowStyle = 0x96C80000;

// Temperatures of the two presets.
inline constexpr int kEyeComfortKelvin = 3500;
inline constexpr int kNeutralKelvin = 6600;
inline constexpr int kRedefaultKelvin = 6500;

// The slider runs the other way round from the temperature (its left end is
// warm); the same formula maps both ways.
inline int SliderToKelvin(int minValue, int maxValue, int position) { return maxValue + minValue + 1 - position; }
inline int KelvinToSlider(int minValue, int maxValue, int kelvin) { return maxValue + minValue + 1 - kelvin; }

class COrvaneRuzerodOradirWnd : public SkinUI::WindowImplBase {
public:
    COrvaneRuzerodOradirWnd() = default;
    ~COrvaneRuzerodOradirWnd() override;

    const wchar_t* RegisteredClassName() const override;
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterSkinBuilt() override;
    std::wstring SkinSubfolder() const override;
    std::wstring SkinEntryName() const override;
    SkinUI::ESkinSourceKind SkinSourceKind() const override;
    std::wstring SkinResourceId() const override;
    void Notify(SkinUI::TNotifyMsg& message) override;

    void LoadStoredSettings();
    void ApplyPresetTemperature(int kelvin);
    std::wstring ReadSkinBackgroundPath() const;
    void ApplySkinBackground(const std::wstring& path);

    CColorTemperatureRamp& ColorRamp() { return colorRamp; }
    // For a start that only applies the stored settings: the window is never
    // shown, so its background picture is not loaded.
    void ApplySettingsOnly() { settingsOnly = true; }

private:
    void OnClick(const std::wstring& sender);
    void OnSliderMoved();
    void OnEyeComfortChanged(bool selected);
    void OnCopyData(const COPYDATASTRUCT* request);
    void SetRestoreEnabled(bool enabled);
    void SetSliderPosition(int kelvin);
    int SliderKelvin() const;

    CColorTemperatureRamp colorRamp;
    SkinUI::CSliderUI* temperatureSlider = nullptr;
    SkinUI::CCheckBoxUI* eyeComfortSwitch = nullptr;
    SkinUI::CButtonUI* restoreButton = nullptr;
    bool settingsOnly = false;
};
