#include "TestFiles.h"

#include "io/OutputRule.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

TEST(OutputRule, ReplacesOnlyWhenAllowedAndNeverAFolderOrAnInputOfAnotherKind) {
    test::TempDir dir;
    const std::string image = dir.file("game.smc");
    test::writeBytes(image, {1, 2, 3});
    fs::create_symlink(image, dir.path() / "link.smc");
    fs::create_symlink(dir.path() / "gone.smc", dir.path() / "dangling.smc");
    fs::create_directory(dir.path() / "folder");
    const InputFile inputs[] = {{image, FileKind::Image}};
    const std::string hint = " Give --force to replace it.";

    struct Case {
        std::string path;
        FileKind kind;
        bool replace;
        std::string message; // empty: may be written
    };
    const std::vector<Case> cases = {
        {dir.file("new.json"), FileKind::Json, false, ""},
        {image, FileKind::Image, true, ""}, // an image may replace the image it came from
        {image, FileKind::Image, false, "a file of that name exists already." + hint},
        // Another name for the input is the input.
        {dir.file("link.smc"), FileKind::Patch, true,
         "it is the image this command reads, and a patch is never written over it."},
        {image, FileKind::Json, false,
         "it is the image this command reads, and a JSON export is never written over it."},
        {dir.file("folder"), FileKind::Image, true, "it is a folder."},
        // A link that leads to no file is there all the same.
        {dir.file("dangling.smc"), FileKind::Image, false,
         "a link of that name exists already." + hint},
        {dir.file("dangling.smc"), FileKind::Image, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Status status = checkOutputFile(c.path, c.kind, inputs, c.replace, hint);
        EXPECT_EQ(status.message(),
                  c.message.empty() ? "" : "Could not write \"" + c.path + "\": " + c.message);
    }
}

} // namespace
} // namespace tarnwick
