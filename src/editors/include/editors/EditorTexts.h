#pragma once

#include "io/TextLines.h"
#include "rom/CharacterTable.h"

#include <optional>

namespace tarnwick {

// What an editor shows besides the document, from the user's own files: the application reads
// them each time it opens an editor, so an edited file is picked up at the next opening, and
// an editor can be built and tested without any file.
struct EditorTexts {
    // "chestloc.txt": one chest location a line (the chest editor's location list).
    TextFile chestLocations;
    // "animdata.txt": one animation name a line (the animation editors' lists).
    TextFile animationNames;
    // What each code of the release reads as, for finding names by typing; the release's
    // built-in readings when there is none.
    std::optional<CharacterTable> characterTable;
};

} // namespace tarnwick
