#include "TestFiles.h"

#include "io/BackupCopy.h"
#include "io/SaveTemporary.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// A backup holds all of the file, with its permission bits from its creation on, and takes the
// backup's name from what is there, a link included, without writing where the link leads.
TEST(BackupCopy, CopiesTheWholeFileWithItsModeAndReplacesALinkItself) {
    struct Case {
        const char* name;
        std::size_t length;
        fs::perms mode;
        bool linkAtBackup;
    };
    const Case cases[] = {
        {"longer than the copy buffer", 3 * 65536 + 17, fs::perms(0644), false},
        {"owner only", 100, fs::perms(0600), false},
        {"a link at the backup's name", 100, fs::perms(0640), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.file("game.smc");
        const std::string backup = path + ".bak";
        Bytes bytes(c.length);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        test::writeBytes(path, bytes);
        fs::permissions(path, c.mode);
        if (c.linkAtBackup) {
            test::writeBytes(dir.file("victim.txt"), Bytes{'v'});
            fs::create_symlink("victim.txt", backup);
        }

        BackupCopy copy;
        ASSERT_TRUE(BackupCopy::make(path, backup, copy).isOk());
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_TRUE(!isSaveTemporaryName(entry.path().filename().native()) ||
                        entry.status().permissions() == c.mode);
        ASSERT_TRUE(copy.place().isOk());

        EXPECT_FALSE(fs::is_symlink(backup));
        EXPECT_TRUE(test::readBytes(backup) == bytes);
        EXPECT_EQ(fs::status(backup).permissions(), c.mode);
        EXPECT_EQ(test::folderEntries(dir.path()).size(), c.linkAtBackup ? 3u : 2u);
        EXPECT_TRUE(!c.linkAtBackup || test::readBytes(dir.file("victim.txt")) == Bytes{'v'});
    }
}

} // namespace
} // namespace tarnwick
