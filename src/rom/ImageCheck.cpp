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

} // namespace

namespace checks {

void chestReferences(const RomImage& rom, std::vector<Finding>& findings) {
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

void sharedChestFlags(const RomImage& rom, std::vector<Finding>& findings) {
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

void monsterChests(const RomImage& rom, std::vector<Finding>& findings) {
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

void moneyAndItemChests(const RomImage& rom, std::vector<Finding>& findings) {
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

void shopItems(const RomImage& rom, std::vector<Finding>& findings) {
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
            for (int earlier = 1; earlier < slot; ++earlier)
                if (shopItem(record, earlier) == item) {
                    findings.push_back({Severity::Warning, shopTable, shop,
                                        "lists item " + number(item) + " twice (#" +
                                            number(earlier) + " and #" + number(slot) + ")"});
                    break;
                }
        }
    }
}

void esperSpells(const RomImage& rom, std::vector<Finding>& findings) {
    const int spells = esperSpellChoices(rom.variant());
    const int espers = esperCount(rom.variant());
    for (int esper = 0; esper < espers; ++esper) {
        const Record& record = rom.esperTable[static_cast<std::size_t>(esper)];
        for (int spell = 1; spell <= esperSpellCount; ++spell) {
            const int taught = record[static_cast<std::size_t>(spellSlot(spell))] & 0xFF;
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
            for (int earlier = 1; earlier < spell; ++earlier)
                if ((record[static_cast<std::size_t>(spellSlot(earlier))] & 0xFF) == taught) {
                    findings.push_back({Severity::Warning, esperTable, esper,
                                        "teaches spell " + number(taught) + " twice (#" +
                                            number(earlier) + " and #" + number(spell) + ")"});
                    break;
                }
        }
        const int bonus = record[esperBonusSlot] & 0xFF;
        if (bonus != noEntry && bonus >= esperBonusChoices)
            findings.push_back({Severity::Error, esperTable, esper,
                                "gives bonus " + number(bonus) + ", past the " +
                                    number(esperBonusChoices) + " bonuses the game names"});
    }
}

} // namespace checks

std::vector<Finding> checkImage(const RomImage& rom) {
    std::vector<Finding> findings;
    checks::chestReferences(rom, findings);
    checks::sharedChestFlags(rom, findings);
    checks::monsterChests(rom, findings);
    checks::moneyAndItemChests(rom, findings);
    checks::shopItems(rom, findings);
    checks::esperSpells(rom, findings);
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
