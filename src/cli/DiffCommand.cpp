#include "CommandSupport.h"

#include "DataFileOptions.h"

#include "cli/Commands.h"
#include "graphics/RecordNames.h"
#include "io/FileReading.h"
#include "rom/RecordTables.h"
#include "rom/TableDifferences.h"
#include "tables/TablesJson.h"

#include <algorithm>
#include <cctype>

namespace tarnwick::cli {
namespace {

// "shopTable 5 (Vossbridge) byte 3: 0x10 -> 0x22", or "gpMultiplier: 0x4B -> 0x64". The
// record is named as File > Changes names it.
QString differenceLine(const TableDifference& difference, RecordNameBook& names) {
    QString place = asciiText(difference.table);
    if (difference.table != gpMultiplierKey) {
        place += QStringLiteral(" %1").arg(difference.record);
        const std::string& label = names.nameOf(difference.table, difference.record);
        if (!label.empty())
            place += QStringLiteral(" (%1)").arg(shownName(label));
        place += QStringLiteral(" byte %1").arg(difference.byte);
    }
    return QStringLiteral("%1: %2 -> %3")
        .arg(place, hex(difference.imageValue, 2), hex(difference.tableValue, 2));
}

// Whether the file starts like a JSON export rather than an image: its first character that is
// not white space is "{".
bool looksLikeExport(const QString& path) {
    ReadRequest start;
    start.count = 64;
    FileContents contents;
    if (!readFileBytes(nativePath(path), "read", start, contents))
        return false; // reading it as an image reports why
    for (const std::uint8_t byte : contents.bytes)
        if (!std::isspace(byte))
            return byte == '{';
    return false;
}

// Puts the record tables of the image at path into the document, as an export would be put:
// the document's image bytes stay those of the first image.
std::optional<int> putImageTablesIntoDocument(const QString& path, RomImage& rom,
                                              const QCommandLineParser& parser, Io& io) {
    RomImage other;
    if (!loadImageLike(other, path, rom, parser, io))
        return exitFailure;
    for (const TableBinding& binding : recordTables()) {
        const std::span<const Record> from = binding.constRecords(other);
        std::copy(from.begin(), from.end(), binding.records(rom).begin());
    }
    rom.gpMultiplier = other.gpMultiplier;
    return std::nullopt;
}

} // namespace

int runDiff(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("diff"),
        QStringLiteral("[--japanese] [--any-image] [--table FILE] IMAGE JSON|MODIFIED"),
        QStringLiteral("Lists every byte where the record tables (and, on SNES images, the GP\n"
                       "multiplier) of a JSON export, or of a second image of the same release,\n"
                       "differ from IMAGE: table, record, the record's name as File > Changes\n"
                       "gives it (read through the character table found beside IMAGE, beside\n"
                       "the program or in the user's data folders, or the --table file), byte,\n"
                       "IMAGE's value and the other's. The last line gives the count. No file is\n"
                       "changed. Exits 1 when there are differences and 0 when there are none, as\n"
                       "diff and cmp do.")};
    const QCommandLineOption table = tableOption();
    // The export goes into the document only; the image bytes stay as loaded and nothing is
    // saved, so the comparison is the one the unsaved-changes prompt makes.
    const auto run = [&io](RomImage& rom, const QCommandLineParser& parser) {
        const auto readings = readingsFor(rom.variant(), dataFoldersFor(rom.getPath()), parser, io);
        if (!readings)
            return static_cast<int>(exitFailure);
        const QString other = parser.positionalArguments().at(1);
        const auto failed = looksLikeExport(other)
                                ? putExportIntoDocument(other, rom, io)
                                : putImageTablesIntoDocument(other, rom, parser, io);
        if (failed)
            return *failed;
        const std::vector<TableDifference> differences = tableDifferences(rom);
        // Named from the compared tables, as the window names the records of its document.
        RecordNameBook names(rom, *readings);
        for (const TableDifference& difference : differences)
            io.out << differenceLine(difference, names) << "\n";
        io.out << differences.size() << (differences.size() == 1 ? " difference" : " differences")
               << "\n";
        return static_cast<int>(differences.empty() ? exitSuccess : exitDifferences);
    };
    return runImageCommand(
        args, io,
        {syntax,
         {table},
         {{QStringLiteral("JSON|MODIFIED"),
           QStringLiteral("A file written by the export command, or a second image.")}},
         run});
}

} // namespace tarnwick::cli
