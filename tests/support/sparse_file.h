#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What tells a file apart from one written over it: a save writes a new file
// and renames it into place, so the inode changes even when the bytes do not.
struct TFileStamp {
    quint64 Inode = 0;
    qint64 Size = -1;
    qint64 ModifiedNs = 0;
    QByteArray Head;  // the first bytes

    bool operator==(const TFileStamp&) const = default;
};

// A file of `size` bytes: `head`, then a hole. Far larger than any real file
// at no cost in disk or time. Returns its stamp.
TFileStamp MakeSparseFile(const QString& path, const QByteArray& head, qint64 size);

// The stamp of `path` with its first `headBytes` bytes; Size -1 when missing.
TFileStamp StampOf(const QString& path, qsizetype headBytes);
