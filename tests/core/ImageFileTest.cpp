#include "rom/ImageFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Each case does to the file what another program might, after the document read it.
TEST(ImageFile, LookingAgainTellsWhatAnotherProgramDidToTheFile) {
    const std::vector<std::uint8_t> image(4096, 0x5A);
    std::vector<std::uint8_t> other = image;
    other[100] = 0x01;
    const auto later = [](const std::string& path) {
        fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
    };
    const struct {
        const char* what;
        std::function<void(const std::string& path)> act;
        FileChange expected;
    } cases[] = {
        {"nothing", [](const std::string&) {}, FileChange::None},
        {"touched", [&](const std::string& path) { later(path); }, FileChange::None},
        {"bytes appended past the image",
         [&](const std::string& path) {
             std::vector<std::uint8_t> longer = image;
             longer.resize(6000, 0xEE);
             test::writeBytes(path, longer);
             later(path);
         },
         FileChange::None},
        {"written in place",
         [&](const std::string& path) {
             test::writeBytes(path, other);
             later(path);
         },
         FileChange::Written},
        {"replaced by a rename",
         [&](const std::string& path) {
             test::writeBytes(path + ".new", other);
             fs::rename(path + ".new", path);
         },
         FileChange::Replaced},
        {"replaced by the same bytes",
         [&](const std::string& path) {
             test::writeBytes(path + ".new", image);
             fs::rename(path + ".new", path);
         },
         FileChange::None},
        {"cut short", [](const std::string& path) { fs::resize_file(path, 4000); },
         FileChange::Shorter},
        {"removed", [](const std::string& path) { fs::remove(path); }, FileChange::Gone},
    };
    // The checksum is taken at once, or handed in later by the holder of the bytes.
    for (const bool checksumLater : {false, true})
        for (const auto& c : cases) {
            const TempDir dir;
            const std::string path = dir.file("image.smc");
            test::writeBytes(path, image);
            FileContents contents;
            ASSERT_TRUE(readFileBytes(path, "load", {}, contents).isOk());
            ImageFile file = checksumLater ? ImageFile(contents.stamp, contents.bytes.size())
                                           : ImageFile(contents.stamp, contents.bytes);
            if (checksumLater)
                file.takeChecksum(contents.bytes);
            c.act(path);
            EXPECT_EQ(file.lookAgain(path), c.expected) << c.what << ", later " << checksumLater;
        }
    EXPECT_EQ(ImageFile().lookAgain("/nonexistent/image.smc"), FileChange::Gone);
}

} // namespace
} // namespace tarnwick
