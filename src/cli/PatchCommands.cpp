#include "CommandSupport.h"

#include "cli/Commands.h"
#include "patch/ImageProper.h"
#include "patch/PatchFormat.h"
#include "tables/ReadFile.h"
#include "tables/TablesJson.h"
#include "tables/WriteFile.h"

#include <QFileInfo>

#include <span>

namespace tarnwick::cli {

namespace {

const QString copierHeaderNote = QStringLiteral(
    "A 512-byte copier header (on a SNES file whose length is 512 bytes past a whole\n"
    "number of 64 KiB banks) is left out: patches describe the image proper, so they\n"
    "apply to images with or without one. GBA files have no copier header.");

// A whole file in memory. Files beyond the largest image a patch may make are refused before
// they are read: none of them is an image or a patch of one.
struct FileBytes {
    QByteArray bytes;

    std::span<const std::uint8_t> all() const { return bytesOf(bytes); }
    std::span<const std::uint8_t> image() const { return imageProper(all()); }
    bool hasCopierHeader() const { return copierHeaderLength(all().size()) > 0; }
};

std::optional<FileBytes> readWholeFile(const QString& path, Io& io) {
    QString error;
    std::optional<QByteArray> read = readFile(path, error, largestPatchResult);
    if (!read) {
        (void)fail(io, error);
        return std::nullopt;
    }
    return FileBytes{std::move(*read)};
}

int writeResult(const QString& path, std::span<const std::uint8_t> bytes, bool force, Io& io) {
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    const ExistingFile existing = force ? ExistingFile::Replace : ExistingFile::Refuse;
    if (const Status written = writeFile(path, data, existing); !written)
        return fail(io, fromNative(written.message()) +
                            (!force && QFileInfo::exists(path)
                                 ? QStringLiteral(" Give --force to replace it.")
                                 : QString()));
    return exitSuccess;
}

QCommandLineOption forceOption() {
    return QCommandLineOption(QStringLiteral("force"),
                              QStringLiteral("Replace OUT if a file of that name exists."));
}

// The format OUT's extension names, if it names one.
std::optional<PatchFormat> formatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("ips"))
        return PatchFormat::Ips;
    if (suffix == QLatin1String("bps"))
        return PatchFormat::Bps;
    return std::nullopt;
}

} // namespace

int runPatch(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("patch"), QStringLiteral("[--bps|--ips] [--force] ORIGINAL MODIFIED OUT"),
        QStringLiteral("Writes a patch that turns ORIGINAL into MODIFIED. The patch is BPS unless\n"
                       "--ips is given or OUT ends in .ips; an IPS patch cannot describe images\n"
                       "over 16 MiB. An existing OUT is left alone unless --force is given.\n") +
            copierHeaderNote};
    QCommandLineParser parser;
    const QCommandLineOption bpsOption(QStringLiteral("bps"),
                                       QStringLiteral("Write a BPS patch (the default)."));
    const QCommandLineOption ipsOption(QStringLiteral("ips"),
                                       QStringLiteral("Write an IPS patch."));
    const QCommandLineOption force = forceOption();
    parser.addOptions({bpsOption, ipsOption, force});
    parser.addPositionalArgument(QStringLiteral("ORIGINAL"), QStringLiteral("The clean image."));
    parser.addPositionalArgument(QStringLiteral("MODIFIED"), QStringLiteral("The edited image."));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The patch to write."));
    if (const auto done = parseArguments(parser, syntax, args, 3, io))
        return *done;

    const QStringList paths = parser.positionalArguments();
    const QString& out = paths.at(2);
    const std::optional<PatchFormat> named = formatOfName(out);
    if (parser.isSet(bpsOption) && parser.isSet(ipsOption))
        return usageError(io, syntax.name, QStringLiteral("--bps and --ips exclude each other"));
    std::optional<PatchFormat> chosen;
    if (parser.isSet(bpsOption))
        chosen = PatchFormat::Bps;
    else if (parser.isSet(ipsOption))
        chosen = PatchFormat::Ips;
    if (chosen && named && chosen != named)
        return usageError(io, syntax.name,
                          QStringLiteral("--%1 does not match the extension of \"%2\"")
                              .arg(chosen == PatchFormat::Ips ? "ips" : "bps", out));
    const PatchFormat format = chosen.value_or(named.value_or(PatchFormat::Bps));

    const std::optional<FileBytes> original = readWholeFile(paths.at(0), io);
    if (!original)
        return exitFailure;
    const std::optional<FileBytes> modified = readWholeFile(paths.at(1), io);
    if (!modified)
        return exitFailure;
    const PatchResult patch = createPatch(format, original->image(), modified->image());
    if (!patch)
        return fail(io, QStringLiteral("Could not make a %1 patch from \"%2\" to \"%3\": %4.")
                            .arg(asciiText(patchFormatName(format)), paths.at(0), paths.at(1),
                                 fromNative(patch.message())));
    return writeResult(out, patch.bytes(), parser.isSet(force), io);
}

int runApply(const QStringList& args, Io& io) {
    const CommandSyntax syntax{
        QStringLiteral("apply"), QStringLiteral("[--force] IMAGE PATCH OUT"),
        QStringLiteral("Applies a BPS or IPS patch, told apart by its first bytes, to IMAGE and\n"
                       "writes the result to OUT. A BPS patch is checked before it is used (its\n"
                       "own checksum, and the size and CRC32 of the image it was made for) and\n"
                       "after (the CRC32 of the result). An existing OUT is left alone unless\n"
                       "--force is given.\n") +
            copierHeaderNote +
            QStringLiteral("\nA copier header on IMAGE is put back in front of OUT.")};
    QCommandLineParser parser;
    const QCommandLineOption force = forceOption();
    parser.addOption(force);
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The image to patch."));
    parser.addPositionalArgument(QStringLiteral("PATCH"), QStringLiteral("The BPS or IPS patch."));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The image to write."));
    if (const auto done = parseArguments(parser, syntax, args, 3, io))
        return *done;

    const QStringList paths = parser.positionalArguments();
    const std::optional<FileBytes> image = readWholeFile(paths.at(0), io);
    if (!image)
        return exitFailure;
    const std::optional<FileBytes> patch = readWholeFile(paths.at(1), io);
    if (!patch)
        return exitFailure;
    PatchResult patched = applyPatch(image->image(), patch->all());
    if (!patched)
        return fail(io, QStringLiteral("Could not apply \"%1\" to \"%2\": %3.%4")
                            .arg(paths.at(1), paths.at(0), fromNative(patched.message()),
                                 image->hasCopierHeader()
                                     ? QStringLiteral(" The image's 512-byte copier header was "
                                                      "left out.")
                                     : QString()));
    std::vector<std::uint8_t> result = patched.takeBytes();
    if (image->hasCopierHeader()) {
        const std::span<const std::uint8_t> header =
            image->all().first(image->all().size() - image->image().size());
        result.insert(result.begin(), header.begin(), header.end());
    }
    return writeResult(paths.at(2), result, parser.isSet(force), io);
}

} // namespace tarnwick::cli
