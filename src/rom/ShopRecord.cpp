#include "rom/ShopRecord.h"

#include "rom/RomImage.h"

#include <cstddef>
#include <initializer_list>

namespace tarnwick {
namespace {

constexpr std::int32_t typeBits = 0x07;
constexpr int modifierShift = 3;
constexpr std::int32_t modifierField = 0x1F;

constexpr std::array<std::string_view, 7> modifierLabels = {
    "1.0x cost",
    "1.5x cost",
    "2.0x cost",
    "0.5x cost",
    "1.5x cost, 0.5x if female leads",
    "0.5x cost, 1.5x if female leads",
    "1.0x cost, 0.5x if Corvin leads",
};

// Shops of one place are spread over the table (the game added some later), so each place
// lists the index ranges, first to last, of the shops that stand there.
struct ShopRange {
    int first = 0;
    int last = 0;
};
struct PlaceShops {
    std::string_view label;
    std::initializer_list<ShopRange> ranges;
};

constexpr std::array<std::string_view, shopCapacity> buildShopLabels() {
    constexpr std::string_view unused = "Unused";
    std::array<std::string_view, shopCapacity> labels{};
    labels.fill(unused);
    const PlaceShops places[] = {
        {"Harrowmere", {{0, 3}, {41, 44}}},
        {"Calder Rise", {{4, 4}, {47, 47}, {64, 64}, {82, 84}}},
        {"Vossbridge", {{5, 8}, {60, 63}}},
        {"Ollin Ford", {{9, 12}}},
        {"Brackenhold", {{13, 16}, {56, 59}}},
        {"Tamsgate", {{17, 19}, {65, 67}}},
        {"Sorrel Keep", {{20, 23}, {76, 79}}},
        {"Wendlemoor", {{24, 26}, {40, 40}, {48, 51}}},
        {"Pellick", {{27, 28}}},
        {"Istrane", {{29, 32}, {52, 55}}},
        {"Grey Shoal", {{33, 35}, {72, 75}}},
        {"Fenwold", {{36, 36}}},
        {"Durrow", {{37, 38}, {80, 81}}},
        {"Quillan Post", {{46, 46}}},
        {"Ashcombe", {{85, 85}}},
        {"Vendor", {{39, 39}}},
        {"Shop", {{45, 45}}},
        {"Unused?", {{71, 71}, {86, 86}}},
    };
    for (const PlaceShops& place : places)
        for (const ShopRange& range : place.ranges)
            for (int shop = range.first; shop <= range.last; ++shop)
                labels[static_cast<std::size_t>(shop)] = place.label;
    return labels;
}

constexpr std::array<std::string_view, shopCapacity> shopLabelTable = buildShopLabels();

} // namespace

int shopType(const Record& shop) {
    return shop[0] & typeBits;
}

int priceModifier(const Record& shop) {
    return (shop[0] >> modifierShift) & modifierField;
}

int shopItem(const Record& shop, int slot) {
    return shop[static_cast<std::size_t>(slot)];
}

void setShopType(Record& shop, int type) {
    shop[0] = (shop[0] & (0xFF & ~typeBits)) | (type & typeBits);
}

void setPriceModifier(Record& shop, int modifier) {
    shop[0] = (shop[0] & typeBits) | ((modifier & modifierField) << modifierShift);
}

void setShopItem(Record& shop, int slot, int item) {
    shop[static_cast<std::size_t>(slot)] = item & 0xFF;
}

std::span<const std::string_view> priceModifierLabels() {
    return modifierLabels;
}

std::span<const std::string_view> shopLabels() {
    return shopLabelTable;
}

std::string numberedShopLabel(int shop) {
    const std::span<const std::string_view> labels = shopLabels();
    const auto index = static_cast<std::size_t>(shop);
    return std::to_string(shop) +
           (shop >= 0 && index < labels.size() ? " " + std::string(labels[index]) : "");
}

std::array<GameString, namedShopTypes> shopTypeListNames(const RomImage& rom) {
    std::array<GameString, namedShopTypes> names;
    if (rom.isJapanese()) {
        // The Japanese releases name their shop types by the digits 0-5.
        const auto& digits = digitCodeTable[variantIndex(rom.variant())];
        for (std::size_t type = 0; type < names.size(); ++type)
            names[type] = GameString(1, static_cast<char>(digits[type]));
    } else if (rom.isGba()) {
        for (std::size_t type = 0; type < names.size(); ++type)
            names[type] = rom.shopTypeNames[type];
    } else {
        for (std::size_t type = 0; type < names.size(); ++type) {
            const std::uint16_t pointer = rom.readWord(snesShopTypePointers + 2 * type);
            names[type] =
                rom.readFixedString(snesShopTypeNameLength, snesShopTypeNameBank + pointer);
        }
    }
    return names;
}

} // namespace tarnwick
