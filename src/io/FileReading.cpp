#include "io/FileReading.h"

#include "PosixFile.h"
#include "io/LargePages.h"
#include "io/ShownText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>

namespace tarnwick {

namespace {

Status failure(std::string_view verb, const std::string& path, const std::string& reason) {
    return Status::failure("Could not " + std::string(verb) + " " + quotedName(path) + ": " +
                           reason + ".");
}

// Why a file of this kind is not read, or nothing for a regular file.
const char* refusalOfKind(mode_t mode) {
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a named pipe, not a regular file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a regular file";
    return "it is not a regular file";
}

// The caller's buffer as the reader fills it. It starts at the length the file system gives;
// a file that turns out longer grows it as a vector grows, one that turns out shorter cuts it.
class FileBuffer {
public:
    FileBuffer(const ReadBuffer& buffer, std::uint64_t expected)
        : resize(buffer), size(static_cast<std::size_t>(expected)), data(resize(size)) {}

    std::size_t count() const { return filled; }

    // Reads from offset on until the file ends or most bytes are in, and sizes the buffer to
    // what came. Returns 0 or the errno of the read that failed.
    int fill(int fd, std::uint64_t offset, std::uint64_t most) {
        for (;;) {
            std::uint64_t got = 0;
            if (filled < size) {
                const std::span<std::uint8_t> rest(data + filled, size - filled);
                if (const int error = posix::readAt(fd, offset + filled, rest, got); error != 0)
                    return error;
                filled += static_cast<std::size_t>(got);
                if (filled < size)
                    break; // the file ends before the length it had
                continue;
            }
            if (filled >= most)
                break;
            // Only reading on tells whether the file grew since its length was taken; mostly
            // this read finds the end and costs one call.
            std::array<std::uint8_t, 1 << 16> probe; // NOLINT: filled by the read
            const auto wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(probe.size(), most - filled));
            if (const int error =
                    posix::readAt(fd, offset + filled, std::span(probe).first(wanted), got);
                error != 0)
                return error;
            if (got == 0)
                break;
            size = static_cast<std::size_t>(
                std::min<std::uint64_t>(std::max(2 * size, filled + probe.size()), most));
            data = resize(size);
            std::copy_n(probe.begin(), got, data + filled);
            filled += static_cast<std::size_t>(got);
        }
        if (filled != size)
            resize(filled);
        return 0;
    }

private:
    const ReadBuffer& resize;
    std::size_t size;
    std::uint8_t* data;
    std::size_t filled = 0;
};

std::string tooLong(std::uint64_t largest) {
    return "it is longer than any file it could be (" + std::to_string(largest) + " bytes at most)";
}

} // namespace

Status readFileInto(const std::string& path, std::string_view verb, const ReadRequest& request,
                    const ReadBuffer& buffer, FileFacts& facts) {
    facts = {};
    if (path.empty())
        return Status::failure("Could not " + std::string(verb) + ": no file was given.");
    // Opened without waiting, so a named pipe is refused below instead of blocking the open.
    posix::FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen()) {
        const int error = errno;
        // A socket cannot be opened at all; its kind says more than the error does.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0)
            if (const char* refusal = refusalOfKind(info.st_mode))
                return failure(verb, path, refusal);
        return failure(verb, path,
                       error == ENOENT ? "the file does not exist"
                                       : "the file cannot be opened: " + posix::reasonOf(error));
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(verb, path, "its length cannot be determined: " + posix::reasonOf(errno));
    if (const char* refusal = refusalOfKind(info.st_mode))
        return failure(verb, path, refusal);
    const auto length = static_cast<std::uint64_t>(info.st_size);
    facts.stamp = posix::stampOf(info);
    if (length > request.largest)
        return failure(verb, path,
                       "at " + std::to_string(length) + " bytes " + tooLong(request.largest));

    // The file may change while it is read; the limit holds for what is actually read, so one
    // byte past it is asked for whenever the request reaches that far.
    constexpr std::uint64_t unlimited = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t pastLargest =
        request.largest == unlimited ? unlimited : request.largest + 1;
    const std::uint64_t wantedEnd =
        request.count > unlimited - request.offset ? unlimited : request.offset + request.count;
    const std::uint64_t stop = std::min(wantedEnd, pastLargest);
    const std::uint64_t most =
        stop > request.offset ? std::min<std::uint64_t>(stop - request.offset, SIZE_MAX) : 0;
    FileBuffer bytes(buffer, length > request.offset ? std::min(length - request.offset, most) : 0);
    if (const int error = bytes.fill(file.get(), request.offset, most); error != 0) {
        buffer(0);
        return failure(verb, path, "the file could not be read: " + posix::reasonOf(error));
    }
    if (request.offset + bytes.count() > request.largest) {
        buffer(0);
        return failure(verb, path, "it grew while it was read, and " + tooLong(request.largest));
    }
    facts.count = bytes.count();
    facts.length =
        facts.count == 0 ? length : std::max(length, request.offset + std::uint64_t{facts.count});
    return Status::success();
}

namespace {

template <class Contents>
Status readIntoContents(const std::string& path, std::string_view verb, const ReadRequest& request,
                        Contents& contents) {
    contents = {};
    FileFacts facts;
    const auto resize = [&contents](std::size_t size) {
        // Reserved first, so that the large pages are asked for before any byte is written.
        if (size > contents.bytes.capacity()) {
            contents.bytes.reserve(
                std::max(capacityForLargePages(size), 2 * contents.bytes.capacity()));
            preferLargePages(contents.bytes.data(), contents.bytes.capacity());
        }
        contents.bytes.resize(size);
        return contents.bytes.data();
    };
    Status read = readFileInto(path, verb, request, resize, facts);
    contents.length = facts.length;
    contents.stamp = facts.stamp;
    return read;
}

} // namespace

Status readFileBytes(const std::string& path, std::string_view verb, const ReadRequest& request,
                     FileContents& contents) {
    return readIntoContents(path, verb, request, contents);
}

Status readFileBytes(const std::string& path, std::string_view verb, const ReadRequest& request,
                     BufferedFileContents& contents) {
    return readIntoContents(path, verb, request, contents);
}

bool stampOfFile(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    stamp = posix::stampOf(info);
    return true;
}

} // namespace tarnwick
