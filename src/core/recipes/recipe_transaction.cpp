#include "core/recipes/recipe_transaction.h"

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "core/platform/collection_lock.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_folder.h"

namespace {

const QByteArray Prefix = RecipeTransactionPrefix.toUtf8();
const QByteArray JournalName = RecipeJournalName.toUtf8();
const QByteArray JournalTempName = JournalName + ".new";
const QByteArray JournalHead = "saporia-save 1\n";
const QByteArray JournalEnd = "end\n";

QByteArray TempName(qsizetype index) { return Prefix + QByteArray::number(index) + ".new"; }

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// Writes and flushes a new file; the mode of `like` when that file exists.
bool WriteDurable(int dirFd, const QByteArray& name, const QByteArray& bytes, const QByteArray& like) {
    const int fd = openat(dirFd, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return false;
    struct stat old {};
    if (!like.isEmpty() && fstatat(dirFd, like.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode))
        fchmod(fd, old.st_mode & 07777);
    const bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    close(fd);
    return ok;
}

using TEntry = TSaveJournal::TEntry;

QByteArray JournalText(const QList<TEntry>& entries) {
    QByteArray text = JournalHead;
    for (const TEntry& entry : entries)
        text += (entry.Removal ? QByteArray("del\t\t") : "put\t" + entry.Temp + '\t') + entry.Name + '\n';
    return text + JournalEnd;
}

// The entries of a complete journal; false when it is cut or not a save's.
bool ParseJournal(const QByteArray& text, QList<TEntry>& entries) {
    if (!text.startsWith(JournalHead) || !text.endsWith(JournalEnd))
        return false;
    const QList<QByteArray> lines =
        text.mid(JournalHead.size(), text.size() - JournalHead.size() - JournalEnd.size()).split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3 || fields[2].isEmpty() || fields[2].contains('/'))
            return false;
        const bool removal = fields[0] == "del";
        if (!removal && (fields[0] != "put" || !fields[1].startsWith(Prefix) || fields[1].contains('/')))
            return false;
        entries.append({removal, fields[1], fields[2]});
    }
    return true;
}

// Puts the changes of a committed journal in place. On a replay each step
// may already have been done by the interrupted save.
bool Apply(int dirFd, const QList<TEntry>& entries, bool replay) {
    bool ok = true;
    for (const TEntry& entry : entries) {
        if (entry.Removal)
            continue;
        if (renameat(dirFd, entry.Temp.constData(), dirFd, entry.Name.constData()) != 0 && !(replay && errno == ENOENT))
            ok = false;
    }
    for (const TEntry& entry : entries)
        if (entry.Removal && unlinkat(dirFd, entry.Name.constData(), 0) != 0 && errno != ENOENT)
            ok = false;
    return ok;
}

// Removes every temporary, and the journal once nothing refers to it. True
// when it removed something.
bool RemoveLeftovers(int dirFd) {
    const int listFd = openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return false;
    DIR* dir = fdopendir(listFd);
    if (!dir) {
        close(listFd);
        return false;
    }
    QList<QByteArray> names;
    while (const dirent* entry = readdir(dir))
        if (IsRecipeTransactionFile(entry->d_name))
            names.append(entry->d_name);
    closedir(dir);
    bool removed = false;
    for (const QByteArray& name : names)
        removed = unlinkat(dirFd, name.constData(), 0) == 0 || removed;
    return removed;
}

enum class TRecovered : std::uint8_t { Nothing, Done, Kept, TooLarge };

// Finishes or drops what a cut-off save left; the caller holds the lock.
TRecovered RecoverLocked(int dirFd) {
    const TSaveJournal journal = ReadSaveJournal(dirFd);
    if (journal.State == TSaveJournal::TState::TooLarge)
        return TRecovered::TooLarge;  // not ours to judge: reported and left as it is
    const bool complete = journal.State == TSaveJournal::TState::Complete;
    if (complete) {
        if (!Apply(dirFd, journal.Entries, true))
            return TRecovered::Kept;  // keep the journal: the next read tries again
        fsync(dirFd);
    }
    return RemoveLeftovers(dirFd) || complete ? TRecovered::Done : TRecovered::Nothing;
}

QString CannotWrite(const QString& folder, const QString& fileName) {
    return CannotWriteMessage(WithTrailingSlash(folder) + fileName);
}

}  // namespace

