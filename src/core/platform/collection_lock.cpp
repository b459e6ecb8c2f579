#include "core/platform/collection_lock.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

TCollectionLock::TCollectionLock(const QString& appDir, const QString& dataRoot) {
    // The folders themselves are locked too: a lock file that cannot be made
    // (a read-only folder) or opened (a link, taken away while the owner
    // runs) must not let a second copy in, nor a program folder of its own
    // whose data folder is a link to this one. They are taken first, so a
    // second copy does not make the lock file either.
    for (const QString& folder : {WithTrailingSlash(appDir), dataRoot}) {
        if (folder.isEmpty())
            continue;
        const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (AlreadyLocked(fd)) {  // a data folder that links to the program folder
            close(fd);
            continue;
        }
        Fds.push_back(fd);
        if (LockedElsewhere(fd)) {
            IsBusy = true;
            return;
        }
    }
    const QByteArray path = QFile::encodeName(WithTrailingSlash(appDir) + CollectionLockFileName);
    int fd = open(path.constData(), O_RDWR | O_CREAT | OpenFlags, 0644);
    if (fd < 0)
        fd = open(path.constData(), O_RDONLY | OpenFlags);
    if (fd >= 0) {
        Fds.push_back(fd);
        IsBusy = LockedElsewhere(fd);
    }
    if (!IsBusy)
        ++OwnedCount;
}

TCollectionLock::~TCollectionLock() {
    if (!IsBusy)
        --OwnedCount;
    for (const int fd : Fds)
        close(fd);
}

bool TCollectionLock::AlreadyLocked(int fd) const {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return false;
    for (const int held : Fds) {
        struct stat other {};
        if (fstat(held, &other) == 0 && other.st_dev == info.st_dev && other.st_ino == info.st_ino)
            return true;
    }
    return false;
}

bool TCollectionLock::HeldByThisProcess() { return OwnedCount.load() > 0; }
