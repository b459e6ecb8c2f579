#pragma once

#include <functional>
#include <vector>

#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/platform/file_io.h"
#include "core/recipes/recipe_transaction.h"

// A recipe folder as its last committed save left it, read without the
// folder's lock while a save may be under way (in another copy that reaches
// the folder through a link, or on another thread):
//
// - before a save's commit point its temporaries are hidden and the files as
//   they lie are the committed state;
// - from the commit point until the journal goes, each file the journal puts
//   is its temporary while that is still there and the file once it has been
//   renamed, and each file it removes is gone;
// - a cut-off save reads the same way until recovery finishes it.
//
// The files a reader wants stay open from the moment they are found, so a
// save cannot swap them while they are read; Unchanged then tells whether a
// save put files in place meanwhile, so the reader can read again.

class TCommittedFolder final {
public:
    // Finds the journal, lists the folder open as `folderFd` and opens the
    // files named in `wanted` (found as Find does).
    TCommittedFolder(int folderFd, const QStringList& wanted);
    ~TCommittedFolder();
    TCommittedFolder(const TCommittedFolder&) = delete;
    TCommittedFolder& operator=(const TCommittedFolder&) = delete;

    // The files of the committed state (not folders, never a save's own
    // files), sorted ignoring case, then exactly.
    const QStringList& Files() const { return Names; }
    // The spelling of `name` among Files(): exact first, then ignoring case;
    // empty when there is none.
    QString Find(const QString& name) const;
    // Reads the wanted file `name` (as Find gives it) whole. False when it is
    // missing, not a regular file or cannot be read; false with errno EFBIG
    // when it is larger than `maxBytes`.
    bool Read(const QString& name, QByteArray& bytes, qint64 maxBytes = NoSizeLimit) const;

    // A save's journal or temporaries lie in the folder.
    bool HasLeftovers() const { return Leftovers; }
    // The journal is over its cap: the files as they lie are read, and the
    // caller reports it.
    bool JournalTooLarge() const { return Journal == TSaveJournal::TState::TooLarge; }
    // True when the folder still holds the state found at construction.
    bool Unchanged() const;

private:
    // What a name stands for on disk: the file (or temporary) found there.
    struct TIdentity {
        bool Present = false;
        dev_t Device = 0;
        ino_t Inode = 0;
        bool operator==(const TIdentity&) const = default;
    };
    struct TWanted {
        QString Name;           // as listed
        QByteArray Physical;    // the file or the temporary that holds it
        int Fd = -1;            // open from the start, -1 when it cannot be opened
        bool Regular = false;
        qint64 Size = 0;
        TIdentity Identity;
    };
    // The committed names with where each lies now (file or temporary).
    struct TEntry {
        QString Name;
        QByteArray Physical;
    };

    void Resolve(const QStringList& wanted);
    const TEntry* Entry(const QString& name) const;
    static TIdentity IdentityOf(int folderFd, const QByteArray& physical);

    int Folder;
    QStringList WantedNames;
    TSaveJournal::TState Journal = TSaveJournal::TState::None;
    int JournalFd = -1;
    TIdentity JournalIdentity;
    bool Leftovers = false;
    std::vector<TEntry> Entries;  // sorted as Names
    QStringList Names;
    std::vector<TWanted> Wanted;
};

// Runs `read` over the committed state of the folder open as `folderFd`,
// first finishing a cut-off save where it may (RecoverRecipeFolderAt). When a
// save put files in place during a read, `read` runs again on a fresh view,
// so what it gathered last is one save's state; after a few such rounds it
// waits for the folder's lock, as a save does, and reads once more.
void ReadCommitted(int folderFd, const QStringList& wanted, const std::function<void(const TCommittedFolder&)>& read);
// The same for the folder at `folder`; one that cannot be opened reads as
// an empty folder.
void ReadCommitted(const QString& folder, const QStringList& wanted,
                   const std::function<void(const TCommittedFolder&)>& read);
