#include "patch/FilePatch.h"

#include "patch/ImageProper.h"
#include "rom/Releases.h"

#include <string>

namespace tarnwick {

namespace {

// "a 512-byte copier header", or "no copier header".
std::string headerText(std::uint32_t size) {
    return size == 0 ? "no copier header" : "a " + std::to_string(size) + "-byte copier header";
}

} // namespace

PatchResult createFilePatch(PatchFormat format, std::span<const std::uint8_t> originalFile,
                            std::span<const std::uint8_t> modifiedFile) {
    if (format == PatchFormat::Bps)
        return createPatch(format, imageProper(originalFile), imageProper(modifiedFile));
    const std::uint32_t originalHeader = copierHeaderLength(originalFile.size());
    const std::uint32_t modifiedHeader = copierHeaderLength(modifiedFile.size());
    // Such a patch would move every byte by the header, and apply to neither form of the image.
    if (originalHeader != modifiedHeader)
        return PatchResult::failure(
            "IPS addresses the files as they lie on disk, and the original has " +
            headerText(originalHeader) + " where the modified image has " +
            headerText(modifiedHeader) + "; give both the same, or make a BPS patch");
    return createPatch(format, originalFile, modifiedFile);
}

PatchResult applyFilePatch(std::span<const std::uint8_t> file,
                           std::span<const std::uint8_t> patch) {
    if (patchFormatOf(patch) == PatchFormat::Ips)
        return applyPatch(file, patch);
    const std::span<const std::uint8_t> image = imageProper(file);
    const auto headerLength = static_cast<std::ptrdiff_t>(file.size() - image.size());
    PatchResult patched = applyPatch(image, patch);
    if (headerLength == 0)
        return patched;
    if (!patched)
        return PatchResult::failure(patched.message() + "; the image's " +
                                    std::to_string(headerLength) +
                                    "-byte copier header was left out");
    std::vector<std::uint8_t> result(file.begin(), file.begin() + headerLength);
    const std::vector<std::uint8_t> made = patched.takeBytes();
    result.insert(result.end(), made.begin(), made.end());
    return PatchResult::success(std::move(result));
}

} // namespace tarnwick
