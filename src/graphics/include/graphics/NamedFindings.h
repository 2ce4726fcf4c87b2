#pragma once

#include "rom/CharacterTable.h"
#include "rom/ImageCheck.h"

#include <vector>

namespace tarnwick {

class RomImage;

// Every finding of checkImage with the items and spells named as the changelog names them: the
// game's names read through readings ("lists Potion twice (#1 and #8)"), a code readings does
// not know as "[A3]", the kind and number where the release names none.
[[nodiscard]] std::vector<Finding> checkImage(const RomImage& rom, const CharacterTable& readings);

// The findings that merging two mods introduced (introducedFindings), named so in the merged
// document's names.
[[nodiscard]] std::vector<Finding> introducedFindings(const RomImage& merged, const RomImage& first,
                                                      const RomImage& second,
                                                      const CharacterTable& readings);

} // namespace tarnwick
