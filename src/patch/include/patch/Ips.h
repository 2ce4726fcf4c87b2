#pragma once

#include "patch/PatchResult.h"

#include <cstdint>
#include <optional>
#include <span>

// Patches in the IPS format: "PATCH", then records of a 3-byte big-endian offset and a 2-byte
// size followed by that many bytes, or by a 2-byte count and one byte to repeat when the size
// is 0; then "EOF", and optionally the 3-byte length to cut the result to.
namespace tarnwick {

// Three-byte offsets reach 16 MiB; longer images cannot be described.
inline constexpr std::uint64_t largestIpsImage = 0x1000000;
// A record cannot start here: its offset reads as "EOF", the end of the records.
inline constexpr std::uint32_t ipsEofOffset = 0x454F46;

// A patch that turns source into target. Refuses images over largestIpsImage bytes.
PatchResult createIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

// The image an IPS patch makes from source: records past the end lengthen it (with zeros
// before them), and a length after "EOF" cuts it. Refuses, saying why, a patch that ends inside
// a record or before "EOF", an empty run, bytes after "EOF" that are not a length, and a length
// that would lengthen the image.
PatchResult applyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch);

// The length after "EOF" that a patch cuts its result to; nothing when it has none, or when the
// patch is damaged before it.
[[nodiscard]] std::optional<std::size_t> ipsCutLength(std::span<const std::uint8_t> patch);

} // namespace tarnwick
