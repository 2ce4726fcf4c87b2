#include "CommandSupport.h"

#include "DataFileOptions.h"

#include "cli/Commands.h"
#include "graphics/MergeWords.h"
#include "graphics/NamedFindings.h"
#include "qtio/FileNames.h"
#include "rom/DocumentMerge.h"
#include "rom/RecordTables.h"
#include "tables/MergeFiles.h"
#include "tables/TablesJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <system_error>

namespace tarnwick::cli {
namespace {

const QString firstName = QStringLiteral("first");
const QString secondName = QStringLiteral("second");

QString sideName(MergeSide side) {
    return side == MergeSide::First ? firstName : secondName;
}

QString text(const std::string& words) {
    return shownName(words);
}

QJsonObject countsJson(const MergeCounts& counts) {
    return {{"fromFirst", counts.fromFirst},
            {"fromSecond", counts.fromSecond},
            {"alike", counts.alike},
            {"conflicts", counts.conflicts}};
}

QJsonObject summaryJson(const MergeResult& result) {
    QJsonArray tables;
    const std::span<const TableBinding> bindings = recordTables();
    for (std::size_t table = 0; table < bindings.size() && table < result.tables.size(); ++table) {
        QJsonObject entry = countsJson(result.tables[table]);
        entry["table"] = asciiText(bindings[table].key);
        tables.append(entry);
    }
    QJsonObject outside = countsJson(result.outside);
    outside["bytesFromFirst"] = static_cast<qint64>(result.outsideBytes[0]);
    outside["bytesFromSecond"] = static_cast<qint64>(result.outsideBytes[1]);
    outside["bytesAlike"] = static_cast<qint64>(result.outsideBytes[2]);
    outside["bytesInConflict"] = static_cast<qint64>(result.outsideBytes[3]);
    return {{"tables", tables}, {asciiText(outsideTablesKey), outside}};
}

QJsonObject conflictJson(const ConflictWords& words, const MergeConflict& conflict,
                         const std::optional<MergeSide>& settled) {
    QJsonObject entry{{"table", asciiText(words.table)},
                      {"place", text(words.place)},
                      {"first", text(words.first)},
                      {"second", text(words.second)},
                      {"line", text(words.line())}};
    if (conflict.table == outsideTablesIndex) {
        entry["offset"] = static_cast<qint64>(conflict.offset);
        entry["length"] = static_cast<qint64>(conflict.firstBytes.size());
    } else if (conflict.table != gpMultiplierTable) {
        entry["record"] = words.record;
        entry["field"] = text(words.field);
    }
    if (settled)
        entry["settledFor"] = sideName(*settled);
    return entry;
}

QString severityName(Severity severity) {
    return severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

// What a merge that was written, or that stopped at its conflicts, tells the user.
struct MergeReport {
    const MergeResult& result;
    const std::vector<ConflictWords>& conflicts;
    std::optional<MergeSide> settled;
    std::vector<Finding> findings;
};

void printJson(Io& io, const MergeReport& report, bool written) {
    QJsonArray conflicts;
    for (std::size_t at = 0; at < report.conflicts.size(); ++at)
        conflicts.append(
            conflictJson(report.conflicts[at], report.result.conflicts[at], report.settled));
    QJsonArray findings;
    for (const Finding& finding : report.findings)
        findings.append(QJsonObject{{"severity", severityName(finding.severity)},
                                    {"table", asciiText(finding.table)},
                                    {"record", finding.record},
                                    {"message", text(finding.message)}});
    const QJsonObject json{{"release", asciiText(releaseKey(report.result.release))},
                           {"written", written},
                           {"summary", summaryJson(report.result)},
                           {"conflicts", conflicts},
                           {"newFindings", findings}};
    io.out << QJsonDocument(json).toJson(QJsonDocument::Indented);
}

void printSummary(Io& io, const MergeReport& report, const QString& out) {
    const std::vector<std::string> lines = mergeSummary(report.result);
    for (const std::string& line : lines)
        io.out << text(line) << '\n';
    if (lines.empty())
        io.out << "Neither side changes anything.\n";
    if (!report.conflicts.empty() && report.settled) {
        io.out << report.conflicts.size()
               << (report.conflicts.size() == 1 ? " conflict" : " conflicts") << " settled for the "
               << sideName(*report.settled) << ":\n";
        for (const ConflictWords& words : report.conflicts)
            io.out << "  " << text(words.line()) << '\n';
    }
    if (!report.findings.empty()) {
        io.out << "Findings of Check Image that neither side has:\n";
        for (const Finding& finding : report.findings)
            io.out << "  " << severityName(finding.severity) << ": " << asciiText(finding.table)
                   << ' ' << finding.record << ": " << text(finding.message) << '\n';
    }
    io.out << "Wrote " << quotedPath(out) << ".\n";
}

// The merged file: first's image with the merge written in, and past it first's tail with the
// merged bytes of the tails. Made in first's own file where it has one, which it then gives up.
std::vector<std::uint8_t> mergedFile(MergeFile& first, const MergeEdit& edit, RomImage& merged) {
    merged = first.document;
    applyMergeEdit(merged, edit);
    const ByteBuffer image = merged.imageWithTables();
    const std::size_t tailLength = first.tail().size();
    std::vector<std::uint8_t> bytes = std::move(first.file);
    if (bytes.size() != image.size() + tailLength) {
        const std::vector<std::uint8_t> tail(bytes.end() - static_cast<std::ptrdiff_t>(tailLength),
                                             bytes.end());
        bytes.assign(image.begin(), image.end());
        bytes.insert(bytes.end(), tail.begin(), tail.end());
    }
    std::copy(image.begin(), image.end(), bytes.begin());
    const std::uint64_t imageLength = merged.imageProper().size();
    for (const ByteWrite& write : edit.byteWrites) {
        if (write.offset < imageLength)
            continue;
        const auto at = std::min(
            static_cast<std::size_t>(write.offset - imageLength) + image.size(), bytes.size());
        std::copy_n(write.bytes.begin(), std::min(write.bytes.size(), bytes.size() - at),
                    bytes.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return bytes;
}

// The kind of input file a mod was given as, for the rule that no input is replaced.
FileKind fileKindOf(ModKind kind) {
    switch (kind) {
    case ModKind::Patch:
        return FileKind::Patch;
    case ModKind::Export:
        return FileKind::Json;
    case ModKind::Image:
        break;
    }
    return FileKind::Image;
}

// Reads the mod at path as readMergeMod does, refusing, as a load does, an image whose header
// names no release unless --any-image is given; a failure is reported, a caution told.
std::optional<MergeFile> readMod(const QString& path, const MergeFile& original,
                                 const QCommandLineParser& parser, Io& io) {
    const bool anyImage = parser.isSet(QStringLiteral("any-image"));
    QString refusal;
    const auto mergeAnyway = [&](const std::string& reason, RomVariant release) {
        if (!anyImage)
            refusal =
                fromNative(reason) + QStringLiteral(" Give --any-image to merge it anyway as %1.")
                                         .arg(asciiText(releaseName(release)));
        return anyImage;
    };
    QString error;
    std::optional<MergeFile> mod = readMergeMod(path, original, error, mergeAnyway);
    if (!mod)
        (void)fail(io, refusal.isEmpty() ? error : refusal);
    else if (!mod->caution.isEmpty())
        warn(io, mod->caution);
    return mod;
}

} // namespace

int runMerge(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("merge"),
        QStringLiteral("[--japanese] [--any-image] [--prefer first|second] [--json] [--table FILE] "
                       "[--locations FILE] [--force] -o OUT ORIGINAL FIRST SECOND"),
        QStringLiteral(
            "Merges two mods of ORIGINAL by what the records mean and writes the result to OUT.\n"
            "FIRST and SECOND are each an image of ORIGINAL's release, a BPS or IPS patch "
            "(applied\n"
            "to ORIGINAL) or a JSON export (its tables put onto ORIGINAL as import does). Each\n"
            "field of each record (a shop's slots, a chest's position, contents, opened-flag and\n"
            "each of its flag bits, an esper's spells ...) takes the change one side made; a "
            "field\n"
            "both sides changed alike takes it once. Bytes outside the tables merge one by one.\n"
            "A field or byte the two changed differently is a conflict: each is listed on a line\n"
            "of its own, nothing is written and the command exits 1, unless --prefer settles "
            "every\n"
            "conflict for one side. The summary says how many fields came from each side, and\n"
            "lists the findings of Check Image that the merge brings in and neither side had.\n"
            "OUT has FIRST's copier header and bytes past the image. An existing OUT is left\n"
            "alone unless --force is given; an input is never replaced.")};
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write the merged image to OUT (required)."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption prefer(
        QStringLiteral("prefer"),
        QStringLiteral("Settle every conflict for the first or the second side."),
        QStringLiteral("first|second"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Write the summary and the conflicts as JSON."));
    const QCommandLineOption table = tableOption();
    const QCommandLineOption locations = locationsOption();
    const QCommandLineOption force = forceOption();

    const auto checkUsage = [&](const QCommandLineParser& parser) -> std::optional<int> {
        if (!parser.isSet(output))
            return usageError(io, syntax.name, QStringLiteral("-o OUT is required"));
        const QString side = parser.value(prefer);
        if (parser.isSet(prefer) && side != firstName && side != secondName)
            return usageError(io, syntax.name,
                              QStringLiteral("--prefer: expected first or second, found %1")
                                  .arg(quotedPath(side)));
        return std::nullopt;
    };
    const auto run = [&](RomImage& loaded, const QCommandLineParser& parser) {
        const QStringList paths = parser.positionalArguments();
        QString error;
        const std::optional<MergeFile> originalFile = mergeFileOfLoaded(std::move(loaded), error);
        if (!originalFile)
            return fail(io, error);
        const RomImage& original = originalFile->document;
        std::optional<MergeFile> first = readMod(paths.at(1), *originalFile, parser, io);
        if (!first)
            return static_cast<int>(exitFailure);
        const std::optional<MergeFile> second = readMod(paths.at(2), *originalFile, parser, io);
        if (!second)
            return static_cast<int>(exitFailure);
        const FileTails tails{originalFile->tail(), first->tail(), second->tail()};
        const MergeResult result = merge(original, first->document, second->document, tails);
        if (!result.merges())
            return fail(io, QStringLiteral("Could not merge %1 and %2, mods of %3: %4.")
                                .arg(quotedPath(paths.at(1)), quotedPath(paths.at(2)),
                                     quotedPath(paths.at(0)), fromNative(result.refusal)));

        const auto naming =
            namingFilesFor(original.variant(), dataFoldersFor(original.getPath()), parser, io);
        if (!naming)
            return static_cast<int>(exitFailure);
        const std::vector<ConflictWords> words =
            conflictWords(result, original, first->document, second->document, naming->readings,
                          naming->chestLocations);
        std::optional<MergeSide> settled;
        if (parser.isSet(prefer))
            settled = parser.value(prefer) == firstName ? MergeSide::First : MergeSide::Second;
        MergeReport report{result, words, settled, {}};

        if (!result.conflicts.empty() && !settled) {
            if (parser.isSet(json))
                printJson(io, report, false);
            else
                for (const ConflictWords& conflict : words)
                    io.out << text(conflict.line()) << '\n';
            return fail(io, QStringLiteral("%1 and %2 disagree in %3 %4: nothing was written. "
                                           "Give --prefer first or --prefer second to settle "
                                           "them.")
                                .arg(quotedPath(paths.at(1)), quotedPath(paths.at(2)))
                                .arg(result.conflicts.size())
                                .arg(result.conflicts.size() == 1 ? "place" : "places"));
        }
        const std::vector<MergeSide> choices =
            settleAll(result, settled.value_or(MergeSide::First));
        const MergeEdit edit = mergeEdit(result, choices, first->document, second->document, tails);
        RomImage merged;
        const std::vector<std::uint8_t> bytes = mergedFile(*first, edit, merged);
        report.findings =
            introducedFindings(merged, first->document, second->document, naming->readings);

        const QString out = parser.value(output);
        const std::vector<InputFile> inputs{inputFile(paths.at(0), FileKind::Image),
                                            inputFile(paths.at(1), fileKindOf(first->kind)),
                                            inputFile(paths.at(2), fileKindOf(second->kind))};
        const auto isOut = [target = nativePath(out)](const InputFile& input) {
            return isSameFile(target, input.path);
        };
        if (const auto input = std::find_if(inputs.begin(), inputs.end(), isOut);
            input != inputs.end())
            return fail(io, QStringLiteral("Could not write %1: it is the %2 this command reads, "
                                           "and a merge never replaces the files it merges.")
                                .arg(quotedPath(out), asciiText(fileKindName(input->kind))));
        if (const int written =
                writeOutput(io, out, bytes, FileKind::Image, inputs, parser.isSet(force));
            written != exitSuccess)
            return written;
        if (parser.isSet(json))
            printJson(io, report, true);
        else
            printSummary(io, report, out);
        return static_cast<int>(exitSuccess);
    };
    return runImageCommand(
        args, io,
        {syntax,
         {output, prefer, json, table, locations, force},
         {{QStringLiteral("FIRST"),
           QStringLiteral("The first mod: an image, a BPS or IPS patch, or a JSON export.")},
          {QStringLiteral("SECOND"), QStringLiteral("The second mod, of the same kinds.")}},
         run,
         {QStringLiteral("ORIGINAL"), QStringLiteral("The image both mods were made from.")},
         checkUsage});
}

} // namespace tarnwick::cli
