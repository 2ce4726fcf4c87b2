#include "patch/ImageProper.h"

#include "rom/Releases.h"

namespace tarnwick {

std::span<const std::uint8_t> imageProper(std::span<const std::uint8_t> file) {
    return file.subspan(copierHeaderLength(file.size()));
}

} // namespace tarnwick
