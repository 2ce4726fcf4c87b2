#include "cli/Commands.h"

#include "cli/SheetsExport.h"
#include "cli/TablesJson.h"
#include "cli/WriteFile.h"
#include "demo/DemoImage.h"
#include "graphics/GlyphSheets.h"
#include "rom/RomImage.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

#include <array>
#include <optional>

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "unknown"
#endif

namespace tarnwick {

namespace {

constexpr auto programName = "tarnwick-cli";

// A demo image's tail is built in memory; this keeps a mistyped count from exhausting it.
constexpr std::uint64_t largestDemoTail = 0x1000000;

struct Io {
    QTextStream& out;
    QTextStream& err;
};

// ---- Small conversions ---------------------------------------------------------------------

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromNative(const std::string& text) {
    return QString::fromLocal8Bit(QByteArray::fromStdString(text));
}

QString hex(std::uint64_t value, int digits = 6) {
    return QStringLiteral("0x") +
           QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString byteCount(std::uint64_t value) {
    return QStringLiteral("%1 (%2) bytes").arg(hex(value, 1)).arg(value);
}

// The title as one character per byte, with control characters shown as escapes.
QString printableTitle(const GameString& title) {
    QString text;
    for (char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0) || byte == '"' || byte == '\\')
            text += QStringLiteral("\\x") +
                    QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            text += QChar(byte);
    }
    return QLatin1Char('"') + text + QLatin1Char('"');
}

int fail(Io& io, const QString& message) {
    io.err << message << Qt::endl;
    return exitFailure;
}

int usageError(Io& io, const QString& command, const QString& message) {
    const QString invocation =
        command.isEmpty() ? QString::fromLatin1(programName) : programName + (' ' + command);
    io.err << invocation << ": " << message << " (see " << invocation << " --help)" << Qt::endl;
    return exitUsage;
}

// ---- Argument parsing shared by the commands -----------------------------------------------

struct CommandSyntax {
    QString name;
    QString arguments;   // as shown in the usage line
    QString description; // one paragraph for --help
};

// Parses a command's arguments. Returns an exit code when the command should not go on:
// after --help, or on an argument error (already reported).
std::optional<int> parseArguments(QCommandLineParser& parser, const CommandSyntax& syntax,
                                  const QStringList& args, int positionalCount, Io& io) {
    parser.setApplicationDescription(syntax.description);
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(QStringList{programName} + args))
        return usageError(io, syntax.name, parser.errorText());
    // The parser also knows --help-all (help with Qt's own options); both show the same help.
    if (parser.isSet(help) || parser.optionNames().contains(QStringLiteral("help-all"))) {
        // The parser's usage line names the executable as it was started; ours names the
        // command the way the user types it.
        QString text = parser.helpText();
        const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(
            0, lineEnd,
            QStringLiteral("Usage: %1 %2 %3").arg(programName, syntax.name, syntax.arguments));
        io.out << text;
        return exitSuccess;
    }
    const qsizetype found = parser.positionalArguments().size();
    if (found != positionalCount)
        return usageError(io, syntax.name,
                          QStringLiteral("expected %1 argument%2 (%3), found %4")
                              .arg(positionalCount)
                              .arg(positionalCount == 1 ? "" : "s")
                              .arg(syntax.arguments)
                              .arg(found));
    return std::nullopt;
}

// The options every command that reads an image shares, and the IMAGE argument.
struct ImageOptions {
    QCommandLineOption japanese{
        QStringLiteral("japanese"),
        QStringLiteral("Take the image as a Japanese release unless its own title byte (SNES) "
                       "or game code (GBA) says it is English.")};
    QCommandLineOption force{
        QStringLiteral("force"),
        QStringLiteral("Load an image whose header names none of the four releases (its SNES "
                       "title byte or GBA game code is not the game's) as the release it would "
                       "be read as.")};
};

ImageOptions addImageArguments(QCommandLineParser& parser) {
    ImageOptions options;
    parser.addOptions({options.japanese, options.force});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The image file."));
    return options;
}

// Loads the image as File > Load does; a failure is reported and false returned. An image
// whose header names no release is refused unless --force was given.
bool loadImage(RomImage& rom, const QString& path, const QCommandLineParser& parser,
               const ImageOptions& options, Io& io) {
    rom.setJapanese(parser.isSet(options.japanese));
    const bool force = parser.isSet(options.force);
    QString refusal;
    const auto loadAnyway = [&](const std::string& reason) {
        if (!force)
            refusal = fromNative(reason) + QStringLiteral(" Give --force to load it anyway as %1.")
                                               .arg(asciiText(releaseName(rom.variant())));
        return force;
    };
    if (const Status loaded = loadRom(rom, nativePath(path), loadAnyway); !loaded) {
        (void)fail(io, refusal.isEmpty() ? fromNative(loaded.message()) : refusal);
        return false;
    }
    return true;
}

