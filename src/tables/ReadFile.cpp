#include "tables/ReadFile.h"

#include <QFile>

namespace tarnwick {

std::optional<QByteArray> readFile(const QString& path, QString& error, std::uint64_t largest) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Could not read \"%1\": %2.").arg(path, file.errorString());
        return std::nullopt;
    }
    if (static_cast<std::uint64_t>(file.size()) > largest) {
        error = QStringLiteral("Could not read \"%1\": at %2 bytes it is larger than any file "
                               "it could be (%3 bytes at most).")
                    .arg(path)
                    .arg(file.size())
                    .arg(largest);
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Could not read \"%1\": %2.").arg(path, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

} // namespace tarnwick
