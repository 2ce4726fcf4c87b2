#include "rom/ImageCheck.h"

#include "rom/ChestRecord.h"
#include "rom/EsperRecord.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

namespace tarnwick {
namespace {

constexpr std::string_view chestTable = "chestTable";
constexpr std::string_view monsterBoxTable = "monsterBoxTable";
constexpr std::string_view shopTable = "shopTable";
constexpr std::string_view esperTable = "esperTable";
// The item number that stands for no item, in chests and shop slots alike.
constexpr int emptyItem = 255;
// A spell or bonus slot holding this names nothing.
constexpr int noEntry = 0xFF;

int count(const PerRelease<NameArea>& area, const RomImage& rom) {
    return area[variantIndex(rom.variant())].count;
}

std::string number(int value) {
    return std::to_string(value);
}

bool formationIsEmpty(const RomImage& rom, int formation) {
    for (int slot = 1; slot <= formationSlots; ++slot)
        if (formationSlotMonster(rom, formation, slot) != emptyFormationSlot)
            return false;
    return true;
}

// Calls found(value, slots) once for every value that more than one of the slots 1-count holds
// (none counts), with the slots that hold it, in the order of their first slot.
template <typename ValueAt, typename Found>
void repeats(int count, const ValueAt& valueAt, int none, const Found& found) {
    for (int slot = 1; slot <= count; ++slot) {
        const int value = valueAt(slot);
        bool seenBefore = value == none;
        for (int earlier = 1; earlier < slot && !seenBefore; ++earlier)
            seenBefore = valueAt(earlier) == value;
        if (seenBefore)
            continue;
        std::vector<int> slots{slot};
        for (int later = slot + 1; later <= count; ++later)
            if (valueAt(later) == value)
                slots.push_back(later);
        if (slots.size() > 1)
            found(value, slots);
    }
}

// "twice (#1 and #8)", "3 times (#1, #4 and #8)".
std::string repeatedAt(const std::vector<int>& slots) {
    std::string text =
        slots.size() == 2 ? "twice (" : number(static_cast<int>(slots.size())) + " times (";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i > 0)
            text += i + 1 == slots.size() ? " and " : ", ";
        text += '#';
        text += number(slots[i]);
    }
    return text + ")";
}

} // namespace

std::string FindingNames::item(int number) const {
    return "item " + std::to_string(number);
}

std::string FindingNames::spell(int number) const {
    return "spell " + std::to_string(number);
}

