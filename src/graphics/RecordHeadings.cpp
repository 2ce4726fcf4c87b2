#include "RecordHeadings.h"

#include "graphics/GameTextReading.h"
#include "graphics/RecordNames.h"
#include "rom/AnimCategories.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <algorithm>

namespace tarnwick::changelog_words {
namespace {

// The category entry an animation record is listed as ("Spells 3"), or its record number.
template <std::size_t count>
std::string animationPlace(const std::array<AnimCategory, count>& categories, int record) {
    for (const AnimCategory& category : categories)
        if (record >= category.firstRecord && record < category.firstRecord + category.entries)
            return std::string(category.label) + " " +
                   std::to_string(record - category.firstRecord);
    return "Record " + std::to_string(record);
}

} // namespace

const TableWords* wordsFor(const TableBinding& binding) {
    const auto found = std::find_if(tableWords.begin(), tableWords.end(), [&](const TableWords& w) {
        return w.placement == binding.placement;
    });
    return found == tableWords.end() ? nullptr : &*found;
}

std::string RecordHeadings::heading(std::size_t tableIndex, const TableWords& words, int record) {
    const auto at = static_cast<std::size_t>(record);
    std::string place = std::string(words.recordKind) + " " + std::to_string(record);
    std::string name;
    if (words.placement == &chestTablePlacement) {
        name = at < chestLocations.size() ? chestLocations[at] : std::string();
    } else if (words.placement == &shopTablePlacement) {
        const std::span<const std::string_view> labels = shopLabels();
        name = at < labels.size() ? std::string(labels[at]) : std::string();
    } else if (words.placement == &anim8TablePlacement) {
        place = animationPlace(anim8Categories(rom.variant()), record);
        name = nameOf(tableIndex, at);
    } else if (words.placement == &anim14TablePlacement) {
        place = animationPlace(anim14Categories(rom.variant()), record);
        name = nameOf(tableIndex, at);
    } else if (words.placement == &esperTablePlacement) {
        name = nameOf(tableIndex, at);
    }
    name = withoutOuterSpaces(name);
    return name.empty() ? place : place + " (" + name + ")";
}

std::string RecordHeadings::nameOf(std::size_t tableIndex, std::size_t record) {
    if (namedTable != tableIndex) {
        names = recordNames(rom, readings, tableIndex, UnknownCodes::Hex);
        namedTable = tableIndex;
    }
    return record < names.size() ? names[record] : std::string();
}

} // namespace tarnwick::changelog_words
