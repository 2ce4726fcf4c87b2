#include "app/DataFiles.h"

#include "io/FileReading.h"
#include "rom/ChestLabels.h"
#include "rom/ChestRecord.h"

#include "qtio/FileNames.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QStandardPaths>

namespace tarnwick {
namespace {

std::string nativePath(const QString& path) {
    return fileSystemName(path);
}

TextFile readDataFile(const QString& programFolder, std::string_view fileName) {
    const QString path = locateDataFile(
        programFolder, QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
    return path.isEmpty() ? std::nullopt : readTextFile(nativePath(path));
}

} // namespace

QStringList dataFileFolders(const QString& programFolder) {
    QStringList folders;
    if (!programFolder.isEmpty())
        folders << programFolder;
    folders += QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    return folders;
}

QString locateDataFile(const QString& programFolder, const QString& fileName) {
    for (const QString& folder : dataFileFolders(programFolder)) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

CharacterTable characterTableFor(RomVariant release, const QString& programFolder,
                                 QString* warning) {
    // A table has 256 short lines; anything far larger is not one.
    ReadRequest request;
    request.largest = 1 << 20;
    CharacterTable table = builtInCharacterTable(release);
    const QString path =
        locateDataFile(programFolder, QString::fromStdString(characterTableFileName(release)));
    FileContents text;
    if (path.isEmpty() || !readFileBytes(nativePath(path), "read", request, text))
        return table;
    SkippedLine first;
    const int skipped = readCharacterTable(
        std::string_view(reinterpret_cast<const char*>(text.bytes.data()), text.bytes.size()),
        table, &first);
    if (skipped > 0 && warning)
        *warning = QString::fromStdString(skippedLinesWarning(nativePath(path), skipped, first));
    return table;
}

EditorTexts readEditorTexts(const QString& programFolder, CharacterTable characterTable) {
    EditorTexts texts;
    texts.chestLocations = readDataFile(programFolder, chestLocationFileName);
    texts.animationNames = readDataFile(programFolder, "animdata.txt");
    texts.characterTable = std::move(characterTable);
    return texts;
}

std::vector<std::string> chestLocationLines(const QString& programFolder) {
    const TextFile file = readDataFile(programFolder, chestLocationFileName);
    return file ? textLines(*file, chestCount) : std::vector<std::string>{};
}

} // namespace tarnwick
