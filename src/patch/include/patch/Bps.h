#pragma once

#include "patch/PatchResult.h"

#include <cstdint>
#include <span>

// Patches in the BPS format: "BPS1", the source, target and metadata sizes, actions that build
// the target from source bytes, earlier target bytes and literal bytes, then the CRC-32 of the
// source, of the target and of the patch up to that point. Numbers are BpsNumber encoded; the
// CRCs are 32-bit little-endian.
namespace tarnwick {

// A patch that turns source into target, with no metadata. Unchanged stretches are read from
// the source in place, moved stretches copied from where they lie in the source, runs of a
// byte copied from the target itself, and the rest given literally.
PatchResult createBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

// The target a BPS patch makes from source. Refuses, saying why, a patch whose own checksum is
// wrong, a source of another size or CRC than the patch was made for, an action that reaches
// outside the source, the target or the patch, and a result whose size or CRC is not the one
// recorded.
PatchResult applyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch);

} // namespace tarnwick
