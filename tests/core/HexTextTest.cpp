#include "rom/HexText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tarnwick {
namespace {

TEST(HexText, ParsesAndFormatsByTheFieldDigitRules) {
    const std::pair<std::string_view, std::int32_t> parsed[] = {
        {"", 0},
        {"05", 5},
        {"FF", 0xFF},
        {"2FF", 0x2FF},
        {"FFF", 0xFFF},
        {"1G", 0x20},
        {"ff", 0x31F},
        {"-", -3},
        {"\xB0", 0x80},
        {"FFFFFFFF", -1},
        // The sum wraps at 32 bits: characters before the last eight add nothing.
        {"ZZZZZZZZZZZZZZZZZZZZ", 0x55555553}};
    for (const auto& [text, value] : parsed)
        EXPECT_EQ(parseHex(text), value) << '"' << text << '"';

    struct Formatted {
        std::int32_t value;
        int digits;
        std::string_view text;
    };
    const Formatted formatted[] = {
        {0, 2, "0"},          {0x2C, 2, "2C"},   {0x1A5, 2, "A5"},
        {0x100, 2, "0"},      {0x2FF, 3, "2FF"}, {0xFFF, 3, "FFF"},
        {-1, 2, "X"},         {-0x20, 2, "X0"},  {INT32_MIN, 8, "X0000000"},
        {0x1234, 20, "1234"}, {7, 0, ""}};
    for (const Formatted& c : formatted)
        EXPECT_EQ(formatHex(c.value, c.digits), c.text) << c.value << " in " << c.digits;
    for (std::int32_t value = 0; value <= 0x300; ++value)
        ASSERT_EQ(parseHex(formatHex(value, 3)), value);
}

} // namespace
} // namespace tarnwick
