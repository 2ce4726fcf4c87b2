#pragma once

#include "io/TextLines.h"
#include "rom/GameString.h"
#include "rom/Record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The texts the chest editor lists chests, contents and monsters by, built in the loaded
// release's own character codes (locations excepted, which are plain text).
//
// Values the release has no name for (GBA items past 270 through byte 3 bit 2, monsters at or
// past the release's name count) show as their decimal number in the game's digit codes. In a
// label of its own such a number starts with plainTextMarker, so a Japanese list draws it
// without marks; inside a monster line the digits stand bare, as the monster list has no
// plain-text marker and the digit codes never take marks.
namespace tarnwick {

class RomImage;

inline constexpr std::string_view chestLocationFileName = "chestloc.txt";
// Formation lines of Form 1 and Form 2 (slots 1-2, 3-4, 5-6 each), then a blank line.
inline constexpr int monsterLineCount = 7;

// "007 description", or "007" without a description (no location file).
std::string locationLabel(int chest, std::optional<std::string_view> description);
// The location label of every chest, line i of the file describing chest i. A file that cannot
// be read gives the bare numbers; a chest past the file's last line gets the number and a space.
std::vector<std::string> chestLocationLabels(const TextFile& file);

// An amount of money in digit codes without leading zeros, and the game's money unit.
GameString moneyText(const RomImage& rom, std::uint32_t amount);
// The money text behind a space.
GameString moneyLabel(const RomImage& rom, std::uint32_t amount);
// Both formation numbers of an entry, three digits or more each, behind a space.
GameString monsterBoxLabel(const RomImage& rom, int entry);
// The release's item name, or the item number for an item it does not name.
GameString itemLabel(const RomImage& rom, int item);
// What a chest holds: its monster-in-a-box entry, item or money, or the empty item's name.
GameString chestLabel(const RomImage& rom, const Record& chest);
// The label of every chest, in table order.
std::vector<GameString> chestLabels(const RomImage& rom);
// The choices of the Contents list for a chest type: 256 entries, or 271 for GBA item chests.
std::vector<GameString> contentsEntries(const RomImage& rom, int type);
// A line of the monster list: the entries of two formation slots, "1:name" and "2:name", which
// the list draws in its left and right column. A name's own bytes (its spaces, its padding)
// stay inside its entry. The blank last line has two empty entries.
struct MonsterLine {
    GameString left;
    GameString right;

    friend bool operator==(const MonsterLine&, const MonsterLine&) = default;
};

// The monsters of both formations of the monster-in-a-box entry a contents number names, two
// slots a line. Contents without an entry read both formations as 0.
std::array<MonsterLine, monsterLineCount> monsterLines(const RomImage& rom, int contents);

} // namespace tarnwick
