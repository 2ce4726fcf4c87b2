#pragma once

#include "io/FileReading.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <sys/stat.h>

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

// Writes all of bytes from offset on, leaving the descriptor's position alone; past the end the
// file grows, reading as zeros up to offset.
int writeAllAt(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes);

// Reads into bytes from offset on. A file that ends first is no error: got tells how many bytes
// came.
int readAt(int fd, std::uint64_t offset, std::span<std::uint8_t> bytes, std::uint64_t& got);

// Flushes a folder to disk, so that a rename in it survives a power loss. A file system that
// cannot flush a folder (EINVAL) counts as done: there the rename is as safe as it gets.
int syncFolder(const std::filesystem::path& folder);

// Copies count bytes from offset on of source to the position of out, fewer where source ends
// first (copied tells how many), in the kernel where the file system can (copy_file_range), else
// through a buffer of 64 KiB: memory stays bounded whatever the file's length.
int copyRange(int source, std::uint64_t offset, std::uint64_t count, int out,
              std::uint64_t& copied);

// Copies everything from offset to the end of source to the position of out, as copyRange does.
int copyTail(int source, std::uint64_t offset, int out);

// Copies the first count bytes of source into the empty file out, fewer where source ends first
// (copied tells how many): shares their blocks where the file system can clone them (FICLONE),
// else as copyRange does. Leaves the position of out at its end.
int copyStart(int source, std::uint64_t count, int out, std::uint64_t& copied);

// Copies the whole of source into the empty file out, as copyStart does.
int copyWhole(int source, int out);

// The stamp of the file that info describes.
FileStamp stampOf(const struct stat& info);

} // namespace tarnwick::posix
