#include "io/TextLines.h"

#include "io/FileReading.h"

#include <algorithm>
#include <array>

namespace tarnwick {

std::vector<std::string> textLines(std::span<const std::uint8_t> text, int count) {
    constexpr std::array<std::uint8_t, 2> lineEnd = {0x0D, 0x0A};
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
    auto begin = text.begin();
    for (int i = 0; i < count; ++i) {
        const auto end = std::search(begin, text.end(), lineEnd.begin(), lineEnd.end());
        lines.emplace_back(begin, end);
        begin = end == text.end() ? end : end + 2;
    }
    return lines;
}

TextFile readTextFile(const std::string& path) {
    ReadRequest request;
    request.largest = 0x800000;
    FileContents contents;
    if (!readFileBytes(path, "read", request, contents))
        return std::nullopt;
    return std::move(contents.bytes);
}

} // namespace tarnwick
