#include "rom/AnimationNames.h"

#include "io/TextLines.h"
#include "rom/HexText.h"

namespace tarnwick {
namespace {

// The file's first count lines, or the numbers 0 to count - 2 in digits-wide hexadecimal
// followed by lastNumber.
std::vector<std::string> namesOrNumbers(const std::string& path, int count, int digits,
                                        const std::string& lastNumber) {
    if (auto lines = readTextLines(path, count))
        return std::move(*lines);
    std::vector<std::string> numbers;
    numbers.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n + 1 < count; ++n)
        numbers.push_back(formatHex(n, digits));
    numbers.push_back(lastNumber);
    return numbers;
}

} // namespace

std::vector<std::string> anim8AnimationNames(const std::string& path) {
    return namesOrNumbers(path, anim8AnimationEntries, 2, "FF");
}

std::vector<std::string> anim14AnimationNames(const std::string& path) {
    return namesOrNumbers(path, anim14AnimationEntries, 3, "FFF");
}

} // namespace tarnwick
