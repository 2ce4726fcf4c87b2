#pragma once

#include "rom/CharacterTable.h"
#include "rom/RecordTables.h"
#include "rom/RomImage.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarnwick {

// One name table of the document: its key in the export, its area and the document's slots.
// A table with a reserved slot 0 (the shop types) fills one slot more than its area's count.
struct NameBinding {
    std::string_view key;
    const PerRelease<NameArea>* area;
    std::span<const GameString> (*names)(const RomImage&);
    bool reservedSlotZero;
};

// The program's own names and keys (plain ASCII) as text.
QString asciiText(std::string_view text);

// The seven name tables, in the order the export lists them.
std::span<const NameBinding> nameTables();
// Slots of the name table that the release fills.
int filledNameSlots(const NameBinding& binding, RomVariant release);

inline constexpr std::string_view tablesFormat = "tarnwick-tables";
inline constexpr int tablesFormatVersion = 2;

// The loaded document as a JSON object: release, header size, title, GP multiplier, digit
// codes, every record the release reads and writes with its readable label (the game's names
// read through readings), and the names the release fills (each as upper-case hexadecimal of
// its game bytes).
QJsonObject exportTables(const RomImage& rom, const CharacterTable& readings);

// The same export as text that a person and a line-based diff can read: every record on a line
// of its own with its label, short lists on one line, everything else one entry a line. Read
// back as JSON it is exportTables.
QByteArray exportTablesText(const RomImage& rom, const CharacterTable& readings);

// The record tables and GP multiplier read from an export, checked against a release.
struct ImportedTables {
    std::vector<std::vector<Record>> records; // one entry per recordTables() binding
    std::optional<std::int32_t> gpMultiplier; // SNES releases only
};

// Checks an export against the release and reads its tables. On failure returns nothing and
// sets error to "json.path: reason" for the first offending value.
[[nodiscard]] std::optional<ImportedTables> readImportedTables(const QJsonObject& json,
                                                               RomVariant release, QString& error);

// Reads the export at path and checks all of it against release, as an import and a diff do.
// On failure returns nothing and sets error to a sentence naming the file and the reason.
[[nodiscard]] std::optional<ImportedTables> readExportFile(const QString& path, RomVariant release,
                                                           QString& error);

// Puts checked tables into the document's record tables (and its GP multiplier on SNES).
void storeImportedTables(const ImportedTables& tables, RomImage& rom);

} // namespace tarnwick
