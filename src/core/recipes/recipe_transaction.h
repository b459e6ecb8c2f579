#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

#include "core/recipes/recipe_folder_lock.h"

// A save of one recipe folder as one transaction: the recipe is always wholly
// old or wholly new, even when the process is killed half-way.
//
// Commit writes and flushes every new file to a temporary file in the folder
// first; a failure there removes the temporaries and changes nothing. Then a
// journal naming every change is put in place (the commit point), the
// temporaries are renamed over their files, files to go are removed, and the
// journal is removed. A save interrupted after the commit point is completed
// by the next reader of the folder (RecoverRecipeFolderAt); one interrupted
// before it leaves only temporaries, which recovery removes.
//
// The whole transaction holds the folder's lock (TRecipeFolderLock), and
// recovery runs only while it can take that lock, so a folder that two
// collections reach is never recovered under another copy's live save; a
// reader that cannot take the lock reads the last committed state instead
// (TCommittedFolder).
//
// Temporaries and the journal are hidden files named ".saporia-save.*": they
// never end in ".jpg" or read as "Status.txt", so no listing shows them.

inline const QString RecipeTransactionPrefix = QStringLiteral(".saporia-save.");
inline const QString RecipeJournalName = RecipeTransactionPrefix + QStringLiteral("journal");

class TRecipeTransaction final {
public:
    // `folder` is the recipe folder, with or without the final "/".
    explicit TRecipeTransaction(const QString& folder);
    ~TRecipeTransaction();
    TRecipeTransaction(const TRecipeTransaction&) = delete;
    TRecipeTransaction& operator=(const TRecipeTransaction&) = delete;

    // Opens the folder, takes its lock, waiting for another save of it to end
    // (TRecipeFolderLock::WaitLimit), and finishes a save that was cut off
    // there. The lock is held until Commit ends or the transaction goes, so a
    // caller that looks at the folder first sees it as the save will find it.
    // Commit begins by itself when the caller has not. Throws TSaporiaError:
    // the folder cannot be opened, another save keeps it, or a cut-off save
    // cannot be finished (its journal over its cap, a read-only disk).
    void Begin();
    // The open folder, after Begin.
    int FolderFd() const { return Dir; }

    // Writes `bytes` as the file `fileName` of the folder (a plain name, as it
    // is to be spelled on disk).
    void Put(const QString& fileName, const QByteArray& bytes);
    // Removes the file `fileName` of the folder; nothing when it is missing.
    void Remove(const QString& fileName);

    bool IsEmpty() const { return Changes.isEmpty(); }
    const QString& Folder() const { return FolderPath; }

    // All or nothing; throws TSaporiaError naming the file that could not be
    // written. Writes nothing for an empty transaction.
    void Commit();

    // For crash tests: Commit stops silently before its step number `steps`
    // (each temporary, the journal and each file put in place is a step), as
    // a killed process would, leaving the folder for recovery.
    void StopBeforeStep(int steps) { StepsLeft = steps; }

private:
    bool Interrupted() {
        if (StepsLeft == 0)
            return true;
        if (StepsLeft > 0)
            --StepsLeft;
        return false;
    }
    void CommitBegun();
    void End();

    struct TChange {
        QString FileName;
        QByteArray Bytes;
        bool Removal = false;
    };
    QString FolderPath;
    QList<TChange> Changes;
    int StepsLeft = -1;
    int Dir = -1;
    std::optional<TRecipeFolderLock> Lock;
};

// The journal of a save, as a reader finds it in a recipe folder.
struct TSaveJournal {
    enum class TState : std::uint8_t {
        None,      // no journal: the files as they lie are the committed state
        Complete,  // committed: its puts and removals are the committed state
        Unusable,  // cut or not a save's: nothing was committed by it
        TooLarge,  // over the recipe texts' cap (a journal is a few lines): not read, left as it is
    };
    struct TEntry {
        bool Removal = false;
        QByteArray Temp;  // the temporary that becomes the file; empty for a removal
        QByteArray Name;  // the file, as spelled on disk
    };
    TState State = TState::None;
    QList<TEntry> Entries;
};

// Reads the journal of the open folder. When `pinFd` is given and there is a
// journal file, it receives an open descriptor of it (the caller closes it).
TSaveJournal ReadSaveJournal(int folderFd, int* pinFd = nullptr);

// Completes a save interrupted after its commit point and removes the
// temporaries of one interrupted before it. Never throws and never waits: it
// does nothing unless this process owns the collection (TCollectionLock) and
// it can take the folder's lock, and it leaves a journal over its cap, and a
// folder that cannot be changed (a read-only disk), as they are. True when it
// changed the folder.
bool RecoverRecipeFolderAt(int folderFd);

// True for the name of a temporary or journal of a recipe save.
bool IsRecipeTransactionFile(const QString& fileName);
bool IsRecipeTransactionFile(const char* fileName);
