#pragma once
// Colour temperature -> display gamma ramp, handed to the screen through gdi32.
#include <windows.h>

#include <cstdint>

// Channel intensities (0...255) of a colour temperature, before scaling.
struct TChannelIntensities {
    double red;
    double green;
    double blue;
};

// Kelvin is clamped to 1000...40000 before the curve is evaluated.
TChannelIntensities IntensitiesForTemperature(int kelvin);

// entry i of a channel = trunc(min(65535, i * (intensity * scale + 128))).
void BuildGammaRamp(const TChannelIntensities& intensities, double scale, uint16_t (&ramp)[3][256]);

class CColorTemperatureRamp {
public:
    using GammaRampFunction = BOOL(WINAPI*)(HDC, LPVOID);

    CColorTemperatureRamp() = default;
    ~CColorTemperatureRamp();
    CColorTemperatureRamp(const CColorTemperatureRamp&) = delete;
    CColorTemperatureRamp& operator=(const CColorTemperatureRamp&) = delete;

    bool LoadGammaEntryPoints();

    // Persists the requested value (unclamped) when asked, then sets the ramp on the screen.
    void ApplyColorTemperature(int kelvin, bool persist, double scale);

    const uint16_t (&Ramp() const)[3][256] { return ramp; }
    bool IsLoaded() const { return gdi32Module != nullptr; }
    HMODULE Module() const { return gdi32Module; }

private:
    void UnloadLibrary();

    HMODULE gdi32Module = nullptr;
    GammaRampFunction getDeviceGammaRamp = nullptr;
    GammaRampFunction setDeviceGammaRamp = nullptr;
    uint16_t ramp[3][256] = {};
};

// Reads the screen's current ramp and writes it back: non-zero when the display accepts ramps.
int ProbeGammaRamp();
