#include "core/recipes/recipe_folder_lock.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// A save of a few photos with their flushes takes well under a second; a
// save that holds the folder longer than this has stopped.
std::atomic<std::chrono::milliseconds::rep> Limit{10000};

enum class TTry { Taken, Busy, Unsupported };

TTry TryLock(int fd) {
    int result;
    do
        result = flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return TTry::Taken;
    return errno == EWOULDBLOCK ? TTry::Busy : TTry::Unsupported;
}

}  // namespace

TRecipeFolderLock TRecipeFolderLock::Open(int folderFd, bool wait) {
    // A new open file of the folder: a lock of its own, not the caller's.
    const int fd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return TRecipeFolderLock(-1, false);
    TTry got = TryLock(fd);
    if (got == TTry::Busy && wait) {
        // flock has no time-out: poll, from a millisecond up to twenty.
        const auto end = std::chrono::steady_clock::now() + WaitLimit();
        auto pause = std::chrono::milliseconds(1);
        while (got == TTry::Busy && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(20));
            got = TryLock(fd);
        }
    }
    return TRecipeFolderLock(fd, got != TTry::Busy);
}

TRecipeFolderLock TRecipeFolderLock::TryTake(int folderFd) { return Open(folderFd, false); }

TRecipeFolderLock TRecipeFolderLock::Take(int folderFd) { return Open(folderFd, true); }

TRecipeFolderLock::TRecipeFolderLock(TRecipeFolderLock&& other) noexcept : Fd(other.Fd), IsHeld(other.IsHeld) {
    other.Fd = -1;
    other.IsHeld = false;
}

TRecipeFolderLock::~TRecipeFolderLock() {
    if (Fd >= 0)
        close(Fd);  // drops the lock
}

std::chrono::milliseconds TRecipeFolderLock::WaitLimit() { return std::chrono::milliseconds(Limit.load()); }

void TRecipeFolderLock::SetWaitLimit(std::chrono::milliseconds limit) { Limit = limit.count(); }
