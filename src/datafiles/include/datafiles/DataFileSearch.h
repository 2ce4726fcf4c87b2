#pragma once

#include "io/TextLines.h"
#include "rom/CharacterTable.h"
#include "rom/Releases.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Where both programs find the user's data files ("chestloc.txt", "animdata.txt", the character
// tables "charset-*.tbl") and how they read them, so that the window and the command line show
// the same names for the same image.
namespace tarnwick {

// The name the per-user data folders are called after, whichever program asks.
inline constexpr auto dataFolderApplicationName = "Tarnwick";

// The per-user application data folders of the window (QStandardPaths::AppDataLocation under
// its name), most personal first: a user puts the files here when no other folder is theirs.
QStringList userDataFolders();

// The folders searched, in order: the folder of the image (its path as the document keeps it,
// bytes; none when empty), where modders keep the files beside their work; the program's folder
// (none when empty); then userDataFolders(). A folder named twice is searched once.
QStringList dataFileFolders(const std::string& imagePath, const QString& programFolder);

// Full path of the first file of that name in those folders, or an empty string.
QString locateDataFile(const QStringList& folders, const QString& fileName);

// The first file of that name in those folders, read whole; nothing when none is found or the
// one found cannot be read.
TextFile readDataFile(const QStringList& folders, std::string_view fileName);

// The release's built-in readings overridden by the lines of a character table file's text.
// Lines that are not "HH=text", or whose reading is too long, keep the built-in reading;
// warning, when given, is then set to a sentence naming path and the first such line.
CharacterTable characterTableFromText(RomVariant release, std::span<const std::uint8_t> text,
                                      const QString& path, QString* warning = nullptr);

// The readings of a release: the built-in ones, overridden by the release's table file
// ("charset-gba-ja.tbl" ...) where one is found in the folders. A file that cannot be read
// leaves the built-in readings; see characterTableFromText for the warning.
CharacterTable characterTableFor(RomVariant release, const QStringList& folders,
                                 QString* warning = nullptr);

// The lines of the chest location file found in the folders, line i describing chest i
// ("Vossbridge, in the inn"); none when there is no such file.
std::vector<std::string> chestLocationLines(const QStringList& folders);

// The lines of a chest location file's text, as chestLocationLines gives them.
std::vector<std::string> chestLocationLinesOf(std::span<const std::uint8_t> text);

} // namespace tarnwick
