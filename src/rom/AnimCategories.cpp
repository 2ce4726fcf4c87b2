#include "rom/AnimCategories.h"

#include "rom/RomImage.h"

namespace tarnwick {
namespace {

constexpr std::array<std::string_view, anim8CategoryCount> anim8Labels = {"Weapons",
                                                                          "Enemy Specials"};
constexpr std::array<std::string_view, anim14CategoryCount> anim14Labels = {
    "Spells", "Espers", "Miscellaneous", "Other1", "Tools", "Items", "Other2"};

// The item names the "Weapons" entries show: the GBA-only items first on GBA, then the empty
// item (255), then the weapons, items 0-91.
constexpr int gbaOnlyFirstItem = 256;
constexpr int gbaOnlyItems = 15;
constexpr int emptyHandItem = 255;
constexpr int weaponItems = 92;
constexpr int enemySpecials = 35;

// Espers: the GBA list has four entries beyond its 31 espers, labelled with repeated names.
constexpr int snesEspers = 27;
constexpr std::array<int, 4> gbaExtraEsperNames = {30, 30, 30, 28};
constexpr int gbaEspersFirstRecord = 406;

// Tools are items 163-170, with item 166 again for the record after them.
constexpr int firstTool = 163;
constexpr int lastTool = 170;
constexpr int repeatedTool = 166;
constexpr int firstBattleItem = 232;
constexpr int lastBattleItem = 254;

// Location labels number the entries from a per-release base in steps of the record size. The
// bases are fixed numbers, not derived from where the tables lie (both SNES releases share one).
constexpr PerRelease<std::uint32_t> enemySpecialsBase = {{0xECE6E8, 0xECE6E8, 0xBF7B8, 0xBFBD8}};
constexpr std::uint32_t anim8LabelStep = 8;
constexpr PerRelease<std::uint32_t> other1Base = {{0xD08DB2, 0xD08DB2, 0x99820, 0x998E0}};
constexpr PerRelease<std::uint32_t> other2Base = {{0xD09362, 0xD09362, 0x99DD0, 0x99E90}};

std::size_t at(RomVariant release) {
    return static_cast<std::size_t>(variantIndex(release));
}

template <std::size_t N>
void appendNames(std::vector<GameString>& labels, const std::array<GameString, N>& names, int first,
                 int last) {
    for (int i = first; i <= last; ++i)
        labels.push_back(names[static_cast<std::size_t>(i)]);
}

std::vector<GameString> locationLabels(const RomImage& rom, std::uint32_t base, std::uint32_t step,
                                       int count) {
    std::vector<GameString> labels;
    for (int i = 0; i < count; ++i)
        labels.push_back(
            locationLabel(rom.digitCodes, base + step * static_cast<std::uint32_t>(i)));
    return labels;
}

std::uint32_t anim14LabelStep(RomVariant release) {
    return static_cast<std::uint32_t>(anim14TablePlacement[at(release)].recordSize);
}

} // namespace

std::array<AnimCategory, anim8CategoryCount> anim8Categories(RomVariant release) {
    const int weapons = (isGbaVariant(release) ? gbaOnlyItems : 0) + 1 + weaponItems;
    return {{{anim8Labels[0], 0, weapons}, {anim8Labels[1], weapons, enemySpecials}}};
}

std::array<AnimCategory, anim14CategoryCount> anim14Categories(RomVariant release) {
    const bool gba = isGbaVariant(release);
    const int spells = spellNameArea[at(release)].count;
    const int espers =
        gba ? esperNameSlots + static_cast<int>(gbaExtraEsperNames.size()) : snesEspers;
    return {{
        {anim14Labels[0], 0, spells},
        {anim14Labels[1], gba ? gbaEspersFirstRecord : 54, espers},
        {anim14Labels[2], 81, attackNameSlots},
        {anim14Labels[3], 256, 72},
        {anim14Labels[4], 328, lastTool - firstTool + 2},
        {anim14Labels[5], 337, lastBattleItem - firstBattleItem + 1},
        {anim14Labels[6], 360, 46},
    }};
}

std::optional<int> animRecordIndex(std::span<const AnimCategory> categories, int category,
                                   int entry) {
    if (category < 0 || static_cast<std::size_t>(category) >= categories.size())
        return std::nullopt;
    const AnimCategory& chosen = categories[static_cast<std::size_t>(category)];
    if (entry < 0 || entry >= chosen.entries)
        return std::nullopt;
    return chosen.firstRecord + entry;
}

std::optional<AnimListPosition> animListPosition(std::span<const AnimCategory> categories,
                                                 int record) {
    for (std::size_t category = 0; category < categories.size(); ++category) {
        const AnimCategory& listed = categories[category];
        if (record >= listed.firstRecord && record < listed.firstRecord + listed.entries)
            return AnimListPosition{static_cast<int>(category), record - listed.firstRecord};
    }
    return std::nullopt;
}

std::vector<GameString> anim8EntryLabels(const RomImage& rom, Anim8Category category) {
    const RomVariant release = rom.variant();
    std::vector<GameString> labels;
    switch (category) {
    case Anim8Category::Weapons:
        if (isGbaVariant(release))
            appendNames(labels, rom.itemNames, gbaOnlyFirstItem,
                        gbaOnlyFirstItem + gbaOnlyItems - 1);
        appendNames(labels, rom.itemNames, emptyHandItem, emptyHandItem);
        appendNames(labels, rom.itemNames, 0, weaponItems - 1);
        break;
    case Anim8Category::EnemySpecials:
        labels = locationLabels(rom, enemySpecialsBase[at(release)], anim8LabelStep, enemySpecials);
        break;
    }
    return labels;
}

std::vector<GameString> anim14EntryLabels(const RomImage& rom, Anim14Category category) {
    const RomVariant release = rom.variant();
    const auto categories = anim14Categories(release);
    const auto position = static_cast<std::size_t>(category);
    std::vector<GameString> labels;
    if (position >= categories.size())
        return labels;
    const int entries = categories[position].entries;
    switch (category) {
    case Anim14Category::Spells:
        appendNames(labels, rom.spellNames, 0, entries - 1);
        break;
    case Anim14Category::Espers:
        if (isGbaVariant(release)) {
            appendNames(labels, rom.esperNames, 0, esperNameSlots - 1);
            for (int esper : gbaExtraEsperNames)
                appendNames(labels, rom.esperNames, esper, esper);
        } else {
            appendNames(labels, rom.esperNames, 0, snesEspers - 1);
        }
        break;
    case Anim14Category::Miscellaneous:
        appendNames(labels, rom.attackNames, 0, attackNameSlots - 1);
        break;
    case Anim14Category::Other1:
        labels = locationLabels(rom, other1Base[at(release)], anim14LabelStep(release), entries);
        break;
    case Anim14Category::Tools:
        appendNames(labels, rom.itemNames, firstTool, lastTool);
        appendNames(labels, rom.itemNames, repeatedTool, repeatedTool);
        break;
    case Anim14Category::Items:
        appendNames(labels, rom.itemNames, firstBattleItem, lastBattleItem);
        break;
    case Anim14Category::Other2:
        labels = locationLabels(rom, other2Base[at(release)], anim14LabelStep(release), entries);
        break;
    }
    return labels;
}

GameString locationLabel(const std::array<std::uint8_t, 16>& digitCodes, std::uint32_t number) {
    constexpr int digits = 6;
    GameString label(1 + digits, static_cast<char>(plainTextMarker));
    for (int i = digits; i >= 1; --i) {
        label[static_cast<std::size_t>(i)] = static_cast<char>(digitCodes[number & 0xF]);
        number >>= 4;
    }
    return label;
}

} // namespace tarnwick
