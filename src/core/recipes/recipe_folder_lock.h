#pragma once

#include <chrono>

// The advisory lock (flock) a save holds on its recipe folder for its whole
// transaction; recovery of a cut-off save runs only while it holds it too.
// The lock sits on the folder itself, so it holds wherever the folder is
// reached from: another collection's link to it or a bind mount of it.
//
// It belongs to an open file of its own, so it also keeps apart two threads
// of this process (the scan's workers and the window's save). A thread never
// takes it twice: what runs under it is handed the lock's folder.

class TRecipeFolderLock final {
public:
    // Takes the lock on the open folder `folderFd` without waiting.
    static TRecipeFolderLock TryTake(int folderFd);
    // Waits for another save to end, at most WaitLimit().
    static TRecipeFolderLock Take(int folderFd);

    TRecipeFolderLock(TRecipeFolderLock&& other) noexcept;
    TRecipeFolderLock& operator=(TRecipeFolderLock&&) = delete;
    TRecipeFolderLock(const TRecipeFolderLock&) = delete;
    TRecipeFolderLock& operator=(const TRecipeFolderLock&) = delete;
    ~TRecipeFolderLock();

    // False when another save or recovery has the folder. A file system
    // that cannot lock (NFS without locking) tells of no one else: held.
    bool Held() const { return IsHeld; }
    // Another save or recovery has the folder (not merely a folder that
    // could not be opened).
    bool Busy() const { return Fd >= 0 && !IsHeld; }

    // How long a save waits for another save of the same folder, here or
    // in another copy, before it fails.
    static std::chrono::milliseconds WaitLimit();
    static void SetWaitLimit(std::chrono::milliseconds limit);

private:
    TRecipeFolderLock(int fd, bool held) : Fd(fd), IsHeld(held) {}
    static TRecipeFolderLock Open(int folderFd, bool wait);

    int Fd = -1;
    bool IsHeld = false;
};