namespace checks {

void chestReferences(const RomImage& rom, const FindingNames&, std::vector<Finding>& findings) {
    const int items = count(itemNameArea, rom);
    for (int chest = 0; chest < chestCount; ++chest) {
        const Record& record = rom.chestTable[static_cast<std::size_t>(chest)];
        const int contents = chestContents(record, rom.variant());
        if (chestType(record) == itemChest && contents >= items)
            findings.push_back({Severity::Error, chestTable, chest,
                                "holds item " + number(contents) + ", past the " + number(items) +
                                    " items the game names"});
    }
}

void sharedChestFlags(const RomImage& rom, const FindingNames&, std::vector<Finding>& findings) {
    std::map<std::pair<int, int>, int> firstWithFlag;
    for (int chest = 0; chest < chestCount; ++chest) {
        const Record& record = rom.chestTable[static_cast<std::size_t>(chest)];
        const std::pair flag{memoryByte(record), memoryBit(record)};
        const auto [known, added] = firstWithFlag.emplace(flag, chest);
        if (added)
            continue;
        findings.push_back({Severity::Warning, chestTable, chest,
                            "Chests " + number(known->second) + " and " + number(chest) +
                                " share opened-flag byte " + number(flag.first) + " bit " +
                                number(flag.second) + ": opening one marks the other as opened"});
    }
}

void monsterChests(const RomImage& rom, const FindingNames&, std::vector<Finding>& findings) {
    const int monsters = count(monsterNameArea, rom);
    for (int chest = 0; chest < chestCount; ++chest) {
        const Record& record = rom.chestTable[static_cast<std::size_t>(chest)];
        if (chestType(record) != monsterChest)
            continue;
        const int entry = chestContents(record, rom.variant());
        bool empty = true;
        for (int form = 1; form <= 2; ++form) {
            const Record& box = rom.monsterBoxTable[static_cast<std::size_t>(entry)];
            const auto low = static_cast<std::size_t>(2 * (form - 1));
            const int formation = (box[low] & 0xFF) | (box[low + 1] & 0xFF) << 8;
            if (formation >= formationNumbers) {
                findings.push_back({Severity::Error, monsterBoxTable, entry,
                                    "Form " + number(form) + " names formation " +
                                        number(formation) +
                                        ", past the last one the image holds (" +
                                        number(formationNumbers - 1) + ")"});
                continue;
            }
            empty = empty && formationIsEmpty(rom, formation);
            for (int slot = 1; slot <= formationSlots; ++slot) {
                const int monster = formationSlotMonster(rom, formation, slot);
                if (monster != emptyFormationSlot && monster >= monsters)
                    findings.push_back({Severity::Error, monsterBoxTable, entry,
                                        "Form " + number(form) + " (formation " +
                                            number(formation) + ") has monster " + number(monster) +
                                            " in slot " + number(slot) + ", past the " +
                                            number(monsters) + " monsters the game names"});
            }
        }
        if (empty)
            findings.push_back({Severity::Warning, chestTable, chest,
                                "is a monster chest whose monster-in-a-box entry " + number(entry) +
                                    " starts two empty formations"});
    }
}

void moneyAndItemChests(const RomImage& rom, const FindingNames&, std::vector<Finding>& findings) {
    for (int chest = 0; chest < chestCount; ++chest) {
        const Record& record = rom.chestTable[static_cast<std::size_t>(chest)];
        const int contents = chestContents(record, rom.variant());
        const int type = chestType(record);
        if (type == moneyChest && contents * (rom.gpMultiplier & 0xFF) == 0)
            findings.push_back({Severity::Warning, chestTable, chest, "is a money chest of 0 GP"});
        if (type == itemChest && contents == emptyItem)
            findings.push_back(
                {Severity::Warning, chestTable, chest, "is an item chest holding the empty item"});
    }
}

void shopItems(const RomImage& rom, const FindingNames& names, std::vector<Finding>& findings) {
    const int shops = shopTablePlacement[variantIndex(rom.variant())].count;
    for (int shop = 0; shop < shops; ++shop) {
        const Record& record = rom.shopTable[static_cast<std::size_t>(shop)];
        int firstGap = 0;
        for (int slot = 1; slot <= shopItemSlots; ++slot) {
            const int item = shopItem(record, slot);
            if (item == emptyItem) {
                firstGap = firstGap == 0 ? slot : firstGap;
                continue;
            }
            if (firstGap != 0) {
                findings.push_back(
                    {Severity::Warning, shopTable, shop,
                     "lists item #" + number(slot) + " after the empty slot #" + number(firstGap)});
                firstGap = 0;
            }
        }
        const auto itemAt = [&](int slot) { return shopItem(record, slot); };
        repeats(shopItemSlots, itemAt, emptyItem, [&](int item, const std::vector<int>& slots) {
            findings.push_back({Severity::Warning, shopTable, shop,
                                "lists " + names.item(item) + " " + repeatedAt(slots)});
        });
    }
}

void esperSpells(const RomImage& rom, const FindingNames& names, std::vector<Finding>& findings) {
    const int spells = esperSpellChoices(rom.variant());
    const int espers = esperCount(rom.variant());
    for (int esper = 0; esper < espers; ++esper) {
        const Record& record = rom.esperTable[static_cast<std::size_t>(esper)];
        const auto taughtAt = [&](int spell) {
            return record[static_cast<std::size_t>(spellSlot(spell))] & 0xFF;
        };
        for (int spell = 1; spell <= esperSpellCount; ++spell) {
            const int taught = taughtAt(spell);
            if (taught == noEntry)
                continue;
            if (taught >= spells)
                findings.push_back({Severity::Error, esperTable, esper,
                                    "teaches spell " + number(taught) + " as #" + number(spell) +
                                        ", past the " + number(spells) + " spells the game names"});
            if ((learnRate(record, spell) & 0xFF) == 0)
                findings.push_back({Severity::Warning, esperTable, esper,
                                    "teaches spell #" + number(spell) +
                                        " at a learn rate of 0: it is never learned"});
        }
        repeats(esperSpellCount, taughtAt, noEntry, [&](int spell, const std::vector<int>& slots) {
            findings.push_back({Severity::Warning, esperTable, esper,
                                "teaches " + names.spell(spell) + " " + repeatedAt(slots)});
        });
        const int bonus = record[esperBonusSlot] & 0xFF;
        if (bonus != noEntry && bonus >= esperBonusChoices)
            findings.push_back({Severity::Error, esperTable, esper,
                                "gives bonus " + number(bonus) + ", past the " +
                                    number(esperBonusChoices) + " bonuses the game names"});
    }
}

} // namespace checks

std::vector<Finding> checkImage(const RomImage& rom, const FindingNames& names) {
    std::vector<Finding> findings;
    for (const auto rule :
         {&checks::chestReferences, &checks::sharedChestFlags, &checks::monsterChests,
          &checks::moneyAndItemChests, &checks::shopItems, &checks::esperSpells})
        rule(rom, names, findings);
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.severity, a.table, a.record) < std::tie(b.severity, b.table, b.record);
    });
    return findings;
}

std::vector<Finding> newFindings(const std::vector<Finding>& modified,
                                 const std::vector<Finding>& original) {
    std::vector<Finding> introduced;
    for (const Finding& finding : modified)
        if (std::find(original.begin(), original.end(), finding) == original.end())
            introduced.push_back(finding);
    return introduced;
}

} // namespace tarnwick
