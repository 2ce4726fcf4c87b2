#include "io/AtomicFile.h"

#include "PosixFile.h"
#include "io/SaveTemporary.h"
#include "io/ShownText.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tarnwick {

namespace fs = std::filesystem;
using posix::FileHandle;
using posix::reasonOf;

namespace {

Status failure(std::string_view verb, const std::string& path, const std::string& reason) {
    return Status::failure("Could not " + std::string(verb) + " " + quotedName(path) + ": " +
                           reason + ".");
}

// How the new file is made: what goes into it (returning 0 or an errno) and its permissions.
struct NewContents {
    std::function<int(int fd)> write;
    mode_t mode = 0666;
    bool exactMode = false; // give the file mode as it is, umask or not (a replaced file's own)
};

// Writes the new contents to a temporary file beside target, flushes it to disk, renames it over
// target and flushes the folder, so the rename itself survives a power loss.
Status writeBeside(std::string_view verb, const std::string& shownPath, const fs::path& target,
                   const NewContents& contents) {
    // What a killed save left in this folder goes first, so such files never pile up.
    removeAbandonedSaveTemporaries(target.parent_path());
    int error = 0;
    SaveTemporary out = SaveTemporary::createBeside(target, contents.mode, error);
    if (!out.isOpen())
        return failure(verb, shownPath,
                       error == ENOENT
                           ? std::string("its folder does not exist")
                           : "a new file cannot be created in its folder: " + reasonOf(error));
    // Leaving this function without renaming removes the temporary file.
    if ((error = contents.write(out.descriptor())) != 0)
        return failure(verb, shownPath, "writing the new contents failed: " + reasonOf(error));
    if (contents.exactMode && ::fchmod(out.descriptor(), contents.mode) != 0)
        return failure(verb, shownPath,
                       "the file's permissions could not be given to the new contents: " +
                           reasonOf(errno));
    if (::fsync(out.descriptor()) != 0)
        return failure(verb, shownPath,
                       "the new contents could not be flushed to disk: " + reasonOf(errno));
    if ((error = out.closeForWriting()) != 0)
        return failure(verb, shownPath, "writing the new contents failed: " + reasonOf(error));
    if ((error = out.renameOver(target)) != 0)
        return failure(verb, shownPath,
                       "the new contents could not replace the file: " + reasonOf(error));

    if ((error = posix::syncFolder(target.parent_path())) != 0)
        return failure(verb, shownPath,
                       "the file was written, but its folder could not be flushed to disk: " +
                           reasonOf(error));
    return Status::success();
}

// The file a path names, following links so that the file is replaced and the link kept.
fs::path resolve(const std::string& path, std::error_code& ec) {
    return fs::weakly_canonical(fs::path(path), ec);
}

} // namespace

Status replaceFileStart(const std::string& path, std::span<const std::uint8_t> head) {
    constexpr std::string_view verb = "save";
    std::error_code ec;
    const fs::path target = resolve(path, ec);
    if (ec)
        return failure(verb, path, ec.message());
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0)
        return failure(verb, path, errno == ENOENT ? "the file no longer exists" : reasonOf(errno));
    if (!S_ISREG(info.st_mode))
        return failure(verb, path, "it is not a regular file");
    if ((info.st_mode & S_IWUSR) == 0)
        return failure(verb, path, "the file is read-only");
    FileHandle original(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    if (!original.isOpen())
        return failure(verb, path, "the file cannot be read: " + reasonOf(errno));

    const auto originalLength = static_cast<std::uint64_t>(info.st_size);
    NewContents contents;
    contents.mode = info.st_mode & 07777;
    contents.exactMode = true;
    contents.write = [&](int fd) {
        if (const int error = posix::writeAll(fd, head); error != 0)
            return error;
        return originalLength > head.size() ? posix::copyTail(original.get(), head.size(), fd) : 0;
    };
    return writeBeside(verb, path, target, contents);
}

Status writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                      ExistingFile existing) {
    constexpr std::string_view verb = "write";
    std::error_code ec;
    const fs::path target = resolve(path, ec);
    if (ec)
        return failure(verb, path, ec.message());
    NewContents contents;
    contents.write = [bytes](int fd) { return posix::writeAll(fd, bytes); };
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return failure(verb, path, "it is a folder");
        if (existing == ExistingFile::Refuse)
            return failure(verb, path, "a file of that name exists already");
        if (!S_ISREG(info.st_mode))
            return failure(verb, path, "it is not a regular file");
        if ((info.st_mode & S_IWUSR) == 0)
            return failure(verb, path, "the file is read-only");
        contents.mode = info.st_mode & 07777;
        contents.exactMode = true;
    } else if (errno != ENOENT) {
        return failure(verb, path, reasonOf(errno));
    }
    return writeBeside(verb, path, target, contents);
}

} // namespace tarnwick
