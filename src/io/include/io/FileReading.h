#pragma once

#include "io/ByteBuffer.h"
#include "io/Status.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// Every file the programs read goes through here: images, patches, JSON exports and the text
// files. Only regular files are read, so a named pipe, a socket or a device can neither hang
// the program nor feed it without end, and the size limit is kept while reading, not only by
// what the file system says beforehand.
namespace tarnwick {

// Which bytes of a file to read and how long a file may be.
struct ReadRequest {
    // A file longer than this is refused.
    std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    // The first byte read, and how many bytes at most are read from there.
    std::uint64_t offset = 0;
    std::uint64_t count = std::numeric_limits<std::uint64_t>::max();
};

// What tells one state of a file on disk from another without reading it: which file it is
// (device and inode), its length and when it was last written.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t length = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

template <class Bytes> struct BasicFileContents {
    Bytes bytes;              // what was read; fewer than asked where the file ends
    std::uint64_t length = 0; // the whole file's length
    FileStamp stamp;          // the file read, as it was when it was opened
};
using FileContents = BasicFileContents<std::vector<std::uint8_t>>;
// For bytes that are kept, as an image's are: the buffer is not zeroed before the read.
using BufferedFileContents = BasicFileContents<ByteBuffer>;

// Reads what request names of the file at path. A failure says "Could not <verb> "<path>": "
// and the reason: the file does not exist, is a folder, is not a regular file, is too long.
Status readFileBytes(const std::string& path, std::string_view verb, const ReadRequest& request,
                     FileContents& contents);
Status readFileBytes(const std::string& path, std::string_view verb, const ReadRequest& request,
                     BufferedFileContents& contents);

// The buffer that readFileInto fills: resize(n) makes it n bytes long, keeping the bytes it
// holds (new ones need not be set), and returns its first byte. The file's bytes are read
// straight into it, so each is copied once, from the kernel into the memory that keeps it.
using ReadBuffer = std::function<std::uint8_t*(std::size_t size)>;

// What readFileInto found besides the bytes.
struct FileFacts {
    std::size_t count = 0;    // bytes read into the buffer, which is resized to them
    std::uint64_t length = 0; // the whole file's length
    FileStamp stamp;          // the file read, as it was when it was opened
};

// readFileBytes into a buffer of the caller's kind. On failure the buffer is left empty.
Status readFileInto(const std::string& path, std::string_view verb, const ReadRequest& request,
                    const ReadBuffer& buffer, FileFacts& facts);

// The stamp of the file at path (following links, as reading does); false when there is no
// such file or it cannot be examined, with errno set.
bool stampOfFile(const std::string& path, FileStamp& stamp);

} // namespace tarnwick
