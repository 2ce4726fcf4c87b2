#include "patch/FilePatch.h"

#include "PatchText.h"
#include "io/ShownText.h"
#include "patch/BpsNumber.h"
#include "patch/ImageProper.h"
#include "patch/Ips.h"
#include "rom/Releases.h"

#include <algorithm>
#include <vector>

#include <optional>

namespace tarnwick {

namespace {

// The source size a BPS patch records, read without checking the rest of the patch.
std::optional<std::uint64_t> bpsSourceSize(std::span<const std::uint8_t> patch) {
    std::size_t at = 4; // past "BPS1"
    return readBpsNumber(patch, at);
}

std::string headerText(std::uint32_t length) {
    return "a " + std::to_string(length) + "-byte copier header";
}

// The copy of an image file that an IPS patch changes, written where it lies. After a write
// fails nothing more is written, and error keeps why.
class CopyUnderPatch : public IpsImage {
public:
    CopyUnderPatch(const CopyUnderChange& file, std::uint64_t length)
        : copy(file), imageLength(length) {}
    int error = 0;

    std::uint64_t length() const override { return imageLength; }
    void put(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        if (error == 0)
            error = copy.write(offset, bytes);
        imageLength = std::max(imageLength, offset + bytes.size());
    }
    void fill(std::uint64_t offset, std::size_t count, std::uint8_t value) override {
        put(offset, std::vector<std::uint8_t>(count, value));
    }
    void cut(std::uint64_t length) override {
        if (error == 0)
            error = copy.cut(length);
        imageLength = length;
    }

private:
    const CopyUnderChange& copy;
    std::uint64_t imageLength;
};

} // namespace

PatchResult createFilePatch(PatchFormat format, std::span<const std::uint8_t> originalFile,
                            std::span<const std::uint8_t> modifiedFile) {
    if (format == PatchFormat::Ips)
        return createPatch(format, originalFile, modifiedFile);
    const std::span<const std::uint8_t> original = imageProper(originalFile);
    // Where the original has no header, a modified file of a header's length holds image bytes
    // there (a GBA image cut below 8 MiB, say), which the patch must keep.
    const std::span<const std::uint8_t> modified =
        original.size() < originalFile.size() ? imageProper(modifiedFile) : modifiedFile;
    return createPatch(format, original, modified);
}

PatchResult applyFilePatch(std::span<const std::uint8_t> file,
                           std::span<const std::uint8_t> patch) {
    if (patchFormatOf(patch) == PatchFormat::Ips)
        return applyPatch(file, patch);
    const std::span<const std::uint8_t> image = imageProper(file);
    const auto headerLength = static_cast<std::ptrdiff_t>(file.size() - image.size());
    // Some tools can be told to keep the header in a BPS patch; its source size shows it.
    if (headerLength == 0 || bpsSourceSize(patch) == file.size())
        return applyPatch(file, patch);
    PatchResult patched = applyPatch(image, patch);
    if (!patched)
        return PatchResult::failure(patched.message() + "; the image's " +
                                    std::to_string(headerLength) +
                                    "-byte copier header was left out");
    std::vector<std::uint8_t> result(file.begin(), file.begin() + headerLength);
    const std::vector<std::uint8_t> made = patched.takeBytes();
    result.insert(result.end(), made.begin(), made.end());
    return PatchResult::success(std::move(result));
}

Status writeIpsPatchedFile(const FileRange& image, std::span<const std::uint8_t> patch,
                           const std::string& path, ExistingFile existing) {
    // The records are checked in full before the copy is made, so a damaged patch writes nothing.
    IpsImageStart lengthOnly({}, image.length, 0);
    if (const std::string problem = applyIpsRecords(patch, lengthOnly); !problem.empty())
        return Status::failure("Could not write " + quotedName(path) + ": " + problem + ".");
    return writeChangedCopy(path, image, existing, [&](const CopyUnderChange& copy) {
        CopyUnderPatch patched(copy, image.length);
        (void)applyIpsRecords(patch, patched);
        return patched.error;
    });
}

std::string ipsCreationHeaderNote(std::span<const std::uint8_t> originalFile,
                                  std::span<const std::uint8_t> modifiedFile) {
    const std::uint32_t original = patchHeaderLength(originalFile.size());
    const std::uint32_t modified = patchHeaderLength(modifiedFile.size());
    if (original == 0 && modified == 0)
        return {};
    if (original == modified)
        return "the files carry " + headerText(original) +
               ", and IPS addresses them as they lie on disk: the patch applies to copies with "
               "the header, and on a copy without one its bytes would land " +
               std::to_string(original) + " bytes late";
    if (modified == 0)
        return "the original carries " + headerText(original) +
               " and the modified file none: the patch takes the header off, rewriting every "
               "byte, and applies only to copies with the header";
    return "the modified file carries " + headerText(modified) +
           " and the original none: the patch puts one in, rewriting every byte, and applies "
           "only to copies without a header";
}

std::string ipsApplicationHeaderNote(std::uint64_t fileLength,
                                     std::span<const std::uint8_t> patch) {
    if (fileLength > largestSnesFile)
        return {};
    const std::uint32_t header = patchHeaderLength(fileLength);
    const std::optional<std::size_t> cut = ipsCutLength(patch);
    // A length to cut to in whole 32 KiB blocks, or a header past them, shows what the patch
    // was made on.
    const std::uint32_t made = cut ? patchHeaderLength(*cut) : 0;
    if (made != 0 && header == 0)
        return "it cuts the image to " + patchdetail::byteCountText(*cut) +
               ", the length of a copy with " + headerText(made) +
               ", which the image lacks: made on such a copy, its bytes land " +
               std::to_string(made) + " bytes late";
    if (cut && *cut % 0x8000 == 0 && header != 0)
        return "it cuts the image to " + patchdetail::byteCountText(*cut) +
               ", the length of a copy without the " + headerText(header).substr(2) +
               " the image has" + ": made on such a copy, its bytes land " +
               std::to_string(header) + " bytes early";
    if (header != 0)
        return "the image carries " + headerText(header) +
               ": made on a copy without one, the patch would put its bytes " +
               std::to_string(header) + " bytes early";
    return "the image has no copier header: made on a copy with a 512-byte one, the patch would "
           "put its bytes 512 bytes late";
}

} // namespace tarnwick
