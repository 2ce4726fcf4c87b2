#include "cli/SheetsExport.h"

#include "PngEncoding.h"
#include "io/AtomicFile.h"
#include "qtio/QtFiles.h"

#include <QDir>

#include <filesystem>
#include <system_error>

namespace tarnwick {
namespace {

std::optional<QString> makeFolder(const QString& folder) {
    const std::filesystem::path path = fileSystemName(folder);
    const auto failure = [&folder](const QString& reason) {
        return QStringLiteral("Could not create the folder %1: %2.")
            .arg(quotedPath(folder), reason);
    };
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_directory(path, error))
        return failure(QStringLiteral("a file of that name is in the way"));
    std::filesystem::create_directories(path, error);
    if (error)
        return failure(QString::fromLocal8Bit(error.message()));
    return std::nullopt;
}

std::optional<QString> writePng(const Image& sheet, const QString& path) {
    std::vector<std::uint8_t> png;
    if (const std::optional<std::string> failed = encodePng(sheet, png))
        return QStringLiteral("Could not write %1: %2.")
            .arg(quotedPath(path), QString::fromStdString(*failed));
    if (const Status written = writeWholeFile(fileSystemName(path), png, ExistingFile::Replace);
        !written)
        return QString::fromLocal8Bit(written.message());
    return std::nullopt;
}

} // namespace

std::optional<QString> writeSheetFiles(const GlyphSheets& sheets, const QString& folder) {
    if (auto failed = makeFolder(folder))
        return failed;
    const QDir dir(folder);
    if (auto failed = writePng(sheets.fontSheet, dir.filePath(QLatin1String(fontSheetFileName))))
        return failed;
    return writePng(sheets.paletteSheet, dir.filePath(QLatin1String(paletteSheetFileName)));
}

} // namespace tarnwick
