#pragma once

#include "patch/PatchResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarnwick {

enum class PatchFormat { Bps, Ips };

// "BPS" or "IPS", for messages.
std::string_view patchFormatName(PatchFormat format);

// The format a patch's first bytes name ("BPS1" or "PATCH"); nothing for any other bytes.
[[nodiscard]] std::optional<PatchFormat> patchFormatOf(std::span<const std::uint8_t> patch);

// The format a file name's extension names (".bps" or ".ips", in any case); nothing for others.
[[nodiscard]] std::optional<PatchFormat> patchFormatOfName(std::string_view fileName);

PatchResult createPatch(PatchFormat format, std::span<const std::uint8_t> source,
                        std::span<const std::uint8_t> target);

// Applies a patch of either format, told apart by its first bytes.
PatchResult applyPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch);

// The largest image that applying a patch may build: far beyond any image of the game, and a
// bound on what a damaged or hostile patch can make the program allocate.
inline constexpr std::uint64_t largestPatchResult = 0x4000000;

} // namespace tarnwick
