#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The facts shown in the about box's information panel, gathered from Linux:
// memory from /proc/meminfo, volumes from the mount table, sizes by statvfs,
// the display from the primary screen. The sources sit behind an interface so
// a test can feed a fake mount table or a failing source.

struct TMountEntry final {
    QString Device;
    QString MountPoint;
    QString FsType;
    QString Options;
};

struct TVolumeStats final {
    bool Ok = false;          // false: the volume could not be measured
    qint64 TotalBytes = -1;
    qint64 FreeBytes = -1;
    QString Name;             // volume label, may be empty
    quint64 Serial = 0;
    qint64 NameMax = 0;
    bool Compressed = false;  // the volume itself reports that it compresses its files
};

struct TDisplayInfo final {
    int Width = 0;
    int Height = 0;
    int Dpi = 0;
};

class TSystemInfoSources {
public:
    virtual ~TSystemInfoSources() = default;
    virtual QString OsText() const = 0;
    virtual QString BrowserText() const = 0;
    // Physical memory in bytes; throws when it cannot be read.
    virtual void Memory(qint64& total, qint64& available) const = 0;
    virtual QList<TMountEntry> Mounts() const = 0;
    virtual TVolumeStats Volume(const TMountEntry& mount) const = 0;
    virtual bool IsRemovable(const QString& device) const = 0;
    virtual TDisplayInfo Display() const = 0;
};

// The sources of the running machine.
class TLinuxSystemInfoSources final : public TSystemInfoSources {
public:
    QString OsText() const override;
    QString BrowserText() const override;
    void Memory(qint64& total, qint64& available) const override;
    QList<TMountEntry> Mounts() const override;
    TVolumeStats Volume(const TMountEntry& mount) const override;
    bool IsRemovable(const QString& device) const override;
    TDisplayInfo Display() const override;
};

// What the panel shows; filled step by step, so after an error the steps done
// before it are kept.
struct TSystemInfoView final {
    QString OsText;
    QString TotalMemory;
    QString FreeMemory;
    QString BrowserText;
    QString TotalSize;
    QString FreeSize;
    QStringList VolumeLines;
    QStringList DisplayLines;
};

// "#,##0" with "," between thousands whatever the locale, then the unit.
QString FormatGrouped(qint64 value, const QString& unit);
// Bytes to rounded kilobytes / megabytes; -1 (not measured) shows as 0.
QString FormatKilobytes(qint64 bytes);
QString FormatMegabytes(qint64 bytes);

// Lines of /proc/self/mounts (octal escapes such as \040 decoded).
QList<TMountEntry> ParseMountTable(const QByteArray& bytes);
// The mounts worth offering: real and network file systems, RAM disks and
// optical media, without the kernel's pseudo file systems; table order.
QList<TMountEntry> UserVolumes(const QList<TMountEntry>& mounts);
// Index in `volumes` of the mount that holds `path` (the longest mount point
// that is `path` or one of its parent folders); -1 when none does.
int VolumeHolding(const QList<TMountEntry>& volumes, const QString& path);

// The drive-type line for a file-system type; an empty type stands for a
// volume that is not there.
QString VolumeTypeLine(const QString& fsType, bool removable);
// The volume data lines and the lines of the flags that the file system has.
QStringList VolumeDataLines(const TMountEntry& mount, const TVolumeStats& stats);

// Fills `view` for the volume `mount` (nullptr: none chosen). Any failure of a
// source ends the gathering with TSaporiaError("SystemInformation Error.").
void GatherSystemInfo(const TSystemInfoSources& sources, const TMountEntry* mount,
                      TSystemInfoView& view);

// The text of the box that reports a failed gathering.
QString SystemInfoErrorText(const QString& message);
