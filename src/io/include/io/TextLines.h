#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnwick {

// The longest line textLines keeps, in bytes: a line of these files names one thing (a chest's
// place, an animation), and each becomes an entry of a list the window draws.
inline constexpr std::size_t longestTextLine = 256;

// The first count lines of plain 8-bit text: only CR LF ends a line (a lone CR or LF belongs to
// it), and lines the text does not have come back empty, so the result always holds count lines.
// A line is cut after longestTextLine bytes, before a UTF-8 character that would cross it, and
// its control characters are escaped (escapedControls), so that none reaches a window or a
// terminal raw.
[[nodiscard]] std::vector<std::string> textLines(std::span<const std::uint8_t> text, int count);

// The bytes of a user's text file, or nothing when there is none to read.
using TextFile = std::optional<std::vector<std::uint8_t>>;

// The text file at path, read whole. Nothing when the file cannot be read or is far longer than
// any such file (8 MiB).
[[nodiscard]] TextFile readTextFile(const std::string& path);

} // namespace tarnwick
