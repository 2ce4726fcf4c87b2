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

CharacterTable characterTableFor(const RomImage& rom) {
    // A table has 256 short lines; anything far larger is not one.
    constexpr qint64 largestTableFile = 1 << 20;
    CharacterTable table = builtInCharacterTable(rom.variant());
    const QString fileName = QString::fromStdString(characterTableFileName(rom.variant()));
    QFile file(locateDataFile(rom, fileName));
    if (file.fileName().isEmpty() || file.size() > largestTableFile ||
        !file.open(QIODevice::ReadOnly))
        return table;
    const QByteArray text = file.readAll();
    readCharacterTable(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                       table);
    return table;
}

} // namespace tarnwick
