#pragma once

#include "rom/CharacterTable.h"
#include "rom/DocumentMerge.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class RomImage;

// One conflict of a merge as a person reads it: the place, the field, and what each side holds
// there, in words and the game's names.
struct ConflictWords {
    std::string_view table; // the recordTables() key, gpMultiplierKey or outsideTablesKey
    int record = 0;
    std::string place; // "Shop 6 (Vossbridge)", "bytes 0x1F0000-0x1F0003 outside the tables"
    std::string field; // "#5"; empty for bytes and the GP multiplier
    std::string first; // "Potion"
    std::string second;

    // "Shop 6 (Vossbridge) #5: first Potion, second Ether".
    [[nodiscard]] std::string line() const;
};

// The words of each conflict, in the result's order. Records are named as the changelog names
// them, from original (the image both sides started from); each side's values are read through
// its own image's names and readings, a code readings does not know as "[A3]". chestLocations
// gives line i for chest i. Runs of bytes show their first eight bytes in hexadecimal.
[[nodiscard]] std::vector<ConflictWords>
conflictWords(const MergeResult& result, const RomImage& original, const RomImage& first,
              const RomImage& second, const CharacterTable& readings,
              const std::vector<std::string>& chestLocations = {});

// What the merge did, a line for each table that a side changed and one for the bytes outside
// the tables: "Shops: 130 fields from the first, 128 from the second, 4 changed alike by both,
// 2 in conflict". None when neither side changed anything.
[[nodiscard]] std::vector<std::string> mergeSummary(const MergeResult& result);

} // namespace tarnwick
