#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

#include "core/web/web_node.h"

// Which of the two folder-tree stores: "RSS.dat" (folders and feed sites with
// their news) or "Bookmark.dat" (folders and bookmarks).
enum class TStoreKind { Rss, Bookmark };

// "RSS" or "BOOKMARK", the name of the top folder.
QString StoreTopName(TStoreKind kind);
// "RSS.dat" or "Bookmark.dat".
QString StoreFileName(TStoreKind kind);
// A tree of only the top folder.
std::unique_ptr<TWebNode> DefaultStoreTree(TStoreKind kind);

// The file's bytes: the declaration, then the Document element holding the
// top folder on one line. Titles, addresses and news texts are stored with
// the numbered codes; every text and attribute goes through the XML writer,
// so no name or date can break the file.
QByteArray StoreToBytes(const TWebNode& top, TStoreKind kind);
// Reads the first Folder of the root element; white space between elements
// means nothing. Throws TSaporiaError for text that is not such a store.
std::unique_ptr<TWebNode> StoreFromBytes(const QByteArray& bytes, TStoreKind kind);

// One store file and the tree it holds for the run. Load reads it at start:
// a missing file gives the default tree, a good one is copied to its ".tmp"
// backup. A file that cannot be opened (no permission, not a regular file,
// larger than MaxStoreFileBytes) gives the default tree and stays exactly as
// it is: it is never set aside or saved over. A file whose bytes do not parse
// gives the default tree too, and the first Save moves it aside under the
// first free name of "<name>.bad", "<name>.bad2", ... "<name>.bad99" before
// writing, so an older copy is never replaced. Saves are atomic.
class TTreeStore final {
public:
    TTreeStore(const QString& path, TStoreKind kind);

    // Never throws: what went wrong is in LoadError and BackupError.
    void Load();
    void Save();

    TWebNode& Top() const { return *Tree; }
    // Why the file could not be used and what becomes of it, empty when it
    // was read or is missing.
    QString LoadError() const { return Error; }
    // Why the backup could not be written, empty when it was; the store itself
    // was read.
    QString BackupError() const { return BackupFailure; }

private:
    enum class TFate { Write, SetAside, Leave };
    void SetAsideUnparsedFile();

    QString FilePath;
    TStoreKind StoreKind;
    std::unique_ptr<TWebNode> Tree;
    QString Error;
    QString BackupFailure;
    TFate Fate = TFate::Write;
    int SetAsideCopy = 0;  // the number of the set-aside name Save tries first
};
