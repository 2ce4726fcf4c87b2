#include "MergeInputs.h"

#include "io/FileReading.h"
#include "patch/FilePatch.h"
#include "qtio/QtFiles.h"
#include "tables/TablesJson.h"

#include <algorithm>
#include <cctype>

namespace tarnwick::cli {
namespace {

// Bytes enough to tell a patch or an export from an image by how it starts.
constexpr std::uint64_t peekedBytes = 64;

// An export starts with "{" after any white space; no image or patch does.
bool looksLikeExport(std::span<const std::uint8_t> start) {
    const auto first = std::find_if(start.begin(), start.end(),
                                    [](std::uint8_t byte) { return !std::isspace(byte); });
    return first != start.end() && *first == '{';
}

// Reports a refusal; false, for the reader that stops there.
bool refused(Io& io, const QString& message) {
    (void)fail(io, message);
    return false;
}

QString releaseText(const RomImage& rom) {
    return asciiText(releaseName(rom.variant()));
}

// The bytes the file of a loaded image holds past the image; a failure is reported.
bool readPastImage(const RomImage& rom, std::vector<std::uint8_t>& tail, Io& io) {
    tail.clear();
    if (rom.getFileLength() <= rom.getSize())
        return true;
    ReadRequest request;
    request.offset = rom.getSize();
    request.count = rom.getFileLength() - rom.getSize();
    FileContents contents;
    if (const Status read = readFileBytes(rom.getPath(), "read", request, contents); !read)
        return refused(io, fromNative(read.message()));
    if (contents.bytes.size() != request.count)
        return refused(io, QStringLiteral("Could not read %1: it is shorter now than when it was "
                                          "loaded.")
                               .arg(fromNative(quotedName(rom.getPath()))));
    tail = std::move(contents.bytes);
    return true;
}

bool readPatched(MergeInput& input, const QString& path, OriginalFile& original, Io& io) {
    const std::optional<QByteArray> patch = readInputFile(path, largestPatchResult, io);
    if (!patch)
        return false;
    PatchResult patched = applyFilePatch(original.bytes(), bytesOf(*patch));
    if (!patched)
        return refused(io, QStringLiteral("Could not apply %1 to %2: %3.")
                               .arg(quotedPath(path), quotedPath(original.path),
                                    fromNative(patched.message())));
    // An IPS patch carries no checksum, so the user is told, as apply tells it.
    if (patchFormatOf(bytesOf(*patch)) == PatchFormat::Ips) {
        const std::string note = ipsApplicationHeaderNote(original.bytes(), bytesOf(*patch));
        warn(io, QStringLiteral("%1 is an IPS patch, which carries no checksum: whether it was "
                                "made for %2 cannot be checked%3.")
                     .arg(quotedPath(path), quotedPath(original.path),
                          note.empty() ? QString() : "; " + fromNative(note)));
    }
    input.file = patched.takeBytes();
    if (const Status made = adoptImageOf(input.document, input.file, original.document.variant());
        !made)
        return refused(io,
                       QStringLiteral("Could not apply %1 to %2: the result is no %3 image: %4.")
                           .arg(quotedPath(path), quotedPath(original.path),
                                releaseText(original.document), fromNative(made.message())));
    input.tail = std::span(input.file)
                     .subspan(std::min<std::size_t>(input.document.getSize(), input.file.size()));
    return true;
}

// Reads an image whole, as a release of the original's language unless its header says
// otherwise, and refuses one of another release or, without --any-image, one whose header names
// no release, as a load does.
bool readImage(MergeInput& input, const QString& path, const OriginalFile& original,
               const QCommandLineParser& parser, Io& io) {
    ReadRequest request;
    request.largest = largestPatchResult;
    FileContents contents;
    if (const Status read = readFileBytes(nativePath(path), "read", request, contents); !read)
        return refused(io, fromNative(read.message()));
    input.file = std::move(contents.bytes);
    if (const Status made = adoptImageOf(input.document, input.file, original.document.variant());
        !made)
        return refused(io, QStringLiteral("%1 is no %2 image as %3 is: %4.")
                               .arg(quotedPath(path), releaseText(original.document),
                                    quotedPath(original.path), fromNative(made.message())));
    if (!input.document.namedRelease() && !parser.isSet(QStringLiteral("any-image")))
        return refused(io,
                       QStringLiteral("%1 does not look like an image of Kavo: %2. Give "
                                      "--any-image to merge it anyway as %3.")
                           .arg(quotedPath(path), fromNative(input.document.unnamedReleaseReason()),
                                releaseText(original.document)));
    input.tail = std::span(input.file)
                     .subspan(std::min<std::size_t>(input.document.getSize(), input.file.size()));
    return true;
}

} // namespace

bool OriginalFile::readTail(Io& io) {
    return readPastImage(document, tail, io);
}

const std::vector<std::uint8_t>& OriginalFile::bytes() {
    if (!whole) {
        whole = document.imageWithTables();
        whole->insert(whole->end(), tail.begin(), tail.end());
    }
    return *whole;
}

std::unique_ptr<MergeInput> readMergeInput(const QString& path, OriginalFile& original,
                                           const QCommandLineParser& parser, Io& io) {
    ReadRequest start;
    start.count = peekedBytes;
    FileContents peeked;
    if (const Status read = readFileBytes(nativePath(path), "read", start, peeked); !read) {
        (void)fail(io, fromNative(read.message()));
        return nullptr;
    }
    auto input = std::make_unique<MergeInput>();
    if (patchFormatOf(peeked.bytes)) {
        input->kind = FileKind::Patch;
        return readPatched(*input, path, original, io) ? std::move(input) : nullptr;
    }
    if (looksLikeExport(peeked.bytes)) {
        input->kind = FileKind::Json;
        input->document = original.document;
        if (putExportIntoDocument(path, input->document, io))
            return nullptr;
        input->tail = original.tail;
        return input;
    }
    return readImage(*input, path, original, parser, io) ? std::move(input) : nullptr;
}

} // namespace tarnwick::cli
