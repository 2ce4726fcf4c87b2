#include "CommandSupport.h"

#include "cli/Commands.h"
#include "tables/TablesJson.h"
#include "tables/WriteFile.h"

#include <QJsonDocument>

namespace tarnwick::cli {

int runExport(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("export"), QStringLiteral("[--japanese] [--force] [-o FILE] IMAGE"),
        QStringLiteral("Writes the image's record tables, GP multiplier and names as JSON. The\n"
                       "names are for reference: import reads only the tables and the GP\n"
                       "multiplier.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the JSON to FILE instead of standard output."),
        QStringLiteral("FILE"));
    parser.addOption(output);
    if (const auto done = parseArguments(parser, syntax, args, 1, io))
        return *done;

    const QString path = parser.positionalArguments().at(0);
    RomImage rom;
    if (!loadImage(rom, path, parser, imageOptions, io))
        return exitFailure;
    const QByteArray json = QJsonDocument(exportTables(rom)).toJson(QJsonDocument::Indented);

    if (!parser.isSet(output)) {
        io.out << QString::fromUtf8(json);
        return exitSuccess;
    }
    const Status written = writeFile(parser.value(output), json, ExistingFile::Replace);
    return written ? exitSuccess : fail(io, fromNative(written.message()));
}

// ---- import --------------------------------------------------------------------------------

int runImport(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("import"), QStringLiteral("[--japanese] [--force] IMAGE JSON"),
        QStringLiteral("Puts the record tables (and, on SNES images, the GP multiplier) of a JSON\n"
                       "export into the image and saves it. Everything is checked first; on any\n"
                       "error the image file is left as it was.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    addExportArgument(parser);
    if (const auto done = parseArguments(parser, syntax, args, 2, io))
        return *done;

    RomImage rom;
    if (const auto failed = loadImageWithExport(parser, imageOptions, rom, io))
        return *failed;
    if (const Status saved = rom.save(); !saved)
        return fail(io, fromNative(saved.message()));
    return exitSuccess;
}

} // namespace tarnwick::cli
