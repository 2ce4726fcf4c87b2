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
// One save at a time is covered; the path lives in static storage, as a signal handler may read
// nothing else.

constexpr int interruptSignals[] = {SIGINT, SIGTERM};
char interruptedPath[PATH_MAX + 1];
std::atomic<bool> interruptArmed{false};
struct sigaction previousActions[2];
bool handlerInstalled[2] = {false, false};

void removeThenEnd(int signal) {
    if (interruptArmed.load())
        ::unlink(interruptedPath);
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

// Arms the handler for path; returns false when another save holds it already.
bool armInterruptRemoval(const fs::path& path) {
    if (interruptArmed.load() || path.native().size() > PATH_MAX)
        return false;
    std::memcpy(interruptedPath, path.c_str(), path.native().size() + 1);
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
    interruptArmed.store(true);
    return true;
}

void disarmInterruptRemoval() {
    interruptArmed.store(false);
    for (int i = 0; i < 2; ++i)
        if (handlerInstalled[i])
            ::sigaction(interruptSignals[i], &previousActions[i], nullptr);
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
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = target;
        candidate += saveTemporaryMarker;
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
        armInterruptRemoval(candidate);
        return created;
    }
    error = EEXIST;
    return {};
}

SaveTemporary::SaveTemporary(SaveTemporary&& other) noexcept
    : fd(std::exchange(other.fd, -1)), lockFd(std::exchange(other.lockFd, -1)),
      name(std::move(other.name)) {
    other.name.clear();
}

SaveTemporary& SaveTemporary::operator=(SaveTemporary&& other) noexcept {
    if (this != &other) {
        release();
        fd = std::exchange(other.fd, -1);
        lockFd = std::exchange(other.lockFd, -1);
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
        if (!name.empty()) {
            ::unlink(name.c_str());
            if (interruptArmed.load() && name == interruptedPath)
                disarmInterruptRemoval();
        }
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
    if (interruptArmed.load() && name == interruptedPath)
        disarmInterruptRemoval();
    name.clear();
    release();
    return 0;
}

} // namespace tarnwick
