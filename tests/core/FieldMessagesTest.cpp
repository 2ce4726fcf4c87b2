#include "rom/FieldMessages.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(FieldMessages, SayWhatATypedTextBecame) {
    struct Hex {
        std::string_view typed;
        std::int32_t stored;
        int digits;
        std::string_view message;
    };
    const Hex hex[] = {
        {"1F", 0x1F, 2, ""},
        {"G1", 0x01, 2, "G is not a hexadecimal digit: stored 01"},
        {"ZZ", 0x73, 2, "Z is not a hexadecimal digit: stored 73"},
        {"G-z", 0x2BD, 3, "G, - and z are not hexadecimal digits: stored 2BD"},
        {"a", 0x2A, 2, "a is not a hexadecimal digit: stored 2A"},
    };
    for (const Hex& c : hex)
        EXPECT_EQ(hexFieldMessage(c.typed, c.stored, c.digits), c.message) << c.typed;

    EXPECT_EQ(numberFieldMessage(44, 44, "the byte", 0, 255), "");
    EXPECT_EQ(numberFieldMessage(300, 44, "the byte", 0, 255),
              "300 is stored as 44: the byte holds 0-255");
}

} // namespace
} // namespace tarnwick
