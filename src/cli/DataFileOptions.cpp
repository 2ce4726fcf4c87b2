#include "DataFileOptions.h"

#include "datafiles/DataFileSearch.h"
#include "qtio/QtFiles.h"

#include <QCoreApplication>

namespace tarnwick::cli {
namespace {

// Text files given to a command are small; anything far larger is not one of them.
constexpr std::uint64_t largestTextFile = 8u << 20;

const QString tableName = QStringLiteral("table");
const QString locationsName = QStringLiteral("locations");

} // namespace

QCommandLineOption tableOption() {
    return QCommandLineOption(tableName,
                              QStringLiteral("A character table file (lines \"HH=text\") read "
                                             "over the built-in readings, instead of the one "
                                             "found beside the image or in the data folders."),
                              QStringLiteral("FILE"));
}

QCommandLineOption locationsOption() {
    return QCommandLineOption(locationsName,
                              QStringLiteral("A chest location file (line i describes chest i), "
                                             "instead of the chestloc.txt found beside the image "
                                             "or in the data folders."),
                              QStringLiteral("FILE"));
}

QStringList dataFoldersFor(const std::string& imagePath) {
    // Without an application object (commands run inside a test) there is no program folder.
    const QString programFolder = QCoreApplication::instance() != nullptr
                                      ? QCoreApplication::applicationDirPath()
                                      : QString();
    return dataFileFolders(imagePath, programFolder);
}

std::optional<CharacterTable> readingsFor(RomVariant release, const QStringList& folders,
                                          const QCommandLineParser& parser, Io& io) {
    QString warning;
    std::optional<CharacterTable> readings;
    if (parser.isSet(tableName)) {
        const QString path = parser.value(tableName);
        const auto text = readInputFile(path, largestTextFile, io);
        if (!text)
            return std::nullopt;
        readings = characterTableFromText(release, bytesOf(*text), path, &warning);
    } else {
        readings = characterTableFor(release, folders, &warning);
    }
    if (!warning.isEmpty())
        warn(io, warning);
    return readings;
}

std::optional<std::vector<std::string>>
chestLocationsFor(const QStringList& folders, const QCommandLineParser& parser, Io& io) {
    if (!parser.isSet(locationsName))
        return chestLocationLines(folders);
    const auto text = readInputFile(parser.value(locationsName), largestTextFile, io);
    if (!text)
        return std::nullopt;
    return chestLocationLinesOf(bytesOf(*text));
}

std::optional<RecordNamingFiles> namingFilesFor(RomVariant release, const QStringList& folders,
                                                const QCommandLineParser& parser, Io& io) {
    auto readings = readingsFor(release, folders, parser, io);
    if (!readings)
        return std::nullopt;
    auto chestLocations = chestLocationsFor(folders, parser, io);
    if (!chestLocations)
        return std::nullopt;
    return RecordNamingFiles{std::move(*readings), std::move(*chestLocations)};
}

} // namespace tarnwick::cli
