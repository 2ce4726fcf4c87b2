#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The capital hexadecimal texts of the animation editors' fields and lists.
namespace tarnwick {

// The value of a field text. Empty is 0. Each character, from the last to the first, adds its
// digit value times 1, 16, 256 and so on: c - 0x30, or c - 0x37 when c - 0x30 taken as a signed
// 8-bit number exceeds 9 (c is the byte value 0-255). Nothing is refused: other characters add
// values outside 0-15 all the same, so "1G" is 0x20 and "ff" is 0x31F. The sum wraps modulo
// 2^32, so only the last eight characters of a longer text count.
std::int32_t parseHex(std::string_view text);

// The low `digits` hexadecimal digits of value, most significant first, without leading zeros
// (one digit stays). Digits come from truncating division, so a negative remainder is written
// "X": -1 is "X" and -32 is "X0". No digits asked for give an empty text.
std::string formatHex(std::int32_t value, int digits);

} // namespace tarnwick
