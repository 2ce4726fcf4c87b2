#pragma once

#include "rom/CharacterTable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarnwick {

class RomImage;

// What a person calls each record of the table at this index of recordTables(), as readable
// text: what the chest list shows for a chest (its contents), a shop's place, an esper's name,
// an animation entry's name as its editor lists it, "Monster-in-a-box 5". The game's names are
// read through the character table. One string a record the document holds; a record no list
// names (an animation record no category reaches) gets an empty one.
[[nodiscard]] std::vector<std::string>
recordNames(const RomImage& rom, const CharacterTable& readings, std::size_t table);

} // namespace tarnwick
