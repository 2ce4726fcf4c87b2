#include "CommandSupport.h"

#include "cli/Commands.h"
#include "rom/TableDifferences.h"
#include "tables/TablesJson.h"

namespace tarnwick::cli {
namespace {

// "shopTable 5 (Vossbridge) byte 3: 0x10 -> 0x22", or "gpMultiplier: 0x4B -> 0x64".
QString differenceLine(const TableDifference& difference) {
    QString place = asciiText(difference.table);
    if (difference.table != gpMultiplierKey) {
        place += QStringLiteral(" %1").arg(difference.record);
        if (!difference.label.empty())
            place += QStringLiteral(" (%1)").arg(asciiText(difference.label));
        place += QStringLiteral(" byte %1").arg(difference.byte);
    }
    return QStringLiteral("%1: %2 -> %3")
        .arg(place, hex(difference.imageValue, 2), hex(difference.tableValue, 2));
}

} // namespace

int runDiff(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("diff"), QStringLiteral("[--japanese] [--any-image] IMAGE JSON"),
        QStringLiteral("Lists every byte where the record tables (and, on SNES images, the GP\n"
                       "multiplier) of a JSON export differ from the image: table, record, its\n"
                       "label where it has one, byte, the image's value and the export's. The\n"
                       "last line gives the count. No file is changed. Exits 1 when there are\n"
                       "differences and 0 when there are none, as diff and cmp do.")};
    // The export goes into the document only; the image bytes stay as loaded and nothing is
    // saved, so the comparison is the one the unsaved-changes prompt makes.
    const auto run = [&io](RomImage& rom, const QCommandLineParser& parser) {
        if (const auto failed = putExportIntoDocument(parser.positionalArguments().at(1), rom, io))
            return *failed;
        const std::vector<TableDifference> differences = tableDifferences(rom);
        for (const TableDifference& difference : differences)
            io.out << differenceLine(difference) << "\n";
        io.out << differences.size() << (differences.size() == 1 ? " difference" : " differences")
               << "\n";
        return static_cast<int>(differences.empty() ? exitSuccess : exitDifferences);
    };
    return runImageCommand(args, io, {syntax, {}, {exportArgument}, run});
}

} // namespace tarnwick::cli
