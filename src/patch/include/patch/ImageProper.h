#pragma once

#include <cstdint>
#include <span>

namespace tarnwick {

// The file's bytes after its copier header (copierHeaderLength), which BPS patches leave out so
// that one patch applies to an image whether or not it carries such a header.
[[nodiscard]] std::span<const std::uint8_t> imageProper(std::span<const std::uint8_t> file);

} // namespace tarnwick
