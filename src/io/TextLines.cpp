#include "io/TextLines.h"

#include "io/FileReading.h"
#include "io/ShownText.h"

#include <algorithm>
#include <array>

namespace tarnwick {

namespace {

// Where a line longer than longestTextLine is cut: before the UTF-8 character that would cross
// the limit, so the cut leaves no half character (continuation bytes are 80-BF).
std::size_t cutLength(std::span<const std::uint8_t> line) {
    if (line.size() <= longestTextLine)
        return line.size();
    std::size_t cut = longestTextLine;
    for (int back = 0; back < 3 && cut > 0 && (line[cut] & 0xC0u) == 0x80u; ++back)
        --cut;
    return (line[cut] & 0xC0u) == 0x80u ? longestTextLine : cut;
}

} // namespace

std::vector<std::string> textLines(std::span<const std::uint8_t> text, int count) {
    constexpr std::array<std::uint8_t, 2> lineEnd = {0x0D, 0x0A};
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
    auto begin = text.begin();
    for (int i = 0; i < count; ++i) {
        const auto end = std::search(begin, text.end(), lineEnd.begin(), lineEnd.end());
        const std::span<const std::uint8_t> line(begin, end);
        const std::size_t kept = cutLength(line);
        lines.push_back(
            escapedControls(std::string_view(reinterpret_cast<const char*>(line.data()), kept)));
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
