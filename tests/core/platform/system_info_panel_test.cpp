#include <gtest/gtest.h>

#include <QLocale>

#include "core/platform/saporia_error.h"
#include "support/fake_system_info.h"

namespace {

const TMountEntry Home{"/dev/sda3", "/home", "ext4", "rw,relatime"};

}  // namespace

TEST(SystemInfoPanel, NumbersAreGroupedWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(FormatGrouped(999, "KB"), "999KB");
    EXPECT_EQ(FormatGrouped(123456789012LL, "MB"), "123,456,789,012MB");
    EXPECT_EQ(FormatKilobytes(1535), "1KB");
    EXPECT_EQ(FormatMegabytes(-1), "0MB");  // an unmeasured volume
    QLocale::setDefault(QLocale::c());
}

TEST(SystemInfoPanel, MountTableAndTheVolumeHoldingAFolder) {
    const QList<TMountEntry> all = ParseMountTable("proc /proc proc rw 0 0\n/dev/sda2 / ext4 rw 0 0\n"
                                                   "/dev/sda3 /home ext4 rw 0 0\n"
                                                   "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n"
                                                   "server:/x /home/net nfs4 rw 0 0\nbroken line\n");
    ASSERT_EQ(all.size(), 5);
    const QList<TMountEntry> volumes = UserVolumes(all);
    ASSERT_EQ(volumes.size(), 4);
    const std::pair<QString, QString> cases[] = {
        {"/home/user/saporia/", "/home"}, {"/home/net/cook/", "/home/net"}, {"/homework/x/", "/"},
        {"/media/My Disk/app/", "/media/My Disk"}, {"/home", "/home"},
    };
    for (const auto& [path, mountPoint] : cases)
        EXPECT_EQ(volumes.value(VolumeHolding(volumes, path)).MountPoint, mountPoint) << path.toStdString();
    EXPECT_EQ(VolumeHolding({}, "/x"), -1);
}

TEST(SystemInfoPanel, VolumeTypeFromTheFileSystem) {
    const std::tuple<QString, bool, QString> cases[] = {
        {"ext4", false, "ハードディスク"}, {"vfat", true, "フロッピー,MO"}, {"fuse.sshfs", false, "ネットワークドライブ"},
        {"iso9660", true, "CD-ROMドライブ"}, {"tmpfs", false, "RAMディスク"}, {"strangefs", false, "不明"},
        {"", false, "ドライブは存在しません"},
    };
    for (const auto& [fs, removable, line] : cases)
        EXPECT_EQ(VolumeTypeLine(fs, removable), line) << fs.toStdString();
}

TEST(SystemInfoPanel, GatheringFillsEveryValue) {
    TFakeSystemInfo sources;
    TSystemInfoView view;
    GatherSystemInfo(sources, &Home, view);
    EXPECT_EQ(QStringList({view.OsText, view.BrowserText, view.TotalMemory, view.FreeMemory, view.TotalSize,
                           view.FreeSize}),
              QStringList({"Fake Linux 1.0", "FakeBrowser 2", "16,777,216KB", "2KB", "1,234,567MB", "512MB"}));
    EXPECT_EQ(view.VolumeLines, QStringList({"ハードディスク", "ボリューム名\tDATA", "シリアルNo.\t4000000000",
                                             "ファイル名の長さ\t255", "ファイルシステム\text4", "大文字、小文字を保持",
                                             "大文字、小文字の区別をする", "ACLを維持する"}));
    EXPECT_EQ(view.DisplayLines, QStringList({"ディスプレイサイズ\t1920×1080", "ディスプレイ解像度\t96dpi"}));

    // A volume that is gone: the missing line and 0MB.
    const TMountEntry gone{"/dev/sdc1", "/gone", "vfat", "rw"};
    GatherSystemInfo(sources, &gone, view);
    EXPECT_EQ(std::pair(view.TotalSize, view.VolumeLines), std::pair(QString("0MB"), QStringList({"ドライブは存在しません"})));

    sources.Removable = true;
    const TMountEntry stick{"/dev/sdb1", "/media/stick", "vfat", "rw"};
    GatherSystemInfo(sources, &stick, view);
    EXPECT_TRUE(view.VolumeLines.contains("Unicodeファイル名をサポート"));
}

TEST(SystemInfoPanel, AFailingSourceKeepsWhatWasFilled) {
    TFakeSystemInfo sources;
    sources.FailDisplay = true;
    TSystemInfoView view;
    try {
        GatherSystemInfo(sources, &Home, view);
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_EQ(SystemInfoErrorText(e.message()), "システム情報読み込みエラー. Msg=SystemInformation Error.");
    }
    EXPECT_EQ(view.TotalSize + view.VolumeLines.value(0), QStringLiteral("1,234,567MBハードディスク"));
}

TEST(SystemInfoPanel, TheRunningMachineAnswers) {
    TLinuxSystemInfoSources sources;
    qint64 total = 0, available = 0;
    sources.Memory(total, available);
    EXPECT_GT(total, 0);
    const QList<TMountEntry> volumes = UserVolumes(sources.Mounts());
    const int i = VolumeHolding(volumes, "/");
    ASSERT_GE(i, 0);
    EXPECT_GT(sources.Volume(volumes[i]).TotalBytes, 0);
}
