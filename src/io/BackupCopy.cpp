#include "io/BackupCopy.h"

#include "PosixFile.h"
#include "io/ShownText.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick {

namespace fs = std::filesystem;
using posix::reasonOf;

namespace {

Status failure(std::string_view verb, const std::string& path, const std::string& reason) {
    return Status::failure("Could not " + std::string(verb) + " " + quotedName(path) + ": " +
                           reason + ".");
}

// Gives the copy the original's owner and group as far as the process may, and returns the
// permission bits it may then have: without the original's group, the group's bits would
// open it to another group, so they are left out.
mode_t takeOwnership(int fd, const struct stat& original) {
    if (::fchown(fd, original.st_uid, original.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), original.st_gid);
    struct stat copy {};
    const bool sameGroup = ::fstat(fd, &copy) == 0 && copy.st_gid == original.st_gid;
    const mode_t mode = original.st_mode & 07777;
    return sameGroup ? mode : mode & ~static_cast<mode_t>(S_IRWXG);
}

} // namespace

Status BackupCopy::make(const std::string& path, const std::string& backupPath, BackupCopy& copy) {
    constexpr std::string_view verb = "write the backup";
    copy = BackupCopy();
    struct stat existing {};
    if (::lstat(backupPath.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return failure(verb, backupPath, "it is a folder");
    } else if (errno != ENOENT) {
        return failure(verb, backupPath, reasonOf(errno));
    }

    posix::FileHandle source(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!source.isOpen())
        return failure("copy", path,
                       errno == ENOENT ? "the file no longer exists"
                                       : "the file cannot be read: " + reasonOf(errno));
    struct stat info {};
    if (::fstat(source.get(), &info) != 0)
        return failure("copy", path, reasonOf(errno));
    if (!S_ISREG(info.st_mode))
        return failure("copy", path, "it is not a regular file");

    // Only the owner may read the copy until it has the original's group.
    int error = 0;
    SaveTemporary out = SaveTemporary::createBeside(backupPath, info.st_mode & S_IRWXU, error);
    if (!out.isOpen())
        return failure(verb, backupPath,
                       "a new file cannot be created in its folder: " + reasonOf(error));
    const mode_t mode = takeOwnership(out.descriptor(), info);
    if ((error = posix::copyWhole(source.get(), out.descriptor())) != 0)
        return failure(verb, backupPath, "copying the file failed: " + reasonOf(error));
    if (::fchmod(out.descriptor(), mode) != 0)
        return failure(verb, backupPath,
                       "the file's permissions could not be given to it: " + reasonOf(errno));
    if (::fsync(out.descriptor()) != 0)
        return failure(verb, backupPath, "it could not be flushed to disk: " + reasonOf(errno));
    if ((error = out.closeForWriting()) != 0)
        return failure(verb, backupPath, "copying the file failed: " + reasonOf(error));
    copy.temporary = std::move(out);
    copy.backupPath = backupPath;
    return Status::success();
}

Status BackupCopy::place() {
    constexpr std::string_view verb = "put the backup in place at";
    if (const int error = temporary.renameOver(backupPath); error != 0)
        return failure(verb, backupPath, reasonOf(error));
    if (const int error = posix::syncFolder(fs::path(backupPath).parent_path()); error != 0)
        return failure(verb, backupPath,
                       "it was written, but its folder could not be flushed to disk: " +
                           reasonOf(error));
    return Status::success();
}

} // namespace tarnwick
