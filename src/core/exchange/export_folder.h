#pragma once

#include <mutex>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The folder of one export and what the export puts into it. Every file is
// written beside its place under a hidden name and put in place only when
// the whole export is written (Keep), so a failed export changes nothing
// that was there: Discard removes every file that was not in the folder when
// it was taken and, when this export made the folder, the folder itself. A
// folder that was there before (a second export within the same second)
// stays with what it held, bytes included. The destructor discards unless
// Keep succeeded.
class TExportFolder final {
public:
    // The stamped folder of MakeStampedFolder; throws TExportFolderError as it.
    TExportFolder(const QString& parent, const QString& prefix, const QDateTime& now);
    // A folder that exists, taken as it is.
    explicit TExportFolder(const QString& existing);
    ~TExportFolder();
    TExportFolder(const TExportFolder&) = delete;
    TExportFolder& operator=(const TExportFolder&) = delete;

    // Without a final "/".
    const QString& Path() const { return FolderPath; }
    // Writes the file `name` of the export, not yet in its place. Safe from
    // several threads at once. Throws TSaporiaError naming the file's place.
    void Write(const QString& name, const QByteArray& bytes);
    // The export is complete: its files go to their places. Throws
    // TSaporiaError when one cannot; the export is then still to discard.
    void Keep();
    // Takes away what this export made, at once (before its error is shown).
    void Discard();

private:
    QString StagedPath(const QString& name) const;

    QString FolderPath;
    bool MadeFolder = false;
    QStringList Before;
    std::mutex Lock;
    QStringList Staged;  // names written, in the order written
    bool Settled = false;
};
