#include "CommandSupport.h"

#include "cli/Commands.h"
#include "tables/JsonFile.h"
#include "tables/TablesJson.h"

#include <QFile>

namespace tarnwick::cli {

// ---- Small conversions ---------------------------------------------------------------------

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
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

ImageOptions addImageArguments(QCommandLineParser& parser) {
    ImageOptions options;
    parser.addOptions({options.japanese, options.force});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The image file."));
    return options;
}

bool loadImage(RomImage& rom, const QString& path, const QCommandLineParser& parser,
               const ImageOptions& options, Io& io) {
    rom.setJapanese(parser.isSet(options.japanese));
    const bool force = parser.isSet(options.force);
    QString refusal;
    const auto loadAnyway = [&](const std::string& reason, RomVariant release) {
        if (!force)
            refusal = fromNative(reason) + QStringLiteral(" Give --force to load it anyway as %1.")
                                               .arg(asciiText(releaseName(release)));
        return force;
    };
    if (const Status loaded = loadRom(rom, nativePath(path), loadAnyway); !loaded) {
        (void)fail(io, refusal.isEmpty() ? fromNative(loaded.message()) : refusal);
        return false;
    }
    return true;
}

void addExportArgument(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("JSON"),
                                 QStringLiteral("A file written by the export command."));
}

std::optional<int> loadImageWithExport(const QCommandLineParser& parser,
                                       const ImageOptions& options, RomImage& rom, Io& io) {
    const QString imagePath = parser.positionalArguments().at(0);
    const QString jsonPath = parser.positionalArguments().at(1);
    QString error;
    const std::optional<QJsonObject> json = readJsonFile(jsonPath, error);
    if (!json)
        return fail(io, error);
    if (!loadImage(rom, imagePath, parser, options, io))
        return exitFailure;
    const std::optional<ImportedTables> tables = readImportedTables(*json, rom.variant(), error);
    if (!tables)
        return fail(io, QStringLiteral("\"%1\": %2.").arg(jsonPath, error));
    storeImportedTables(*tables, rom);
    return std::nullopt;
}

} // namespace tarnwick::cli
