#pragma once

#include <cstdint>

namespace tarnwick::patchdetail {

// The four BPS actions, as the low two bits of an action's number; the rest of the number is
// the length less one.
//   SourceRead: the source bytes at the same offset as the output.
//   TargetRead: the bytes that follow in the patch.
//   SourceCopy, TargetCopy: bytes from the source, or from the target made so far, starting at
//   a signed distance from where the last copy of the same kind ended. A target copy may
//   overlap its own output, which repeats the bytes before it.
enum class BpsAction : std::uint64_t {
    SourceRead = 0,
    TargetRead = 1,
    SourceCopy = 2,
    TargetCopy = 3
};

// "BPS1", then at least one byte for each of the three sizes.
inline constexpr std::size_t bpsHeaderMinimum = 4 + 3;
// The source, target and patch CRC-32s that close every patch.
inline constexpr std::size_t bpsFooterLength = 12;

} // namespace tarnwick::patchdetail
