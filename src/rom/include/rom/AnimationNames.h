#pragma once

#include "io/TextLines.h"

#include <string>
#include <vector>

// The animation names the animation editors list, from the text file "animdata.txt".
namespace tarnwick {

// Entries of the 8-byte editor's animation lists: animations 0-255.
inline constexpr int anim8AnimationEntries = 256;
// Entries of the 14/15-byte editor's animation lists: animations 0-767, then the entry that
// stands for no animation.
inline constexpr int anim14AnimationEntries = 769;

// Line n of the file names animation n; only CR LF ends a line. The list always has its full
// length: lines the file lacks are empty and further lines are ignored. A file that cannot be
// read gives the numbers instead: "0" to "FE", then "FF" (8-byte), or "0" to "2FF", then "FFF"
// (14/15-byte). The names are the file's bytes, in the system's 8-bit code page.
std::vector<std::string> anim8AnimationNames(const TextFile& file);
std::vector<std::string> anim14AnimationNames(const TextFile& file);

} // namespace tarnwick
