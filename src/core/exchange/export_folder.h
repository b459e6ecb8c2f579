#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The stamped folder of one export (MakeStampedFolder) and what the export
// put into it. An export that fails takes its work away again: Discard
// removes every file that was not in the folder when it was taken and, when
// this export made the folder, the folder itself. A folder that was there
// before (a second export within the same second) stays, with what it held.
// The destructor discards unless Keep was called.
class TExportFolder final {
public:
    // Throws TExportFolderError as MakeStampedFolder.
    TExportFolder(const QString& parent, const QString& prefix, const QDateTime& now);
    ~TExportFolder();
    TExportFolder(const TExportFolder&) = delete;
    TExportFolder& operator=(const TExportFolder&) = delete;

    // Without a final "/".
    const QString& Path() const { return FolderPath; }
    // The export is complete: nothing is taken away.
    void Keep() { Settled = true; }
    // Takes away what this export made, at once (before its error is shown).
    void Discard();

private:
    QString FolderPath;
    bool MadeFolder = false;
    QStringList Before;
    bool Settled = false;
};
