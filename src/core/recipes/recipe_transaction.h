#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A save of one recipe folder as one transaction: the recipe is always wholly
// old or wholly new, even when the process is killed half-way.
//
// Commit writes and flushes every new file to a temporary file in the folder
// first; a failure there removes the temporaries and changes nothing. Then a
// journal naming every change is put in place (the commit point), the
// temporaries are renamed over their files, files to go are removed, and the
// journal is removed. A save interrupted after the commit point is completed
// by RecoverRecipeFolder, which every reader of a recipe folder calls; one
// interrupted before it leaves only temporaries, which recovery removes.
//
// Temporaries and the journal are hidden files named ".saporia-save.*": they
// never end in ".jpg" or read as "Status.txt", so no listing shows them.

inline const QString RecipeTransactionPrefix = QStringLiteral(".saporia-save.");

class TRecipeTransaction final {
public:
    // `folder` is the recipe folder, with or without the final "/".
    explicit TRecipeTransaction(const QString& folder);

    // Writes `bytes` as the file `fileName` of the folder (a plain name, as it
    // is to be spelled on disk).
    void Put(const QString& fileName, const QByteArray& bytes);
    // Removes the file `fileName` of the folder; nothing when it is missing.
    void Remove(const QString& fileName);

    bool IsEmpty() const { return Changes.isEmpty(); }
    const QString& Folder() const { return FolderPath; }

    // All or nothing; throws TSaporiaError naming the file that could not be
    // written. Does nothing for an empty transaction.
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

    struct TChange {
        QString FileName;
        QByteArray Bytes;
        bool Removal = false;
    };
    QString FolderPath;
    QList<TChange> Changes;
    int StepsLeft = -1;
};

// Completes a save interrupted after its commit point and removes the
// temporaries of one interrupted before it. Never throws; a folder that
// cannot be changed (a read-only disk) is left as it is. Does nothing unless
// this process owns the collection (TCollectionLock).
void RecoverRecipeFolder(const QString& folder);
// The same for an open folder.
void RecoverRecipeFolderAt(int folderFd);

// True for the name of a temporary or journal of a recipe save.
bool IsRecipeTransactionFile(const QString& fileName);
bool IsRecipeTransactionFile(const char* fileName);
