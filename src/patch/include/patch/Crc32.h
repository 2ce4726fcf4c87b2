#pragma once

#include <cstdint>
#include <span>

namespace tarnwick {

// The CRC-32 that BPS patches carry (the zlib and PNG polynomial), of a whole byte range.
[[nodiscard]] std::uint32_t crc32Of(std::span<const std::uint8_t> bytes);

} // namespace tarnwick
