#include "CommandSupport.h"

#include "cli/Commands.h"
#include "qtio/QtFiles.h"
#include "tables/TablesJson.h"

#include <QJsonDocument>

namespace tarnwick::cli {

int runExport(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("export"),
        QStringLiteral("[--japanese] [--any-image] [-o FILE [--force]] IMAGE"),
        QStringLiteral("Writes the image's record tables, GP multiplier and names as JSON, each\n"
                       "record on a line of its own with its readable label. The labels and\n"
                       "names are for reference: import reads only the tables' values and the GP\n"
                       "multiplier. An existing FILE is left alone unless --force is given, and\n"
                       "the image itself is never replaced.")};
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the JSON to FILE instead of standard output."),
        QStringLiteral("FILE"));
    const QCommandLineOption force = forceOption();
    const auto run = [&](RomImage& rom, const QCommandLineParser& parser) {
        // The labels read the game's names through the release's built-in readings.
        const QByteArray json = exportTablesText(rom, builtInCharacterTable(rom.variant()));
        if (!parser.isSet(output)) {
            writeOut(io, json);
            return static_cast<int>(exitSuccess);
        }
        return writeOutput(io, parser.value(output), bytesOf(json), FileKind::Json,
                           {inputFile(parser.positionalArguments().at(0), FileKind::Image)},
                           parser.isSet(force));
    };
    return runImageCommand(args, io, {syntax, {output, force}, {}, run});
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
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the image with the imported tables to FILE instead."),
        QStringLiteral("FILE"));
    const QCommandLineOption force = forceOption();
    const auto run = [&](RomImage& rom, const QCommandLineParser& parser) {
        const QStringList paths = parser.positionalArguments();
        if (const auto failed = putExportIntoDocument(paths.at(1), rom, io))
            return *failed;
        if (!parser.isSet(output)) {
            // The image may have changed on disk since it was read: never write over that.
            const Status saved = saveUnlessChangedOnDisk(rom);
            return saved ? static_cast<int>(exitSuccess) : fail(io, fromNative(saved.message()));
        }
        std::vector<std::uint8_t> bytes;
        if (const Status read = rom.savedFileBytes(bytes); !read)
            return fail(io, fromNative(read.message()));
        return writeOutput(
            io, parser.value(output), bytes, FileKind::Image,
            {inputFile(paths.at(0), FileKind::Image), inputFile(paths.at(1), FileKind::Json)},
            parser.isSet(force));
    };
    return runImageCommand(args, io, {syntax, {output, force}, {exportArgument}, run});
}

} // namespace tarnwick::cli
