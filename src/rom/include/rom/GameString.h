#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

// A name as the game stores it: a byte string of the release's own character codes, one byte a
// character of the game font. It is never converted to text; only the game font can draw it.
using GameString = std::string;

// A leading byte that marks a string to be drawn as plain glyphs, without Japanese mark
// composition; the editors put it in front of labels they build themselves. It is not drawn.
inline constexpr std::uint8_t plainTextMarker = 0xFE;

// The string's bytes as the unsigned codes the layouts and readings take. Valid while text lives.
inline std::span<const std::uint8_t> codesOf(const GameString& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace tarnwick
