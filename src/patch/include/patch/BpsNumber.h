#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The variable-length numbers of BPS patches: seven bits a byte, least significant first, the
// top bit marking the last byte, and every byte after the first also adding 1 << 7n, so that
// each number has exactly one encoding.
namespace tarnwick {

void appendBpsNumber(std::vector<std::uint8_t>& out, std::uint64_t value);
// How many bytes appendBpsNumber writes for value.
std::size_t bpsNumberLength(std::uint64_t value);

// The number at position in bytes, moving position past it. Nothing when the bytes end first or
// the number runs past eight bytes (2^56 and more, far beyond any image), so no patch can make
// the reader overflow.
[[nodiscard]] std::optional<std::uint64_t> readBpsNumber(std::span<const std::uint8_t> bytes,
                                                         std::size_t& position);

} // namespace tarnwick
