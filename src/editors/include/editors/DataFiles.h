#pragma once

#include "rom/CharacterTable.h"

#include <QString>
#include <QStringList>

namespace tarnwick {

class RomImage;

// Folders searched for the editors' text files ("chestloc.txt", "animdata.txt"), in order: the
// program's folder as the document records it, then the per-user application data folders,
// where a user can put them when the program's folder is not theirs to write.
QStringList dataFileFolders(const RomImage& rom);

// Full path of the first file of that name in those folders, or an empty string.
QString locateDataFile(const RomImage& rom, const QString& fileName);

// The readings of the document's release: the built-in ones, overridden by the release's table
// file ("charset-gba-ja.tbl" ...) where one is found. A file that cannot be read, or lines that
// are not "HH=text", leave the built-in readings in place.
CharacterTable characterTableFor(const RomImage& rom);

} // namespace tarnwick
