#include "datafiles/DataFileSearch.h"

#include "io/FileReading.h"
#include "qtio/FileNames.h"
#include "rom/ChestLabels.h"
#include "rom/ChestRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace tarnwick {

QStringList userDataFolders() {
    // Qt names these folders after the running application; the command line runs under a name
    // of its own, so the window's name is put in place while Qt is asked.
    const QString running = QCoreApplication::applicationName();
    const QString shared = QString::fromLatin1(dataFolderApplicationName);
    if (running == shared)
        return QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    QCoreApplication::setApplicationName(shared);
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    QCoreApplication::setApplicationName(running);
    return folders;
}

QStringList dataFileFolders(const std::string& imagePath, const QString& programFolder) {
    QStringList folders;
    const auto add = [&folders](const QString& folder) {
        if (folder.isEmpty())
            return;
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!folders.contains(clean))
            folders << clean;
    };
    if (!imagePath.empty())
        add(QFileInfo(nameFromFileSystem(imagePath)).absolutePath());
    add(programFolder);
    for (const QString& folder : userDataFolders())
        add(folder);
    return folders;
}

QString locateDataFile(const QStringList& folders, const QString& fileName) {
    // Looked at by its bytes: Qt's own file calls cannot name a folder that is not UTF-8.
    for (const QString& folder : folders) {
        const QString candidate = QDir::cleanPath(QDir(folder).absoluteFilePath(fileName));
        struct stat info {};
        if (::stat(fileSystemName(candidate).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            return candidate;
    }
    return {};
}

TextFile readDataFile(const QStringList& folders, std::string_view fileName) {
    const QString path = locateDataFile(
        folders, QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
    return path.isEmpty() ? std::nullopt : readTextFile(fileSystemName(path));
}

CharacterTable characterTableFromText(RomVariant release, std::span<const std::uint8_t> text,
                                      const QString& path, QString* warning) {
    CharacterTable table = builtInCharacterTable(release);
    SkippedLine first;
    const int skipped = readCharacterTable(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), table, &first);
    if (skipped > 0 && warning)
        *warning =
            QString::fromStdString(skippedLinesWarning(fileSystemBytes(path), skipped, first));
    return table;
}

CharacterTable characterTableFor(RomVariant release, const QStringList& folders, QString* warning) {
    // A table has 256 short lines; anything far larger is not one.
    ReadRequest request;
    request.largest = 1 << 20;
    const QString path =
        locateDataFile(folders, QString::fromStdString(characterTableFileName(release)));
    FileContents text;
    if (path.isEmpty() || !readFileBytes(fileSystemName(path), "read", request, text))
        return builtInCharacterTable(release);
    return characterTableFromText(release, text.bytes, path, warning);
}

std::vector<std::string> chestLocationLinesOf(std::span<const std::uint8_t> text) {
    return textLines(text, chestCount);
}

std::vector<std::string> chestLocationLines(const QStringList& folders) {
    const TextFile file = readDataFile(folders, chestLocationFileName);
    return file ? chestLocationLinesOf(*file) : std::vector<std::string>{};
}

} // namespace tarnwick
