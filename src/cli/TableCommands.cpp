#include "CommandSupport.h"

#include "cli/Commands.h"
#include "tables/ReadFile.h"
#include "tables/TablesJson.h"

#include <QJsonDocument>

namespace tarnwick::cli {

int runExport(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("export"),
        QStringLiteral("[--japanese] [--any-image] [-o FILE [--force]] IMAGE"),
        QStringLiteral("Writes the image's record tables, GP multiplier and names as JSON. The\n"
                       "names are for reference: import reads only the tables and the GP\n"
                       "multiplier. An existing FILE is left alone unless --force is given, and\n"
                       "the image itself is never replaced.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the JSON to FILE instead of standard output."),
        QStringLiteral("FILE"));
    const QCommandLineOption force = forceOption();
    parser.addOptions({output, force});
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
    return writeOutput(io, parser.value(output), bytesOf(json), FileKind::Json,
                       {inputFile(path, FileKind::Image)}, parser.isSet(force));
}

// ---- import --------------------------------------------------------------------------------

int runImport(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("import"),
        QStringLiteral("[--japanese] [--any-image] [-o FILE [--force]] IMAGE JSON"),
        QStringLiteral("Puts the record tables (and, on SNES images, the GP multiplier) of a JSON\n"
                       "export into the image and saves it, or writes the result to FILE and\n"
                       "leaves the image as it is. Everything is checked first; on any error\n"
                       "no file is changed. An existing FILE is left alone unless --force is\n"
                       "given, and the export itself is never replaced.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    addExportArgument(parser);
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the image with the imported tables to FILE instead."),
        QStringLiteral("FILE"));
    const QCommandLineOption force = forceOption();
    parser.addOptions({output, force});
    if (const auto done = parseArguments(parser, syntax, args, 2, io))
        return *done;

    RomImage rom;
    if (const auto failed = loadImageWithExport(parser, imageOptions, rom, io))
        return *failed;
    if (parser.isSet(output)) {
        std::vector<std::uint8_t> bytes;
        if (const Status read = rom.savedFileBytes(bytes); !read)
            return fail(io, fromNative(read.message()));
        const QStringList paths = parser.positionalArguments();
        return writeOutput(
            io, parser.value(output), bytes, FileKind::Image,
            {inputFile(paths.at(0), FileKind::Image), inputFile(paths.at(1), FileKind::Json)},
            parser.isSet(force));
    }
    if (const Status saved = rom.save(); !saved)
        return fail(io, fromNative(saved.message()));
    return exitSuccess;
}

} // namespace tarnwick::cli
