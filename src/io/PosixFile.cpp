#include "PosixFile.h"

#include <array>
#include <cerrno>
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

int copyTail(int source, std::uint64_t offset, int out) {
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

} // namespace tarnwick::posix
