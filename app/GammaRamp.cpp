#include "app/GammaRamp.h"

#include "biz/Logger.h"
#include "base/ScopedHandle.h"
#include "biz/libutils.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

constexpr wchar_t kSource[] = L"GammaRamp";
constexpr wchar_t kProbeSource[] = L"libutils";
constexpr int kMinKelvin = 1000;
constexpr int kMaxKelvin = 40000;

double ClampChannel(double value)
{
    return std::min(255.0, std::max(0.0, value));
}

template <typename Function>
Function EntryPoint(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

} // namespace

TChannelIntensities IntensitiesForTemperature(int kelvin)
{
    kelvin = std::min(kMaxKelvin, std::max(kMinKelvin, kelvin));
    const int t = kelvin / 100;
    TChannelIntensities result;
    // Red and green switch curves above 66; blue is full from 66 on.
    result.red = t <= 66 ? 255.0 : ClampChannel(329.698727446 * std::pow(t - 60, -0.1332047592));
    result.green = t <= 66 ? ClampChannel(99.4708025861 * std::log(double(t)) - 161.1195681661)
                           : ClampChannel(288.1221695283 * std::pow(t - 60, -0.0755148492));
    if (t >= 66)
        result.blue = 255.0;
    else if (t <= 19)
        result.blue = 0.0;
    else
        result.blue = ClampChannel(138.5177312231 * std::log(double(t - 10)) - 305.0447927307);
    return result;
}

void BuildGammaRamp(const TChannelIntensities& intensities, double scale, uint16_t (&ramp)[3][256])
{
    const double multipliers[3] = {intensities.red * scale + 128, intensities.green * scale + 128,
                                   intensities.blue * scale + 128};
    for (int channel = 0; channel < 3; ++channel)
        for (int i = 0; i < 256; ++i)
            ramp[channel][i] = static_cast<uint16_t>(std::min(65535.0, i * multipliers[channel]));
}

CColorTemperatureRamp::~CColorTemperatureRamp()
{
    UnloadLibrary();
}

void CColorTemperatureRamp::UnloadLibrary()
{
    if (gdi32Module)
        ::FreeLibrary(gdi32Module);
    gdi32Module = nullptr;
    getDeviceGammaRamp = nullptr;
    setDeviceGammaRamp = nullptr;
}

bool CColorTemperatureRamp::LoadGammaEntryPoints()
{
    UnloadLibrary();
    gdi32Module = ::LoadLibraryW(L"gdi32.dll");
    if (!gdi32Module) {
        LOG_INFO(kSource, L"LoadLibrary gdi32.dll fail!  Error code %d", static_cast<int>(::GetLastError()));
        return false;
    }
    getDeviceGammaRamp = EntryPoint<GammaRampFunction>(gdi32Module, "GetDeviceGammaRamp");
    setDeviceGammaRamp = EntryPoint<GammaRampFunction>(gdi32Module, "SetDeviceGammaRamp");
    if (getDeviceGammaRamp && setDeviceGammaRamp)
        return true;
    UnloadLibrary();
    return false;
}

void CColorTemperatureRamp::ApplyColorTemperature(int kelvin, bool persist, double scale)
{
    if (persist) {
        wchar_t text[16];
        std::swprintf(text, 16, L"%d", kelvin);
        RegWriteString(HKEY_LOCAL_MACHINE, REG_SZ, SuiteRegistry::kColorTemperatureKey, L"ColorTemperatureValue",
                       text, true);
    }

    BuildGammaRamp(IntensitiesForTemperature(kelvin), scale, ramp);

    CWindowDc screen(nullptr);
    if (!gdi32Module)
        LoadGammaEntryPoints();
    if (getDeviceGammaRamp && setDeviceGammaRamp && setDeviceGammaRamp(screen.Get(), ramp))
        LOG_INFO(kSource, L"SetDeviceGammaRamp success!");
    else
        LOG_INFO(kSource, L"SetDeviceGammaRamp fail!");
}

int ProbeGammaRamp()
{
    CWindowDc screen(nullptr);
    CModule gdi32(::LoadLibraryW(L"gdi32.dll"));
    if (!gdi32)
        return 0;
    auto getRamp = EntryPoint<CColorTemperatureRamp::GammaRampFunction>(gdi32.Get(), "GetDeviceGammaRamp");
    auto setRamp = EntryPoint<CColorTemperatureRamp::GammaRampFunction>(gdi32.Get(), "SetDeviceGammaRamp");
    if (!getRamp || !screen.Get())
        return 0;

    uint16_t current[3][256] = {};
    if (!getRamp(screen.Get(), current)) {
        LOG_INFO(kProbeSource, L"GetDeviceGammaRamp fail!  Error code %d", static_cast<int>(::GetLastError()));
        return 0;
    }
    LOG_INFO(kProbeSource, L"Red %d    Green %d     Blue %d", unsigned(current[0][1]), unsigned(current[1][1]),
             unsigned(current[2][1]));
    if (!setRamp || !setRamp(screen.Get(), current)) {
        LOG_INFO(kProbeSource, L"SetDeviceGammaRamp fail!  Error code %d", static_cast<int>(::GetLastError()));
        return 0;
    }
    return 1;
}
