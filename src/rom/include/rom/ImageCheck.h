#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class RomImage;

// The mistakes a mod can make across the records, each found by a small rule of what the records
// mean: references to something the image does not hold (errors: the game would read what is
// not there) and combinations that are very likely slips (warnings).
enum class Severity { Error, Warning };

struct Finding {
    Severity severity = Severity::Warning;
    std::string_view table; // the recordTables() key
    int record = 0;
    std::string message; // one line in words

    friend bool operator==(const Finding&, const Finding&) = default;
};

// What the findings call the game's items and spells: here their numbers ("item 4"); a layer
// that reads the game's names gives those instead (graphics/NamedFindings.h).
class FindingNames {
public:
    virtual ~FindingNames() = default;
    [[nodiscard]] virtual std::string item(int number) const;
    // A spell as the esper record stores it, counted from 0.
    [[nodiscard]] virtual std::string spell(int number) const;
};

// Every finding of every rule, errors and warnings in table and record order. A value a record
// holds more than once is one finding that lists every place it is at.
[[nodiscard]] std::vector<Finding> checkImage(const RomImage& rom,
                                              const FindingNames& names = FindingNames());

// The findings of modified that original does not have: what a mod introduced.
[[nodiscard]] std::vector<Finding> newFindings(const std::vector<Finding>& modified,
                                               const std::vector<Finding>& original);

// The rules, each on its own so that each is tested alone.
namespace checks {
void chestReferences(const RomImage& rom, const FindingNames& names,
                     std::vector<Finding>& findings);
void sharedChestFlags(const RomImage& rom, const FindingNames& names,
                      std::vector<Finding>& findings);
void monsterChests(const RomImage& rom, const FindingNames& names, std::vector<Finding>& findings);
void moneyAndItemChests(const RomImage& rom, const FindingNames& names,
                        std::vector<Finding>& findings);
void shopItems(const RomImage& rom, const FindingNames& names, std::vector<Finding>& findings);
void esperSpells(const RomImage& rom, const FindingNames& names, std::vector<Finding>& findings);
} // namespace checks

} // namespace tarnwick
