#include "TestFiles.h"

#include "io/AtomicFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

TEST(ReplaceFileStart, KeepsTheBytesPastTheNewStart) {
    test::TempDir dir;
    const std::string path = dir.file("f.gba");
    test::writeBytes(path, Bytes{1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(replaceFileStart(path, Bytes{9, 9}).isOk());
    EXPECT_EQ(test::readBytes(path), (Bytes{9, 9, 3, 4, 5, 6}));
    ASSERT_TRUE(replaceFileStart(path, Bytes{7, 7, 7, 7, 7, 7, 7, 7}).isOk());
    EXPECT_EQ(test::readBytes(path), Bytes(8, 7));
    EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u) << "no temporary file is left";
}

TEST(ReplaceFileStart, WritesThroughALinkAndKeepsPermissions) {
    test::TempDir dir;
    const std::string target = dir.file("real.smc");
    test::writeBytes(target, Bytes{1, 2, 3});
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, dir.path() / "link.smc");
    ASSERT_TRUE(replaceFileStart(dir.file("link.smc"), Bytes{8}).isOk());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.smc"));
    EXPECT_EQ(test::readBytes(target), (Bytes{8, 2, 3}));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ReplaceFileStart, RefusesMissingReadOnlyAndOddTargets) {
    test::TempDir dir;
    test::writeBytes(dir.file("ro.smc"), Bytes{1, 2});
    fs::permissions(dir.file("ro.smc"), fs::perms::owner_read);
    fs::create_directory(dir.path() / "folder");
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {dir.file("missing.smc"), "no longer exists"},
        {dir.file("ro.smc"), "read-only"},
        {dir.file("folder"), "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Status status = replaceFileStart(c.path, Bytes{5});
        ASSERT_FALSE(status.isOk());
        EXPECT_NE(status.message().find(c.path), std::string::npos) << status.message();
        EXPECT_NE(status.message().find(c.reason), std::string::npos) << status.message();
    }
    EXPECT_EQ(test::readBytes(dir.file("ro.smc")), (Bytes{1, 2}));
    EXPECT_FALSE(fs::exists(dir.file("missing.smc")));
    EXPECT_EQ(test::folderEntries(dir.path()).size(), 2u);
}

TEST(WriteWholeFile, RefusesOrReplacesAnExistingFileAsAsked) {
    test::TempDir dir;
    const std::string path = dir.file("out.bin");
    ASSERT_TRUE(writeWholeFile(path, Bytes{1, 2, 3}, ExistingFile::Refuse).isOk());
    const Status refused = writeWholeFile(path, Bytes{4}, ExistingFile::Refuse);
    ASSERT_FALSE(refused.isOk());
    EXPECT_NE(refused.message().find("exists already"), std::string::npos) << refused.message();
    EXPECT_EQ(test::readBytes(path), (Bytes{1, 2, 3}));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    ASSERT_TRUE(writeWholeFile(path, Bytes{4}, ExistingFile::Replace).isOk());
    EXPECT_EQ(test::readBytes(path), (Bytes{4}));
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_FALSE(writeWholeFile(dir.path().string(), Bytes{4}, ExistingFile::Replace).isOk());
    fs::create_symlink(dir.path() / "gone.bin", dir.path() / "dangling.bin");
    EXPECT_NE(writeWholeFile(dir.file("dangling.bin"), Bytes{4}, ExistingFile::Refuse)
                  .message()
                  .find("a link of that name exists already"),
              std::string::npos);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.bin"));
    EXPECT_EQ(test::folderEntries(dir.path()).size(), 2u);
}

// Makes a folder refuse new files for as long as it lives: by its permissions for an ordinary
// user, by the immutable attribute for the superuser (whom permissions do not stop).
class UnwritableFolder {
public:
    explicit UnwritableFolder(const fs::path& folder) : dir(folder) {
        if (geteuid() == 0)
            immutable = std::system(("chattr +i '" + dir.string() + "' 2>/dev/null").c_str()) == 0;
        else
            fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    }
    ~UnwritableFolder() {
        if (immutable)
            (void)std::system(("chattr -i '" + dir.string() + "'").c_str());
        fs::permissions(dir, fs::perms::owner_all);
    }
    bool effective() const {
        const fs::path probe = dir / "probe";
        std::ofstream out(probe);
        const bool created = static_cast<bool>(out);
        out.close();
        std::error_code ignored;
        fs::remove(probe, ignored);
        return !created;
    }

private:
    fs::path dir;
    bool immutable = false;
};

TEST(WriteFromAnotherFile, CopiesTheRangeChangesItAndRefusesASourceThatChanged) {
    test::TempDir dir;
    const std::string source = dir.file("source");
    test::writeBytes(source, Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    FileStamp stamp;
    ASSERT_TRUE(stampOfFile(source, stamp));
    FileStamp later = stamp;
    later.modifiedNs += 1;
    const auto grow = [](const CopyUnderChange& copy) {
        return copy.write(12, Bytes{7, 7}) | copy.write(1, Bytes{9});
    };
    const auto cut = [](const CopyUnderChange& copy) { return copy.cut(3); };
    struct Case {
        Bytes head;
        FileRange range;
        std::function<int(const CopyUnderChange&)> change; // none: writeFileWithTail
        Bytes expected;                                    // empty: refused
        std::string reason;
    };
    const Case cases[] = {
        {{8, 8}, {source, 4, 3, {}}, {}, {8, 8, 4, 5, 6}, {}},
        {{}, {source, 0, 10, stamp}, grow, {0, 9, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 7, 7}, {}},
        {{}, {source, 0, 10, {}}, cut, {0, 1, 2}, {}},
        {{}, {source, 4, 7, {}}, {}, {}, "source\" is shorter now than when it was read"},
        {{}, {source, 0, 10, later}, cut, {}, "has changed \"" + source + "\" since it was read"},
        {{}, {dir.file("gone"), 0, 1, {}}, {}, {}, "gone\" no longer exists"},
    };
    const std::string out = dir.file("out");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const Status written = c.change
                                   ? writeChangedCopy(out, c.range, ExistingFile::Refuse, c.change)
                                   : writeFileWithTail(out, c.head, c.range, ExistingFile::Refuse);
        if (c.expected.empty()) {
            EXPECT_NE(written.message().find(c.reason), std::string::npos) << written.message();
            EXPECT_FALSE(fs::exists(out));
        } else {
            ASSERT_TRUE(written.isOk()) << written.message();
            EXPECT_EQ(test::readBytes(out), c.expected);
            fs::remove(out);
        }
        EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u) << "no temporary file is left";
    }
}

TEST(ReplaceFileStart, UnwritableFolderLeavesTheOriginalIntact) {
    test::TempDir dir;
    const std::string path = dir.file("game.smc");
    test::writeBytes(path, Bytes{1, 2, 3});
    UnwritableFolder lock(dir.path());
    if (!lock.effective())
        GTEST_SKIP() << "this file system cannot make a folder unwritable here";
    const Status status = replaceFileStart(path, Bytes{9});
    ASSERT_FALSE(status.isOk());
    EXPECT_NE(status.message().find(path), std::string::npos);
    EXPECT_NE(status.message().find("cannot be created"), std::string::npos) << status.message();
    EXPECT_EQ(test::readBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
}

} // namespace
} // namespace tarnwick