TSaveJournal ReadSaveJournal(int folderFd, int* pinFd) {
    TSaveJournal journal;
    qint64 size = 0;
    const int fd = OpenRegularFileAt(folderFd, JournalName.constData(), size);
    if (fd < 0) {
        struct stat info {};
        if (fstatat(folderFd, JournalName.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            journal.State = TSaveJournal::TState::Unusable;  // not a file of ours
        return journal;
    }
    QByteArray text;
    using TState = TSaveJournal::TState;
    if (!ReadOpenFile(fd, size, text, MaxRecipeTextBytes))
        journal.State = errno == EFBIG ? TState::TooLarge : TState::Unusable;
    else
        journal.State = ParseJournal(text, journal.Entries) ? TState::Complete : TState::Unusable;
    if (journal.State != TState::Complete)
        journal.Entries.clear();
    if (pinFd)
        *pinFd = fd;
    else
        close(fd);
    return journal;
}

TRecipeTransaction::TRecipeTransaction(const QString& folder) : FolderPath(WithTrailingSlash(folder)) {}

TRecipeTransaction::~TRecipeTransaction() { End(); }

void TRecipeTransaction::End() {
    Lock.reset();
    if (Dir >= 0)
        close(Dir);
    Dir = -1;
}

void TRecipeTransaction::Begin() {
    if (Dir >= 0)
        return;
    Dir = open(QFile::encodeName(FolderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Dir < 0)
        throw TSaporiaError(CannotWriteMessage(FolderPath));
    Lock.emplace(TRecipeFolderLock::Take(Dir));
    if (!Lock->Held()) {
        const bool busy = Lock->Busy();
        End();
        throw TSaporiaError(busy ? QStringLiteral("%1 は別の保存が終わらないため書き込めません")
                                       .arg(QDir::toNativeSeparators(FolderPath))
                                 : CannotWriteMessage(FolderPath));
    }
    // An earlier save that was cut off is finished before this one starts.
    // Holding the lock, this save knows it is no one's save in progress.
    switch (RecoverLocked(Dir)) {
    case TRecovered::TooLarge:
        End();
        throw TFileTooLargeError(TooLargeMessage(FolderPath + RecipeJournalName, MaxRecipeTextBytes));
    case TRecovered::Kept:
        End();
        throw TSaporiaError(CannotWriteMessage(FolderPath));
    default:
        break;
    }
}

void TRecipeTransaction::Put(const QString& fileName, const QByteArray& bytes) {
    Changes.append({fileName, bytes, false});
}

void TRecipeTransaction::Remove(const QString& fileName) { Changes.append({fileName, QByteArray(), true}); }

void TRecipeTransaction::Commit() {
    try {
        if (!Changes.isEmpty())
            CommitBegun();
    } catch (...) {
        End();
        throw;
    }
    End();
}

void TRecipeTransaction::CommitBegun() {
    for (const TChange& change : Changes)
        if (change.FileName.isEmpty() || change.FileName.contains(QLatin1Char('/')) ||
            change.FileName.contains(QLatin1Char('\n')) || change.FileName.contains(QLatin1Char('\t')) ||
            IsRecipeTransactionFile(change.FileName))
            throw TSaporiaError(CannotWrite(FolderPath, change.FileName));
    Begin();
    // A folder standing where a file goes would fail after the commit point:
    // refuse up front.
    for (const TChange& change : Changes) {
        struct stat target {};
        if (fstatat(Dir, QFile::encodeName(change.FileName).constData(), &target, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(target.st_mode))
            throw TSaporiaError(CannotWrite(FolderPath, change.FileName));
    }

    QList<TEntry> entries;
    for (qsizetype i = 0; i < Changes.size(); ++i) {
        const TChange& change = Changes[i];
        const QByteArray name = QFile::encodeName(change.FileName);
        if (change.Removal) {
            entries.append({true, QByteArray(), name});
            continue;
        }
        const QByteArray temp = TempName(i);
        if (Interrupted())
            return;
        if (!WriteDurable(Dir, temp, change.Bytes, name)) {
            RemoveLeftovers(Dir);
            throw TSaporiaError(CannotWrite(FolderPath, change.FileName));
        }
        entries.append({false, temp, name});
    }

    // The commit point: once the journal is in place, the save is done.
    if (Interrupted())
        return;
    if (!WriteDurable(Dir, JournalTempName, JournalText(entries), QByteArray()) ||
        renameat(Dir, JournalTempName.constData(), Dir, JournalName.constData()) != 0 || fsync(Dir) != 0) {
        RemoveLeftovers(Dir);
        throw TSaporiaError(CannotWrite(FolderPath, Changes.first().FileName));
    }
    bool applied = true;
    for (qsizetype i = 0; i < entries.size() && applied; ++i) {
        if (Interrupted())
            return;
        applied = Apply(Dir, entries.mid(i, 1), false);
    }
    fsync(Dir);
    if (!applied)
        throw TSaporiaError(CannotWrite(FolderPath, Changes.first().FileName));
    unlinkat(Dir, JournalName.constData(), 0);
}

bool RecoverRecipeFolderAt(int folderFd) {
    // Without the collection, what looks cut off may be a save of the copy
    // that owns it; without the folder's lock, a save in progress here or in
    // another copy that reaches the folder through a link.
    if (!TCollectionLock::HeldByThisProcess())
        return false;
    const TRecipeFolderLock lock = TRecipeFolderLock::TryTake(folderFd);
    if (!lock.Held())
        return false;
    return RecoverLocked(folderFd) == TRecovered::Done;
}

bool IsRecipeTransactionFile(const QString& fileName) { return fileName.startsWith(RecipeTransactionPrefix); }

bool IsRecipeTransactionFile(const char* fileName) {
    return std::strncmp(fileName, Prefix.constData(), static_cast<size_t>(Prefix.size())) == 0;
}
