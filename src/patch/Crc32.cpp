#include "patch/Crc32.h"

#include <libdeflate.h>

namespace tarnwick {

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes) {
    // libdeflate folds the CRC with carry-less multiplication where the processor has it,
    // several times faster than a table: patches compute it over whole images.
    return libdeflate_crc32(0, bytes.data(), bytes.size());
}

} // namespace tarnwick
