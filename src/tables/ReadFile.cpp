#include "tables/ReadFile.h"

#include "rom/FileReading.h"

#include <QFile>

namespace tarnwick {

std::optional<QByteArray> readFile(const QString& path, QString& error, std::uint64_t largest) {
    ReadRequest request;
    request.largest = largest;
    FileContents contents;
    const Status read =
        readFileBytes(QFile::encodeName(path).toStdString(), "read", request, contents);
    if (!read) {
        error = QString::fromStdString(read.message());
        return std::nullopt;
    }
    return QByteArray(reinterpret_cast<const char*>(contents.bytes.data()),
                      static_cast<qsizetype>(contents.bytes.size()));
}

} // namespace tarnwick
