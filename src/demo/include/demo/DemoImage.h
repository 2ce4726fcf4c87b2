#pragma once

#include "io/AtomicFile.h"
#include "io/Status.h"
#include "rom/Releases.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

class RomImage;

struct DemoImageOptions {
    RomVariant release = RomVariant::SnesEnglish;
    bool copierHeader = false;   // SNES only: a 512-byte copier header in front of the image
    std::uint64_t tailBytes = 0; // GBA only: bytes after the 8 MiB image (a longer file)
};

// Length of the image proper of a SNES demo image (a GBA image is always gbaImageSize).
inline constexpr std::uint64_t snesDemoImageSize = 0x300000;
inline constexpr std::uint64_t copierHeaderSize = 0x200;

// A complete synthetic image of the release: every table, name table, the font and the palettes
// hold plausible content. The same options always give the same bytes.
std::vector<std::uint8_t> buildDemoImage(const DemoImageOptions& options);

// Writes buildDemoImage(options) to path; the message names the file and the reason on failure.
Status writeDemoImage(const DemoImageOptions& options, const std::string& path,
                      ExistingFile existing);

// Puts a demo image into the document as a load would: settles the release, parses the tables
// and builds the sheets. For tests and benchmarks that need a loaded document without a file.
Status openDemoImage(RomImage& rom, const DemoImageOptions& options);

// One area of a demo image that holds content: a table, a name table, the font, the header...
struct DemoArea {
    std::string name;
    ByteArea area; // offsets into the image proper
};

// The areas the release's demo image fills, in the order they are written. No two overlap, and
// all lie inside the image proper. Variable-length name tables end behind their last string.
std::vector<DemoArea> demoImageAreas(RomVariant release);

// The GP multiplier byte of the SNES demo images.
inline constexpr std::uint8_t demoGpMultiplier = 75;

} // namespace tarnwick
