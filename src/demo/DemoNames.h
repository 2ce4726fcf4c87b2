#pragma once

#include "rom/GameString.h"
#include "rom/Releases.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The names the demo images carry: invented English words and Japanese words spelt in romaji,
// and the game strings they become in each release.
namespace tarnwick {

enum class DemoNameTable { Items, Monsters, Spells, Espers, Attacks, Bonuses };
inline constexpr std::array<DemoNameTable, 6> allDemoNameTables = {
    DemoNameTable::Items,  DemoNameTable::Monsters, DemoNameTable::Spells,
    DemoNameTable::Espers, DemoNameTable::Attacks,  DemoNameTable::Bonuses};

std::string_view demoNameTableName(DemoNameTable table);

// Where the release keeps the table (the NameArea of Releases.h).
const NameArea& demoNameArea(RomVariant release, DemoNameTable table);

// The English names of the table in slot order, as many as the largest release holds (items
// 0-91 weapons, 92-162 armour, 163-170 tools, 171-231 relics, 232-254 consumables, 255 the
// empty item, 256-270 more weapons). Each fits the SNES English field.
const std::vector<std::string>& demoEnglishNames(DemoNameTable table);

// The Japanese names in romaji (see encodeDemoKana), laid out like the English ones. Each
// fits the Japanese field in kana.
const std::vector<std::string>& demoJapaneseNames(DemoNameTable table);

// The release's names of the table, one per slot it fills, as the document reads them back
// from the demo image: English names in the release's codes (GBA English in capitals),
// Japanese names in kana, GBA Japanese fields filled out with spaces (0xFF).
std::vector<GameString> demoNameStrings(RomVariant release, DemoNameTable table);

// Shop type names in type order 0-5. SNES English keeps all six as 7-byte fields reached
// through pointers; GBA English keeps types 1-5 as strings (type 0 has no name).
inline constexpr std::array<std::string_view, 6> demoShopTypeNames = {"None",  "Weapons", "Armor",
                                                                      "Items", "Gem Hut", "Curios"};

// The shop type names as the shop editor shows them: the SNES English fields, the GBA English
// name table (slot 0 empty); empty strings on the Japanese releases, which show digits.
std::array<GameString, shopTypeNameSlots> demoShopTypeStrings(RomVariant release);

// The text GBA English keeps for the empty item; the document reads it behind a space.
inline constexpr std::string_view demoGbaEmptyItemText = "Nothing";

// The empty item label the document derives from the demo image of the release.
GameString demoEmptyItemName(RomVariant release);

} // namespace tarnwick
