#pragma once

#include "rom/Status.h"

#include <string>

namespace tarnwick {

// Invented texts for the editors' two text files, so the demo shows names in every list:
// a place for each of the 312 chests, and names for the 768 animations plus the label of "no
// animation". Lines end with CR LF, as the editors read them.
std::string demoChestLocations();
std::string demoAnimationNames();

// Writes "chestloc.txt" and "animdata.txt" into folder. A file of either name that is already
// there is kept as it is: the demo never replaces a user's own texts.
Status writeDemoTextFiles(const std::string& folder);

} // namespace tarnwick
