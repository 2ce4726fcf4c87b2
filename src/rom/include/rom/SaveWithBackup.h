#pragma once

#include "io/Status.h"

#include <string>

namespace tarnwick {

class RomImage;

// Copies the document's file as it is now to backupPath, then saves the document into the file.
// A backup that cannot be written stops the save. A save that fails after the copy removes the
// copy again when backupPath held nothing before, since it would then protect nothing and only
// suggest that a save took place.
Status saveWithBackup(RomImage& rom, const std::string& backupPath);

} // namespace tarnwick
