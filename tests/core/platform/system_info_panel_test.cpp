#include <gtest/gtest.h>

#include <QLocale>

#include "core/platform/system_info_panel.h"
#include "core/platform/saporia_error.h"

namespace {

class TFakeSources final : public TSystemInfoSources {
public:
    QList<TMountEntry> Table;
    bool FailDisplay = false;
    bool FailMemory = false;
    bool Removable = false;

    QString OsText() const override { return "Fake Linux 1.0"; }
    QString BrowserText() const override { return "FakeBrowser 2"; }
    void Memory(qint64& total, qint64& available) const override {
        if (FailMemory)
            throw TSaporiaError("meminfo");
        total = 16'777'216LL * 1024;  // 16,777,216KB
        available = 1536;             // 1.5 KB rounds to 2
    }
    QList<TMountEntry> Mounts() const override { return Table; }
    TVolumeStats Volume(const TMountEntry& mount) const override {
        TVolumeStats s;
        if (mount.MountPoint == "/gone")
            return s;
        s.Ok = true;
        s.TotalBytes = 1'234'567LL * 1024 * 1024;
        s.FreeBytes = 512LL * 1024 * 1024 + 1;
        s.Name = "DATA";
        s.Serial = 4'000'000'000ULL;
        s.NameMax = 255;
        return s;
    }
    bool IsRemovable(const QString&) const override { return Removable; }
    TDisplayInfo Display() const override {
        if (FailDisplay)
            throw std::runtime_error("no screen");
        return {1920, 1080, 96};
    }
};

}  // namespace

TEST(SystemInfoPanel, NumberFormatIgnoresTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(FormatGrouped(0, "KB"), "0KB");
    EXPECT_EQ(FormatGrouped(999, "KB"), "999KB");
    EXPECT_EQ(FormatGrouped(1000, "KB"), "1,000KB");
    EXPECT_EQ(FormatGrouped(16777216, "KB"), "16,777,216KB");
    EXPECT_EQ(FormatGrouped(123456789012LL, "MB"), "123,456,789,012MB");
    EXPECT_EQ(FormatKilobytes(1536), "2KB");
    EXPECT_EQ(FormatKilobytes(1535), "1KB");
    EXPECT_EQ(FormatMegabytes(-1), "0MB");  // an unmeasured volume
    EXPECT_EQ(FormatMegabytes(1024LL * 1024 * 1024 * 3), "3,072MB");
    QLocale::setDefault(QLocale::c());
}

TEST(SystemInfoPanel, MountTableAndTheVolumeHoldingAFolder) {
    const QByteArray table =
        "proc /proc proc rw,relatime 0 0\n"
        "/dev/sda2 / ext4 rw,relatime 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "/dev/sda3 /home ext4 rw 0 0\n"
        "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n"
        "server:/x /home/net nfs4 rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "broken line\n";
    const QList<TMountEntry> all = ParseMountTable(table);
    ASSERT_EQ(all.size(), 7);
    EXPECT_EQ(all[4].MountPoint, "/media/My Disk");
    const QList<TMountEntry> volumes = UserVolumes(all);
    ASSERT_EQ(volumes.size(), 5);
    EXPECT_EQ(volumes[0].MountPoint, "/");

    auto holding = [&](const QString& path) {
        const int i = VolumeHolding(volumes, path);
        return i < 0 ? QString() : volumes[i].MountPoint;
    };
    EXPECT_EQ(holding("/home/user/saporia/"), "/home");
    EXPECT_EQ(holding("/home/net/cook/"), "/home/net");
    EXPECT_EQ(holding("/homework/x/"), "/");  // not a child of /home
    EXPECT_EQ(holding("/media/My Disk/app/"), "/media/My Disk");
    EXPECT_EQ(holding("/home"), "/home");
    EXPECT_EQ(VolumeHolding({}, "/x"), -1);
}

TEST(SystemInfoPanel, VolumeTypeFromTheFileSystem) {
    EXPECT_EQ(VolumeTypeLine("ext4", false), "ハードディスク");
    EXPECT_EQ(VolumeTypeLine("btrfs", false), "ハードディスク");
    EXPECT_EQ(VolumeTypeLine("overlay", false), "ハードディスク");
    EXPECT_EQ(VolumeTypeLine("vfat", true), "フロッピー,MO");
    EXPECT_EQ(VolumeTypeLine("ext4", true), "フロッピー,MO");
    EXPECT_EQ(VolumeTypeLine("nfs4", false), "ネットワークドライブ");
    EXPECT_EQ(VolumeTypeLine("cifs", false), "ネットワークドライブ");
    EXPECT_EQ(VolumeTypeLine("fuse.sshfs", false), "ネットワークドライブ");
    EXPECT_EQ(VolumeTypeLine("iso9660", true), "CD-ROMドライブ");
    EXPECT_EQ(VolumeTypeLine("udf", false), "CD-ROMドライブ");
    EXPECT_EQ(VolumeTypeLine("tmpfs", false), "RAMディスク");
    EXPECT_EQ(VolumeTypeLine("strangefs", false), "不明");
    EXPECT_EQ(VolumeTypeLine("", false), "ドライブは存在しません");
}

