#include "TestFiles.h"

#include "io/FileReading.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Binds a socket at path, so that a file of that kind exists there while the result lives.
struct BoundSocket {
    explicit BoundSocket(const std::string& path) : fd(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        bound = fd >= 0 && path.size() < sizeof address.sun_path &&
                ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~BoundSocket() {
        if (fd >= 0)
            ::close(fd);
    }
    int fd;
    bool bound = false;
};

TEST(FileReading, RefusesEverythingButARegularFileWithoutWaiting) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    // Nobody writes into the pipe: reading it would wait for ever.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const BoundSocket socket(dir.file("socket"));
    ASSERT_TRUE(socket.bound);

    struct Case {
        std::string path;
        std::string reason;
        std::string shown = {}; // the path in the message, when it is not shown as it is
    };
    const std::vector<Case> cases = {
        {dir.file("missing"), "the file does not exist"},
        {dir.file("folder"), "it is a folder, not a file"},
        {dir.file("pipe"), "it is a named pipe, not a regular file"},
        {dir.file("socket"), "it is a socket, not a regular file"},
        // Endless: a size limit taken from the file system alone would let it fill the memory.
        {"/dev/zero", "it is a device, not a regular file"},
        // A newline would split the one-line message; bytes that are not UTF-8 show as escapes.
        {dir.file("two\nlines\xFF.smc"), "the file does not exist",
         dir.file("two\\x0Alines\\xFF.smc")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        FileContents contents;
        const Status status = readFileBytes(c.path, "load", {}, contents);
        ASSERT_FALSE(status.isOk());
        const std::string& shown = c.shown.empty() ? c.path : c.shown;
        EXPECT_EQ(status.message(), "Could not load \"" + shown + "\": " + c.reason + ".");
        EXPECT_TRUE(contents.bytes.empty());
    }
    FileContents contents;
    EXPECT_EQ(readFileBytes("", "read", {}, contents).message(),
              "Could not read: no file was given.");
}

TEST(FileReading, ReadsTheRequestedPartAndKeepsTheSizeLimit) {
    test::TempDir dir;
    const std::string path = dir.file("ten");
    test::writeBytes(path, Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});

    struct Case {
        ReadRequest request;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {{}, Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {{10, 0, 4}, Bytes{0, 1, 2, 3}},
        {{100, 7, 100}, Bytes{7, 8, 9}},
        {{100, 12, 5}, Bytes{}}, // past the end: nothing, and no failure
    };
    for (const Case& c : cases) {
        FileContents contents;
        ASSERT_TRUE(readFileBytes(path, "read", c.request, contents).isOk());
        EXPECT_EQ(contents.bytes, c.expected);
        EXPECT_EQ(contents.length, 10u);
        // A buffer that is not zeroed first holds the same bytes, and no more.
        BufferedFileContents buffered;
        ASSERT_TRUE(readFileBytes(path, "read", c.request, buffered).isOk());
        EXPECT_TRUE(std::ranges::equal(buffered.bytes, c.expected));
    }

    FileContents contents;
    const Status tooLong = readFileBytes(path, "read", {9, 0, 2}, contents);
    ASSERT_FALSE(tooLong.isOk());
    EXPECT_NE(tooLong.message().find("at 10 bytes it is longer than any file it could be (9 bytes "
                                     "at most)"),
              std::string::npos)
        << tooLong.message();
}

// A file of the kernel's says it is empty and holds lines all the same: as a file that grew
// after its length was taken, it is read to its end, within the limit.
TEST(FileReading, ReadsAFileThatGrewToItsEndAndKeepsTheLimit) {
    const std::string path = "/proc/self/status";
    FileContents contents;
    ASSERT_TRUE(readFileBytes(path, "read", {}, contents).isOk());
    ASSERT_GT(contents.bytes.size(), 100u);
    EXPECT_EQ(contents.bytes.back(), '\n');
    EXPECT_EQ(contents.length, contents.bytes.size());
    BufferedFileContents buffered;
    ASSERT_TRUE(readFileBytes(path, "read", {}, buffered).isOk());
    EXPECT_EQ(buffered.bytes.back(), '\n');
    EXPECT_EQ(buffered.length, buffered.bytes.size());

    const Status tooLong = readFileBytes(path, "read", {16, 0, 1000}, contents);
    EXPECT_NE(tooLong.message().find("it grew while it was read, and it is longer than any file "
                                     "it could be (16 bytes at most)"),
              std::string::npos)
        << tooLong.message();
    EXPECT_TRUE(contents.bytes.empty());
}

} // namespace
} // namespace tarnwick
