#include "PosixFile.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
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

void adviseHugePages(void* buffer, std::size_t length) {
#ifdef MADV_HUGEPAGE
    // Smaller buffers fit in fewer pages than one huge page holds: nothing to gain there.
    constexpr std::size_t worthwhile = std::size_t{2} << 20;
    if (length < worthwhile)
        return;
    // madvise takes whole pages: the ones that lie inside the buffer.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + length) / page * page;
    if (end > first)
        (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)buffer;
    (void)length;
#endif
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

int copyThroughBuffer(int source, std::uint64_t offset, int out) {
    std::array<std::uint8_t, 1 << 16> buffer{};
    for (;;) {
        std::uint64_t got = 0;
        if (const int error = readAt(source, offset, buffer, got); error != 0)
            return error;
        if (got == 0)
            return 0;
        if (const int error = writeAll(out, std::span(buffer).first(got)); error != 0)
            return error;
        offset += got;
    }
}

} // namespace

int copyTail(int source, std::uint64_t offset, int out) {
    auto position = static_cast<off_t>(offset);
    for (;;) {
        const ssize_t copied = ::copy_file_range(source, &position, out, nullptr, 1 << 30, 0);
        if (copied == 0)
            return 0;
        if (copied > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (!kernelCopyUnavailable(errno))
            return errno;
        return copyThroughBuffer(source, static_cast<std::uint64_t>(position), out);
    }
}

int copyWhole(int source, int out) {
    if (::ioctl(out, FICLONE, source) == 0) {
        // A clone leaves the position of out at 0; the caller may go on writing after it.
        return ::lseek(out, 0, SEEK_END) < 0 ? errno : 0;
    }
    return copyTail(source, 0, out);
}

} // namespace tarnwick::posix
