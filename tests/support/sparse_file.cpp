#include "support/sparse_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

TFileStamp MakeSparseFile(const QString& path, const QByteArray& head, qint64 size) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(head);
        file.close();
    }
    if (truncate(QFile::encodeName(path).constData(), size) != 0)
        return {};
    return StampOf(path, head.size());
}

TFileStamp StampOf(const QString& path, qsizetype headBytes) {
    TFileStamp stamp;
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.Inode = info.st_ino;
    stamp.Size = info.st_size;
    stamp.ModifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        stamp.Head = file.read(headBytes);
    return stamp;
}
