#pragma once

#include "rom/GameString.h"
#include "rom/Releases.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The categories of the two animation editors: which run of records each one covers in the
// release and the label of each entry in its list.
namespace tarnwick {

class RomImage;

// One entry of an editor's category list: entry i of the category edits record firstRecord + i.
struct AnimCategory {
    std::string_view label;
    int firstRecord = 0;
    int entries = 0;
};

// Positions in the category lists.
enum class Anim8Category { Weapons, EnemySpecials };
enum class Anim14Category { Spells, Espers, Miscellaneous, Other1, Tools, Items, Other2 };
inline constexpr int anim8CategoryCount = 2;
inline constexpr int anim14CategoryCount = 7;

// The categories of the release, in list order. On SNES the 14-byte categories cover every
// record; on GBA the espers moved behind the last SNES record and records 57-80 are unreachable.
std::array<AnimCategory, anim8CategoryCount> anim8Categories(RomVariant release);
std::array<AnimCategory, anim14CategoryCount> anim14Categories(RomVariant release);

// The record that entry `entry` of category `category` (list positions) edits; nothing when
// either position lies outside its list, as when a list has no selection.
std::optional<int> animRecordIndex(std::span<const AnimCategory> categories, int category,
                                   int entry);

// The category and entry (list positions) that list a record: its first category, as a record
// can be reached from two. Nothing for a record no category reaches.
struct AnimListPosition {
    int category = 0;
    int entry = 0;
};
std::optional<AnimListPosition> animListPosition(std::span<const AnimCategory> categories,
                                                 int record);

// The labels of a category's entries, in list order, one per entry: the game's own names from
// the document's name tables, or location labels where the game has no name.
std::vector<GameString> anim8EntryLabels(const RomImage& rom, Anim8Category category);
std::vector<GameString> anim14EntryLabels(const RomImage& rom, Anim14Category category);

// A number written as the plain-text marker and six hexadecimal digits in the game's digit
// codes, most significant first, leading zeros kept (only the low six digits of the number).
GameString locationLabel(const std::array<std::uint8_t, 16>& digitCodes, std::uint32_t number);

} // namespace tarnwick
