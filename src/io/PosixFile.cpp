#include "PosixFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <system_error>
#include <unistd.h>

namespace tarnwick::posix {

FileHandle::~FileHandle() {
    if (fd >= 0)
        ::close(fd);
}

int FileHandle::close() {
    const int result = ::close(fd) == 0 ? 0 : errno;
    fd = -1;
    return result;
}

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

int writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

int writeAllAt(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
    return 0;
}

int readAt(int fd, std::uint64_t offset, std::span<std::uint8_t> bytes, std::uint64_t& got) {
    got = 0;
    while (got < bytes.size()) {
        const ssize_t read =
            ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(offset + got));
        if (read < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (read == 0)
            break;
        got += static_cast<std::uint64_t>(read);
    }
    return 0;
}

int syncFolder(const std::filesystem::path& folder) {
    const std::filesystem::path named = folder.empty() ? std::filesystem::path(".") : folder;
    FileHandle handle(::open(named.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.isOpen())
        return errno;
    return ::fsync(handle.get()) != 0 && errno != EINVAL ? errno : 0;
}

namespace {

// Errors that say only that copy_file_range cannot copy between these two files, not that
// reading or writing failed: the buffered copy goes on from where it stopped.
bool kernelCopyUnavailable(int error) {
    return error == ENOSYS || error == EXDEV || error == EINVAL || error == EOPNOTSUPP ||
           error == EBADF;
}

int copyThroughBuffer(int source, std::uint64_t offset, std::uint64_t count, int out,
                      std::uint64_t& copied) {
    std::array<std::uint8_t, 1 << 16> buffer{};
    while (copied < count) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), count - copied));
        std::uint64_t got = 0;
        if (const int error = readAt(source, offset + copied, std::span(buffer).first(wanted), got);
            error != 0)
            return error;
        if (got == 0)
            return 0;
        if (const int error = writeAll(out, std::span(buffer).first(got)); error != 0)
            return error;
        copied += got;
    }
    return 0;
}

} // namespace

int copyRange(int source, std::uint64_t offset, std::uint64_t count, int out,
              std::uint64_t& copied) {
    copied = 0;
    while (copied < count) {
        auto position = static_cast<off_t>(offset + copied);
        const auto piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, 1 << 30));
        const ssize_t moved = ::copy_file_range(source, &position, out, nullptr, piece, 0);
        if (moved == 0)
            return 0;
        if (moved > 0) {
            copied += static_cast<std::uint64_t>(moved);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (!kernelCopyUnavailable(errno))
            return errno;
        return copyThroughBuffer(source, offset, count, out, copied);
    }
    return 0;
}

int copyTail(int source, std::uint64_t offset, int out) {
    std::uint64_t copied = 0;
    return copyRange(source, offset, std::numeric_limits<std::uint64_t>::max() - offset, out,
                     copied);
}

int copyWhole(int source, int out) {
    std::uint64_t copied = 0;
    return copyStart(source, std::numeric_limits<std::uint64_t>::max(), out, copied);
}

int copyStart(int source, std::uint64_t count, int out, std::uint64_t& copied) {
    copied = 0;
    if (::ioctl(out, FICLONE, source) != 0)
        return copyRange(source, 0, count, out, copied);
    // A clone takes the whole file as it is now, which may have grown since it was measured.
    struct stat info {};
    if (::fstat(out, &info) != 0)
        return errno;
    copied = std::min(static_cast<std::uint64_t>(info.st_size), count);
    if (static_cast<std::uint64_t>(info.st_size) > count &&
        ::ftruncate(out, static_cast<off_t>(count)) != 0)
        return errno;
    return ::lseek(out, 0, SEEK_END) < 0 ? errno : 0;
}

FileStamp stampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace tarnwick::posix
