#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// The first count lines of a plain 8-bit text file, read whole through the document's
// whole-file reader: only CR LF ends a line (a lone CR or LF belongs to it), and lines the file
// does not have come back empty, so the result always holds count lines. Nothing when the file
// cannot be read.
std::optional<std::vector<std::string>> readTextLines(const std::string& path, int count);

} // namespace tarnwick
