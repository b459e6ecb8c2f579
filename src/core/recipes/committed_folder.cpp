#include "core/recipes/committed_folder.h"

#include <algorithm>
#include <cerrno>
#include <set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QScopeGuard>

namespace {

// Reads that a save overtook before the reader waits for the folder's lock.
// A save puts its files in place in a moment, so even a copy saving the
// folder over and over rarely overtakes two reads running.
constexpr int LockFreeReads = 8;

}  // namespace

TCommittedFolder::TCommittedFolder(int folderFd, const QStringList& wanted) : Folder(folderFd), WantedNames(wanted) {
    Resolve(wanted);
}

TCommittedFolder::~TCommittedFolder() {
    if (JournalFd >= 0)
        close(JournalFd);
    for (const TWanted& file : Wanted)
        if (file.Fd >= 0)
            close(file.Fd);
}

TCommittedFolder::TIdentity TCommittedFolder::IdentityOf(int folderFd, const QByteArray& physical) {
    struct stat info {};
    if (fstatat(folderFd, physical.constData(), &info, 0) != 0 &&
        fstatat(folderFd, physical.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return {true, info.st_dev, info.st_ino};
}

void TCommittedFolder::Resolve(const QStringList& wanted) {
    // The journal first: a save that commits after this point shows in the
    // files, which Unchanged compares.
    const TSaveJournal journal = ReadSaveJournal(Folder, &JournalFd);
    Journal = journal.State;
    if (JournalFd >= 0) {
        struct stat info {};
        if (fstat(JournalFd, &info) == 0)
            JournalIdentity = {true, info.st_dev, info.st_ino};
    } else if (Journal != TSaveJournal::TState::None) {
        JournalIdentity = IdentityOf(Folder, RecipeJournalName.toUtf8());
    }
    Leftovers = Journal != TSaveJournal::TState::None;

    std::vector<QByteArray> files;
    std::set<QByteArray> saveFiles;
    const int listFd = openat(Folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DIR* dir = listFd >= 0 ? fdopendir(listFd) : nullptr) {
        while (const dirent* entry = readdir(dir)) {
            const char* n = entry->d_name;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
                continue;
            if (IsRecipeTransactionFile(n))
                saveFiles.insert(n);
            else if (!IsFolderAt(Folder, entry->d_name, entry->d_type))
                files.emplace_back(n);
        }
        closedir(dir);
    } else if (listFd >= 0) {
        close(listFd);
    }
    Leftovers = Leftovers || !saveFiles.empty();

    std::vector<std::pair<QByteArray, QByteArray>> state;  // name, where it lies
    for (const QByteArray& file : files)
        state.emplace_back(file, file);
    const auto find = [&](const QByteArray& name) {
        return std::find_if(state.begin(), state.end(), [&](const auto& s) { return s.first == name; });
    };
    // Committed changes not yet in place: puts still in their temporaries,
    // removals not yet done. A temporary already renamed is the file itself.
    for (const TSaveJournal::TEntry& entry : journal.Entries) {
        if (entry.Removal || !saveFiles.contains(entry.Temp))
            continue;
        if (const auto it = find(entry.Name); it != state.end())
            it->second = entry.Temp;
        else
            state.emplace_back(entry.Name, entry.Temp);
    }
    for (const TSaveJournal::TEntry& entry : journal.Entries)
        if (entry.Removal)
            if (const auto it = find(entry.Name); it != state.end())
                state.erase(it);

    for (const auto& [name, physical] : state)
        Entries.push_back({QFile::decodeName(name), physical});
    std::sort(Entries.begin(), Entries.end(),
              [](const TEntry& a, const TEntry& b) { return LessIgnoringCase(a.Name, b.Name); });
    for (const TEntry& entry : Entries)
        Names.append(entry.Name);

    for (const QString& name : wanted) {
        TWanted file;
        file.Name = Find(name);
        if (const TEntry* entry = file.Name.isEmpty() ? nullptr : Entry(file.Name)) {
            file.Physical = entry->Physical;
            // Opening a FIFO for reading must not wait for a writer.
            file.Fd = openat(Folder, file.Physical.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            struct stat info {};
            if (file.Fd >= 0 && fstat(file.Fd, &info) == 0) {
                file.Identity = {true, info.st_dev, info.st_ino};
                file.Regular = S_ISREG(info.st_mode);
                file.Size = info.st_size;
            } else {
                file.Identity = IdentityOf(Folder, file.Physical);
            }
        }
        Wanted.push_back(std::move(file));
    }
}

const TCommittedFolder::TEntry* TCommittedFolder::Entry(const QString& name) const {
    for (const TEntry& entry : Entries)
        if (entry.Name == name)
            return &entry;
    return nullptr;
}

QString TCommittedFolder::Find(const QString& name) const {
    if (Names.contains(name))
        return name;
    for (const QString& file : Names)
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return file;
    return QString();
}

bool TCommittedFolder::Read(const QString& name, QByteArray& bytes, qint64 maxBytes) const {
    bytes.clear();
    for (const TWanted& file : Wanted) {
        if (file.Name.isEmpty() || file.Name != name)
            continue;
        if (file.Fd < 0 || !file.Regular || lseek(file.Fd, 0, SEEK_SET) != 0)
            break;
        return ReadOpenFile(file.Fd, file.Size, bytes, maxBytes);
    }
    errno = ENOENT;
    return false;
}

bool TCommittedFolder::Unchanged() const {
    const TCommittedFolder now(Folder, WantedNames);
    if (now.Journal != Journal || now.JournalIdentity != JournalIdentity || now.Names != Names)
        return false;
    for (size_t i = 0; i < Wanted.size(); ++i)
        if (now.Wanted[i].Name != Wanted[i].Name || now.Wanted[i].Identity != Wanted[i].Identity)
            return false;
    return true;
}

void ReadCommitted(int folderFd, const QStringList& wanted, const std::function<void(const TCommittedFolder&)>& read) {
    bool recovered = false;
    for (int round = 0; round < LockFreeReads;) {
        const TCommittedFolder view(folderFd, wanted);
        // A cut-off save is finished first, when this copy may: then the
        // folder is read as it now lies.
        if (view.HasLeftovers() && !recovered) {
            recovered = true;
            if (RecoverRecipeFolderAt(folderFd))
                continue;
        }
        read(view);
        if (view.Unchanged())
            return;
        ++round;
    }
    // Saves keep overtaking the reads: wait for a moment between two of them.
    const TRecipeFolderLock lock = TRecipeFolderLock::Take(folderFd);
    read(TCommittedFolder(folderFd, wanted));
}

void ReadCommitted(const QString& folder, const QStringList& wanted,
                   const std::function<void(const TCommittedFolder&)>& read) {
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const auto closeFolder = qScopeGuard([fd] {
        if (fd >= 0)
            close(fd);
    });
    ReadCommitted(fd, wanted, read);
}
