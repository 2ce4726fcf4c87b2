#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnwick {

// The first count lines of plain 8-bit text: only CR LF ends a line (a lone CR or LF belongs to
// it), and lines the text does not have come back empty, so the result always holds count lines.
[[nodiscard]] std::vector<std::string> textLines(std::span<const std::uint8_t> text, int count);

// The first count lines of the text file at path, read whole. Nothing when the file cannot be
// read or is far longer than any such file (8 MiB).
[[nodiscard]] std::optional<std::vector<std::string>> readTextLines(const std::string& path,
                                                                    int count);

} // namespace tarnwick
