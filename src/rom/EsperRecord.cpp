#include "rom/EsperRecord.h"

#include <charconv>

namespace tarnwick {

void setEsperSpell(Record& esper, int spell, int listPosition) {
    esper[static_cast<std::size_t>(spellSlot(spell))] = valueOfListPosition(listPosition);
}

void setEsperBonus(Record& esper, int listPosition) {
    esper[esperBonusSlot] = valueOfListPosition(listPosition);
}

void setLearnRate(Record& esper, int spell, std::uint32_t typed) {
    esper[static_cast<std::size_t>(learnRateSlot(spell))] = storedLearnRate(typed);
}

std::int32_t learnRate(const Record& esper, int spell) {
    return esper[static_cast<std::size_t>(learnRateSlot(spell))];
}
namespace {

// The labels read "No Spell" and "No Bonus" in each encoding: SNES English, GBA English,
// then the Japanese releases.
constexpr std::string_view snesEnglishNoSpell = "\x8D\xA8\xFF\x92\xA9\x9E\xA5\xA5";
constexpr std::string_view gbaEnglishNoSpell = "\x28\x20\x67\x13\x22\x25\x29\x29";
constexpr std::string_view japaneseNoSpell = "\xFE\x2D\x2E\xFF\x32\x2F\x24\x2B\x2B";
constexpr std::string_view snesEnglishNoBonus = "\x8D\xA8\xFF\x81\xA8\xA7\xAE\xAC";
constexpr std::string_view gbaEnglishNoBonus = "\x28\x20\x67\x24\x20\x28\x2C\x13";
constexpr std::string_view japaneseNoBonus = "\xFE\x2D\x2E\xFF\x21\x2E\x2D\x34\x32";

GameString labelFor(RomVariant release, std::string_view snesEnglish, std::string_view gbaEnglish,
                    std::string_view japanese) {
    if (isJapaneseVariant(release))
        return GameString(japanese);
    return GameString(isGbaVariant(release) ? gbaEnglish : snesEnglish);
}

} // namespace

std::optional<std::uint32_t> parseLearnRate(std::string_view text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

int esperSpellChoices(RomVariant release) {
    return spellNameArea[variantIndex(release)].count;
}

int esperCount(RomVariant release) {
    return esperTablePlacement[variantIndex(release)].count;
}

GameString emptySpellLabel(RomVariant release) {
    return labelFor(release, snesEnglishNoSpell, gbaEnglishNoSpell, japaneseNoSpell);
}

GameString noBonusLabel(RomVariant release) {
    return labelFor(release, snesEnglishNoBonus, gbaEnglishNoBonus, japaneseNoBonus);
}

} // namespace tarnwick
