#include "io/SaveTemporary.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

constexpr int hexDigitCount = 8;

// ---- Removal on Ctrl+C and SIGTERM ------------------------------------------------------------
// Two files at a time are covered (a backup's copy and the save's own file); their paths live in
// static storage, as a signal handler may read nothing else.

constexpr int interruptSignals[] = {SIGINT, SIGTERM};
constexpr int slotCount = 2;
char interruptedPaths[slotCount][PATH_MAX + 1];
std::atomic<bool> slotArmed[slotCount];
int armedCount = 0;
struct sigaction previousActions[2];
bool handlerInstalled[2] = {false, false};

void removeThenEnd(int signal) {
    for (int slot = 0; slot < slotCount; ++slot)
        if (slotArmed[slot].load())
            ::unlink(interruptedPaths[slot]);
    // The program's own handling of the signal (ending it, mostly) follows once this returns.
    for (int i = 0; i < 2; ++i)
        if (interruptSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    ::raise(signal);
}

// Blocks the interrupt signals while the path is being set, so that no handler sees half of it.
class InterruptsBlocked {
public:
    InterruptsBlocked() {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : interruptSignals)
            sigaddset(&set, signal);
        pthread_sigmask(SIG_BLOCK, &set, &previous);
    }
    ~InterruptsBlocked() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
    InterruptsBlocked(const InterruptsBlocked&) = delete;
    InterruptsBlocked& operator=(const InterruptsBlocked&) = delete;

private:
    sigset_t previous{};
};

void installHandlers() {
    for (int i = 0; i < 2; ++i) {
        struct sigaction current {};
        ::sigaction(interruptSignals[i], nullptr, &current);
        // An ignored signal stays ignored: the save goes on, and so must its file.
        handlerInstalled[i] = current.sa_handler != SIG_IGN;
        if (!handlerInstalled[i])
            continue;
        struct sigaction removal {};
        removal.sa_handler = removeThenEnd;
        sigemptyset(&removal.sa_mask);
        ::sigaction(interruptSignals[i], &removal, &previousActions[i]);
    }
}

// Arms the handler for path; returns its slot, or -1 when every slot is taken. Called with the
// interrupt signals blocked.
int armInterruptRemoval(const fs::path& path) {
    if (path.native().size() > PATH_MAX)
        return -1;
    for (int slot = 0; slot < slotCount; ++slot) {
        if (slotArmed[slot].load())
            continue;
        std::memcpy(interruptedPaths[slot], path.c_str(), path.native().size() + 1);
        if (armedCount++ == 0)
            installHandlers();
        slotArmed[slot].store(true);
        return slot;
    }
    return -1;
}

void disarmInterruptRemoval(int slot) {
    slotArmed[slot].store(false);
    if (--armedCount > 0)
        return;
    for (int i = 0; i < 2; ++i)
        if (handlerInstalled[i])
            ::sigaction(interruptSignals[i], &previousActions[i], nullptr);
}

// The name of a temporary beside target without its digits: the target's name, cut where the
// whole would be longer than the folder's file system allows, so that a long name can be saved.
fs::path temporaryStem(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    const std::size_t added = saveTemporaryMarker.size() + hexDigitCount;
    const std::size_t room =
        static_cast<std::size_t>(longest) > added ? static_cast<std::size_t>(longest) - added : 1;
    std::string name = target.filename().native();
    if (name.size() > room) {
        // Cut before a character, not inside one, so that a name in UTF-8 stays UTF-8.
        std::size_t cut = room;
        while (cut > 1 && (static_cast<unsigned char>(name[cut]) & 0xC0u) == 0x80u)
            --cut;
        name.resize(cut);
    }
    return target.parent_path() / (name + std::string(saveTemporaryMarker));
}

bool isLowerHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

// ---- Names and abandoned files ----------------------------------------------------------------

bool isSaveTemporaryName(std::string_view fileName) {
    const std::size_t marker = fileName.rfind(saveTemporaryMarker);
    if (marker == std::string_view::npos || marker == 0)
        return false;
    const std::string_view digits = fileName.substr(marker + saveTemporaryMarker.size());
    return digits.size() == hexDigitCount &&
           std::all_of(digits.begin(), digits.end(), isLowerHexDigit);
}

int removeAbandonedSaveTemporaries(const fs::path& folder) {
    int removed = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& path = entry.path();
        if (!isSaveTemporaryName(path.filename().native()))
            continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {};
        struct stat named {};
        // A running save holds its lock until its file has its final name; a file whose lock can
        // be taken has no owner. It is removed only while this lock is held and the name still
        // leads to it.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            S_ISREG(opened.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino &&
            ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

// ---- The temporary file of one save -------------------------------------------------------------

SaveTemporary SaveTemporary::createBeside(const fs::path& target, unsigned mode, int& error) {
    std::random_device entropy;
    std::uniform_int_distribution<unsigned> hexDigit(0, 15);
    const fs::path stem = temporaryStem(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = stem;
        for (int i = 0; i < hexDigitCount; ++i)
            candidate += "0123456789abcdef"[hexDigit(entropy)];

        const InterruptsBlocked blocked;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(mode));
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            error = errno;
            return {};
        }
        SaveTemporary created;
        created.fd = fd;
        created.name = candidate;
        struct stat info {};
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &info) != 0) {
            error = errno;
            return {}; // removed by the destructor
        }
        // A cleaner in another process may have taken the file for abandoned between its
        // creation and the lock; then it is gone, and a new name is tried.
        if (info.st_nlink == 0) {
            created.name.clear();
            continue;
        }
        created.lockFd = ::dup(fd);
        created.interruptSlot = armInterruptRemoval(candidate);
        return created;
    }
    error = EEXIST;
    return {};
}

SaveTemporary::SaveTemporary(SaveTemporary&& other) noexcept
    : fd(std::exchange(other.fd, -1)), lockFd(std::exchange(other.lockFd, -1)),
      interruptSlot(std::exchange(other.interruptSlot, -1)), name(std::move(other.name)) {
    other.name.clear();
}

SaveTemporary& SaveTemporary::operator=(SaveTemporary&& other) noexcept {
    if (this != &other) {
        release();
        fd = std::exchange(other.fd, -1);
        lockFd = std::exchange(other.lockFd, -1);
        interruptSlot = std::exchange(other.interruptSlot, -1);
        name = std::move(other.name);
        other.name.clear();
    }
    return *this;
}

SaveTemporary::~SaveTemporary() {
    release();
}

void SaveTemporary::release() {
    if (name.empty() && fd < 0 && lockFd < 0)
        return;
    {
        const InterruptsBlocked blocked;
        if (!name.empty())
            ::unlink(name.c_str());
        if (interruptSlot >= 0)
            disarmInterruptRemoval(std::exchange(interruptSlot, -1));
    }
    if (fd >= 0)
        ::close(fd);
    if (lockFd >= 0)
        ::close(lockFd);
    fd = lockFd = -1;
    name.clear();
}

int SaveTemporary::closeForWriting() {
    const int result = ::close(fd) == 0 ? 0 : errno;
    fd = -1;
    return result;
}

int SaveTemporary::renameOver(const fs::path& target) {
    const InterruptsBlocked blocked;
    if (::rename(name.c_str(), target.c_str()) != 0)
        return errno;
    if (interruptSlot >= 0)
        disarmInterruptRemoval(std::exchange(interruptSlot, -1));
    name.clear();
    release();
    return 0;
}

} // namespace tarnwick
