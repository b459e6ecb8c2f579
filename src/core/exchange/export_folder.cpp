#include "core/exchange/export_folder.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/exchange/html_writer.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"

namespace {

// Every entry but folders; a link is listed as itself and removed as itself.
QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
}

}  // namespace

TExportFolder::TExportFolder(const QString& parent, const QString& prefix, const QDateTime& now) {
    FolderPath = MakeStampedFolder(parent, prefix, now, &MadeFolder);
    if (!MadeFolder)
        Before = FilesIn(FolderPath);
}

TExportFolder::TExportFolder(const QString& existing)
    : FolderPath(QDir::cleanPath(existing)), Before(FilesIn(FolderPath)) {}

TExportFolder::~TExportFolder() { Discard(); }

QString TExportFolder::StagedPath(const QString& name) const {
    return FolderPath + QStringLiteral("/.") + name + QStringLiteral(".part");
}

void TExportFolder::Write(const QString& name, const QByteArray& bytes) {
    const QString target = FolderPath + QLatin1Char('/') + name;
    // Only a file can be replaced at Keep: a folder in the way fails now.
    if (QFileInfo(target).isDir())
        throw TSaporiaError(CannotWriteMessage(target));
    try {
        WriteFileAtomic(StagedPath(name), bytes);
    } catch (const TSaporiaError&) {
        throw TSaporiaError(CannotWriteMessage(target));  // the name the user knows
    }
    const std::lock_guard<std::mutex> guard(Lock);
    Staged.append(name);
}

void TExportFolder::Keep() {
    if (Settled)
        return;
    for (const QString& name : std::as_const(Staged)) {
        const QString target = FolderPath + QLatin1Char('/') + name;
        // rename() replaces an old file at once; QFile::rename would refuse.
        if (std::rename(QFile::encodeName(StagedPath(name)).constData(), QFile::encodeName(target).constData()) != 0)
            throw TSaporiaError(CannotWriteMessage(target));
    }
    Settled = true;
}

void TExportFolder::Discard() {
    if (Settled)
        return;
    Settled = true;
    for (const QString& name : std::as_const(Staged))
        QFile::remove(StagedPath(name));
    const QString folder = FolderPath + QLatin1Char('/');
    for (const QString& name : FilesIn(FolderPath))
        if (!Before.contains(name))
            QFile::remove(folder + name);
    // rmdir removes only an empty folder: nothing the export did not make goes.
    if (MadeFolder)
        QDir().rmdir(FolderPath);
}
