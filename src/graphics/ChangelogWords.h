#pragma once

#include "rom/CharacterTable.h"
#include "rom/GameString.h"
#include "rom/Record.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {
class RomImage;
}

// The words of a changelog line: what each side of a change calls its values, and the phrases
// that say how one record differs from another.
namespace tarnwick::changelog_words {

// The game's names of one image as a person reads them, trimmed, unknown codes in hexadecimal.
class Names {
public:
    Names(const RomImage& image, const CharacterTable& table) : rom(image), readings(table) {}
    const RomImage& rom;

    std::string read(const GameString& text) const;
    // The release's name, or the kind and number where it names none ("item 300").
    std::string item(int number) const;
    std::string monster(int number) const;
    std::string spell(int number) const;
    std::string bonus(int number) const;
    std::string esper(int number) const;
    std::string shopType(int number) const;
    // What a chest holds: "Elixir", "250 GP", "monster-in-a-box 5", "empty".
    std::string chestContents(const Record& chest) const;
    // The monsters of a formation, "Goblin, Goblin", or "no monsters".
    std::string formationMonsters(int formation) const;

private:
    const CharacterTable& readings;
};

// "field was -> now" phrases for the fields whose words differ, joined by "; ".
class Phrases {
public:
    void add(std::string_view field, const std::string& was, const std::string& now);
    bool empty() const { return phrases.empty(); }
    std::string joined() const;

private:
    std::vector<std::string> phrases;
};

// How one record of a table differs from the other's, as phrases; bytes that differ without a
// field that says so are named by number, so no change goes unreported.
Phrases chestChanges(const Names& before, const Record& was, const Names& after, const Record& now);
Phrases monsterBoxChanges(const Names& before, const Record& was, const Names& after,
                          const Record& now);
Phrases shopChanges(const Names& before, const Record& was, const Names& after, const Record& now);
Phrases esperChanges(const Names& before, const Record& was, const Names& after, const Record& now);
Phrases anim8Changes(const Record& was, const Record& now);
Phrases anim14Changes(const Record& was, const Record& now);

// "0x1A": a byte or field value as the animation editors show it.
std::string hexValue(int value);

// One field's value in words, as the lines of a changelog give it.
std::string onOff(bool on);
// A shop's price modifier: its label, or "modifier 9" where it has none.
std::string priceWords(const Record& shop);
// An item of a shop slot: its name, or "(none)" for the empty item.
std::string shopItemWords(const Names& names, int item);
// "formation 82 (Dire Wolf, Ash Troll)".
std::string formationWords(const Names& names, int formation);
// An animation number (0-0x3FF): "0x1A", or "none" for the numbers that name no animation.
std::string animationWords(int number);

} // namespace tarnwick::changelog_words
