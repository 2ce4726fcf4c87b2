#include "CommandSupport.h"

#include "cli/Commands.h"
#include "demo/DemoImage.h"
#include "demo/DemoTextFiles.h"
#include "qtio/FileNames.h"

#include <QFileInfo>

namespace tarnwick::cli {

namespace {

// A demo image's tail is built in memory; this keeps a mistyped count from exhausting it.
constexpr std::uint64_t largestDemoTail = 0x1000000;

std::optional<std::uint64_t> parseByteCount(const QString& text) {
    bool ok = false;
    const bool isHex = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    const qulonglong value = isHex ? text.mid(2).toULongLong(&ok, 16) : text.toULongLong(&ok, 10);
    if (!ok || value > largestDemoTail)
        return std::nullopt;
    return value;
}

} // namespace

int runDemoImage(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("demo-image"),
        QStringLiteral("--release RELEASE [--header] [--tail BYTES] [--with-data-files] [--force] "
                       "OUT"),
        QStringLiteral("Writes a synthetic image of a release, with every table, name area, the\n"
                       "font and the palettes filled. An existing OUT is left alone unless\n"
                       "--force is given. --with-data-files also writes the demo's text files\n"
                       "beside OUT (chestloc.txt, animdata.txt and the four charset-*.tbl), as\n"
                       "tarnwick --demo has them; text files already there are kept.")};
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
    const QCommandLineOption dataFilesOption(
        QStringLiteral("with-data-files"),
        QStringLiteral("Also write the demo's text files beside OUT, keeping any already there."));
    const QCommandLineOption force = forceOption();
    parser.addOptions({releaseOption, headerOption, tailOption, dataFilesOption, force});
    if (const auto done = parseArguments(
            parser, syntax, {{QStringLiteral("OUT"), QStringLiteral("The file to write.")}}, args,
            io))
        return *done;

    const QString command = syntax.name;
    if (!parser.isSet(releaseOption))
        return usageError(io, command, QStringLiteral("--release is required"));
    const QString key = parser.value(releaseOption);
    const std::optional<RomVariant> release = releaseFromKey(key.toStdString());
    if (!release)
        return usageError(io, command,
                          QStringLiteral("--release: expected snes-en, snes-ja, gba-en or "
                                         "gba-ja, found %1")
                              .arg(quotedPath(key)));

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
                                             "found %2")
                                  .arg(largestDemoTail)
                                  .arg(quotedPath(parser.value(tailOption))));
        options.tailBytes = *tail;
    }

    const QString out = parser.positionalArguments().at(0);
    if (!mayWriteOutput(io, out, FileKind::Image, {}, parser.isSet(force)))
        return exitFailure;
    const ExistingFile existing =
        parser.isSet(force) ? ExistingFile::Replace : ExistingFile::Refuse;
    if (const Status written = writeDemoImage(options, nativePath(out), existing); !written)
        return fail(io, fromNative(written.message()));
    if (parser.isSet(dataFilesOption)) {
        const QString folder = QFileInfo(out).absolutePath();
        if (const Status texts = writeDemoTextFiles(nativePath(folder)); !texts)
            return fail(io, fromNative(texts.message()));
    }
    return exitSuccess;
}

} // namespace tarnwick::cli
