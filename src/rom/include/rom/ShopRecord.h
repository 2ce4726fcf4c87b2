#pragma once

#include "rom/GameString.h"
#include "rom/Record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The fields of a shop record and the texts the shop editor lists them by.
//
// Shop record, 9 bytes:
//   byte 0   bits 0-2 shop type (0-7; types 0-5 have names)
//            bits 3-7 price modifier (0-31; modifiers 0-6 have labels)
//   byte 1-8 item on sale in slots 1-8 (item number 0-255, every value an item)
namespace tarnwick {

class RomImage;

inline constexpr int shopItemSlots = 8;
inline constexpr int namedShopTypes = 6;

// Reading and writing one field of a record. A write changes only the bits of its field.
int shopType(const Record& shop);
int priceModifier(const Record& shop);
int shopItem(const Record& shop, int slot); // slot 1-8
void setShopType(Record& shop, int type);
void setPriceModifier(Record& shop, int modifier);
void setShopItem(Record& shop, int slot, int item);

// Label of each price modifier with one, in modifier order.
std::span<const std::string_view> priceModifierLabels();

// The label of each shop, in table order: the place where it stands, or what it is.
std::span<const std::string_view> shopLabels();
// A shop's row in the shop list: its number before its label ("12 Harrowmere"), as several shops
// share a place's name.
std::string numberedShopLabel(int shop);

// The names of shop types 0-5 for the loaded release: the Japanese digits 0-5, the GBA English
// name table, or the SNES English names that the image reaches through a table of pointers.
std::array<GameString, namedShopTypes> shopTypeListNames(const RomImage& rom);

} // namespace tarnwick
