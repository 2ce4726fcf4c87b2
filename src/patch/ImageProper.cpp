#include "patch/ImageProper.h"

#include "rom/Releases.h"

namespace tarnwick {

namespace {

constexpr std::uint32_t copierHeader = 0x200;
// Copiers wrote images in 32 KiB blocks behind their header.
constexpr std::uint64_t copierBlock = 0x8000;

} // namespace

std::uint32_t patchHeaderLength(std::uint64_t fileLength) {
    // Longer files are GBA images, which have no copier header.
    if (fileLength > largestSnesFile)
        return 0;
    return fileLength % copierBlock == copierHeader ? copierHeader : 0;
}

std::span<const std::uint8_t> imageProper(std::span<const std::uint8_t> file) {
    return file.subspan(patchHeaderLength(file.size()));
}

} // namespace tarnwick
