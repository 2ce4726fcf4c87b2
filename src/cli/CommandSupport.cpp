#include "CommandSupport.h"

#include "ArgumentHelp.h"

#include "cli/Commands.h"
#include "io/AtomicFile.h"
#include "qtio/FileNames.h"
#include "qtio/QtFiles.h"
#include "tables/TablesJson.h"

namespace tarnwick::cli {

// ---- Small conversions ---------------------------------------------------------------------

std::string nativePath(const QString& path) {
    return fileSystemBytes(path);
}

QString fromNative(const std::string& text) {
    return QString::fromLocal8Bit(QByteArray::fromStdString(text));
}

QString hex(std::uint64_t value, int digits) {
    return QStringLiteral("0x") +
           QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString byteCount(std::uint64_t value) {
    return QStringLiteral("%1 (%2) bytes").arg(hex(value, 1)).arg(value);
}

QString shownName(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .normalized(QString::NormalizationForm_C);
}

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
    io.err << programName << ": " << message << Qt::endl;
    return exitFailure;
}

void warn(Io& io, const QString& message) {
    io.err << programName << ": warning: " << message << Qt::endl;
}

int usageError(Io& io, const QString& command, const QString& message) {
    const QString invocation =
        command.isEmpty() ? QString::fromLatin1(programName) : programName + (' ' + command);
    io.err << invocation << ": " << message << " (see " << invocation << " --help)" << Qt::endl;
    return exitUsage;
}

// ---- Argument parsing shared by the commands -----------------------------------------------

std::optional<int> parseArguments(QCommandLineParser& parser, const CommandSyntax& syntax,
                                  const ArgumentList& arguments, const QStringList& args, Io& io) {
    parser.setApplicationDescription(syntax.description);
    const QCommandLineOption help = parser.addHelpOption();
    for (const auto& [name, description] : arguments)
        parser.addPositionalArgument(name, description);
    if (!parser.parse(QStringList{programName} + args))
        return usageError(io, syntax.name, parseErrorText(parser));
    // The parser also knows --help-all (help with Qt's own options); both show the same help.
    if (parser.isSet(help) || parser.optionNames().contains(QStringLiteral("help-all"))) {
        io.out << commandHelpText(parser, syntax, arguments);
        return exitSuccess;
    }
    const qsizetype found = parser.positionalArguments().size();
    const qsizetype expected = arguments.size();
    if (found != expected)
        return usageError(io, syntax.name,
                          QStringLiteral("expected %1 argument%2 (%3), found %4")
                              .arg(expected)
                              .arg(expected == 1 ? "" : "s")
                              .arg(syntax.arguments)
                              .arg(found));
    return std::nullopt;
}

namespace {

const QCommandLineOption japaneseOption{
    QStringLiteral("japanese"),
    QStringLiteral("Take the image as a Japanese release unless its own title byte (SNES) or game "
                   "code (GBA) says it is English.")};
const QCommandLineOption anyImageOption{
    QStringLiteral("any-image"),
    QStringLiteral("Load an image whose header names none of the four releases (its SNES title "
                   "byte or GBA game code is not the game's) as the release it would be read as.")};

} // namespace

bool loadImage(RomImage& rom, const QString& path, const QCommandLineParser& parser, Io& io) {
    rom.setJapanese(parser.isSet(japaneseOption));
    const bool anyImage = parser.isSet(anyImageOption);
    QString refusal;
    const auto loadAnyway = [&](const std::string& reason, RomVariant release) {
        if (!anyImage)
            refusal =
                fromNative(reason) + QStringLiteral(" Give --any-image to load it anyway as %1.")
                                         .arg(asciiText(releaseName(release)));
        return anyImage;
    };
    if (const Status loaded = loadRom(rom, nativePath(path), loadAnyway); !loaded) {
        (void)fail(io, refusal.isEmpty() ? fromNative(loaded.message()) : refusal);
        return false;
    }
    return true;
}

bool loadImageLike(RomImage& other, const QString& path, const RomImage& first,
                   const QCommandLineParser& parser, Io& io) {
    if (!loadImage(other, path, parser, io))
        return false;
    if (other.variant() == first.variant())
        return true;
    (void)fail(io, QStringLiteral("%1 is a %2 image and the first one a %3 image: "
                                  "only images of one release compare.")
                       .arg(quotedPath(path), asciiText(releaseName(other.variant())),
                            asciiText(releaseName(first.variant()))));
    return false;
}

int runImageCommand(const QStringList& args, Io& io, const ImageCommand& command) {
    QCommandLineParser parser;
    parser.addOptions({japaneseOption, anyImageOption});
    parser.addOptions(command.options);
    if (const auto done =
            parseArguments(parser, command.syntax,
                           ArgumentList{command.image} + command.argumentsAfterImage, args, io))
        return *done;
    if (command.checkUsage)
        if (const auto wrong = command.checkUsage(parser))
            return *wrong;
    RomImage rom;
    if (!loadImage(rom, parser.positionalArguments().at(0), parser, io))
        return exitFailure;
    return command.run(rom, parser);
}

std::optional<int> putExportIntoDocument(const QString& jsonPath, RomImage& rom, Io& io) {
    QString error;
    const std::optional<ImportedTables> tables = readExportFile(jsonPath, rom.variant(), error);
    if (!tables)
        return fail(io, error);
    storeImportedTables(*tables, rom);
    return std::nullopt;
}

// ---- Input files ---------------------------------------------------------------------------

std::optional<QByteArray> readInputFile(const QString& path, std::uint64_t largest, Io& io) {
    QString error;
    std::optional<QByteArray> read = readFile(path, error, largest);
    if (!read)
        (void)fail(io, error);
    return read;
}

// ---- Output files --------------------------------------------------------------------------

QCommandLineOption forceOption() {
    return QCommandLineOption(QStringLiteral("force"),
                              QStringLiteral("Replace an existing output file."));
}

InputFile inputFile(const QString& path, FileKind kind) {
    return InputFile{nativePath(path), kind};
}

bool mayWriteOutput(Io& io, const QString& path, FileKind kind,
                    const std::vector<InputFile>& inputs, bool force) {
    const Status allowed =
        checkOutputFile(nativePath(path), kind, inputs, force, " Give --force to replace it.");
    if (!allowed)
        (void)fail(io, fromNative(allowed.message()));
    return allowed.isOk();
}

int writeOutput(Io& io, const QString& path, std::span<const std::uint8_t> bytes, FileKind kind,
                const std::vector<InputFile>& inputs, bool force) {
    if (!mayWriteOutput(io, path, kind, inputs, force))
        return exitFailure;
    const Status written = writeWholeFile(nativePath(path), bytes,
                                          force ? ExistingFile::Replace : ExistingFile::Refuse);
    return written ? exitSuccess : fail(io, fromNative(written.message()));
}

} // namespace tarnwick::cli
