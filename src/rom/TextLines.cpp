#include "rom/TextLines.h"

#include "rom/RomImage.h"

#include <algorithm>

namespace tarnwick {

std::optional<std::vector<std::string>> readTextLines(const std::string& path, int count) {
    RomImage reader;
    reader.setPath(path);
    if (!reader.load())
        return std::nullopt;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        lines.push_back(reader.readLine());
    return lines;
}

} // namespace tarnwick
