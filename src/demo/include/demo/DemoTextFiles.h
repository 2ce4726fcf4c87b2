#pragma once

#include "io/Status.h"
#include "rom/Releases.h"

#include <string>

namespace tarnwick {

// Invented texts for the editors' two text files, so the demo shows names in every list:
// a place for each of the 312 chests, and names for the 768 animations plus the label of "no
// animation". Lines end with CR LF, as the editors read them.
std::string demoChestLocations();
std::string demoAnimationNames();

// The character table file of the demo images of a release: "HH=text" for every letter, digit,
// punctuation mark and kana their font draws, so type-to-find works on every demo list.
std::string demoCharacterTable(RomVariant release);

// Writes "chestloc.txt", "animdata.txt" and the four releases' character tables into folder. A
// file of any of those names that is already there is kept as it is: the demo never replaces a
// user's own texts.
Status writeDemoTextFiles(const std::string& folder);

} // namespace tarnwick
