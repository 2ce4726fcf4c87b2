#pragma once

#include <filesystem>
#include <string_view>

// The temporary file a save writes before it renames it over its target. While it exists it is
// locked, so that a later save into the same folder can tell one that a running save still owns
// from one that a killed process or a power cut left behind, and remove only the latter. Ctrl+C
// and SIGTERM remove it before the process ends.
namespace tarnwick {

// What marks a save's temporary file: "NAME" + this + eight hexadecimal digits, with NAME cut
// short where the whole would be longer than the file system allows.
inline constexpr std::string_view saveTemporaryMarker = ".tarnwick-save-";

[[nodiscard]] bool isSaveTemporaryName(std::string_view fileName);

// Removes the save temporaries in folder that no running save holds; returns how many.
int removeAbandonedSaveTemporaries(const std::filesystem::path& folder);

class SaveTemporary {
public:
    // A new, empty file beside target, created with mode (less the umask) under a name no file
    // has, within the folder's longest name. On failure the result is not open and error holds the
    // errno.
    static SaveTemporary createBeside(const std::filesystem::path& target, unsigned mode,
                                      int& error);

    SaveTemporary() = default;
    SaveTemporary(SaveTemporary&& other) noexcept;
    SaveTemporary& operator=(SaveTemporary&& other) noexcept;
    SaveTemporary(const SaveTemporary&) = delete;
    SaveTemporary& operator=(const SaveTemporary&) = delete;
    // Removes the file unless it was renamed into place.
    ~SaveTemporary();

    bool isOpen() const { return fd >= 0; }
    int descriptor() const { return fd; }
    const std::filesystem::path& path() const { return name; }
    // Closes the descriptor written through and returns close's errno (0 on success); the lock
    // stays until the file is renamed or removed.
    int closeForWriting();
    // Renames the file over target; returns 0 or the errno of the rename.
    int renameOver(const std::filesystem::path& target);

private:
    void release();

    int fd = -1;
    int lockFd = -1;        // shares the lock with fd, held until the file has its final name
    int interruptSlot = -1; // where Ctrl+C and SIGTERM find the name, -1 when they do not
    std::filesystem::path name;
};

} // namespace tarnwick
