#include "core/exchange/export_folder.h"

#include <QDir>
#include <QFile>

#include "core/exchange/html_writer.h"

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

TExportFolder::~TExportFolder() { Discard(); }

void TExportFolder::Discard() {
    if (Settled)
        return;
    Settled = true;
    const QString folder = FolderPath + QLatin1Char('/');
    for (const QString& name : FilesIn(FolderPath))
        if (!Before.contains(name))
            QFile::remove(folder + name);
    // rmdir removes only an empty folder: nothing the export did not make goes.
    if (MadeFolder)
        QDir().rmdir(FolderPath);
}
