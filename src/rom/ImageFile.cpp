#include "rom/ImageFile.h"

#include "io/ShownText.h"

#include <xxhash.h>

#include <algorithm>

namespace tarnwick {

namespace {

// Computed over the whole image, up to 8 MiB, before a save and whenever the file is looked
// at again; std::hash took longer than reading the file.
std::uint64_t checksumOf(std::span<const std::uint8_t> bytes) {
    return XXH3_64bits(bytes.data(), bytes.size());
}

} // namespace

ImageFile::ImageFile(const FileStamp& stamp, std::span<const std::uint8_t> image)
    : fileStamp(stamp), imageLength(image.size()), checksum(checksumOf(image)), known(true),
      checksummed(true) {}

ImageFile::ImageFile(const FileStamp& stamp, std::uint64_t length)
    : fileStamp(stamp), imageLength(length), known(true) {}

void ImageFile::takeChecksum(std::span<const std::uint8_t> image) {
    checksum = checksumOf(image.first(std::min<std::size_t>(image.size(), imageLength)));
    checksummed = true;
}

FileChange ImageFile::lookAgain(const std::string& path) const {
    FileStamp now;
    if (!stampOfFile(path, now))
        return FileChange::Gone;
    if (!known || now == fileStamp)
        return FileChange::None;
    if (now.length < imageLength)
        return FileChange::Shorter;
    ReadRequest request;
    request.count = imageLength;
    BufferedFileContents contents;
    if (!readFileBytes(path, "read", request, contents))
        return FileChange::Gone;
    if (contents.bytes.size() < imageLength)
        return FileChange::Shorter;
    if (checksummed && checksumOf(contents.bytes) == checksum)
        return FileChange::None;
    const bool sameFile = now.device == fileStamp.device && now.inode == fileStamp.inode;
    return sameFile ? FileChange::Written : FileChange::Replaced;
}

std::string fileChangeText(FileChange change, const std::string& path) {
    const std::string name = quotedName(path);
    switch (change) {
    case FileChange::None:
        return {};
    case FileChange::Gone:
        return name + " no longer exists.";
    case FileChange::Written:
        return "Another program has written to " + name + " since it was loaded or saved here.";
    case FileChange::Replaced:
        return name + " is another file now: another program has put a file with other bytes "
                      "in its place since it was loaded or saved here.";
    case FileChange::Shorter:
        return name + " is shorter now: another program has cut it since it was loaded or "
                      "saved here, and it no longer holds the whole image.";
    }
    return {};
}

} // namespace tarnwick
