#include "graphics/Changelog.h"

#include "ChangelogWords.h"
#include "RecordHeadings.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"
#include "rom/TableDifferences.h"

#include <algorithm>
#include <span>

namespace tarnwick {
namespace {

using namespace changelog_words;

Phrases recordChanges(const TableWords& words, const Names& before, const Record& was,
                      const Names& after, const Record& now) {
    if (words.placement == &chestTablePlacement)
        return chestChanges(before, was, after, now);
    if (words.placement == &monsterBoxTablePlacement)
        return monsterBoxChanges(before, was, after, now);
    if (words.placement == &shopTablePlacement)
        return shopChanges(before, was, after, now);
    if (words.placement == &esperTablePlacement)
        return esperChanges(before, was, after, now);
    if (words.placement == &anim8TablePlacement)
        return anim8Changes(was, now);
    return anim14Changes(was, now);
}

// The bytes themselves, for a change none of the record's fields put in words.
Phrases byteChanges(const Record& was, const Record& now, int recordSize) {
    Phrases phrases;
    for (int byte = 0; byte < recordSize && byte < recordSlots; ++byte) {
        const auto at = static_cast<std::size_t>(byte);
        phrases.add("byte " + std::to_string(byte), hexValue(was[at] & 0xFF),
                    hexValue(now[at] & 0xFF));
    }
    return phrases;
}

bool sameBytes(const Record& a, const Record& b, int recordSize) {
    for (int byte = 0; byte < recordSize && byte < recordSlots; ++byte)
        if ((a[static_cast<std::size_t>(byte)] & 0xFF) !=
            (b[static_cast<std::size_t>(byte)] & 0xFF))
            return false;
    return true;
}

std::string markdownEscaped(std::string_view line) {
    std::string escaped;
    escaped.reserve(line.size());
    for (const char c : line) {
        if (std::string_view("\\`*_[]<").find(c) != std::string_view::npos)
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace

std::vector<ChangelogSection> changelog(const RomImage& original, const RomImage& modified,
                                        const CharacterTable& readings,
                                        const std::vector<std::string>& chestLocations) {
    const Names before(original, readings);
    const Names after(modified, readings);
    const int release = variantIndex(modified.variant());
    std::vector<ChangelogSection> sections;
    const std::span<const TableBinding> tables = recordTables();
    for (std::size_t index = 0; index < tables.size(); ++index) {
        const TableBinding& binding = tables[index];
        const TableWords* words = wordsFor(binding);
        if (words == nullptr)
            continue;
        ChangelogSection section{binding.key, std::string(words->title), {}};
        if (words->placement == &chestTablePlacement && gpMultiplierOffset[release] &&
            (original.gpMultiplier & 0xFF) != (modified.gpMultiplier & 0xFF))
            section.lines.push_back(
                "Money chests' multiplier: " + std::to_string(original.gpMultiplier & 0xFF) +
                " -> " + std::to_string(modified.gpMultiplier & 0xFF) +
                " (every money chest's GP changes with it)");
        const TablePlacement& where = (*binding.placement)[release];
        const std::span<const Record> was = binding.constRecords(original);
        const std::span<const Record> now = binding.constRecords(modified);
        const auto count =
            std::min({static_cast<std::size_t>(where.count), was.size(), now.size()});
        RecordHeadings headings(modified, readings, chestLocations);
        for (std::size_t record = 0; record < count; ++record) {
            if (sameBytes(was[record], now[record], where.recordSize))
                continue;
            Phrases phrases = recordChanges(*words, before, was[record], after, now[record]);
            if (phrases.empty())
                phrases = byteChanges(was[record], now[record], where.recordSize);
            section.lines.push_back(headings.heading(index, *words, static_cast<int>(record)) +
                                    ": " + phrases.joined());
        }
        if (!section.lines.empty())
            sections.push_back(std::move(section));
    }
    return sections;
}

std::string_view tableTitle(std::string_view key) {
    // The money chests' multiplier is listed with the chests, as the Chest Editor shows it.
    if (key == gpMultiplierKey)
        return tableWords.front().title;
    for (const TableBinding& binding : recordTables())
        if (binding.key == key)
            if (const TableWords* words = wordsFor(binding))
                return words->title;
    return key;
}

std::string changelogText(const std::vector<ChangelogSection>& sections, ChangelogStyle style) {
    if (sections.empty())
        return "No record differs between the two images.\n";
    const bool markdown = style == ChangelogStyle::Markdown;
    std::string text;
    for (const ChangelogSection& section : sections) {
        if (!text.empty())
            text += '\n';
        text += markdown ? "## " + markdownEscaped(section.title) + "\n\n" : section.title + "\n";
        for (const std::string& line : section.lines)
            text += markdown ? "- " + markdownEscaped(line) + "\n" : "  " + line + "\n";
    }
    return text;
}

} // namespace tarnwick
