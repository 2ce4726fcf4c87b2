#pragma once

#include "rom/CharacterTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class RomImage;

// What a mod changed, as a player reads it in the mod's release notes: one line per changed
// record in words and the game's names, not bytes ("Shop 12 (Harrowmere): #3 Potion -> Elixir").
struct ChangelogSection {
    std::string_view table; // the recordTables() key
    std::string title;      // "Shops"
    std::vector<std::string> lines;
};

// The sections, in recordTables() order, of the tables whose records differ between two
// images of one release; tables without a change are left out. Each side's names are read
// from its own image through readings, a code readings does not know as "[A3]". A change of
// the money chests' multiplier leads the chests. chestLocations gives line i for chest i
// ("Vossbridge, in the inn"); chests past its end carry only their number.
[[nodiscard]] std::vector<ChangelogSection>
changelog(const RomImage& original, const RomImage& modified, const CharacterTable& readings,
          const std::vector<std::string>& chestLocations = {});

// The title a person reads for the table with this recordTables() key ("Shops"), "Chests" for
// gpMultiplierKey; the key itself for one no table has. Lists a person reads show it; files and
// output that programs read keep the key.
[[nodiscard]] std::string_view tableTitle(std::string_view key);

enum class ChangelogStyle { Plain, Markdown };

// The sections as text: a title, then the lines indented (Plain), or a "## title" heading and a
// bullet list with the names' Markdown characters escaped (Markdown). No sections give one line
// saying so.
[[nodiscard]] std::string changelogText(const std::vector<ChangelogSection>& sections,
                                        ChangelogStyle style);

} // namespace tarnwick
