#pragma once

#include "rom/Releases.h"

#include <array>
#include <cstdint>

namespace tarnwick {

// One record of a table: slot n holds byte n of the record (0-255 when read from the image).
// The editors write unmasked values into the slots; only the low eight bits reach the image.
using Record = std::array<std::int32_t, recordSlots>;

} // namespace tarnwick
