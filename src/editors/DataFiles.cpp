#include "editors/DataFiles.h"

#include "io/FileReading.h"
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
    // A table has 256 short lines; anything far larger is not one.
    ReadRequest request;
    request.largest = 1 << 20;
    CharacterTable table = builtInCharacterTable(rom.variant());
    const QString fileName = QString::fromStdString(characterTableFileName(rom.variant()));
    const QString path = locateDataFile(rom, fileName);
    FileContents text;
    if (path.isEmpty() ||
        !readFileBytes(QFile::encodeName(path).toStdString(), "read", request, text))
        return table;
    readCharacterTable(
        std::string_view(reinterpret_cast<const char*>(text.bytes.data()), text.bytes.size()),
        table);
    return table;
}

} // namespace tarnwick
