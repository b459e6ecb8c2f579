#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "core/platform/saporia_error.h"

// Reading and writing the user's files. Every write is atomic: a temporary file
// in the same folder is written, flushed and renamed over the old one, so a
// failed write leaves the old file whole. Failures throw TSaporiaError.

// The message of a failed write: "<path> に書き込めません".
QString CannotWriteMessage(const QString& path);
// The message of a failed read: "<path> を読み込めません".
QString CannotReadMessage(const QString& path);

// No limit on the size of a file read.
inline constexpr qint64 NoSizeLimit = -1;
// The files the program keeps for itself (the settings, the column table, the
// search history, the word list, the folder-tree stores, the server list) hold
// a few kilobytes. One larger than this is not read at all, so a huge file
// costs nothing at start and, left unread, is never written over.
inline constexpr qint64 MaxStoreFileBytes = 16LL * 1024 * 1024;

// A file larger than the size its reader takes: "<path> は大きすぎるため読み
// 込めません (16 MB まで)".
class TFileTooLargeError final : public TSaporiaError {
public:
    using TSaporiaError::TSaporiaError;
};
QString TooLargeMessage(const QString& path, qint64 maxBytes);

// Reads only regular files, opened without blocking: a FIFO or device named
// like a data file is an unreadable file, never a hang. A file larger than
// `maxBytes` is not read: TFileTooLargeError.
QByteArray ReadFileBytes(const QString& path, qint64 maxBytes = NoSizeLimit);
// The same relative to an open folder (AT_FDCWD for the working folder);
// false when the entry is missing, not a regular file or cannot be read, and
// false with errno EFBIG when it is larger than `maxBytes` (its size is
// looked at before a byte is read).
bool ReadRegularFileAt(int dirFd, const char* name, QByteArray& bytes, qint64 maxBytes = NoSizeLimit);
// Opens a regular file for reading the same way: its descriptor and size, or
// -1 when the entry is missing, not a regular file or cannot be opened.
int OpenRegularFileAt(int dirFd, const char* name, qint64& size);
// Reads the open regular file `fd` of `size` bytes from where it stands, the
// same way: false on a failed read, false with errno EFBIG past `maxBytes`.
bool ReadOpenFile(int fd, qint64 size, QByteArray& bytes, qint64 maxBytes = NoSizeLimit);
// Reads up to `size` bytes of the open file `fd` into `data`, fewer only at
// its end; -1 when a read fails.
qint64 ReadUpTo(int fd, char* data, qint64 size);
// Whether the entry `name` of the open folder `dirFd` is a folder (a link to
// one counts), given the type its listing reported.
bool IsFolderAt(int dirFd, const char* name, unsigned char listedType);
void WriteFileAtomic(const QString& path, const QByteArray& bytes);

// True when anything has this name: a file, a folder, a FIFO, or a symbolic
// link even when it leads nowhere.
bool EntryExists(const QString& path);
// Renames the entry `from` to `to` (native paths) only while nothing has the
// name `to`, so no entry is ever replaced: false with errno EEXIST when
// something has, or with the errno of any other failure.
bool RenameNoReplace(const QByteArray& from, const QByteArray& to);

// CP932 text files. WriteSjisText encodes first, so a character that CP932
// cannot hold fails the write before the file is touched.
QString ReadSjisText(const QString& path, qint64 maxBytes = NoSizeLimit);
void WriteSjisText(const QString& path, const QString& text);

// CP932 line files with CR LF line ends (every line, the last included).
QStringList ReadSjisLines(const QString& path, qint64 maxBytes = NoSizeLimit);
void WriteSjisLines(const QString& path, const QStringList& lines);

// The name of the entry of `dir` whose name equals `name` ignoring case, so a
// writer reuses "status.txt" instead of adding "Status.txt" beside it.
// Returns `name` itself when no such entry exists.
QString ExistingNameIgnoringCase(const QString& dir, const QString& name);
// `dir` + "/" + the name ExistingNameIgnoringCase gives, trying the exact name
// first so the usual spelling costs no listing of the folder.
QString ExistingPathIgnoringCase(const QString& dir, const QString& name);

// Names in order ignoring case, then exactly, so the order is the same on
// every run.
bool LessIgnoringCase(const QString& a, const QString& b);

// Entries of a folder sorted by name ignoring case (then exactly, so the order
// is the same on every run).
QStringList SortedEntries(const QString& dir, const QStringList& nameFilters, bool folders);

// `folder` with one '/' at its end, for joining a file name to it.
QString WithTrailingSlash(const QString& folder);

// A file name without its last extension ("a.b.jpg" gives "a.b", ".jpg" gives "").
QString WithoutExtension(const QString& fileName);
