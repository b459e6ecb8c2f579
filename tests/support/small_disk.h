#pragma once

#include <QString>
#include <QtGlobal>
#include <QTemporaryDir>

// A tiny file system of its own (tmpfs) for failure tests: it fills up after
// a few kilobytes and can be made read-only, which a permission bit cannot
// imitate for root. Available only where mounting is allowed; tests skip
// otherwise.
class TSmallDisk final {
public:
    explicit TSmallDisk(int kilobytes);
    ~TSmallDisk();
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool Available() const { return Mounted; }
    // The mount point, ending with "/".
    QString Root() const { return Dir.path() + QLatin1Char('/'); }
    bool MakeReadOnly();
    // Fills the remaining space with a file "filler", then gives back about
    // `keepFreeBytes` (a small file still fits, a large one does not).
    void Fill(qint64 keepFreeBytes = 0);

private:
    QTemporaryDir Dir;
    bool Mounted = false;
};
