#pragma once

#include "rom/CharacterTable.h"
#include "rom/RecordTables.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {
class RomImage;
}

// What a line about one record calls its table and the record: the changelog's, the merge's.
namespace tarnwick::changelog_words {

struct TableWords {
    const PerRelease<TablePlacement>* placement;
    std::string_view title;
    std::string_view recordKind;
};

inline constexpr std::array<TableWords, 6> tableWords = {{
    {&chestTablePlacement, "Chests", "Chest"},
    {&monsterBoxTablePlacement, "Monster-in-a-box entries", "Monster-in-a-box"},
    {&shopTablePlacement, "Shops", "Shop"},
    {&esperTablePlacement, "Espers", "Esper"},
    {&anim8TablePlacement, "Weapon and enemy special animations", "Animation"},
    {&anim14TablePlacement, "Spell, esper, tool and item animations", "Animation"},
}};

// The words of the table, or nothing for one the list does not know.
const TableWords* wordsFor(const TableBinding& binding);

// What starts a record's line: "Shop 12 (Harrowmere)", "Spells 3 (Fire)", "Chest 40 (Vossbridge,
// in the inn)"; the names of espers and animations are read from image, each table's once.
class RecordHeadings {
public:
    RecordHeadings(const RomImage& image, const CharacterTable& table,
                   const std::vector<std::string>& locations)
        : rom(image), readings(table), chestLocations(locations) {}

    std::string heading(std::size_t tableIndex, const TableWords& words, int record);

private:
    std::string nameOf(std::size_t tableIndex, std::size_t record);

    const RomImage& rom;
    const CharacterTable& readings;
    const std::vector<std::string>& chestLocations;
    std::size_t namedTable = static_cast<std::size_t>(-1);
    std::vector<std::string> names; // of the table namedTable
};

} // namespace tarnwick::changelog_words
