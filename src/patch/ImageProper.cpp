#include "patch/ImageProper.h"

#include "rom/Releases.h"

namespace tarnwick {

std::size_t copierHeaderLength(std::uint64_t fileLength) {
    const bool snes = fileLength <= largestSnesFile;
    return snes && fileLength % snesBankSize == snesCopierHeaderLength ? snesCopierHeaderLength : 0;
}

std::span<const std::uint8_t> imageProper(std::span<const std::uint8_t> file) {
    return file.subspan(copierHeaderLength(file.size()));
}

} // namespace tarnwick
