#include "editors/DataFiles.h"

#include "rom/RomImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarnwick {

QStringList dataFileFolders(const RomImage& rom) {
    QStringList folders;
    if (!rom.getProgramDirectory().empty())
        folders << QFile::decodeName(QByteArray::fromStdString(rom.getProgramDirectory()));
    folders += QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    return folders;
}

QString locateDataFile(const RomImage& rom, const QString& fileName) {
    for (const QString& folder : dataFileFolders(rom)) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

} // namespace tarnwick
