#pragma once

#include "io/FileReading.h"

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

// What became of the open image's file since the document read it or last wrote it.
enum class FileChange {
    None,     // the file holds the bytes the document came from
    Gone,     // no file has the name any more
    Written,  // another program wrote other bytes into it
    Replaced, // another file, with other bytes, has the name now
    Shorter,  // the file no longer holds the whole image
};

// The open image's file as the document knows it: the stamp of the file it was read from or
// written to, and a checksum of the image bytes it holds, so that a save can first tell whether
// another program changed the file since. Looking again costs a stat while the stamp is the
// same; only a changed stamp makes it read the image's bytes to compare them.
class ImageFile {
public:
    ImageFile() = default;
    // The file as it was when image (the bytes that count as the image) was read from or
    // written to it.
    ImageFile(const FileStamp& stamp, std::span<const std::uint8_t> image);
    // The same for an image of length bytes whose checksum comes later: whoever holds the
    // bytes hands them to takeChecksum before they change, or when the file is looked at again.
    // Until then a changed stamp counts as a change, since nothing shows the bytes are the same.
    ImageFile(const FileStamp& stamp, std::uint64_t length);

    bool isKnown() const { return known; }
    const FileStamp& stamp() const { return fileStamp; }
    bool awaitsChecksum() const { return known && !checksummed; }
    // image: the bytes the file held when the stamp was taken, imageLength of them.
    void takeChecksum(std::span<const std::uint8_t> image);
    // Looks at the file at path now. A file whose stamp changed but whose image bytes are
    // the same (touched, or bytes appended past a GBA image) has not changed.
    FileChange lookAgain(const std::string& path) const;

private:
    FileStamp fileStamp;
    std::uint64_t imageLength = 0;
    std::uint64_t checksum = 0;
    bool known = false;
    bool checksummed = false;
};

// True when writing the document over the file would replace what another program put there,
// so the user is asked first. A file that is gone is not: the save itself refuses to create it.
[[nodiscard]] inline bool overwritesAnotherProgram(FileChange change) {
    return change != FileChange::None && change != FileChange::Gone;
}

// What a person reads about a change: "Another program has written to \"orig.smc\" since it
// was loaded." Empty for FileChange::None.
std::string fileChangeText(FileChange change, const std::string& path);

} // namespace tarnwick
