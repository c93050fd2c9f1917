// orvane_applytemp KELVIN [--persist]
// Sets the screen's gamma ramp for KELVIN (scale 0.5, as the tool does) and
// prints entries 1, 128 and 255 of each channel as built.
#include "app/GammaRamp.h"
#include "biz/Logger.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: orvane_applytemp KELVIN [--persist]\n");
        return 2;
    }
    wchar_t* end = nullptr;
    long kelvin = std::wcstol(argv[1], &end, 10);
    if (end == argv[1] || *end != L'\0') {
        std::fwprintf(stderr, L"orvane_applytemp: '%ls' is not a temperature in kelvin\n", argv[1]);
        return 2;
    }
    bool persist = argc > 2 && std::wcscmp(argv[2], L"--persist") == 0;

    LoggerInit(L"OrvaneApplyTemperature");
    CColorTemperatureRamp engine;
    engine.ApplyColorTemperature(static_cast<int>(kelvin), persist, 0.5);

    const char* names[3] = {"red", "green", "blue"};
    for (int c = 0; c < 3; ++c)
        std::printf("%-5s %5u %5u %5u\n", names[c], engine.Ramp()[c][1], engine.Ramp()[c][128], engine.Ramp()[c][255]);
    return 0;
}
