#include "rom/SaveWithBackup.h"

#include "io/AtomicFile.h"
#include "rom/RomImage.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick {

Status saveWithBackup(RomImage& rom, const std::string& backupPath) {
    if (!rom.hasImage())
        return rom.save();
    struct stat info {};
    const bool backupExisted = ::lstat(backupPath.c_str(), &info) == 0;
    if (const Status copied = copyFileTo(rom.getPath(), backupPath); !copied)
        return Status::failure("Nothing was saved: the backup of \"" + rom.getPath() +
                               "\" could not be written. " + copied.message());
    Status saved = rom.save();
    if (!saved && !backupExisted)
        ::unlink(backupPath.c_str());
    return saved;
}

} // namespace tarnwick
