#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace tarnwick {

class RomImage;

// The name a difference in the GP multiplier carries instead of a table key.
inline constexpr std::string_view gpMultiplierKey = "gpMultiplier";

// One byte that saving would change: a record slot (or the GP multiplier) whose value, cut to
// the eight bits that save writes, is not what the image holds.
struct TableDifference {
    std::string_view table; // the recordTables() key, or gpMultiplierKey
    int record = 0;         // 0 for the GP multiplier
    int byte = 0;           // slot in the record; 0 for the GP multiplier
    std::uint8_t imageValue = 0;
    std::uint8_t tableValue = 0;
    std::string_view label; // the record's label where the program has one, else empty

    friend bool operator==(const TableDifference&, const TableDifference&) = default;
};

// Calls visit with each difference, the GP multiplier (SNES only) first, then the tables in
// recordTables() order, each record and byte of the release's placement in order. Stops as
// soon as visit returns false and then returns false. A document without an image has none.
bool visitTableDifferences(const RomImage& rom,
                           const std::function<bool(const TableDifference&)>& visit);

// Every difference, in the order visitTableDifferences gives them: what File > Changes lists.
std::vector<TableDifference> tableDifferences(const RomImage& rom);

// Every difference between the records (and GP multiplier) of two documents of one release, as
// if original's were the image and modified's the tables: what File > Compare With lists.
// Documents of different releases have no comparable slots and give none.
std::vector<TableDifference> recordDifferences(const RomImage& original, const RomImage& modified);

// The plain-text label of a record of the table at this index of recordTables(): the place of
// a shop. Empty for the other tables and for indices out of range.
std::string_view recordLabel(std::size_t table, int record);

} // namespace tarnwick
