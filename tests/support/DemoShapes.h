#pragma once

#include "rom/Releases.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::test {

// One shape of demo file: a release with or without a copier header or a tail past the image.
struct ImageCase {
    RomVariant release;
    bool header;
    std::uint64_t tail;
};

inline std::string describe(const ImageCase& c) {
    return std::string(releaseName(c.release)) + (c.header ? " with header" : "") +
           (c.tail ? " with tail" : "");
}

// Every release, SNES with and without a copier header, GBA with and without a tail.
inline const std::vector<ImageCase> everyShape = {
    {RomVariant::SnesEnglish, false, 0},  {RomVariant::SnesEnglish, true, 0},
    {RomVariant::SnesJapanese, false, 0}, {RomVariant::SnesJapanese, true, 0},
    {RomVariant::GbaEnglish, false, 0},   {RomVariant::GbaEnglish, false, 70001},
    {RomVariant::GbaJapanese, false, 0},  {RomVariant::GbaJapanese, false, 4096},
};

} // namespace tarnwick::test
