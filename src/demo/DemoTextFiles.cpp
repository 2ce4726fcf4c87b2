#include "demo/DemoTextFiles.h"

#include "DemoCharacters.h"
#include "io/AtomicFile.h"
#include "rom/CharacterTable.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

namespace tarnwick {
namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr int chestLines = 312;
constexpr int animationLines = 769;

constexpr std::array<std::string_view, 15> places = {
    "Harrowmere", "Calder Rise", "Vossbridge", "Ollin Ford",   "Brackenhold",
    "Tamsgate",   "Sorrel Keep", "Wendlemoor", "Pellick",      "Istrane",
    "Grey Shoal", "Fenwold",     "Durrow",     "Quillan Post", "Ashcombe"};
constexpr std::array<std::string_view, 13> spots = {
    "inn, upstairs",   "well bottom", "mayor's cellar", "north house",  "clock tower",
    "behind the mill", "armoury",     "chapel crypt",   "harbour shed", "old mine, B1",
    "old mine, B2",    "garden maze", "rooftop"};

constexpr std::array<std::string_view, 12> elements = {"Fire",  "Ice",   "Bolt", "Wind",
                                                       "Quake", "Water", "Holy", "Shadow",
                                                       "Venom", "Light", "Star", "Mist"};
constexpr std::array<std::string_view, 8> shapes = {"burst", "shard", "ring",  "wave",
                                                    "spark", "veil",  "slash", "orb"};
constexpr std::array<std::string_view, 8> tiers = {"",   " II", " III", " IV",
                                                   " V", " VI", " VII", " VIII"};

Status writeIfAbsent(const std::filesystem::path& path, const std::string& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const Status written =
        writeWholeFile(path.string(), std::span(bytes, text.size()), ExistingFile::Refuse);
    std::error_code ignored;
    return written || std::filesystem::exists(path, ignored) ? Status::success() : written;
}

std::string_view readingOf(const DemoGlyphAssignment& glyph) {
    if (glyph.key == "space")
        return " ";
    return glyph.kana ? demoKatakana(glyph.key) : glyph.key;
}

} // namespace

std::string demoChestLocations() {
    std::string text;
    for (int chest = 0; chest < chestLines; ++chest) {
        // Runs of about twenty chests share a place, as a town's chests do.
        const auto place = places[static_cast<std::size_t>(chest / 21) % places.size()];
        const auto spot = spots[static_cast<std::size_t>(chest) % spots.size()];
        text.append(place).append(" - ").append(spot).append(lineEnd);
    }
    return text;
}

std::string demoAnimationNames() {
    std::string text;
    for (int n = 0; n + 1 < animationLines; ++n) {
        const auto i = static_cast<std::size_t>(n);
        text.append(elements[i % elements.size()])
            .append(" ")
            .append(shapes[(i / elements.size()) % shapes.size()])
            .append(tiers[(i / (elements.size() * shapes.size())) % tiers.size()])
            .append(lineEnd);
    }
    return text.append("(none)");
}

std::string demoCharacterTable(RomVariant release) {
    std::string text = "# What each code of the demo font of " + std::string(releaseName(release)) +
                       " reads as: HH=text\n";
    for (const DemoGlyphAssignment& glyph : demoGlyphAssignments(release)) {
        const std::string_view reading = readingOf(glyph);
        if (reading.empty())
            continue;
        std::array<char, 4> code{};
        std::snprintf(code.data(), code.size(), "%02X", glyph.code);
        text.append(code.data()).append("=").append(reading).append("\n");
    }
    return text;
}

Status writeDemoTextFiles(const std::string& folder) {
    const std::filesystem::path where(folder);
    if (Status written = writeIfAbsent(where / "chestloc.txt", demoChestLocations()); !written)
        return written;
    if (Status written = writeIfAbsent(where / "animdata.txt", demoAnimationNames()); !written)
        return written;
    for (const RomVariant release : allReleases) {
        const Status written =
            writeIfAbsent(where / characterTableFileName(release), demoCharacterTable(release));
        if (!written)
            return written;
    }
    return Status::success();
}

} // namespace tarnwick
