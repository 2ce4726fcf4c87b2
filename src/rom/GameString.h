#pragma once

#include <string>

namespace tarnwick {

// A name as the game stores it: a byte string of the release's own character codes, one byte a
// character of the game font. It is never converted to text; only the game font can draw it.
using GameString = std::string;

} // namespace tarnwick
