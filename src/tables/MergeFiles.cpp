#include "tables/MergeFiles.h"

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
    return bytes.subspan(std::min<std::size_t>(document.getSize(), bytes.size()));
}

std::optional<MergeFile> readMergeImage(const QString& path, RomVariant release, QString& error) {
    const std::optional<QByteArray> bytes = readFile(path, error, largestPatchResult);
    if (!bytes)
        return std::nullopt;
    const std::span<const std::uint8_t> file = bytesOf(*bytes);
    QString why;
    std::optional<MergeFile> image =
        imageOf(path, {file.begin(), file.end()}, release, ModKind::Image, why);
    if (!image)
        error = QStringLiteral("%1 is no %2 image: %3.")
                    .arg(quotedPath(path), releaseText(release), why);
    return image;
}

std::optional<MergeFile> readMergeMod(const QString& path, const MergeFile& original,
                                      QString& error) {
    const RomVariant release = original.document.variant();
    const std::optional<QByteArray> bytes = readFile(path, error, largestPatchResult);
    if (!bytes)
        return std::nullopt;
    const std::span<const std::uint8_t> file = bytesOf(*bytes);
    const QString originalPath = quotedPath(nameFromFileSystem(original.document.getPath()));
    if (patchFormatOf(file)) {
        PatchResult patched = applyFilePatch(original.file, file);
        if (!patched) {
            error = QStringLiteral("%1 does not apply to %2: %3.")
                        .arg(quotedPath(path), originalPath, fromNative(patched.message()));
            return std::nullopt;
        }
        QString why;
        std::optional<MergeFile> mod =
            imageOf(path, patched.takeBytes(), release, ModKind::Patch, why);
        if (!mod)
            error = QStringLiteral("%1 applied to %2 makes no %3 image: %4.")
                        .arg(quotedPath(path), originalPath, releaseText(release), why);
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
    std::optional<MergeFile> mod =
        imageOf(path, {file.begin(), file.end()}, release, ModKind::Image, why);
    if (!mod)
        error = QStringLiteral("%1 is no %2 image like %3: %4.")
                    .arg(quotedPath(path), releaseText(release), originalPath, why);
    return mod;
}

} // namespace tarnwick
