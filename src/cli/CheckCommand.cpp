#include "CommandSupport.h"

#include "DataFileOptions.h"

#include "cli/Commands.h"
#include "graphics/NamedFindings.h"
#include "graphics/RecordNames.h"
#include "rom/ImageCheck.h"
#include "tables/TablesJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace tarnwick::cli {
namespace {

QString severityName(Severity severity) {
    return severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

} // namespace

int runCheck(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("check"),
        QStringLiteral(
            "[--japanese] [--any-image] [--against ORIGINAL] [--json] [--table FILE] IMAGE"),
        QStringLiteral("Lists the mistakes across records that a mod may have made, one a line:\n"
                       "errors, where the game would read something the image does not hold, and\n"
                       "warnings, combinations that are very likely slips (two chests sharing an\n"
                       "opened-flag, a shop selling an item twice ...). With --against, only what\n"
                       "ORIGINAL does not already have. Records are named as Tools > Check Image\n"
                       "names them, through the character table found beside IMAGE, beside the\n"
                       "program or in the user's data folders (or the --table file). Exits 1 when\n"
                       "there are errors, 0 when there are none, so a build script can stop on\n"
                       "them.")};
    const QCommandLineOption against(
        QStringLiteral("against"),
        QStringLiteral("Report only the findings that ORIGINAL does not have already."),
        QStringLiteral("ORIGINAL"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Write the findings as a JSON array."));
    const QCommandLineOption table = tableOption();
    const auto run = [&](RomImage& rom, const QCommandLineParser& parser) {
        const auto readings = readingsFor(rom.variant(), dataFoldersFor(rom.getPath()), parser, io);
        if (!readings)
            return static_cast<int>(exitFailure);
        std::vector<Finding> findings = checkImage(rom, *readings);
        if (parser.isSet(against)) {
            RomImage original;
            if (!loadImage(original, parser.value(against), parser, io))
                return static_cast<int>(exitFailure);
            findings = newFindings(findings, checkImage(original, *readings));
        }
        RecordNameBook labels(rom, *readings);
        QJsonArray list;
        for (const Finding& finding : findings) {
            const QString label = shownName(labels.nameOf(finding.table, finding.record));
            if (parser.isSet(json)) {
                list.append(QJsonObject{{"severity", severityName(finding.severity)},
                                        {"table", asciiText(finding.table)},
                                        {"record", finding.record},
                                        {"label", label},
                                        {"message", QString::fromStdString(finding.message)}});
                continue;
            }
            io.out << severityName(finding.severity) << ": " << asciiText(finding.table) << ' '
                   << finding.record << (label.isEmpty() ? QString() : " (" + label + ")") << ": "
                   << QString::fromStdString(finding.message) << '\n';
        }
        const auto errors = std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
            return f.severity == Severity::Error;
        });
        if (parser.isSet(json))
            io.out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        else
            io.out << errors << (errors == 1 ? " error, " : " errors, ")
                   << findings.size() - static_cast<std::size_t>(errors)
                   << (findings.size() - static_cast<std::size_t>(errors) == 1 ? " warning"
                                                                               : " warnings")
                   << '\n';
        return static_cast<int>(errors > 0 ? exitFailure : exitSuccess);
    };
    return runImageCommand(args, io, {syntax, {against, json, table}, {}, run});
}

} // namespace tarnwick::cli
