#pragma once

#include "io/FileReading.h"
#include "io/Status.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

// Every file the programs write goes through here. The new contents go to a temporary file in
// the target's folder, which is flushed to disk and then renamed over the target, and the folder
// is flushed after the rename: a failure, a crash or a power loss leaves either the old file or
// the complete new one, never a mixture.
namespace tarnwick {

// Replaces the start of an existing file with head and keeps every byte the file holds past
// head's length, and the file's permissions.
Status replaceFileStart(const std::string& path, std::span<const std::uint8_t> head);

// What writeWholeFile does when a file of that name exists.
enum class ExistingFile { Refuse, Replace };

// Writes bytes as the whole contents of the file at path.
Status writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                      ExistingFile existing);

// Bytes of another file that a new file takes: length bytes from offset on of the file at path.
// With a stamp, only while that file is still the one the stamp describes.
struct FileRange {
    std::string path;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::optional<FileStamp> stamp;
};

// Writes head and then the bytes of tail as the whole contents of the file at path. The tail
// is copied in the kernel, or its blocks shared, where the file system can, else through a
// small buffer: memory stays bounded however long it is. Fails, writing nothing, when tail's
// file holds fewer of its bytes now or is no longer the file its stamp describes.
Status writeFileWithTail(const std::string& path, std::span<const std::uint8_t> head,
                         const FileRange& tail, ExistingFile existing);

// The new file that writeChangedCopy makes, open for the change. Each call returns 0 or the
// errno of the write that failed.
class CopyUnderChange {
public:
    explicit CopyUnderChange(int descriptor) : fd(descriptor) {}
    // Puts bytes at offset; past the end the file grows, with zeros before them.
    int write(std::uint64_t offset, std::span<const std::uint8_t> bytes) const;
    // Cuts the file to length bytes.
    int cut(std::uint64_t length) const;

private:
    int fd;
};

// Writes the bytes of source, copied as writeFileWithTail copies a tail, as the whole contents
// of the file at path, and lets change write into the copy before it replaces anything. change
// returns 0 or the errno of the write that failed; its failure leaves everything as it was.
Status writeChangedCopy(const std::string& path, const FileRange& source, ExistingFile existing,
                        const std::function<int(const CopyUnderChange&)>& change);

} // namespace tarnwick