// ---- info ----------------------------------------------------------------------------------

QString fontFormatName(FontFormat format) {
    switch (format) {
    case FontFormat::SnesPlanar2bpp:
        return QStringLiteral("2 bits a pixel, planar");
    case FontFormat::GbaEnglishVariable:
        return QStringLiteral("variable width, 2 bits a pixel");
    case FontFormat::GbaJapanese4bpp:
        return QStringLiteral("4 bits a pixel");
    }
    return {};
}

class InfoPrinter {
public:
    InfoPrinter(const RomImage& document, QTextStream& stream)
        : rom(document), out(stream), release(variantIndex(document.variant())),
          header(static_cast<std::uint64_t>(document.getHeaderSize())) {}

    void print(const QString& path) {
        const std::uint64_t imageSize = rom.getSize() - header;
        field(QStringLiteral("Image"), path);
        field(QStringLiteral("Release"),
              QStringLiteral("%1 (%2)").arg(asciiText(releaseName(rom.variant())),
                                            asciiText(releaseKey(rom.variant()))));
        field(QStringLiteral("Copier header"),
              header == 0 ? QStringLiteral("none") : byteCount(header));
        field(QStringLiteral("Title"), printableTitle(rom.internalTitle()));
        field(QStringLiteral("Image size"), byteCount(imageSize));
        if (rom.getFileLength() > imageSize)
            field(QStringLiteral("File length"), byteCount(rom.getFileLength()));

        out << "\n" << row(QStringLiteral("Record tables"), "image", "file", "records x bytes");
        for (const TableBinding& binding : recordTables()) {
            const TablePlacement& where = (*binding.placement)[release];
            place(asciiText(binding.key), where.offset,
                  QStringLiteral("%1 x %2").arg(where.count).arg(where.recordSize));
        }
        if (const auto& gp = gpMultiplierOffset[release])
            place(QStringLiteral("gpMultiplier"), *gp, QStringLiteral("1 byte"));

        out << "\n" << row(QStringLiteral("Name areas"), "image", "file", "names");
        for (const NameBinding& binding : nameTables())
            printNameArea(binding);

        out << "\n" << row(QStringLiteral("Graphics"), "image", "file", "");
        const FontPlacement& font = fontPlacement[release];
        place(QStringLiteral("Font"), font.offset,
              QStringLiteral("%1 glyphs, %2, up to %3")
                  .arg(font.glyphsDrawn)
                  .arg(fontFormatName(font.format), byteCount(font.maxLength)));
        const ByteArea& palette = paletteArea[release];
        place(QStringLiteral("Palette"), palette.offset,
              QStringLiteral("%1 colours, %2")
                  .arg(paletteColourCount)
                  .arg(byteCount(palette.length)));
    }

private:
    static QString row(const QString& name, const QString& image, const QString& file,
                       const QString& detail) {
        QString line = QStringLiteral("%1 %2 %3 %4")
                           .arg(name.leftJustified(20), image.leftJustified(10),
                                file.leftJustified(10), detail);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        return line + QLatin1Char('\n');
    }

    void field(const QString& name, const QString& value) {
        out << (name + QLatin1Char(':')).leftJustified(15) << value << "\n";
    }

    void place(const QString& name, std::uint64_t offset, const QString& detail) {
        out << row(QStringLiteral("  ") + name, hex(offset), hex(offset + header), detail);
    }

    void printNameArea(const NameBinding& binding) {
        const NameArea& area = (*binding.area)[release];
        const QString name = asciiText(binding.key);
        if (area.count == 0) {
            out << row(QStringLiteral("  ") + name, "-", "-", "none in this release");
            return;
        }
        const int firstPart = area.secondSlot >= 0 ? area.secondSlot : area.count;
        const QString each = area.fieldLength > 0
                                 ? QStringLiteral("x %1 bytes").arg(area.fieldLength)
                                 : QStringLiteral("strings");
        QString detail = QStringLiteral("%1 %2").arg(firstPart).arg(each);
        if (area.secondSlot >= 0)
            detail += QStringLiteral("; slots %1-%2 at %3 (file %4)")
                          .arg(area.secondSlot)
                          .arg(area.count - 1)
                          .arg(hex(area.secondOffset), hex(area.secondOffset + header));
        if (binding.reservedSlotZero)
            detail += QStringLiteral(" into slots 1-%1").arg(area.count);
        place(name, area.offset, detail);
    }

    const RomImage& rom;
    QTextStream& out;
    const int release;
    const std::uint64_t header;
};

