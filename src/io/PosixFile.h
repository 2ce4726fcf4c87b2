#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// The few file-descriptor operations the document's reading and writing share. Each returns 0
// or the errno of the call that failed, so a message always gives the reason of that call.
namespace tarnwick::posix {

// An open file descriptor, closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int descriptor = -1) : fd(descriptor) {}
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool isOpen() const { return fd >= 0; }
    int get() const { return fd; }
    // Closes now and returns close's error (a late write error shows here), 0 on success.
    int close();

private:
    int fd;
};

// The text of an errno value.
std::string reasonOf(int error);

// Writes all of bytes at the descriptor's position, retrying interrupted and partial writes.
int writeAll(int fd, std::span<const std::uint8_t> bytes);

// Reads into bytes from offset on. A file that ends first is no error: got tells how many bytes
// came.
int readAt(int fd, std::uint64_t offset, std::span<std::uint8_t> bytes, std::uint64_t& got);

// Asks the kernel to back a large buffer about to be filled with huge pages where it can. Each
// small page is otherwise faulted in and zeroed as the bytes arrive, which takes longer than
// copying the bytes themselves. Only a hint: nothing fails without it.
void adviseHugePages(void* buffer, std::size_t length);

// Flushes a folder to disk, so that a rename in it survives a power loss. A file system that
// cannot flush a folder (EINVAL) counts as done: there the rename is as safe as it gets.
int syncFolder(const std::filesystem::path& folder);

// Copies everything from offset to the end of source to the position of out, in the kernel
// where the file system can (copy_file_range), else through a buffer of 64 KiB: memory stays
// bounded whatever the file's length.
int copyTail(int source, std::uint64_t offset, int out);

// Copies the whole of source into the empty file out: shares its blocks where the file system
// can clone them (FICLONE), else as copyTail does.
int copyWhole(int source, int out);

} // namespace tarnwick::posix
