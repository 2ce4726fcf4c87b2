#include "io/FileReading.h"

#include "PosixFile.h"
#include "io/ShownText.h"

#include <algorithm>
#include <array>
#include <cerrno>
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

FileStamp stampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

std::string tooLong(std::uint64_t largest) {
    return "it is longer than any file it could be (" + std::to_string(largest) + " bytes at most)";
}

} // namespace

Status readFileBytes(const std::string& path, std::string_view verb, const ReadRequest& request,
                     FileContents& contents) {
    contents = {};
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
    contents.stamp = stampOf(info);
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
    std::uint64_t position = request.offset;
    if (length > position) {
        contents.bytes.reserve(static_cast<std::size_t>(std::min(length, stop) - position));
        posix::adviseHugePages(contents.bytes.data(), contents.bytes.capacity());
    }
    std::array<std::uint8_t, 1 << 16> chunk{};
    while (position < stop) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), stop - position));
        std::uint64_t got = 0;
        const int error = posix::readAt(file.get(), position, std::span(chunk).first(wanted), got);
        if (error != 0)
            return failure(verb, path, "the file could not be read: " + posix::reasonOf(error));
        if (got == 0)
            break;
        contents.bytes.insert(contents.bytes.end(), chunk.begin(),
                              chunk.begin() + static_cast<std::ptrdiff_t>(got));
        position += got;
    }
    if (position > request.largest) {
        contents = {};
        return failure(verb, path, "it grew while it was read, and " + tooLong(request.largest));
    }
    contents.length = contents.bytes.empty() ? length : std::max(length, position);
    return Status::success();
}

bool stampOfFile(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    stamp = stampOf(info);
    return true;
}

} // namespace tarnwick
