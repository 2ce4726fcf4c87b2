#pragma once

#include "io/SaveTemporary.h"
#include "io/Status.h"

#include <string>

namespace tarnwick {

// A copy of a file as it is now, held in a locked temporary file until it is put in place, so
// that a backup replaces the previous one only once the change it guards against has been made.
class BackupCopy {
public:
    // Copies the file at path (through a link, as a save writes through one) into a new file
    // beside backupPath, in bounded memory. The copy gets the file's permission bits, and its
    // owner and group where the process may give them; it is never readable by anyone who cannot
    // read the file. Fails, leaving nothing behind, when backupPath is a folder or a name the
    // file system does not take, or the file cannot be read.
    static Status make(const std::string& path, const std::string& backupPath, BackupCopy& copy);

    // Renames the copy to backupPath and flushes the folder. Whatever is there is replaced,
    // a link itself rather than the file it leads to. A copy never placed is removed when it goes
    // out of scope, and backupPath keeps what it held.
    Status place();

private:
    SaveTemporary temporary;
    std::string backupPath;
};

} // namespace tarnwick
