#include "CommandSupport.h"

#include "cli/Commands.h"
#include "patch/FilePatch.h"
#include "patch/Ips.h"
#include "qtio/QtFiles.h"
#include "rom/RomImage.h"
#include "tables/TablesJson.h"

#include <QFileInfo>

namespace tarnwick::cli {

namespace {

const QString copierHeaderNote = QStringLiteral(
    "A BPS patch describes the image proper: a SNES copier header (the first 512 bytes\n"
    "of a file 512 bytes past a whole number of 32 KiB) is left out, so it applies to\n"
    "images with or without one. An IPS patch addresses the file as it lies on disk,\n"
    "copier header included, as other IPS tools do. GBA files have no copier header.");

// A whole file in memory. Files beyond the largest image a patch may make are refused: none of
// them is an image or a patch of one.
std::optional<QByteArray> readWholeFile(const QString& path, Io& io) {
    return readInputFile(path, largestPatchResult, io);
}

// The first bytes of a file that tell its release, with its length and stamp, under the limit
// of readWholeFile; a failure is reported.
std::optional<FileContents> readFileStart(const QString& path, Io& io) {
    ReadRequest request;
    request.largest = largestPatchResult;
    request.count = releaseDecidingBytes;
    FileContents contents;
    if (const Status read = readFileBytes(fileSystemName(path), "read", request, contents); !read) {
        (void)fail(io, fromNative(read.message()));
        return std::nullopt;
    }
    return contents;
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
    if (const auto done =
            parseArguments(parser, syntax,
                           {{QStringLiteral("ORIGINAL"), QStringLiteral("The clean image.")},
                            {QStringLiteral("MODIFIED"), QStringLiteral("The edited image.")},
                            {QStringLiteral("OUT"), QStringLiteral("The patch to write.")}},
                           args, io))
        return *done;

    const QStringList paths = parser.positionalArguments();
    const QString& out = paths.at(2);
    const std::optional<PatchFormat> named = patchFormatOfName(nativePath(out));
    if (parser.isSet(bpsOption) && parser.isSet(ipsOption))
        return usageError(io, syntax.name, QStringLiteral("--bps and --ips exclude each other"));
    std::optional<PatchFormat> chosen;
    if (parser.isSet(bpsOption))
        chosen = PatchFormat::Bps;
    else if (parser.isSet(ipsOption))
        chosen = PatchFormat::Ips;
    if (chosen && named && chosen != named)
        return usageError(io, syntax.name,
                          QStringLiteral("--%1 does not match the extension of %2")
                              .arg(chosen == PatchFormat::Ips ? "ips" : "bps", quotedPath(out)));
    const PatchFormat format = chosen.value_or(named.value_or(PatchFormat::Bps));

    const std::optional<QByteArray> original = readWholeFile(paths.at(0), io);
    if (!original)
        return exitFailure;
    const std::optional<QByteArray> modified = readWholeFile(paths.at(1), io);
    if (!modified)
        return exitFailure;
    const PatchResult patch = createFilePatch(format, bytesOf(*original), bytesOf(*modified));
    if (!patch)
        return fail(io, QStringLiteral("Could not make the %1 patch from %2 to %3: %4.")
                            .arg(asciiText(patchFormatName(format)), quotedPath(paths.at(0)),
                                 quotedPath(paths.at(1)), fromNative(patch.message())));
    if (format == PatchFormat::Ips) {
        const std::string note = ipsCreationHeaderNote(bytesOf(*original), bytesOf(*modified));
        if (!note.empty())
            warn(io, QStringLiteral("%1: %2.").arg(quotedPath(out), fromNative(note)));
    }
    const std::vector<InputFile> inputs{inputFile(paths.at(0), FileKind::Image),
                                        inputFile(paths.at(1), FileKind::Image)};
    if (!mayWriteOutput(io, out, FileKind::Patch, inputs, parser.isSet(force)))
        return exitFailure;
    // A patch between identical files is valid, and may be wanted (a placeholder release),
    // but two identical arguments are more often a slip: say so and write it all the same.
    if (*original == *modified)
        warn(io, QStringLiteral("the images are identical: the patch changes nothing"));
    return writeOutput(io, out, patch.bytes(), FileKind::Patch, inputs, parser.isSet(force));
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
            QStringLiteral("\nA copier header that a BPS patch left out is put back in front "
                           "of OUT.")};
    QCommandLineParser parser;
    const QCommandLineOption force = forceOption();
    parser.addOption(force);
    if (const auto done =
            parseArguments(parser, syntax,
                           {{QStringLiteral("IMAGE"), QStringLiteral("The image to patch.")},
                            {QStringLiteral("PATCH"), QStringLiteral("The BPS or IPS patch.")},
                            {QStringLiteral("OUT"), QStringLiteral("The image to write.")}},
                           args, io))
        return *done;

