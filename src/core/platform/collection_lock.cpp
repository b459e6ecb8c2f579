#include "core/platform/collection_lock.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>

#include "core/platform/file_io.h"

namespace {

std::atomic<int> OwnedCount{0};

// Close-on-exec: a browser started from the program must not keep the lock
// after the program has gone. Never blocking: a FIFO opened only for reading
// would wait for a writer.
constexpr int OpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// True when another open file holds `fd`. A lock the file system refuses
// (NFS without locking) tells of no other copy.
bool LockedElsewhere(int fd) {
    int result;
    do
        result = flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    return result != 0 && errno == EWOULDBLOCK;
}

}  // namespace

TCollectionLock::TCollectionLock(const QString& appDir) {
    // The folder itself is locked too: a lock file that cannot be made (a
    // read-only folder) or opened (a link, taken away while the owner runs)
    // must not let a second copy in. It is taken first, so a second copy
    // does not make the lock file either.
    const QByteArray folder = QFile::encodeName(WithTrailingSlash(appDir));
    FolderFd = open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    IsBusy = FolderFd >= 0 && LockedElsewhere(FolderFd);
    if (!IsBusy) {
        const QByteArray path = QFile::encodeName(WithTrailingSlash(appDir) + CollectionLockFileName);
        Fd = open(path.constData(), O_RDWR | O_CREAT | OpenFlags, 0644);
        if (Fd < 0)
            Fd = open(path.constData(), O_RDONLY | OpenFlags);
        IsBusy = Fd >= 0 && LockedElsewhere(Fd);
    }
    if (!IsBusy)
        ++OwnedCount;
}

TCollectionLock::~TCollectionLock() {
    if (!IsBusy)
        --OwnedCount;
    if (Fd >= 0)
        close(Fd);
    if (FolderFd >= 0)
        close(FolderFd);
}

bool TCollectionLock::HeldByThisProcess() { return OwnedCount.load() > 0; }
