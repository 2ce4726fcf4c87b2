#include "rom/ChestLabels.h"

#include "io/TextLines.h"
#include "rom/ChestRecord.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"

#include <cstdio>

namespace tarnwick {
namespace {

// Per release: SNES English, SNES Japanese, GBA English, GBA Japanese.
constexpr PerRelease<char> labelPrefix = {'\xFF', '\xFF', '\x67', '\xFF'};
constexpr PerRelease<char> formSeparator = {'\xC0', '\xCE', '\x42', '\xCE'};
constexpr PerRelease<char> slotSeparator = {'\xC1', '\xCF', '\x36', '\xCF'};
constexpr PerRelease<std::string_view> moneyUnit = {"\xFF\x86\x8F", "\xFF\x2C\xAA",
                                                    "\x67\x2A\x07\x1F", "\xFF\x2C\xAA"};

int releaseIndex(const RomImage& rom) {
    return variantIndex(rom.variant());
}

void appendDecimal(GameString& text, const RomImage& rom, std::uint32_t value, int minDigits) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%0*u", minDigits, value);
    for (int i = 0; i < length; ++i)
        text += static_cast<char>(rom.digitCodes[static_cast<std::size_t>(digits[i] - '0')]);
}

GameString plainNumber(const RomImage& rom, int number) {
    GameString text(1, static_cast<char>(plainTextMarker));
    appendDecimal(text, rom, static_cast<std::uint32_t>(number), 1);
    return text;
}

std::uint32_t moneyOf(const RomImage& rom, int contents) {
    return static_cast<std::uint32_t>(contents) *
           static_cast<std::uint32_t>(wrapInto(rom.gpMultiplier, gpMultiplierLimit));
}

} // namespace

std::string locationLabel(int chest, std::optional<std::string_view> description) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", chest);
    std::string label = number;
    if (description) {
        label += ' ';
        label += *description;
    }
    return label;
}

std::vector<std::string> chestLocationLabels(const TextFile& file) {
    const auto lines = file ? std::optional(textLines(*file, chestCount)) : std::nullopt;
    std::vector<std::string> labels;
    labels.reserve(chestCount);
    for (int chest = 0; chest < chestCount; ++chest)
        labels.push_back(locationLabel(chest, lines ? std::optional<std::string_view>(
                                                          (*lines)[static_cast<std::size_t>(chest)])
                                                    : std::nullopt));
    return labels;
}

GameString moneyText(const RomImage& rom, std::uint32_t amount) {
    GameString text;
    appendDecimal(text, rom, amount, 1);
    text += moneyUnit[releaseIndex(rom)];
    return text;
}

GameString moneyLabel(const RomImage& rom, std::uint32_t amount) {
    return labelPrefix[releaseIndex(rom)] + moneyText(rom, amount);
}

GameString monsterBoxLabel(const RomImage& rom, int entry) {
    GameString text(1, labelPrefix[releaseIndex(rom)]);
    appendDecimal(text, rom, static_cast<std::uint32_t>(monsterBoxForm(rom, entry, 1)), 3);
    text += formSeparator[releaseIndex(rom)];
    appendDecimal(text, rom, static_cast<std::uint32_t>(monsterBoxForm(rom, entry, 2)), 3);
    return text;
}

GameString itemLabel(const RomImage& rom, int item) {
    // Slots past the release's count may still hold another release's names.
    if (item >= 0 && item < itemNameArea[releaseIndex(rom)].count)
        return rom.itemNames[static_cast<std::size_t>(item)];
    return plainNumber(rom, item);
}

GameString chestLabel(const RomImage& rom, const Record& chest) {
    const int contents = chestContents(chest, rom.variant());
    switch (chestType(chest)) {
    case monsterChest:
        return monsterBoxLabel(rom, contents);
    case itemChest:
        return itemLabel(rom, contents);
    case moneyChest:
        return moneyLabel(rom, moneyOf(rom, contents));
    default:
        return rom.emptyItemName;
    }
}

std::vector<GameString> chestLabels(const RomImage& rom) {
    std::vector<GameString> labels;
    labels.reserve(chestCount);
    for (const Record& chest : rom.chestTable)
        labels.push_back(chestLabel(rom, chest));
    return labels;
}

std::vector<GameString> contentsEntries(const RomImage& rom, int type) {
    if (type != itemChest && type != monsterChest && type != moneyChest)
        return std::vector<GameString>(byteContentsLimit, rom.emptyItemName);
    const int count = type == itemChest ? itemNameArea[releaseIndex(rom)].count : byteContentsLimit;
    std::vector<GameString> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (type == itemChest)
            entries.push_back(itemLabel(rom, i));
        else if (type == monsterChest)
            entries.push_back(monsterBoxLabel(rom, i));
        else
            entries.push_back(moneyLabel(rom, moneyOf(rom, i)));
    }
    return entries;
}

std::array<MonsterLine, monsterLineCount> monsterLines(const RomImage& rom, int contents) {
    std::array<MonsterLine, monsterLineCount> lines;
    const int release = releaseIndex(rom);
    const int namedMonsters = monsterNameArea[release].count;
    std::size_t line = 0;
    for (int form = 1; form <= 2; ++form) {
        const int formation = monsterBoxForm(rom, contents, form);
        for (int slot = 1; slot <= formationSlots; ++slot) {
            GameString& text = slot % 2 == 1 ? lines[line].left : lines[line].right;
            text += static_cast<char>(rom.digitCodes[static_cast<std::size_t>(slot)]);
            text += slotSeparator[release];
            const int monster = formationSlotMonster(rom, formation, slot);
            if (monster >= 0 && monster < namedMonsters)
                text += rom.monsterNames[static_cast<std::size_t>(monster)];
            else if (monster != emptyFormationSlot)
                appendDecimal(text, rom, static_cast<std::uint32_t>(monster), 1);
            if (slot % 2 == 0)
                ++line;
        }
    }
    return lines;
}

} // namespace tarnwick
