#include "io/ShownText.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ShownText, EscapesControlsAndBytesThatAreNotUtf8) {
    const struct {
        std::string_view raw;
        std::string_view shown;
    } cases[] = {
        {"orig.smc", "orig.smc"},
        {"a\nb.smc", "a\\x0Ab.smc"},
        {"\x1B]0;PWNED\a", "\\x1B]0;PWNED\\x07"},
        {"bad\xFF\xFEname.smc", "bad\\xFF\\xFEname.smc"},
        {"\xC2\x9B"
         "31m",
         "\\xC2\\x9B31m"},                        // C1 CSI
        {"\xC0\xAF", "\\xC0\\xAF"},               // overlong '/'
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},      // a surrogate
        {"\xE3\x82\xA2\xE3\x82", "ア\\xE3\\x82"}, // cut short at the end
        {"Échec ア", "Échec ア"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(escapedText(c.raw), c.shown) << c.shown;
    EXPECT_EQ(quotedName("a\tb"), "\"a\\x09b\"");
}

TEST(ShownText, ShortQuoteCutsLongValuesAtACharacter) {
    EXPECT_EQ(shortQuote("Potion", 40), "\"Potion\"");
    EXPECT_EQ(shortQuote(std::string(10'000'000, 'x'), 8), "\"xxxxxxxx…\"");
    EXPECT_EQ(shortQuote("ababアア", 7), "\"ababア…\"");
    EXPECT_EQ(shortQuote("\n\n\n", 5), "\"\\x0A…\"");
}

} // namespace
} // namespace tarnwick
