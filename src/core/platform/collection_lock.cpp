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

}  // namespace

TCollectionLock::TCollectionLock(const QString& appDir) {
    const QByteArray path = QFile::encodeName(WithTrailingSlash(appDir) + CollectionLockFileName);
    // Close-on-exec: a browser started from the program must not keep the
    // lock after the program has gone.
    Fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (Fd < 0)
        Fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (Fd >= 0) {
        int result;
        do
            result = flock(Fd, LOCK_EX | LOCK_NB);
        while (result != 0 && errno == EINTR);
        IsBusy = result != 0 && errno == EWOULDBLOCK;
    }
    if (!IsBusy)
        ++OwnedCount;
}

TCollectionLock::~TCollectionLock() {
    if (!IsBusy)
        --OwnedCount;
    if (Fd >= 0)
        close(Fd);
}

bool TCollectionLock::HeldByThisProcess() { return OwnedCount.load() > 0; }