    const QStringList paths = parser.positionalArguments();
    const QString& imagePath = paths.at(0);
    const QString& patchPath = paths.at(1);
    // The image's first bytes tell its release; the rest is read only where a patch needs it.
    const std::optional<FileContents> imageStart = readFileStart(imagePath, io);
    if (!imageStart)
        return exitFailure;
    const std::optional<QByteArray> patch = readWholeFile(patchPath, io);
    if (!patch)
        return exitFailure;
    const auto cannotApply = [&](const std::string& why) {
        return fail(io, QStringLiteral("Could not apply %1 to %2: %3.")
                            .arg(quotedPath(patchPath), quotedPath(imagePath), fromNative(why)));
    };
    // A patch may make any file of any bytes (an IPS truncation record can cut an image to a few
    // hundred bytes); what is written in place of an image of the game must still be one.
    const auto noImageAnyMore = [&](std::span<const std::uint8_t> resultStart,
                                    std::uint64_t resultLength) -> std::optional<int> {
        const std::optional<RomVariant> release =
            imageFileRelease(imageStart->bytes, imageStart->length);
        if (!release)
            return std::nullopt;
        const std::string why = notAnImageOf(resultStart, resultLength, *release);
        if (why.empty())
            return std::nullopt;
        return cannotApply("the result is no " + std::string(releaseName(*release)) +
                           " image any more: " + why);
    };
    const std::vector<InputFile> inputs{inputFile(imagePath, FileKind::Image),
                                        inputFile(patchPath, FileKind::Patch)};
    const bool replace = parser.isSet(force);

    if (patchFormatOf(bytesOf(*patch)) == PatchFormat::Ips) {
        const std::string note = ipsApplicationHeaderNote(imageStart->length, bytesOf(*patch));
        warn(io, QStringLiteral("%1 is an IPS patch, which carries no checksum: whether it "
                                "was made for %2, and whether the result is right, cannot be "
                                "checked%3.")
                     .arg(quotedPath(patchPath), quotedPath(imagePath),
                          note.empty() ? QString() : "; " + fromNative(note)));
        // The whole patch is checked against the image's start and length first: the copy it
        // is then written into is made only for a patch that applies and gives an image.
        IpsImageStart result(imageStart->bytes, imageStart->length, releaseDecidingBytes);
        if (const std::string problem = applyIpsRecords(bytesOf(*patch), result); !problem.empty())
            return cannotApply(problem);
        if (const std::optional<int> refused = noImageAnyMore(result.bytes(), result.length()))
            return *refused;
        if (!mayWriteOutput(io, paths.at(2), FileKind::Image, inputs, replace))
            return exitFailure;
        const FileRange image{fileSystemName(imagePath), 0, imageStart->length, imageStart->stamp};
        const Status written =
            writeIpsPatchedFile(image, bytesOf(*patch), nativePath(paths.at(2)),
                                replace ? ExistingFile::Replace : ExistingFile::Refuse);
        return written ? exitSuccess : fail(io, fromNative(written.message()));
    }

    // BPS builds its result from anywhere in the image: it needs the whole of it.
    const std::optional<QByteArray> image = readWholeFile(imagePath, io);
    if (!image)
        return exitFailure;
    const PatchResult patched = applyFilePatch(bytesOf(*image), bytesOf(*patch));
    if (!patched)
        return cannotApply(patched.message());
    if (const std::optional<int> refused = noImageAnyMore(patched.bytes(), patched.bytes().size()))
        return *refused;
    return writeOutput(io, paths.at(2), patched.bytes(), FileKind::Image, inputs, replace);
}

} // namespace tarnwick::cli
