#include "rom/SaveWithBackup.h"

#include "io/BackupCopy.h"
#include "io/ShownText.h"
#include "rom/RomImage.h"

namespace tarnwick {

Status saveWithBackup(RomImage& rom, const std::string& backupPath) {
    if (!rom.hasImage())
        return rom.save();
    BackupCopy backup;
    if (const Status copied = BackupCopy::make(rom.getPath(), backupPath, backup); !copied)
        return Status::failure("Nothing was saved: the backup of " + quotedName(rom.getPath()) +
                               " could not be written. " + copied.message());
    // A save that fails drops the copy, so an older backup stays as it was.
    if (Status saved = rom.save(); !saved)
        return saved;
    if (const Status placed = backup.place(); !placed)
        return Status::failure("The file was saved, but the backup of its previous contents could "
                               "not be kept. " +
                               placed.message());
    return Status::success();
}

} // namespace tarnwick
