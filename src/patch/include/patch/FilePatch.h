#pragma once

#include "io/AtomicFile.h"
#include "patch/PatchFormat.h"
#include "patch/PatchResult.h"

#include <cstdint>
#include <span>
#include <string>

// Patches between image files as they lie on disk, the way both programs make and apply them.
// A BPS patch describes the image proper: a SNES copier header (patchHeaderLength) is left out,
// so one patch serves an image with or without one, and its checksums tell at once if it does
// not fit; a modified file keeps its first 512 bytes when the original has no header. IPS has no
// checksum to tell anything, so it addresses the file as it is, copier header included, as the
// other IPS tools do: a patch then lands on the same bytes whichever tool made or applies it.
namespace tarnwick {

PatchResult createFilePatch(PatchFormat format, std::span<const std::uint8_t> originalFile,
                            std::span<const std::uint8_t> modifiedFile);

// The file that applying the patch to file makes; a copier header that BPS left out is put
// back in front of the result. A BPS patch made for the whole file, header and all, is applied
// to the whole file.
PatchResult applyFilePatch(std::span<const std::uint8_t> file, std::span<const std::uint8_t> patch);

// Writes to path the file that applying an IPS patch to the file image names makes: a copy of
// it with the patch's records written into it, in bounded memory whatever the file's length.
// A patch that applyIps refuses is refused before anything is written.
Status writeIpsPatchedFile(const FileRange& image, std::span<const std::uint8_t> patch,
                           const std::string& path, ExistingFile existing);

// What a person making an IPS patch between these files should know of their copier headers,
// as a clause to follow the patch's name: which copies the patch fits, and what it does to
// others. Empty when neither file has a header.
[[nodiscard]] std::string ipsCreationHeaderNote(std::span<const std::uint8_t> originalFile,
                                                std::span<const std::uint8_t> modifiedFile);

// What a person applying an IPS patch to file should know of copier headers, which the patch
// cannot tell: which way its bytes land if it was made on a copy with a header where file has
// none, or the reverse, and whether the length the patch cuts to shows that it was. Empty for
// files that are no SNES image.
[[nodiscard]] std::string ipsApplicationHeaderNote(std::uint64_t fileLength,
                                                   std::span<const std::uint8_t> patch);
[[nodiscard]] inline std::string ipsApplicationHeaderNote(std::span<const std::uint8_t> file,
                                                          std::span<const std::uint8_t> patch) {
    return ipsApplicationHeaderNote(file.size(), patch);
}

} // namespace tarnwick
