#include "rom/AnimationNames.h"

#include "io/TextLines.h"
#include "rom/HexText.h"

namespace tarnwick {
namespace {

// The file's first count lines, or the numbers 0 to count - 2 in digits-wide hexadecimal
// followed by lastNumber.
std::vector<std::string> namesOrNumbers(const TextFile& file, int count, int digits,
                                        const std::string& lastNumber) {
    if (file)
        return textLines(*file, count);
    std::vector<std::string> numbers;
    numbers.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n + 1 < count; ++n)
        numbers.push_back(formatHex(n, digits));
    numbers.push_back(lastNumber);
    return numbers;
}

} // namespace

std::vector<std::string> anim8AnimationNames(const TextFile& file) {
    return namesOrNumbers(file, anim8AnimationEntries, 2, "FF");
}

std::vector<std::string> anim14AnimationNames(const TextFile& file) {
    return namesOrNumbers(file, anim14AnimationEntries, 3, "FFF");
}

} // namespace tarnwick
