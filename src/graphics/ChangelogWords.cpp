#include "ChangelogWords.h"

#include "graphics/GameTextReading.h"
#include "rom/AnimRecord.h"
#include "rom/ChestRecord.h"
#include "rom/EsperRecord.h"
#include "rom/MonsterBox.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

namespace tarnwick::changelog_words {
namespace {

// The item number and spell or bonus value that stand for nothing.
constexpr int emptyItem = 255;
constexpr int noEntry = 0xFF;

template <std::size_t N>
std::string nameOrNumber(const Names& names, const std::array<GameString, N>& table,
                         const PerRelease<NameArea>& area, std::string_view kind, int number) {
    const int count = area[variantIndex(names.rom.variant())].count;
    if (number >= 0 && number < count && static_cast<std::size_t>(number) < N) {
        std::string name = names.read(table[static_cast<std::size_t>(number)]);
        if (!name.empty())
            return name;
    }
    return std::string(kind) + " " + std::to_string(number);
}

int byteAt(const Record& record, int slot) {
    return record[static_cast<std::size_t>(slot)] & 0xFF;
}

} // namespace

std::string onOff(bool on) {
    return on ? "on" : "off";
}

std::string priceWords(const Record& shop) {
    const std::span<const std::string_view> labels = priceModifierLabels();
    const auto modifier = static_cast<std::size_t>(priceModifier(shop));
    return modifier < labels.size() ? std::string(labels[modifier])
                                    : "modifier " + std::to_string(modifier);
}

std::string shopItemWords(const Names& names, int item) {
    return item == emptyItem ? std::string("(none)") : names.item(item);
}

std::string formationWords(const Names& names, int formation) {
    return "formation " + std::to_string(formation) + " (" + names.formationMonsters(formation) +
           ")";
}

std::string animationWords(int number) {
    return number > lastAnimationNumber ? std::string("none") : hexValue(number);
}

std::string hexValue(int value) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[static_cast<std::size_t>(value & 0xF)]);
        value >>= 4;
    } while (value > 0);
    if (text.size() < 2)
        text.insert(text.begin(), '0');
    return "0x" + text;
}

std::string Names::read(const GameString& text) const {
    return withoutOuterSpaces(
        readGameText(codesOf(text), rom.variant(), readings, UnknownCodes::Hex));
}

std::string Names::item(int number) const {
    return nameOrNumber(*this, rom.itemNames, itemNameArea, "item", number);
}

std::string Names::monster(int number) const {
    return nameOrNumber(*this, rom.monsterNames, monsterNameArea, "monster", number);
}

std::string Names::spell(int number) const {
    return number == noEntry ? "(none)"
                             : nameOrNumber(*this, rom.spellNames, spellNameArea, "spell", number);
}

std::string Names::bonus(int number) const {
    return number == noEntry ? "(none)"
                             : nameOrNumber(*this, rom.bonusNames, bonusNameArea, "bonus", number);
}

std::string Names::esper(int number) const {
    return nameOrNumber(*this, rom.esperNames, esperNameArea, "esper", number);
}

std::string Names::shopType(int number) const {
    if (number >= 0 && number < namedShopTypes) {
        std::string name = read(shopTypeListNames(rom)[static_cast<std::size_t>(number)]);
        if (!name.empty())
            return name;
    }
    return "type " + std::to_string(number);
}

std::string Names::chestContents(const Record& chest) const {
    const int contents = tarnwick::chestContents(chest, rom.variant());
    switch (chestType(chest)) {
    case monsterChest:
        return "monster-in-a-box " + std::to_string(contents);
    case itemChest:
        return contents == emptyItem ? "the empty item" : item(contents);
    case moneyChest:
        return std::to_string(contents * wrapInto(rom.gpMultiplier, gpMultiplierLimit)) + " GP";
    default:
        return "empty";
    }
}

std::string Names::formationMonsters(int formation) const {
    std::string list;
    for (int slot = 1; slot <= formationSlots; ++slot) {
        const int monster = formationSlotMonster(rom, formation, slot);
        if (monster == emptyFormationSlot)
            continue;
        list += (list.empty() ? "" : ", ") + this->monster(monster);
    }
    return list.empty() ? "no monsters" : list;
}

void Phrases::add(std::string_view field, const std::string& was, const std::string& now) {
    if (was == now)
        return;
    std::string phrase(field);
    phrases.push_back(phrase + (phrase.empty() ? "" : " ") + was + " -> " + now);
}

std::string Phrases::joined() const {
    std::string text;
    for (const std::string& phrase : phrases)
        text += (text.empty() ? "" : "; ") + phrase;
    return text;
}

