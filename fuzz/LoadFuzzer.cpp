// Feeds arbitrary bytes to the document as edits of a demo image, so that every input reaches
// the table parser, the name decoding, the glyph sheets and the list texts with the rest of the
// image well formed. Over an image of zeros, names end at their first byte and the font is
// blank, so fuzzed bytes there meet little of the code that real content takes.
//
// Input: a selector byte, then edits until the input ends. The selector picks the release of
// the demo image (bits 0-1), sets the Japanese option to the other language (bit 2), adds a
// copier header to a SNES image or bytes past the image to a GBA one (bit 3), draws the lists
// of the image read as the other language as well (bit 4), and with bits 5-7 all set cuts the
// file short by the next two bytes times 64. An edit is an area byte (one of the areas the
// demo fills: tables, names, font, palette, header bytes, pointers), two offset bytes
// (little-endian, into the area or up to 64 bytes past its end), a length byte (0 for the rest
// of the input) and that many bytes to lay over the image there.
//
// Each document read is also checked and described against the demo as built, as the check
// list and a changelog would. The same bytes also serve as a text file read line by line and as
// a character table file.
#include "demo/DemoImage.h"
#include "graphics/Changelog.h"
#include "graphics/GameTextLayout.h"
#include "graphics/GameTextReading.h"
#include "graphics/GlyphSheets.h"
#include "rom/AnimCategories.h"
#include "rom/AnimationNames.h"
#include "rom/ChestLabels.h"
#include "rom/ChestRecord.h"
#include "rom/ImageCheck.h"
#include "rom/RomImage.h"
#include "rom/ShopRecord.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace {

using namespace tarnwick;
using Bytes = std::span<const std::uint8_t>;

constexpr std::uint64_t gbaTailBytes = 4096;
constexpr std::uint64_t editOverrun = 64;
constexpr std::uint64_t cutStep = 64;
// The width of the chest editor's monster list rows, in pixels.
constexpr int monsterListWidth = 240;

// A demo file of one release and shape, and a document holding it. Building an image costs far
// more than a run, so each is built once and every run's edits are undone afterwards.
struct DemoSubject {
    std::vector<std::uint8_t> file;
    std::uint64_t header = 0;
    std::vector<DemoArea> areas;
    RomImage rom;
};

DemoSubject& demoSubject(RomVariant release, bool headerOrTail) {
    static std::array<std::unique_ptr<DemoSubject>, 2 * releaseCount> subjects;
    auto& subject = subjects[static_cast<std::size_t>(2 * variantIndex(release) + headerOrTail)];
    if (!subject) {
        const bool gba = isGbaVariant(release);
        subject = std::make_unique<DemoSubject>();
        subject->file =
            buildDemoImage({release, !gba && headerOrTail, gba && headerOrTail ? gbaTailBytes : 0});
        subject->header = !gba && headerOrTail ? copierHeaderSize : 0;
        subject->areas = demoImageAreas(release);
        subject->rom.adoptFileBytes(subject->file, subject->file.size());
    }
    return *subject;
}

struct Edit {
    std::uint64_t offset = 0; // into the image proper
    Bytes bytes;
};

std::vector<Edit> readEdits(Bytes input, const std::vector<DemoArea>& areas) {
    std::vector<Edit> edits;
    while (input.size() >= 4) {
        const ByteArea area = areas[input[0] % areas.size()].area;
        const auto within = static_cast<std::uint64_t>(input[1] | input[2] << 8);
        const std::size_t wanted = input[3] == 0 ? input.size() : input[3];
        input = input.subspan(4);
        const std::size_t length = std::min(wanted, input.size());
        edits.push_back({area.offset + within % (area.length + editOverrun), input.first(length)});
        input = input.subspan(length);
    }
    return edits;
}

// A block copy must come from inside the font sheet, whatever the glyph widths say.
void checkInsideTheSheet(const std::vector<GlyphBlit>& blits) {
    for (const GlyphBlit& blit : blits)
        if (blit.sourceX < 0 || blit.width < 0 || blit.sourceX + blit.width > fontSheetWidth ||
            blit.sourceY < 0 || blit.height < 0 || blit.sourceY + blit.height > fontSheetHeight)
            __builtin_trap();
}