int runInfo(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("info"), QStringLiteral("[--japanese] [--force] IMAGE"),
        QStringLiteral("Shows the image's release, copier header, internal title and size, and\n"
                       "where each table, name area, the font and the palettes lie, both in the\n"
                       "image proper and in the file.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    if (const auto done = parseArguments(parser, syntax, args, 1, io))
        return *done;

    const QString path = parser.positionalArguments().at(0);
    RomImage rom;
    if (!loadImage(rom, path, parser, imageOptions, io))
        return exitFailure;
    InfoPrinter(rom, io.out).print(path);
    return exitSuccess;
}

// ---- export --------------------------------------------------------------------------------

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

// Line and column (both from 1) of a byte offset in text.
std::pair<qsizetype, qsizetype> lineAndColumn(const QByteArray& text, qsizetype offset) {
    const QByteArray before = text.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return {line, column};
}

std::optional<QJsonObject> readJsonFile(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Could not read \"%1\": %2.").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Could not read \"%1\": %2.").arg(path, file.errorString());
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(text, parseError.offset);
        error = QStringLiteral("\"%1\" is not valid JSON: line %2, column %3: %4.")
                    .arg(path)
                    .arg(line)
                    .arg(column)
                    .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        error = QStringLiteral("\"%1\": expected a JSON object at the top level, found %2.")
                    .arg(path, document.isArray() ? QStringLiteral("an array")
                                                  : QStringLiteral("nothing"));
        return std::nullopt;
    }
    return document.object();
}

int runImport(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("import"), QStringLiteral("[--japanese] [--force] IMAGE JSON"),
        QStringLiteral("Puts the record tables (and, on SNES images, the GP multiplier) of a JSON\n"
                       "export into the image and saves it. Everything is checked first; on any\n"
                       "error the image file is left as it was.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    parser.addPositionalArgument(QStringLiteral("JSON"),
                                 QStringLiteral("A file written by the export command."));
    if (const auto done = parseArguments(parser, syntax, args, 2, io))
        return *done;

    const QString imagePath = parser.positionalArguments().at(0);
    const QString jsonPath = parser.positionalArguments().at(1);
    QString error;
    const std::optional<QJsonObject> json = readJsonFile(jsonPath, error);
    if (!json)
        return fail(io, error);

    RomImage rom;
    if (!loadImage(rom, imagePath, parser, imageOptions, io))
        return exitFailure;
    const std::optional<ImportedTables> tables = readImportedTables(*json, rom.variant(), error);
    if (!tables)
        return fail(io, QStringLiteral("\"%1\": %2.").arg(jsonPath, error));

    storeImportedTables(*tables, rom);
    if (const Status saved = rom.save(); !saved)
        return fail(io, fromNative(saved.message()));
    return exitSuccess;
}

// ---- sheets --------------------------------------------------------------------------------

int runSheets(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("sheets"), QStringLiteral("[--japanese] [--force] IMAGE OUTDIR"),
        QStringLiteral("Renders the image's small font and its 2048 colours the way the editor\n"
                       "shows them and writes them as PNG files into OUTDIR (created if missing):\n"
                       "font-sheet.png, 128 x 384 pixels, the font in its three list colour\n"
                       "schemes, and palette-sheet.png, 128 x 1024 pixels, 8 x 8 swatches in\n"
                       "ROM order.")};
    QCommandLineParser parser;
    const ImageOptions imageOptions = addImageArguments(parser);
    parser.addPositionalArgument(QStringLiteral("OUTDIR"),
                                 QStringLiteral("The folder to write the sheets into."));
    if (const auto done = parseArguments(parser, syntax, args, 2, io))
        return *done;

    const QString path = parser.positionalArguments().at(0);
    const QString folder = parser.positionalArguments().at(1);
    RomImage rom;
    if (!loadImage(rom, path, parser, imageOptions, io))
        return exitFailure;
    if (const std::optional<QString> failed = writeSheetFiles(renderGlyphSheets(rom), folder))
        return fail(io, *failed);
    return exitSuccess;
}

// ---- demo-image ----------------------------------------------------------------------------

std::optional<std::uint64_t> parseByteCount(const QString& text) {
    bool ok = false;
    const bool isHex = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    const qulonglong value = isHex ? text.mid(2).toULongLong(&ok, 16) : text.toULongLong(&ok, 10);
    if (!ok || value > largestDemoTail)
        return std::nullopt;
    return value;
}

