#include "core/platform/system_info_panel.h"

#include <cmath>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>

#include "core/platform/saporia_error.h"
#include "core/platform/system_info.h"

namespace {

const QSet<QString>& PseudoFileSystems() {
    static const QSet<QString> names = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "debugfs",
        "tracefs", "mqueue", "pstore", "bpf", "autofs", "configfs", "fusectl", "hugetlbfs",
        "binfmt_misc", "efivarfs", "nsfs", "rpc_pipefs", "selinuxfs", "ramfs_internal",
        "fuse.gvfsd-fuse", "fuse.portal", "squashfs"};
    return names;
}

bool IsNetworkFs(const QString& type) {
    static const QSet<QString> names = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs",
                                        "ceph", "glusterfs", "davfs", "fuse.sshfs",
                                        "fuse.rclone", "virtiofs"};
    return names.contains(type);
}

bool IsFatLike(const QString& type) {
    return type == "vfat" || type == "msdos" || type == "exfat" || type == "fat" ||
           type == "ntfs" || type == "ntfs3" || type == "fuseblk";
}

QString DecodeMountField(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromUtf8(out);
}

qint64 RoundedDiv(qint64 bytes, double by) {
    const double v = std::round(double(bytes) / by);
    return v == 0 ? 0 : qint64(v);
}

qint64 MeminfoKb(const QByteArray& text, const char* key) {
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(key)) {
            const QList<QByteArray> parts = line.mid(qstrlen(key)).simplified().split(' ');
            bool ok = false;
            const qint64 kb = parts.value(0).toLongLong(&ok);
            if (ok)
                return kb;
        }
    }
    throw TSaporiaError(QString("no %1 in /proc/meminfo").arg(key));
}

}  // namespace

QString FormatGrouped(qint64 value, const QString& unit) {
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, ',');
    return (negative ? "-" : "") + digits + unit;
}

QString FormatKilobytes(qint64 bytes) { return FormatGrouped(RoundedDiv(bytes, 1024.0), "KB"); }

QString FormatMegabytes(qint64 bytes) {
    return FormatGrouped(RoundedDiv(bytes, 1024.0 * 1024.0), "MB");
}

QList<TMountEntry> ParseMountTable(const QByteArray& bytes) {
    QList<TMountEntry> mounts;
    for (const QByteArray& line : bytes.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 4)
            continue;
        mounts.append({DecodeMountField(f[0]), DecodeMountField(f[1]), DecodeMountField(f[2]),
                       DecodeMountField(f[3])});
    }
    return mounts;
}

QList<TMountEntry> UserVolumes(const QList<TMountEntry>& mounts) {
    QList<TMountEntry> out;
    for (const TMountEntry& m : mounts) {
        if (PseudoFileSystems().contains(m.FsType))
            continue;
        // Bind mounts of single files (container resolv.conf and the like) are no volumes.
        if (m.MountPoint.startsWith("/proc") || m.MountPoint.startsWith("/sys") ||
            m.MountPoint.startsWith("/dev/") || m.MountPoint.startsWith("/run/user/"))
            continue;
        out.append(m);
    }
    return out;
}

int VolumeHolding(const QList<TMountEntry>& volumes, const QString& path) {
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        const QString mp = QDir::cleanPath(volumes[i].MountPoint);
        const bool holds = mp == "/" || clean == mp || clean.startsWith(mp + "/");
        // A later mount on the same point hides the earlier one, hence >=.
        if (holds && mp.size() >= bestLength) {
            best = i;
            bestLength = mp.size();
        }
    }
    return best;
}

QString VolumeTypeLine(const QString& fsType, bool removable) {
    if (fsType.isEmpty())
        return "ドライブは存在しません";
    if (IsNetworkFs(fsType))
        return "ネットワークドライブ";
    if (fsType == "iso9660" || fsType == "udf")
        return "CD-ROMドライブ";
    if (fsType == "tmpfs" || fsType == "ramfs")
        return "RAMディスク";
    static const QSet<QString> disks = {"ext2", "ext3", "ext4", "xfs", "btrfs", "jfs",
                                        "reiserfs", "f2fs", "zfs", "hfsplus", "apfs",
                                        "overlay", "bcachefs", "nilfs2"};
    if (disks.contains(fsType) || IsFatLike(fsType))
        return removable ? "フロッピー,MO" : "ハードディスク";
    return "不明";
}

QStringList VolumeDataLines(const TMountEntry& mount, const TVolumeStats& stats) {
    QStringList lines;
    if (!stats.Ok)
        return lines;
    lines << "ボリューム名\t" + stats.Name << "シリアルNo.\t" + QString::number(stats.Serial)
          << "ファイル名の長さ\t" + QString::number(stats.NameMax)
          << "ファイルシステム\t" + mount.FsType;
    const QStringList options = mount.Options.split(',');
    const bool fat = IsFatLike(mount.FsType);
    lines << "大文字、小文字を保持";
    if (!fat)
        lines << "大文字、小文字の区別をする";
    if (fat)
        lines << "Unicodeファイル名をサポート";
    if (options.contains("acl") || mount.FsType == "xfs" || mount.FsType == "btrfs" ||
        mount.FsType.startsWith("ext4"))
        if (!options.contains("noacl"))
            lines << "ACLを維持する";
    bool compressOption = false, compressing = false;
    for (const QString& o : options) {
        if (!o.startsWith("compress"))
            continue;
        compressOption = true;
        // btrfs writes compress, compress-force, compress=zstd:3 and the like; "=no" compresses nothing.
        const QString name = o.section('=', 0, 0);
        if (mount.FsType == "btrfs" && (name == "compress" || name == "compress-force") &&
            !o.section('=', 1).startsWith("no"))
            compressing = true;
    }
    if (compressOption)
        lines << "ファイルベースの圧縮をサポート";
    if (compressing || stats.Compressed)
        lines << "圧縮ドライブ";
    return lines;
}

