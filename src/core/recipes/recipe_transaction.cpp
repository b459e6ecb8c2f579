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

namespace {

const QByteArray Prefix = RecipeTransactionPrefix.toUtf8();
const QByteArray JournalName = Prefix + "journal";
const QByteArray JournalTempName = Prefix + "journal.new";
const QByteArray JournalHead = "saporia-save 1\n";
const QByteArray JournalEnd = "end\n";

QByteArray TempName(qsizetype index) { return Prefix + QByteArray::number(index) + ".new"; }

// Closes the descriptor when it goes out of scope.
class TFd final {
public:
    explicit TFd(int fd) : Fd(fd) {}
    ~TFd() {
        if (Fd >= 0)
            close(Fd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return Fd; }

private:
    int Fd = -1;
};

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
    TFd fd(openat(dirFd, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Get() < 0)
        return false;
    struct stat old {};
    if (!like.isEmpty() && fstatat(dirFd, like.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode))
        fchmod(fd.Get(), old.st_mode & 07777);
    return WriteAll(fd.Get(), bytes) && fsync(fd.Get()) == 0;
}

struct TJournalEntry {
    bool Removal = false;
    QByteArray Temp;
    QByteArray Name;
};

QByteArray JournalText(const QList<TJournalEntry>& entries) {
    QByteArray text = JournalHead;
    for (const TJournalEntry& entry : entries)
        text += (entry.Removal ? QByteArray("del\t\t") : "put\t" + entry.Temp + '\t') + entry.Name + '\n';
    return text + JournalEnd;
}

// The entries of a complete journal; false when there is none or it is cut.
bool ReadJournal(int dirFd, QList<TJournalEntry>& entries) {
    QByteArray text;
    if (!ReadRegularFileAt(dirFd, JournalName.constData(), text))
        return false;
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
bool Apply(int dirFd, const QList<TJournalEntry>& entries, bool replay) {
    bool ok = true;
    for (const TJournalEntry& entry : entries) {
        if (entry.Removal)
            continue;
        if (renameat(dirFd, entry.Temp.constData(), dirFd, entry.Name.constData()) != 0 && !(replay && errno == ENOENT))
            ok = false;
    }
    for (const TJournalEntry& entry : entries)
        if (entry.Removal && unlinkat(dirFd, entry.Name.constData(), 0) != 0 && errno != ENOENT)
            ok = false;
    return ok;
}

// Removes every temporary, and the journal once nothing refers to it.
void RemoveLeftovers(int dirFd) {
    const int listFd = openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR* dir = fdopendir(listFd);
    if (!dir) {
        close(listFd);
        return;
    }
    QList<QByteArray> names;
    while (const dirent* entry = readdir(dir))
        if (IsRecipeTransactionFile(entry->d_name))
            names.append(entry->d_name);
    closedir(dir);
    for (const QByteArray& name : names)
        unlinkat(dirFd, name.constData(), 0);
}

QString CannotWrite(const QString& folder, const QString& fileName) {
    return CannotWriteMessage(WithTrailingSlash(folder) + fileName);
}

}  // namespace

TRecipeTransaction::TRecipeTransaction(const QString& folder) : FolderPath(WithTrailingSlash(folder)) {}

void TRecipeTransaction::Put(const QString& fileName, const QByteArray& bytes) {
    Changes.append({fileName, bytes, false});
}

void TRecipeTransaction::Remove(const QString& fileName) { Changes.append({fileName, QByteArray(), true}); }

void TRecipeTransaction::Commit() {
    if (Changes.isEmpty())
        return;
    for (const TChange& change : Changes)
        if (change.FileName.isEmpty() || change.FileName.contains(QLatin1Char('/')) ||
            change.FileName.contains(QLatin1Char('\n')) || change.FileName.contains(QLatin1Char('\t')) ||
            IsRecipeTransactionFile(change.FileName))
            throw TSaporiaError(CannotWrite(FolderPath, change.FileName));
    TFd dir(open(QFile::encodeName(FolderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0)
        throw TSaporiaError(CannotWriteMessage(FolderPath));
    // An earlier save that was cut off is finished before this one starts.
    RecoverRecipeFolderAt(dir.Get());
    // A folder standing where a file goes would fail after the commit point:
    // refuse up front.
    for (const TChange& change : Changes) {
        struct stat target {};
        if (fstatat(dir.Get(), QFile::encodeName(change.FileName).constData(), &target, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(target.st_mode))
            throw TSaporiaError(CannotWrite(FolderPath, change.FileName));
    }

    QList<TJournalEntry> entries;
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
        if (!WriteDurable(dir.Get(), temp, change.Bytes, name)) {
            RemoveLeftovers(dir.Get());
            throw TSaporiaError(CannotWrite(FolderPath, change.FileName));
        }
        entries.append({false, temp, name});
    }

    // The commit point: once the journal is in place, the save is done.
    if (Interrupted())
        return;
    if (!WriteDurable(dir.Get(), JournalTempName, JournalText(entries), QByteArray()) ||
        renameat(dir.Get(), JournalTempName.constData(), dir.Get(), JournalName.constData()) != 0 ||
        fsync(dir.Get()) != 0) {
        RemoveLeftovers(dir.Get());
        throw TSaporiaError(CannotWrite(FolderPath, Changes.first().FileName));
    }
    bool applied = true;
    for (qsizetype i = 0; i < entries.size() && applied; ++i) {
        if (Interrupted())
            return;
        applied = Apply(dir.Get(), entries.mid(i, 1), false);
    }
    fsync(dir.Get());
    if (!applied)
        throw TSaporiaError(CannotWrite(FolderPath, Changes.first().FileName));
    unlinkat(dir.Get(), JournalName.constData(), 0);
}

void RecoverRecipeFolderAt(int folderFd) {
    // What looks cut off may be another copy's save in progress.
    if (!TCollectionLock::HeldByThisProcess())
        return;
    QList<TJournalEntry> entries;
    if (ReadJournal(folderFd, entries)) {
        if (!Apply(folderFd, entries, true))
            return;  // keep the journal: the next read tries again
        fsync(folderFd);
    }
    RemoveLeftovers(folderFd);
}

void RecoverRecipeFolder(const QString& folder) {
    TFd dir(open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        RecoverRecipeFolderAt(dir.Get());
}

bool IsRecipeTransactionFile(const QString& fileName) { return fileName.startsWith(RecipeTransactionPrefix); }

bool IsRecipeTransactionFile(const char* fileName) {
    return std::strncmp(fileName, Prefix.constData(), static_cast<size_t>(Prefix.size())) == 0;
}
