#pragma once

#include "pixels/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// A picture as a PNG file in memory: 8-bit RGB, pixel for pixel, with zlib's and the PNG
// library's default compression and filters, marked 100 dots per inch as the sheets always
// were. Returns the PNG library's reason on failure.
std::optional<std::string> encodePng(const Image& picture, std::vector<std::uint8_t>& png);

} // namespace tarnwick
