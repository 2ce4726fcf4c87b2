#include "graphics/RecordNames.h"

#include "graphics/GameTextReading.h"
#include "rom/AnimCategories.h"
#include "rom/ChestLabels.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

namespace tarnwick {
namespace {

// The game's names of one image, read the one way a list of names asks for.
struct Reading {
    const RomImage& rom;
    const CharacterTable& readings;
    UnknownCodes unknown;

    std::string operator()(const GameString& text) const {
        return readGameText(codesOf(text), rom.variant(), readings, unknown);
    }
};

// Names every record that one of the categories reaches with its entry's label.
template <typename Category, std::size_t count>
void nameCategoryEntries(const RomImage& rom, const Reading& readable,
                         const std::array<AnimCategory, count>& categories,
                         std::vector<GameString> (*labels)(const RomImage&, Category),
                         std::vector<std::string>& names) {
    for (std::size_t c = 0; c < categories.size(); ++c) {
        const std::vector<GameString> entries = labels(rom, static_cast<Category>(c));
        for (std::size_t entry = 0; entry < entries.size(); ++entry) {
            const auto record = static_cast<std::size_t>(categories[c].firstRecord) + entry;
            if (record < names.size())
                names[record] = readable(entries[entry]);
        }
    }
}

} // namespace

std::vector<std::string> recordNames(const RomImage& rom, const CharacterTable& readings,
                                     std::size_t table, UnknownCodes unknown) {
    const std::span<const TableBinding> tables = recordTables();
    if (table >= tables.size())
        return {};
    std::vector<std::string> names(tables[table].constRecords(rom).size());
    const Reading readable{rom, readings, unknown};
    const auto* placement = tables[table].placement;
    if (placement == &chestTablePlacement) {
        const std::vector<GameString> labels = chestLabels(rom);
        for (std::size_t chest = 0; chest < labels.size() && chest < names.size(); ++chest)
            names[chest] = readable(labels[chest]);
    } else if (placement == &monsterBoxTablePlacement) {
        for (std::size_t entry = 0; entry < names.size(); ++entry)
            names[entry] = "Monster-in-a-box " + std::to_string(entry);
    } else if (placement == &shopTablePlacement) {
        const std::span<const std::string_view> labels = shopLabels();
        for (std::size_t shop = 0; shop < labels.size() && shop < names.size(); ++shop)
            names[shop] = std::string(labels[shop]);
    } else if (placement == &esperTablePlacement) {
        for (std::size_t esper = 0; esper < rom.esperNames.size() && esper < names.size(); ++esper)
            names[esper] = readable(rom.esperNames[esper]);
    } else if (placement == &anim8TablePlacement) {
        nameCategoryEntries(rom, readable, anim8Categories(rom.variant()), &anim8EntryLabels,
                            names);
    } else if (placement == &anim14TablePlacement) {
        nameCategoryEntries(rom, readable, anim14Categories(rom.variant()), &anim14EntryLabels,
                            names);
    }
    return names;
}

const std::string& RecordNameBook::nameOf(std::string_view tableKey, int record) {
    static const std::string none;
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t index = 0; index < tables.size(); ++index) {
        if (tables[index].key != tableKey)
            continue;
        std::vector<std::string>& table = names[index];
        if (table.empty()) {
            table = recordNames(rom, readings, index, UnknownCodes::Hex);
            // A list's label may start or end with the game's space; a person's list does not.
            for (std::string& name : table)
                name = withoutOuterSpaces(name);
        }
        const auto at = static_cast<std::size_t>(record);
        return record >= 0 && at < table.size() ? table[at] : none;
    }
    return none;
}

} // namespace tarnwick
