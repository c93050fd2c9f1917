#pragma once
// Blowfish's standard initial subkeys.
#include <cstdint>

inline constexpr int kBlowFishSubkeys = 18;

extern const uint32_t kBlowFishInitialP[kBlowFishSubkeys];
extern const uint32_t kBlowFishInitialS[4][256];
