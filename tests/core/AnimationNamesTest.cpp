#include "rom/AnimationNames.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(AnimationNames, ListsKeepTheirLengthWhateverTheFileHolds) {
    test::TempDir dir;
    // No file to read (absent, or a folder): numbers.
    const auto short8 = anim8AnimationNames(readTextFile(dir.file("animdata.txt")));
    const auto long14 = anim14AnimationNames(readTextFile(dir.path().string()));
    ASSERT_EQ(short8.size(), 256u);
    ASSERT_EQ(long14.size(), 769u);
    EXPECT_EQ(short8[0] + "," + short8[254] + "," + short8[255], "0,FE,FF");
    EXPECT_EQ(long14[0x105] + "," + long14[767] + "," + long14[768], "105,2FF,FFF");

    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {""}},
        {"Slash\r\n\r\nFire\r\n", {"Slash", "", "Fire", ""}},
        // Only CR LF ends a line; a lone LF or CR is shown escaped.
        {"Slash\nStab\rBolt\n", {"Slash\\x0AStab\\x0DBolt\\x0A", ""}},
    };
    const std::string path = dir.file("animdata.txt");
    for (const auto& [bytes, firstNames] : cases) {
        test::writeBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        const TextFile file = readTextFile(path);
        for (const auto& names : {anim8AnimationNames(file), anim14AnimationNames(file)}) {
            ASSERT_TRUE(names.size() == 256u || names.size() == 769u) << names.size();
            for (std::size_t i = 0; i < firstNames.size(); ++i)
                EXPECT_EQ(names[i], firstNames[i]);
            EXPECT_EQ(names.back(), "");
        }
    }
}

} // namespace
} // namespace tarnwick