Phrases chestChanges(const Names& before, const Record& was, const Names& after,
                     const Record& now) {
    Phrases phrases;
    phrases.add("", before.chestContents(was), after.chestContents(now));
    const auto position = [](const Record& chest) {
        return "(" + std::to_string(chestX(chest)) + ", " + std::to_string(chestY(chest)) + ")";
    };
    phrases.add("position", position(was), position(now));
    const auto flag = [](const Record& chest) {
        return "byte " + std::to_string(memoryByte(chest)) + " bit " +
               std::to_string(memoryBit(chest));
    };
    phrases.add("opened-flag", flag(was), flag(now));
    // On GBA images bit 2 of an item chest is part of its item, which the contents already say.
    const auto bit2IsItem = [&](const Record& chest, const Names& names) {
        return names.rom.isGba() && chestType(chest) == itemChest;
    };
    for (const int bit : {1, 2, 4}) {
        if (bit == 2 && (bit2IsItem(was, before) || bit2IsItem(now, after)))
            continue;
        phrases.add("flag bit " + std::to_string(bit), onOff(chestFlag(was, bit)),
                    onOff(chestFlag(now, bit)));
    }
    return phrases;
}

Phrases monsterBoxChanges(const Names& before, const Record& was, const Names& after,
                          const Record& now) {
    Phrases phrases;
    for (int form = 1; form <= 2; ++form) {
        const auto low = static_cast<std::size_t>(2 * (form - 1));
        const auto formation = [low](const Record& box) {
            return (box[low] & 0xFF) | (box[low + 1] & 0xFF) << 8;
        };
        const auto words = [&formation](const Names& names, const Record& box) {
            return formationWords(names, formation(box));
        };
        phrases.add("Form " + std::to_string(form), words(before, was), words(after, now));
    }
    return phrases;
}

Phrases shopChanges(const Names& before, const Record& was, const Names& after, const Record& now) {
    Phrases phrases;
    phrases.add("type", before.shopType(shopType(was)), after.shopType(shopType(now)));
    phrases.add("price", priceWords(was), priceWords(now));
    for (int slot = 1; slot <= shopItemSlots; ++slot)
        phrases.add("#" + std::to_string(slot), shopItemWords(before, shopItem(was, slot)),
                    shopItemWords(after, shopItem(now, slot)));
    return phrases;
}

Phrases esperChanges(const Names& before, const Record& was, const Names& after,
                     const Record& now) {
    Phrases phrases;
    for (int spell = 1; spell <= esperSpellCount; ++spell) {
        const auto taught = [spell](const Names& names, const Record& esper) {
            const int number = byteAt(esper, spellSlot(spell));
            return number == noEntry ? std::string("(none)")
                                     : names.spell(number) + " (x" +
                                           std::to_string(learnRate(esper, spell) & 0xFF) + ")";
        };
        phrases.add("spell #" + std::to_string(spell), taught(before, was), taught(after, now));
    }
    phrases.add("bonus", before.bonus(byteAt(was, esperBonusSlot)),
                after.bonus(byteAt(now, esperBonusSlot)));
    return phrases;
}

Phrases anim8Changes(const Record& was, const Record& now) {
    static constexpr std::array<std::string_view, anim8FieldCount> fieldNames = {
        "right-hand animation",
        "left-hand animation",
        "right-hand palette",
        "hit animation",
        "hit palette",
        "byte 6",
        "sound",
        "byte 8"};
    Phrases phrases;
    for (int field = 0; field < anim8FieldCount; ++field) {
        const int slot = anim8FieldRules[static_cast<std::size_t>(field)].slot;
        phrases.add(fieldNames[static_cast<std::size_t>(field)], hexValue(byteAt(was, slot)),
                    hexValue(byteAt(now, slot)));
    }
    return phrases;
}

Phrases anim14Changes(const Record& was, const Record& now) {
    Phrases phrases;
    for (std::size_t k = 0; k < anim14Animations.size(); ++k) {
        const AnimNumberSlots& slots = anim14Animations[k];
        const auto animation = [&slots](const Record& record) {
            const ShownAnimation shown = showAnimation(record, slots);
            if (shown.number > lastAnimationNumber)
                return animationWords(shown.number);
            return hexValue(shown.number) + (shown.highBit ? " (high bit)" : "");
        };
        const std::string number = std::to_string(k + 1);
        phrases.add("animation " + number, animation(was), animation(now));
        if (slots.paletteSlot >= 0)
            phrases.add("palette " + number, hexValue(byteAt(was, slots.paletteSlot)),
                        hexValue(byteAt(now, slots.paletteSlot)));
    }
    phrases.add("sound", hexValue(byteAt(was, anim14SoundSlot)),
                hexValue(byteAt(now, anim14SoundSlot)));
    phrases.add("repeat delay", hexValue(byteAt(was, anim14RepeatDelaySlot)),
                hexValue(byteAt(now, anim14RepeatDelaySlot)));
    // The unnamed bytes; the last exists only in GBA records and is 0 on both sides elsewhere.
    for (const int slot : {anim14UnnamedSlot, anim14GbaOnlySlot})
        phrases.add("byte " + std::to_string(slot), hexValue(byteAt(was, slot)),
                    hexValue(byteAt(now, slot)));
    return phrases;
}

} // namespace tarnwick::changelog_words