int runDemoImage(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("demo-image"),
        QStringLiteral("--release RELEASE [--header] [--tail BYTES] [--force] OUT"),
        QStringLiteral("Writes a synthetic image of a release, with every table, name area, the\n"
                       "font and the palettes filled. An existing OUT is left alone unless\n"
                       "--force is given.")};
    QCommandLineParser parser;
    const QCommandLineOption releaseOption(QStringLiteral("release"),
                                           QStringLiteral("snes-en, snes-ja, gba-en or gba-ja."),
                                           QStringLiteral("RELEASE"));
    const QCommandLineOption headerOption(
        QStringLiteral("header"),
        QStringLiteral("Put a 512-byte copier header in front of the image (SNES only)."));
    const QCommandLineOption tailOption(
        QStringLiteral("tail"),
        QStringLiteral("Make the file BYTES longer than its 8 MiB image (GBA only; decimal or "
                       "0x hexadecimal, at most 0x1000000)."),
        QStringLiteral("BYTES"));
    const QCommandLineOption forceOption(
        QStringLiteral("force"), QStringLiteral("Replace OUT if a file of that name exists."));
    parser.addOptions({releaseOption, headerOption, tailOption, forceOption});
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The file to write."));
    if (const auto done = parseArguments(parser, syntax, args, 1, io))
        return *done;

    const QString command = syntax.name;
    if (!parser.isSet(releaseOption))
        return usageError(io, command, QStringLiteral("--release is required"));
    const QString key = parser.value(releaseOption);
    const std::optional<RomVariant> release = releaseFromKey(key.toStdString());
    if (!release)
        return usageError(io, command,
                          QStringLiteral("--release: expected snes-en, snes-ja, gba-en or "
                                         "gba-ja, found \"%1\"")
                              .arg(key));

    DemoImageOptions options;
    options.release = *release;
    if (parser.isSet(headerOption)) {
        if (isGbaVariant(*release))
            return usageError(io, command,
                              QStringLiteral("--header: GBA images have no copier header"));
        options.copierHeader = true;
    }
    if (parser.isSet(tailOption)) {
        if (!isGbaVariant(*release))
            return usageError(io, command,
                              QStringLiteral("--tail: only GBA files extend past their image"));
        const std::optional<std::uint64_t> tail = parseByteCount(parser.value(tailOption));
        if (!tail)
            return usageError(io, command,
                              QStringLiteral("--tail: expected a byte count from 0 to %1, "
                                             "found \"%2\"")
                                  .arg(largestDemoTail)
                                  .arg(parser.value(tailOption)));
        options.tailBytes = *tail;
    }

    const QString out = parser.positionalArguments().at(0);
    const ExistingFile existing =
        parser.isSet(forceOption) ? ExistingFile::Replace : ExistingFile::Refuse;
    if (const Status written = writeDemoImage(options, nativePath(out), existing); !written)
        return fail(io, fromNative(written.message()) +
                            (existing == ExistingFile::Refuse && QFileInfo::exists(out)
                                 ? QStringLiteral(" Give --force to replace it.")
                                 : QString()));
    return exitSuccess;
}

// ---- Dispatch ------------------------------------------------------------------------------

struct Command {
    const char* name;
    int (*run)(const QStringList& args, Io& io);
};

constexpr std::array commands = {
    Command{"info", &runInfo},
    Command{"export", &runExport},
    Command{"import", &runImport},
    Command{"sheets", &runSheets},
    Command{"demo-image", &runDemoImage},
};

const char* const overview =
    "Usage: tarnwick-cli COMMAND [options] ARGUMENTS\n"
    "Reads and writes the data tables of Kavo cartridge images (SNES and GBA, English and\n"
    "Japanese) and renders their font and palettes. Runs without a display.\n"
    "\n"
    "Commands:\n"
    "  info IMAGE              Release, header, title, size and where each table lies.\n"
    "  export [-o FILE] IMAGE  The record tables and names as JSON.\n"
    "  import IMAGE JSON       Puts the record tables of an export into the image and\n"
    "                          saves it.\n"
    "  sheets IMAGE OUTDIR     The font and palette sheets as PNG files.\n"
    "  demo-image --release RELEASE [--header] [--tail BYTES] [--force] OUT\n"
    "                          Writes a synthetic image; --force replaces an existing OUT.\n"
    "\n"
    "The commands that read an IMAGE take --japanese, to read it as a Japanese release unless\n"
    "its header says English, and --force, to load a file whose header names none of the\n"
    "four releases.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help; 'tarnwick-cli COMMAND --help' shows a command's.\n"
    "  -v, --version  Show the version.\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read, written or used, 2 when the\n"
    "command line is wrong.\n";

} // namespace

int runCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    Io io{out, err};
    if (args.isEmpty())
        return usageError(io, {}, QStringLiteral("expected a command"));
    const QString& first = args.front();
    if (first == QLatin1String("-h") || first == QLatin1String("--help") ||
        first == QLatin1String("help")) {
        out << overview;
        return exitSuccess;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        out << programName << " " << TARNWICK_VERSION << "\n";
        return exitSuccess;
    }
    for (const Command& command : commands)
        if (first == QLatin1String(command.name))
            return command.run(args.mid(1), io);
    return usageError(io, {}, QStringLiteral("unknown command \"%1\"").arg(first));
}

} // namespace tarnwick
