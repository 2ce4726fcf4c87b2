#pragma once

#include "rom/Status.h"

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

// Replaces the start of an existing file with head and keeps every byte the file holds past
// head's length. The new contents go to a temporary file in the same folder, which replaces the
// original only once it has been written completely, so a failure never leaves a half-written
// file and the original stays as it was.
Status replaceFileStart(const std::string& path, std::span<const std::uint8_t> head);

} // namespace tarnwick
