#pragma once

#include "patch/PatchFormat.h"
#include "patch/PatchResult.h"

#include <cstdint>
#include <span>

// Patches between image files as they lie on disk, the way both programs make and apply them.
// A BPS patch describes the image proper: a SNES copier header is left out, so one patch serves
// an image with or without one, and its checksums tell at once if it does not fit. IPS has no
// checksum to tell anything, so it addresses the file as it is, copier header included, as the
// other IPS tools do: a patch then lands on the same bytes whichever tool made or applies it.
namespace tarnwick {

PatchResult createFilePatch(PatchFormat format, std::span<const std::uint8_t> originalFile,
                            std::span<const std::uint8_t> modifiedFile);

// The file that applying the patch to file makes; a copier header that BPS left out is put
// back in front of the result.
PatchResult applyFilePatch(std::span<const std::uint8_t> file, std::span<const std::uint8_t> patch);

} // namespace tarnwick
