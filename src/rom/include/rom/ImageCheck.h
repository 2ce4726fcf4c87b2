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

// Every finding of every rule, errors and warnings in table and record order.
[[nodiscard]] std::vector<Finding> checkImage(const RomImage& rom);

// The findings of modified that original does not have: what a mod introduced.
[[nodiscard]] std::vector<Finding> newFindings(const std::vector<Finding>& modified,
                                               const std::vector<Finding>& original);

// The rules, each on its own so that each is tested alone.
namespace checks {
void chestReferences(const RomImage& rom, std::vector<Finding>& findings);
void sharedChestFlags(const RomImage& rom, std::vector<Finding>& findings);
void monsterChests(const RomImage& rom, std::vector<Finding>& findings);
void moneyAndItemChests(const RomImage& rom, std::vector<Finding>& findings);
void shopItems(const RomImage& rom, std::vector<Finding>& findings);
void esperSpells(const RomImage& rom, std::vector<Finding>& findings);
} // namespace checks

} // namespace tarnwick
