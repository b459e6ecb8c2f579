#pragma once

#include <vector>

#include <QString>

// One running copy per program folder and data folder. The copy holding the
// locks owns the collection: only it finishes or removes what a cut-off save
// left behind, so a reader never undoes another copy's save in progress. The
// lock is the kernel's (flock): it goes with the process however that ends,
// so a killed copy never blocks the next start.

inline const QString CollectionLockFileName = QStringLiteral("saporia.lock");
inline const QString CollectionInUseMessage =
    QStringLiteral("このレシピフォルダは、起動中の別のSaporiaが使用しています。");

class TCollectionLock final {
public:
    // Tries once, without waiting. Locks the program folder, the data folder
    // when given and there, and the lock file, which it creates when it is
    // missing.
    explicit TCollectionLock(const QString& appDir, const QString& dataRoot = {});
    ~TCollectionLock();
    TCollectionLock(const TCollectionLock&) = delete;
    TCollectionLock& operator=(const TCollectionLock&) = delete;

    // Another process (or another lock object) holds the folder.
    bool Busy() const { return IsBusy; }

    // True while some lock object of this process owns its folder. A folder
    // the file system cannot lock counts as owned: nothing tells of another
    // copy there.
    static bool HeldByThisProcess();

private:
    bool AlreadyLocked(int fd) const;

    std::vector<int> Fds;
    bool IsBusy = false;
};
