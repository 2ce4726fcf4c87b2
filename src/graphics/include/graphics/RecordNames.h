#pragma once

#include "graphics/GameTextReading.h"
#include "rom/CharacterTable.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class RomImage;

// What a person calls each record of the table at this index of recordTables(), as readable
// text: what the chest list shows for a chest (its contents), a shop's place, an esper's name,
// an animation entry's name as its editor lists it, "Monster-in-a-box 5". The game's names are
// read through the character table. One string a record the document holds; a record no list
// names (an animation record no category reaches) gets an empty one.
[[nodiscard]] std::vector<std::string>
recordNames(const RomImage& rom, const CharacterTable& readings, std::size_t table,
            UnknownCodes unknown = UnknownCodes::Replacement);

// The names of records asked for by table key ("shopTable") and number, each table's names read
// once, at its first question: for lists of changes or findings that name a few records. Codes
// the character table does not know read as "[A3]", as a person reading the list can look
// them up, and the spaces around a name are dropped.
class RecordNameBook {
public:
    RecordNameBook(const RomImage& document, const CharacterTable& table)
        : rom(document), readings(table) {}
    // Empty for a key no table has or a record past the table.
    const std::string& nameOf(std::string_view tableKey, int record);

private:
    const RomImage& rom;
    const CharacterTable& readings;
    std::map<std::size_t, std::vector<std::string>> names;
};

} // namespace tarnwick