Bytes codesOf(const GameString& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Lays out texts the way a list draws its rows.
void drawTexts(const RomImage& rom, std::span<const GameString> texts) {
    static std::vector<GlyphBlit> blits;
    for (const GameString& text : texts) {
        layoutGameText(codesOf(text), rom.variant(), rom.glyphTable, ListScheme::Current,
                       TextPlace::ListRow, blits);
        checkInsideTheSheet(blits);
    }
}

// Names are also read for type-to-find.
void drawNames(const RomImage& rom, std::span<const GameString> names) {
    drawTexts(rom, names);
    const CharacterTable readings = builtInCharacterTable(rom.variant());
    for (const GameString& name : names)
        (void)readGameText(codesOf(name), rom.variant(), readings);
}

// Builds the sheets from the image's font and palette and draws every list the editors show:
// the name tables, the chest labels and the monster lines of every monster chest, the shop
// types (which SNES English finds through pointers in the image) and the animation entries.
void drawEveryList(RomImage& rom) {
    buildGlyphSheets(rom);
    for (const auto names : {std::span<const GameString>(rom.itemNames),
                             {rom.monsterNames},
                             {rom.spellNames},
                             {rom.esperNames},
                             {rom.attackNames},
                             {rom.bonusNames},
                             {rom.shopTypeNames}})
        drawNames(rom, names);
    drawNames(rom, {&rom.emptyItemName, 1});
    drawTexts(rom, chestLabels(rom));
    static std::vector<GlyphBlit> blits;
    for (const Record& chest : rom.chestTable) {
        if (chestType(chest) != monsterChest)
            continue;
        for (const MonsterLine& line : monsterLines(rom, chestContents(chest, rom.variant()))) {
            layoutChestLine(codesOf(line.left), codesOf(line.right), rom.variant(), rom.glyphTable,
                            monsterListWidth, blits);
            checkInsideTheSheet(blits);
        }
    }
    drawTexts(rom, shopTypeListNames(rom));
    for (const auto category : {Anim8Category::Weapons, Anim8Category::EnemySpecials})
        drawTexts(rom, anim8EntryLabels(rom, category));
    for (int category = 0; category < anim14CategoryCount; ++category)
        drawTexts(rom, anim14EntryLabels(rom, static_cast<Anim14Category>(category)));
}

// Every record as the checks and a changelog against the demo as built describe it: findings
// and words for whatever the tables hold.
void describeEveryRecord(const RomImage& rom) {
    (void)checkImage(rom);
    static std::array<std::unique_ptr<RomImage>, releaseCount> originals;
    auto& original = originals[static_cast<std::size_t>(variantIndex(rom.variant()))];
    if (!original) {
        original = std::make_unique<RomImage>();
        if (!openDemoImage(*original, {rom.variant()}))
            __builtin_trap();
    }
    const CharacterTable readings = builtInCharacterTable(rom.variant());
    (void)changelogText(changelog(*original, rom, readings), ChangelogStyle::Markdown);
}

struct LoadChoices {
    bool japaneseOption = false;
    bool drawOtherLanguage = false;
};

// What a load does to the document, then everything drawn from it; the tables written back
// must match the image, and the same bytes read as the other language must not fail either.
void exercise(RomImage& rom, LoadChoices choices) {
    rom.setJapanese(choices.japaneseOption);
    rom.settleRelease();
    (void)rom.internalTitle();
    if (!rom.namedRelease())
        (void)rom.unnamedReleaseReason();
    if (!rom.parseTables())
        return;
    drawEveryList(rom);
    describeEveryRecord(rom);
    rom.writeTablesToImage();
    if (rom.tablesDifferFromImage())
        __builtin_trap();
    rom.setJapanese(!rom.isJapanese());
    if (rom.parseTables() && choices.drawOtherLanguage)
        drawEveryList(rom);
}

void layEdits(RomImage& rom, const std::vector<Edit>& edits) {
    for (const Edit& edit : edits)
        for (std::size_t k = 0; k < edit.bytes.size(); ++k)
            rom.writeByte(edit.bytes[k], edit.offset + k);
}

// The demo file cut to length with the edits laid over it, in a document of its own.
void exerciseCutFile(const DemoSubject& subject, std::uint64_t length,
                     const std::vector<Edit>& edits, LoadChoices choices) {
    static RomImage rom;
    rom.adoptFileBytes(std::span(subject.file).first(length), length);
    layEdits(rom, edits);
    exercise(rom, choices);
}

void exerciseEditedFile(DemoSubject& subject, const std::vector<Edit>& edits, LoadChoices choices) {
    layEdits(subject.rom, edits);
    exercise(subject.rom, choices);
    // Writing the tables back changed nothing (checked above), so undoing the edits restores
    // the demo image for the next run.
    for (const Edit& edit : edits)
        for (std::uint64_t k = 0; k < edit.bytes.size(); ++k)
            if (const std::uint64_t at = subject.header + edit.offset + k; at < subject.file.size())
                subject.rom.writeByte(subject.file[at], edit.offset + k);
}

// The bytes as a text file read line by line (as the chest locations and the animation names
// are), and as a character table file whose readings then read the bytes as game text.
void exerciseTextFile(Bytes bytes, RomVariant release) {
    const TextFile file = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    (void)chestLocationLabels(file);
    (void)anim14AnimationNames(file);
    CharacterTable table = builtInCharacterTable(release);
    (void)readCharacterTable(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), table);
    (void)readGameText(bytes, release, table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t length) {
    if (length == 0)
        return 0;
    const std::uint8_t selector = input[0];
    Bytes payload(input + 1, length - 1);
    const auto release = static_cast<RomVariant>(selector & 3);
    const LoadChoices choices = {isJapaneseVariant(release) != ((selector & 4) != 0),
                                 (selector & 16) != 0};
    DemoSubject& subject = demoSubject(release, (selector & 8) != 0);

    if ((selector & 0xE0) == 0xE0 && payload.size() >= 2) {
        const std::uint64_t cut =
            cutStep * static_cast<std::uint64_t>(payload[0] | payload[1] << 8);
        payload = payload.subspan(2);
        const std::uint64_t fileLength =
            subject.file.size() - std::min<std::uint64_t>(cut, subject.file.size());
        exerciseCutFile(subject, fileLength, readEdits(payload, subject.areas), choices);
    } else {
        exerciseEditedFile(subject, readEdits(payload, subject.areas), choices);
    }
    exerciseTextFile(payload, release);
    return 0;
}
