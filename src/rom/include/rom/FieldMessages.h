#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a typed field text became when the record stored it, in words for the status line.
namespace tarnwick {

// A hexadecimal field's text that holds characters other than 0-9 and A-F, which the digit
// rule (parseHex) counts all the same: "G is not a hexadecimal digit: stored 01", or "G and Z
// are not hexadecimal digits: stored 73". stored is what the record holds, shown in the
// field's digits. Empty when every character is a digit.
std::string hexFieldMessage(std::string_view typed, std::int32_t stored, int digits);

// A number the field wrapped into its range: "300 is stored as 44: the byte holds 0-255",
// holder naming what holds lowest to highest. Empty when stored as typed.
std::string numberFieldMessage(long long typed, long long stored, std::string_view holder,
                               int lowest, int highest);

} // namespace tarnwick
