#include "graphics/NamedFindings.h"

#include "ChangelogWords.h"
#include "rom/DocumentMerge.h"

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

std::vector<Finding> introducedFindings(const RomImage& merged, const RomImage& first,
                                        const RomImage& second, const CharacterTable& readings) {
    return introducedFindings(merged, first, second, GameNames(merged, readings));
}

} // namespace tarnwick
