#include "graphics/NamedFindings.h"

#include "ChangelogWords.h"

namespace tarnwick {
namespace {

// The findings' names through the changelog's, so both lists call a thing the same.
class GameNames : public FindingNames {
public:
    GameNames(const RomImage& rom, const CharacterTable& readings) : names(rom, readings) {}
    std::string item(int number) const override { return names.item(number); }
    std::string spell(int number) const override { return names.spell(number); }

private:
    changelog_words::Names names;
};

} // namespace

std::vector<Finding> checkImage(const RomImage& rom, const CharacterTable& readings) {
    return checkImage(rom, GameNames(rom, readings));
}

} // namespace tarnwick
