#include "tables/MergeFiles.h"

#include "io/FileReading.h"
#include "io/ShownText.h"
#include "patch/FilePatch.h"
#include "patch/PatchFormat.h"
#include "qtio/QtFiles.h"
#include "tables/TablesJson.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>

namespace tarnwick {
namespace {

QString fromNative(const std::string& text) {
    return QString::fromStdString(text);
}

QString releaseText(RomVariant release) {
    return asciiText(releaseName(release));
}

// An export is text whose first character that is not a space opens an object.
bool looksLikeExport(const QString& path, std::span<const std::uint8_t> bytes) {
    if (QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0)
        return true;
    const auto first = std::find_if_not(bytes.begin(), bytes.end(),
                                        [](std::uint8_t byte) { return std::isspace(byte) != 0; });
    return first != bytes.end() && *first == '{';
}

// The whole file at path, read into the bytes the document is made of, with no copy between.
std::optional<std::vector<std::uint8_t>> wholeFile(const QString& path, QString& error) {
    ReadRequest request;
    request.largest = largestPatchResult;
    FileContents contents;
    if (const Status read = readFileBytes(fileSystemName(path), "read", request, contents); !read) {
        error = fromNative(read.message());
        return std::nullopt;
    }
    return std::move(contents.bytes);
}

// The file's bytes as a document of release, or the reason they are none.
std::optional<MergeFile> imageOf(const QString& path, std::vector<std::uint8_t> file,
                                 RomVariant release, ModKind kind, QString& why) {
    MergeFile read;
    read.document.setPath(fileSystemName(path));
    if (const Status adopted = adoptImageOf(read.document, file, release); !adopted) {
        why = fromNative(adopted.message());
        return std::nullopt;
    }
    read.file = std::move(file);
    read.kind = kind;
    return read;
}

} // namespace

std::span<const std::uint8_t> MergeFile::tail() const {
    const std::span<const std::uint8_t> bytes = file;
    if (!imageInFile)
        return bytes;
    return bytes.subspan(std::min<std::size_t>(document.getSize(), bytes.size()));
}

std::uint64_t MergeFile::fileLength() const {
    return imageInFile ? file.size() : document.getSize() + file.size();
}

std::vector<std::uint8_t> MergeFile::wholeFile() const {
    if (imageInFile)
        return file;
    const ByteBuffer image = document.imageWithTables();
    std::vector<std::uint8_t> whole;
    whole.reserve(image.size() + file.size());
    whole.insert(whole.end(), image.begin(), image.end());
    whole.insert(whole.end(), file.begin(), file.end());
    return whole;
}

std::optional<MergeFile> readMergeImage(const QString& path, RomVariant release, QString& error) {
    std::optional<std::vector<std::uint8_t>> file = wholeFile(path, error);
    if (!file)
        return std::nullopt;
    QString why;
    std::optional<MergeFile> image = imageOf(path, std::move(*file), release, ModKind::Image, why);
    if (!image)
        error = QStringLiteral("%1 is no %2 image: %3.")
                    .arg(quotedPath(path), releaseText(release), why);
    return image;
}

std::optional<MergeFile> mergeFileOfLoaded(RomImage loaded, QString& error) {
    MergeFile original;
    original.imageInFile = false;
    if (loaded.getFileLength() > loaded.getSize()) {
        ReadRequest request;
        request.offset = loaded.getSize();
        request.count = loaded.getFileLength() - loaded.getSize();
        FileContents past;
        if (const Status read = readFileBytes(loaded.getPath(), "read", request, past); !read) {
            error = fromNative(read.message());
            return std::nullopt;
        }
        if (past.bytes.size() != request.count) {
            error = QStringLiteral("Could not read %1: it is shorter now than when it was loaded.")
                        .arg(fromNative(quotedName(loaded.getPath())));
            return std::nullopt;
        }
        original.file = std::move(past.bytes);
    }
    original.document = std::move(loaded);
    return original;
}

std::optional<MergeFile> readMergeMod(const QString& path, const MergeFile& original,
                                      QString& error, const UnnamedReleaseCheck& mergeAnyway) {
    const RomVariant release = original.document.variant();
    std::optional<std::vector<std::uint8_t>> bytes = wholeFile(path, error);
    if (!bytes)
        return std::nullopt;
    const std::span<const std::uint8_t> file = *bytes;
    const QString originalPath = quotedPath(nameFromFileSystem(original.document.getPath()));
    if (patchFormatOf(file)) {
        // The original's file is made whole only for a patch, which applies to all of it.
        PatchResult patched = original.imageInFile ? applyFilePatch(original.file, file)
                                                   : applyFilePatch(original.wholeFile(), file);
        if (!patched) {
            error = QStringLiteral("%1 does not apply to %2: %3.")
                        .arg(quotedPath(path), originalPath, fromNative(patched.message()));
            return std::nullopt;
        }
        QString why;
        std::optional<MergeFile> mod =
            imageOf(path, patched.takeBytes(), release, ModKind::Patch, why);
        if (!mod) {
            error = QStringLiteral("%1 applied to %2 makes no %3 image: %4.")
                        .arg(quotedPath(path), originalPath, releaseText(release), why);
            return mod;
        }
        if (patchFormatOf(file) == PatchFormat::Ips) {
            const std::string note = ipsApplicationHeaderNote(original.fileLength(), file);
            mod->caution = QStringLiteral("%1 is an IPS patch, which carries no checksum: whether "
                                          "it was made for %2 cannot be checked%3.")
                               .arg(quotedPath(path), originalPath,
                                    note.empty() ? QString() : "; " + fromNative(note));
        }
        return mod;
    }
    if (looksLikeExport(path, file)) {
        const std::optional<ImportedTables> tables = readExportFile(path, release, error);
        if (!tables)
            return std::nullopt;
        MergeFile mod = original;
        mod.kind = ModKind::Export;
        storeImportedTables(*tables, mod.document);
        return mod;
    }
    QString why;
    std::optional<MergeFile> mod = imageOf(path, std::move(*bytes), release, ModKind::Image, why);
    if (!mod) {
        error = QStringLiteral("%1 is no %2 image like %3: %4.")
                    .arg(quotedPath(path), releaseText(release), originalPath, why);
        return mod;
    }
    if (!mod->document.namedRelease() && mergeAnyway) {
        const std::string reason =
            quotedName(fileSystemName(path)) +
            " does not look like an image of Kavo: " + mod->document.unnamedReleaseReason() + ".";
        if (!mergeAnyway(reason, release)) {
            error = fromNative(reason);
            return std::nullopt;
        }
    }
    return mod;
}

} // namespace tarnwick
