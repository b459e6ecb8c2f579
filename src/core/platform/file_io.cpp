#include "core/platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <dirent.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

QString CannotWriteMessage(const QString& path) {
    return QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(path));
}

QString CannotReadMessage(const QString& path) {
    return QStringLiteral("%1 を読み込めません").arg(QDir::toNativeSeparators(path));
}

QString TooLargeMessage(const QString& path, qint64 maxBytes) {
    const QString limit = maxBytes >= 1024 * 1024 ? QStringLiteral("%1 MB").arg(maxBytes / (1024 * 1024))
                                                  : QStringLiteral("%1 バイト").arg(maxBytes);
    return QStringLiteral("%1 は大きすぎるため読み込めません (%2 まで)").arg(QDir::toNativeSeparators(path), limit);
}

int OpenRegularFileAt(int dirFd, const char* name, qint64& size) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer
    // for ever. Only a regular file is read; anything else is unreadable.
    const int fd = openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    size = info.st_size;
    return fd;
}

bool IsFolderAt(int dirFd, const char* name, unsigned char listedType) {
    if (listedType == DT_DIR)
        return true;
    if (listedType != DT_UNKNOWN && listedType != DT_LNK)
        return false;
    struct stat info {};
    return fstatat(dirFd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

qint64 ReadUpTo(int fd, char* data, qint64 size) {
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = read(fd, data + got, static_cast<size_t>(size - got));
        if (n > 0)
            got += n;
        else if (n == 0)
            break;
        else if (errno != EINTR)
            return -1;
    }
    return got;
}

bool ReadOpenFile(int fd, qint64 size, QByteArray& bytes, qint64 maxBytes) {
    bool tooLarge = maxBytes >= 0 && size > maxBytes;
    bool ok = !tooLarge;
    if (ok && size > 0)
        bytes.reserve(static_cast<qsizetype>(size));
    char buffer[65536];
    while (ok) {
        const qint64 n = ReadUpTo(fd, buffer, sizeof(buffer));
        if (n < 0) {
            ok = false;
            break;
        }
        bytes.append(buffer, n);
        // A file that grows while it is read is held to the same limit.
        if (maxBytes >= 0 && bytes.size() > maxBytes) {
            tooLarge = true;
            ok = false;
        } else if (n < qint64(sizeof(buffer))) {
            break;  // the end of the file
        }
    }
    if (tooLarge) {
        bytes.clear();
        errno = EFBIG;
    }
    return ok;
}

bool ReadRegularFileAt(int dirFd, const char* name, QByteArray& bytes, qint64 maxBytes) {
    qint64 size = 0;
    const int fd = OpenRegularFileAt(dirFd, name, size);
    if (fd < 0)
        return false;
    const bool ok = ReadOpenFile(fd, size, bytes, maxBytes);
    const int error = errno;
    close(fd);
    errno = error;
    return ok;
}

QByteArray ReadFileBytes(const QString& path, qint64 maxBytes) {
    QByteArray bytes;
    // A short read hands back part of the file; a caller taking that for the
    // whole file would save the cut text over it.
    if (path.isEmpty())
        throw TSaporiaError(CannotReadMessage(path));
    if (!ReadRegularFileAt(AT_FDCWD, QFile::encodeName(path).constData(), bytes, maxBytes)) {
        if (errno == EFBIG)
            throw TFileTooLargeError(TooLargeMessage(path, maxBytes));
        throw TSaporiaError(CannotReadMessage(path));
    }
    return bytes;
}

void WriteFileAtomic(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // flush() first: commit() renames even after a short write (disk full,
    // file size limit), which would replace the old file with a cut one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        throw TSaporiaError(CannotWriteMessage(path));
}

bool EntryExists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool RenameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace flag: a look first has to do.
    struct stat info {};
    if (::lstat(to.constData(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}

QString ReadSjisText(const QString& path, qint64 maxBytes) { return FromSjis(ReadFileBytes(path, maxBytes)); }

void WriteSjisText(const QString& path, const QString& text) {
    WriteFileAtomic(path, ToSjis(text));
}

QStringList ReadSjisLines(const QString& path, qint64 maxBytes) {
    return SplitLines(ReadSjisText(path, maxBytes));
}

void WriteSjisLines(const QString& path, const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    WriteSjisText(path, text);
}

QString ExistingNameIgnoringCase(const QString& dir, const QString& name) {
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name);
    for (const QString& entry : entries)
        if (entry == name)
            return entry;
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return name;
}

QString ExistingPathIgnoringCase(const QString& dir, const QString& name) {
    const QString folder = WithTrailingSlash(dir);
    if (QFileInfo::exists(folder + name))
        return folder + name;
    return folder + ExistingNameIgnoringCase(folder, name);
}

bool LessIgnoringCase(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

QStringList SortedEntries(const QString& dir, const QStringList& nameFilters, bool folders) {
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::Hidden;
    filters |= folders ? QDir::Dirs : QDir::Files;
    QStringList entries = QDir(dir).entryList(nameFilters, filters, QDir::NoSort);
    std::sort(entries.begin(), entries.end(), LessIgnoringCase);
    return entries;
}

QString WithTrailingSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString WithoutExtension(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? fileName.left(dot) : fileName;
}
