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

// Why writing the new contents failed, for the errno of the call that failed; empty for 0.
std::string writeFailure(int error) {
    return error == 0 ? std::string() : "writing the new contents failed: " + reasonOf(error);
}

// How the new file is made: what goes into it (returning why that failed, empty when it did
// not) and its permissions.
struct NewContents {
    std::function<std::string(int fd)> write;
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
    if (const std::string why = contents.write(out.descriptor()); !why.empty())
        return failure(verb, shownPath, why);
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
            return writeFailure(error);
        return writeFailure(
            originalLength > head.size() ? posix::copyTail(original.get(), head.size(), fd) : 0);
    };
    return writeBeside(verb, path, target, contents);
}

namespace {

// Checks what lies at target before a whole file is written there, and gives a file that is
// replaced its own permissions.
Status checkWholeFileTarget(const std::string& path, const fs::path& target, ExistingFile existing,
                            NewContents& contents) {
    constexpr std::string_view verb = "write";
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
    } else if (existing == ExistingFile::Refuse && ::lstat(target.c_str(), &info) == 0) {
        // A link that leads to no file: the rename would put the new file in its place.
        return failure(verb, path, "a link of that name exists already");
    }
    return Status::success();
}

// Checks the file a range names, just opened for copying as handle (or not, for the errno
// openError): a regular file that still holds the range and, with a stamp, is still the file it
// describes. A failure names the file written, path.
Status checkRange(const std::string& path, const FileRange& range, const FileHandle& handle,
                  int openError) {
    constexpr std::string_view verb = "write";
    const std::string source = quotedName(range.path);
    if (!handle.isOpen())
        return failure(verb, path,
                       source + (openError == ENOENT ? " no longer exists"
                                                     : " cannot be read: " + reasonOf(openError)));
    struct stat info {};
    if (::fstat(handle.get(), &info) != 0)
        return failure(verb, path, source + " cannot be read: " + reasonOf(errno));
    if (!S_ISREG(info.st_mode))
        return failure(verb, path, source + " is not a regular file");
    if (range.stamp && posix::stampOf(info) != *range.stamp)
        return failure(verb, path, "another program has changed " + source + " since it was read");
    if (static_cast<std::uint64_t>(info.st_size) < range.offset + range.length)
        return failure(verb, path, source + " is shorter now than when it was read");
    return Status::success();
}

Status writeFromRange(const std::string& path, std::span<const std::uint8_t> head,
                      const FileRange& range, ExistingFile existing,
                      const std::function<int(const CopyUnderChange&)>& change) {
    std::error_code ec;
    const fs::path target = resolve(path, ec);
    if (ec)
        return failure("write", path, ec.message());
    NewContents contents;
    if (Status checked = checkWholeFileTarget(path, target, existing, contents); !checked)
        return checked;
    const FileHandle source(::open(range.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    const int openError = errno;
    if (Status usable = checkRange(path, range, source, openError); !usable)
        return usable;
    contents.write = [&](int fd) {
        if (const int error = posix::writeAll(fd, head); error != 0)
            return writeFailure(error);
        std::uint64_t copied = 0;
        const int error =
            head.empty() && range.offset == 0
                ? posix::copyStart(source.get(), range.length, fd, copied)
                : posix::copyRange(source.get(), range.offset, range.length, fd, copied);
        if (error != 0)
            return writeFailure(error);
        if (copied < range.length)
            return quotedName(range.path) + " is shorter now than when it was read";
        return change ? writeFailure(change(CopyUnderChange(fd))) : std::string();
    };
    return writeBeside("write", path, target, contents);
}

} // namespace

Status writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                      ExistingFile existing) {
    std::error_code ec;
    const fs::path target = resolve(path, ec);
    if (ec)
        return failure("write", path, ec.message());
    NewContents contents;
    contents.write = [bytes](int fd) { return writeFailure(posix::writeAll(fd, bytes)); };
    if (Status checked = checkWholeFileTarget(path, target, existing, contents); !checked)
        return checked;
    return writeBeside("write", path, target, contents);
}

Status writeFileWithTail(const std::string& path, std::span<const std::uint8_t> head,
                         const FileRange& tail, ExistingFile existing) {
    return writeFromRange(path, head, tail, existing, {});
}

int CopyUnderChange::write(std::uint64_t offset, std::span<const std::uint8_t> bytes) const {
    return posix::writeAllAt(fd, offset, bytes);
}

int CopyUnderChange::cut(std::uint64_t length) const {
    return ::ftruncate(fd, static_cast<off_t>(length)) == 0 ? 0 : errno;
}

Status writeChangedCopy(const std::string& path, const FileRange& source, ExistingFile existing,
                        const std::function<int(const CopyUnderChange&)>& change) {
    return writeFromRange(path, {}, source, existing, change);
}

} // namespace tarnwick
