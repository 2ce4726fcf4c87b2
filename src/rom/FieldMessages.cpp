#include "rom/FieldMessages.h"

#include "rom/HexText.h"

namespace tarnwick {
namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

} // namespace

std::string hexFieldMessage(std::string_view typed, std::int32_t stored, int digits) {
    // Each offending character once, in the order typed.
    std::string offending;
    for (const char c : typed)
        if (!isHexDigit(c) && offending.find(c) == std::string::npos)
            offending.push_back(c);
    if (offending.empty())
        return {};
    std::string named;
    for (std::size_t i = 0; i < offending.size(); ++i) {
        if (i > 0)
            named += i + 1 == offending.size() ? " and " : ", ";
        named += offending[i];
    }
    std::string shown = formatHex(stored, digits);
    // The field shows all its digits here, so the stored byte reads as one: "01", not "1".
    if (static_cast<int>(shown.size()) < digits)
        shown.insert(0, static_cast<std::size_t>(digits) - shown.size(), '0');
    const bool one = offending.size() == 1;
    return named + (one ? " is not a hexadecimal digit" : " are not hexadecimal digits") +
           ": stored " + shown;
}

std::string numberFieldMessage(long long typed, long long stored, std::string_view holder,
                               int lowest, int highest) {
    if (typed == stored)
        return {};
    return std::to_string(typed) + " is stored as " + std::to_string(stored) + ": " +
           std::string(holder) + " holds " + std::to_string(lowest) + "-" + std::to_string(highest);
}

} // namespace tarnwick
