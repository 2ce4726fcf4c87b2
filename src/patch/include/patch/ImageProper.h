#pragma once

#include <cstdint>
#include <span>

namespace tarnwick {

// The copier header that patch tools see on a file: 512 bytes on a SNES file that is 512 bytes
// past a whole number of 32 KiB, nothing on any other file. Patches go by this rather than the
// document's rule, so that every byte of a grown, cut or odd-length image stays in the patch
// and a patch lands on the same bytes whichever tool made or applies it.
[[nodiscard]] std::uint32_t patchHeaderLength(std::uint64_t fileLength);

// The file's bytes after that header, which BPS patches leave out so that one patch applies to
// an image whether or not it carries such a header.
[[nodiscard]] std::span<const std::uint8_t> imageProper(std::span<const std::uint8_t> file);

} // namespace tarnwick
