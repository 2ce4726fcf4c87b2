#include "TestFiles.h"

#include "io/AtomicFile.h"
#include "io/FileReading.h"
#include "io/SaveTemporary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(SaveTemporary, NamesAreTheTargetsWithTheMarkerAndEightHexDigits) {
    EXPECT_TRUE(isSaveTemporaryName("game.smc.tarnwick-save-0123abcd"));
    EXPECT_FALSE(isSaveTemporaryName("game.smc.tarnwick-save-0123ABCD"));
    EXPECT_FALSE(isSaveTemporaryName("game.smc.tarnwick-save-0123abc"));
    EXPECT_FALSE(isSaveTemporaryName("game.smc.tarnwick-save-0123abcde"));
    EXPECT_FALSE(isSaveTemporaryName(".tarnwick-save-0123abcd"));
    EXPECT_FALSE(isSaveTemporaryName("game.smc"));
}

// A file of any name the file system takes can be read and saved: the temporary's name is cut
// to fit, before a character, and still carries the marker the cleanup looks for; bytes that
// are not UTF-8 are kept as they are.
TEST(SaveTemporary, NamesOfEveryLegalLengthCanBeSaved) {
    std::string accented = "d"; // 255 bytes, a two-byte letter across the cut
    for (int i = 0; i < 127; ++i)
        accented += "\xC3\xA9";
    const std::string names[] = {std::string(232, 'a'), std::string(233, 'b'),
                                 std::string(251, 'c') + ".smc", accented, "bad\xFF\xFEname.smc"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name.size());
        test::TempDir dir;
        int error = 0;
        const SaveTemporary temporary = SaveTemporary::createBeside(dir.path() / name, 0600, error);
        ASSERT_TRUE(temporary.isOpen()) << error;
        const std::string shown = temporary.path().filename().native();
        EXPECT_LE(shown.size(), 255u);
        EXPECT_TRUE(isSaveTemporaryName(shown));
        EXPECT_NE(static_cast<unsigned char>(shown[shown.find(saveTemporaryMarker) - 1]), 0xC3);
        EXPECT_TRUE(writeWholeFile(dir.file(name), Bytes{1, 2}, ExistingFile::Replace).isOk());
        FileContents read;
        EXPECT_TRUE(readFileBytes(dir.file(name), "load", {}, read).isOk());
        EXPECT_TRUE(read.bytes == (Bytes{1, 2}));
    }
}

TEST(SaveTemporary, ASaveRemovesWhatAKilledSaveLeftButNotWhatARunningOneOwns) {
    test::TempDir dir;
    const std::string abandoned = "game.smc.tarnwick-save-0123abcd";
    const std::string lookalike = "notes.tarnwick-save-draft";
    test::writeBytes(dir.file(abandoned), Bytes(64, 1));
    test::writeBytes(dir.file(lookalike), Bytes(4, 2));
    int error = 0;
    // A save that is still writing holds its file locked.
    const SaveTemporary running =
        SaveTemporary::createBeside(dir.path() / "other.smc", 0600, error);
    ASSERT_TRUE(running.isOpen()) << error;

    ASSERT_TRUE(writeWholeFile(dir.file("game.smc"), Bytes{7}, ExistingFile::Replace).isOk());

    const std::vector<std::string> left = test::folderEntries(dir.path());
    EXPECT_FALSE(contains(left, abandoned));
    EXPECT_TRUE(contains(left, lookalike));
    EXPECT_TRUE(contains(left, running.path().filename().string()));
    EXPECT_EQ(left.size(), 3u);
}

TEST(SaveTemporary, IsRemovedWhenNotRenamedIntoPlace) {
    test::TempDir dir;
    int error = 0;
    fs::path name;
    {
        const SaveTemporary unfinished =
            SaveTemporary::createBeside(dir.path() / "a.smc", 0600, error);
        name = unfinished.path();
        EXPECT_TRUE(fs::exists(name));
    }
    EXPECT_FALSE(fs::exists(name));

    SaveTemporary finished = SaveTemporary::createBeside(dir.path() / "b.smc", 0600, error);
    ASSERT_EQ(finished.closeForWriting(), 0);
    ASSERT_EQ(finished.renameOver(dir.path() / "b.smc"), 0);
    EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"b.smc"});
}

// A child process starts a save and is interrupted by signal before it finishes.
TEST(SaveTemporary, InterruptAndTerminateRemoveTheFileBeforeTheProcessEnds) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        test::TempDir dir;
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int error = 0;
            const SaveTemporary saving =
                SaveTemporary::createBeside(dir.path() / "game.smc", 0600, error);
            const char started = saving.isOpen() ? 'y' : 'n';
            (void)!::write(ready[1], &started, 1);
            ::pause();
            ::_exit(0);
        }
        char started = 0;
        ASSERT_EQ(::read(ready[0], &started, 1), 1);
        EXPECT_EQ(started, 'y');
        EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_TRUE(test::folderEntries(dir.path()).empty());
        ::close(ready[0]);
        ::close(ready[1]);
    }
}

} // namespace
} // namespace tarnwick
