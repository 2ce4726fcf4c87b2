#include "rom/HexText.h"

#include <algorithm>

namespace tarnwick {

std::int32_t parseHex(std::string_view text) {
    // Unsigned arithmetic: the weight and the sum wrap instead of overflowing on long texts.
    std::uint32_t sum = 0;
    std::uint32_t weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const int byte = static_cast<std::uint8_t>(*it);
        const auto asDigit = static_cast<std::int8_t>(static_cast<std::uint8_t>(byte - 0x30));
        const int digit = asDigit > 9 ? byte - 0x37 : byte - 0x30;
        sum += static_cast<std::uint32_t>(digit) * weight;
        weight *= 16;
    }
    return static_cast<std::int32_t>(sum);
}

std::string formatHex(std::int32_t value, int digits) {
    constexpr std::string_view digitText = "0123456789ABCDEF";
    // A 32-bit value has no more than eight digits; any further ones would be dropped zeros.
    constexpr int mostDigits = 8;
    std::string text;
    for (int i = 0; i < std::min(digits, mostDigits); ++i) {
        const std::int32_t remainder = value % 16;
        text.push_back(remainder < 0 ? 'X' : digitText[static_cast<std::size_t>(remainder)]);
        value /= 16;
    }
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace tarnwick
