#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Patches describe the image proper, without the 512-byte header that SNES copiers put in front
// of it, so that one patch applies to an image whether or not it carries such a header.
namespace tarnwick {

inline constexpr std::size_t snesCopierHeaderLength = 0x200;

// The copier header in front of a file of this length: 512 bytes for a SNES file (one no
// longer than largestSnesFile) whose length is 512 past a whole number of 64 KiB banks, none
// for any other length; GBA files never carry one.
std::size_t copierHeaderLength(std::uint64_t fileLength);

// The file's bytes after its copier header.
std::span<const std::uint8_t> imageProper(std::span<const std::uint8_t> file);

} // namespace tarnwick
