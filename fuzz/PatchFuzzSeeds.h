#pragma once

#include "rom/Releases.h"

#include <cstdint>
#include <string>

namespace tarnwick::fuzz {

// What the patch fuzzer's first byte picks: the case is selector % patchCaseCount; the demo
// case applies the rest of the input to a demo file, whose release and copier header the
// selector's higher part picks.
inline constexpr int patchCaseCount = 6;
inline constexpr int demoPatchCase = 5;

inline std::uint8_t demoPatchSelector(RomVariant release, bool header) {
    return static_cast<std::uint8_t>(demoPatchCase +
                                     patchCaseCount * (variantIndex(release) + (header ? 4 : 0)));
}

// Writes the fuzzer's seeds into folder: BPS and IPS patches between demo files and edited,
// grown and cut copies of them, and patches between small stretches of demo images with the
// stretch in front. False, having said why on stderr, when a file cannot be written.
bool writePatchSeeds(const std::string& folder);

} // namespace tarnwick::fuzz