void GatherSystemInfo(const TSystemInfoSources& sources, const TMountEntry* mount,
                      TSystemInfoView& view) {
    try {
        qint64 total = 0, available = 0;
        sources.Memory(total, available);
        view.TotalMemory = FormatKilobytes(total);
        view.FreeMemory = FormatKilobytes(available);
        view.OsText = sources.OsText();
        view.BrowserText = sources.BrowserText();

        TVolumeStats stats;
        if (mount)
            stats = sources.Volume(*mount);
        view.TotalSize = FormatMegabytes(stats.Ok ? stats.TotalBytes : -1);
        view.FreeSize = FormatMegabytes(stats.Ok ? stats.FreeBytes : -1);
        view.VolumeLines.clear();
        const bool present = mount && stats.Ok;
        view.VolumeLines << VolumeTypeLine(present ? mount->FsType : QString(),
                                           present && sources.IsRemovable(mount->Device));
        if (present)
            view.VolumeLines << VolumeDataLines(*mount, stats);

        view.DisplayLines.clear();
        const TDisplayInfo display = sources.Display();
        view.DisplayLines << QString("ディスプレイサイズ\t%1×%2").arg(display.Width).arg(display.Height)
                          << QString("ディスプレイ解像度\t%1dpi").arg(display.Dpi);
    } catch (const std::exception&) {
        throw TSaporiaError("SystemInformation Error.");
    }
}

QString SystemInfoErrorText(const QString& message) {
    return "システム情報読み込みエラー. Msg=" + message;
}

// --- the running machine ---

QString TLinuxSystemInfoSources::OsText() const { return GetOsVersionText(); }

QString TLinuxSystemInfoSources::BrowserText() const { return GetBrowserVersionText(); }

void TLinuxSystemInfoSources::Memory(qint64& total, qint64& available) const {
    QFile file("/proc/meminfo");
    if (!file.open(QIODevice::ReadOnly))
        throw TSaporiaError("cannot read /proc/meminfo");
    const QByteArray text = file.readAll();
    total = MeminfoKb(text, "MemTotal:") * 1024;
    available = MeminfoKb(text, "MemAvailable:") * 1024;
}

QList<TMountEntry> TLinuxSystemInfoSources::Mounts() const {
    QFile file("/proc/self/mounts");
    if (!file.open(QIODevice::ReadOnly))
        throw TSaporiaError("cannot read /proc/self/mounts");
    return ParseMountTable(file.readAll());
}

TVolumeStats TLinuxSystemInfoSources::Volume(const TMountEntry& mount) const {
    TVolumeStats stats;
    struct statvfs st{};
    if (statvfs(QFile::encodeName(mount.MountPoint).constData(), &st) != 0)
        return stats;
    stats.Ok = true;
    stats.TotalBytes = qint64(st.f_blocks) * qint64(st.f_frsize);
    stats.FreeBytes = qint64(st.f_bavail) * qint64(st.f_frsize);
    stats.Serial = quint64(st.f_fsid);
    stats.NameMax = qint64(st.f_namemax);
    // A file system that compresses everything marks its root as compressed.
    struct statx sx{};
    if (statx(AT_FDCWD, QFile::encodeName(mount.MountPoint).constData(), AT_NO_AUTOMOUNT, 0, &sx) == 0)
        stats.Compressed = (sx.stx_attributes_mask & sx.stx_attributes & STATX_ATTR_COMPRESSED) != 0;
    // The label, when udev published one for the device.
    const QDir labels("/dev/disk/by-label");
    const QString device = QFileInfo(mount.Device).canonicalFilePath();
    if (!device.isEmpty())
        for (const QFileInfo& link : labels.entryInfoList(QDir::System | QDir::Files))
            if (link.canonicalFilePath() == device)
                stats.Name = link.fileName().replace("\\x20", " ");
    return stats;
}

bool TLinuxSystemInfoSources::IsRemovable(const QString& device) const {
    if (!device.startsWith("/dev/"))
        return false;
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    if (name.isEmpty())
        return false;
    // A partition's own folder has no "removable"; its disk is the parent folder.
    QString sys = QFileInfo("/sys/class/block/" + name).canonicalFilePath();
    for (int up = 0; up < 2 && !sys.isEmpty(); ++up) {
        QFile flag(sys + "/removable");
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
        sys = QFileInfo(sys).path();
    }
    return false;
}

TDisplayInfo TLinuxSystemInfoSources::Display() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        throw TSaporiaError("no screen");
    const QRect g = screen->geometry();
    return {g.width(), g.height(), qRound(screen->logicalDotsPerInchX())};
}
