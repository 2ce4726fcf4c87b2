#include "app/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarnwick {

QStringList dataFileFolders() {
    QStringList folders{QCoreApplication::applicationDirPath()};
    folders += QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    return folders;
}

QString locateDataFile(const QString& fileName) {
    for (const QString& folder : dataFileFolders()) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

} // namespace tarnwick