TEST(SystemInfoPanel, GatheringFillsEveryValue) {
    TFakeSources sources;
    const TMountEntry home{"/dev/sda3", "/home", "ext4", "rw,relatime"};
    TSystemInfoView view;
    GatherSystemInfo(sources, &home, view);
    EXPECT_EQ(view.OsText, "Fake Linux 1.0");
    EXPECT_EQ(view.BrowserText, "FakeBrowser 2");
    EXPECT_EQ(view.TotalMemory, "16,777,216KB");
    EXPECT_EQ(view.FreeMemory, "2KB");
    EXPECT_EQ(view.TotalSize, "1,234,567MB");
    EXPECT_EQ(view.FreeSize, "512MB");
    const QStringList expected = {"ハードディスク",       "ボリューム名\tDATA",
                                  "シリアルNo.\t4000000000", "ファイル名の長さ\t255",
                                  "ファイルシステム\text4",  "大文字、小文字を保持",
                                  "大文字、小文字の区別をする", "ACLを維持する"};
    EXPECT_EQ(view.VolumeLines, expected);
    EXPECT_EQ(view.DisplayLines,
              QStringList({"ディスプレイサイズ\t1920×1080", "ディスプレイ解像度\t96dpi"}));

    // A volume that is gone: the missing line, 0MB twice, no volume data.
    const TMountEntry gone{"/dev/sdc1", "/gone", "vfat", "rw"};
    GatherSystemInfo(sources, &gone, view);
    EXPECT_EQ(view.TotalSize, "0MB");
    EXPECT_EQ(view.FreeSize, "0MB");
    EXPECT_EQ(view.VolumeLines, QStringList({"ドライブは存在しません"}));
    GatherSystemInfo(sources, nullptr, view);
    EXPECT_EQ(view.VolumeLines, QStringList({"ドライブは存在しません"}));

    // A removable stick with a FAT file system.
    sources.Removable = true;
    const TMountEntry stick{"/dev/sdb1", "/media/stick", "vfat", "rw"};
    GatherSystemInfo(sources, &stick, view);
    EXPECT_EQ(view.VolumeLines.value(0), "フロッピー,MO");
    EXPECT_TRUE(view.VolumeLines.contains("Unicodeファイル名をサポート"));
    EXPECT_FALSE(view.VolumeLines.contains("大文字、小文字の区別をする"));
}

TEST(SystemInfoPanel, AFailingSourceKeepsWhatWasFilled) {
    TFakeSources sources;
    sources.FailDisplay = true;
    const TMountEntry home{"/dev/sda3", "/home", "ext4", "rw"};
    TSystemInfoView view;
    try {
        GatherSystemInfo(sources, &home, view);
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_EQ(e.message(), "SystemInformation Error.");
        EXPECT_EQ(SystemInfoErrorText(e.message()),
                  "システム情報読み込みエラー. Msg=SystemInformation Error.");
    }
    EXPECT_EQ(view.TotalMemory, "16,777,216KB");
    EXPECT_EQ(view.TotalSize, "1,234,567MB");
    EXPECT_EQ(view.VolumeLines.value(0), "ハードディスク");
    EXPECT_TRUE(view.DisplayLines.isEmpty());

    sources.FailMemory = true;
    TSystemInfoView empty;
    EXPECT_THROW(GatherSystemInfo(sources, &home, empty), TSaporiaError);
    EXPECT_TRUE(empty.TotalMemory.isEmpty());
}

TEST(SystemInfoPanel, TheRunningMachineAnswers) {
    TLinuxSystemInfoSources sources;
    qint64 total = 0, available = 0;
    sources.Memory(total, available);
    EXPECT_GT(total, 0);
    EXPECT_LE(available, total);
    const QList<TMountEntry> volumes = UserVolumes(sources.Mounts());
    const int i = VolumeHolding(volumes, "/");
    ASSERT_GE(i, 0);
    const TVolumeStats root = sources.Volume(volumes[i]);
    EXPECT_TRUE(root.Ok);
    EXPECT_GT(root.TotalBytes, 0);
}
