#pragma once

#include <QString>
#include <QStringList>

namespace tarnwick {

// Folders searched for the program's text files ("chestloc.txt", "animdata.txt"), in order:
// the program's own folder, then the per-user application data folders, where a user can put
// them when the program's folder is not theirs to write.
QStringList dataFileFolders();

// Full path of the first file of that name in those folders, or an empty string.
QString locateDataFile(const QString& fileName);

} // namespace tarnwick
