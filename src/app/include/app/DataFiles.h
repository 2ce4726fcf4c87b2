#pragma once

#include "editors/EditorTexts.h"
#include "rom/CharacterTable.h"
#include "rom/Releases.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace tarnwick {

// Folders searched for the user's text files ("chestloc.txt", "animdata.txt", the character
// tables), in order: the program's folder, then the per-user application data folders, where a
// user can put them when the program's folder is not theirs to write.
QStringList dataFileFolders(const QString& programFolder);

// Full path of the first file of that name in those folders, or an empty string.
QString locateDataFile(const QString& programFolder, const QString& fileName);

// The readings of a release: the built-in ones, overridden by the release's table file
// ("charset-gba-ja.tbl" ...) where one is found. A file that cannot be read, or lines that are
// not "HH=text" or whose reading is too long, leave the built-in readings in place; warning,
// when given, is then set to a sentence naming the file and the first such line.
CharacterTable characterTableFor(RomVariant release, const QString& programFolder,
                                 QString* warning = nullptr);

// The text files the editors show, read now, with the character table given.
EditorTexts readEditorTexts(const QString& programFolder, CharacterTable characterTable);

// The lines of the user's chest location file, line i describing chest i ("Vossbridge, in the
// inn"); none when there is no such file.
std::vector<std::string> chestLocationLines(const QString& programFolder);

} // namespace tarnwick
