#pragma once

#include "io/Status.h"

#include <string>

namespace tarnwick {

class RomImage;

// Saves the document into its file and keeps the file's previous contents at backupPath. The
// copy is made first, beside backupPath, and takes that name only once the save succeeded: a
// backup that cannot be made stops the save, and a save that fails leaves backupPath as it was.
// A link at backupPath is replaced by the backup, never written through.
Status saveWithBackup(RomImage& rom, const std::string& backupPath);

} // namespace tarnwick
