#include "cli/SheetsExport.h"

#include "qtio/QtFiles.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>

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

std::optional<QString> writePng(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return QStringLiteral("Could not write %1: %2.")
            .arg(quotedPath(path), writer.errorString());
    if (const Status written = writeFile(path, png, ExistingFile::Replace); !written)
        return QString::fromLocal8Bit(written.message());
    return std::nullopt;
}

} // namespace

QImage sheetToQImage(const Image& sheet) {
    // The sheet's 0xFFRRGGBB pixels are what a 32-bit RGB image reads; it is wrapped without a
    // copy and converted, which makes the deep copy the result owns.
    const QImage view(reinterpret_cast<const uchar*>(sheet.pixels().data()), sheet.width(),
                      sheet.height(), sheet.bytesPerLine(), QImage::Format_RGB32);
    return view.convertToFormat(QImage::Format_RGB888);
}

std::optional<QString> writeSheetFiles(const GlyphSheets& sheets, const QString& folder) {
    if (auto failed = makeFolder(folder))
        return failed;
    const QDir dir(folder);
    if (auto failed = writePng(sheetToQImage(sheets.fontSheet),
                               dir.filePath(QLatin1String(fontSheetFileName))))
        return failed;
    return writePng(sheetToQImage(sheets.paletteSheet),
                    dir.filePath(QLatin1String(paletteSheetFileName)));
}

} // namespace tarnwick
