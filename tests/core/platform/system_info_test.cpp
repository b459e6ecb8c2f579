#include <gtest/gtest.h>

#include <QLocale>
#include <QMap>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/platform/system_info.h"
#include "support/fake_system_info.h"

TEST(SystemInfo, VersionTextFromTheSystemsNames) {
    const std::pair<QByteArray, QString> names[] = {
        {"PRETTY_NAME=\"Debian GNU/Linux 12\"\nNAME=\"Debian\"\n", "Debian GNU/Linux 12"},
        {"# comment\nNAME=Fedora\nVERSION='39 (Workstation Edition)'\n", "Fedora 39 (Workstation Edition)"},
        {"PRETTY_NAME=\"Say \\\"hi\\\" \\\\ OS\"\r\n", "Say \"hi\" \\ OS"},
        {"PRETTY_NAME=\"\xE3\x83\x87\xE3\x83\x93\xE3\x82\xA2\xE3\x83\xB3\"", QStringLiteral("デビアン")},
        {"garbage\n=x\nID=debian\n", ""},
    };
    for (const auto& [file, name] : names)
        EXPECT_EQ(OsReleaseName(file), name) << file.toStdString();

    const auto fake = [](QMap<QString, QByteArray> files, TKernelInfo kernel) {
        TSystemInfoSource source;
        source.ReadFile = [files](const QString& path) { return files.value(path); };
        source.Kernel = [kernel] { return kernel; };
        return GetOsVersionText(source);
    };
    const QByteArray debian = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n";
    const TKernelInfo kernel{"Linux", "6.1.0-18-amd64", "x86_64"};
    // The second place is read when the first is missing.
    EXPECT_EQ(fake({{"/usr/lib/os-release", debian}}, kernel),
              QStringLiteral("Debian GNU/Linux 12 (bookworm) 〔Linux 6.1.0-18-amd64: x86_64〕"));
    EXPECT_EQ(fake({}, kernel), QStringLiteral("Linux 〔Linux 6.1.0-18-amd64: x86_64〕"));
    EXPECT_EQ(fake({{"/etc/os-release", debian}}, {}), QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(GetOsVersionText(TSystemInfoSource{}), "");
}

TEST(SystemInfo, TheRunningMachineAnswers) {
    // Some text, which the about box can store.
    const QString running = GetOsVersionText();
    EXPECT_TRUE(running.contains(QStringLiteral("〔")) && FromSjis(ToSjis(running)) == running);
    EXPECT_TRUE(GetBrowserVersionText().contains(QString::fromLatin1(qVersion())));
    TLinuxSystemInfoSources sources;
    qint64 total = 0, available = 0;
    sources.Memory(total, available);
    EXPECT_GT(total, 0);
    const QList<TMountEntry> volumes = UserVolumes(sources.Mounts());
    const int i = VolumeHolding(volumes, "/");
    ASSERT_GE(i, 0);
    EXPECT_GT(sources.Volume(volumes[i]).TotalBytes, 0);
}

TEST(SystemInfoPanel, NumbersMountsAndVolumeTypes) {
    QLocale::setDefault(QLocale(QLocale::German));  // grouped the same whatever the locale
    EXPECT_EQ(FormatGrouped(999, "KB") + FormatGrouped(123456789012LL, "MB"), "999KB123,456,789,012MB");
    EXPECT_EQ(FormatKilobytes(1535) + FormatMegabytes(-1), "1KB0MB");  // -1: an unmeasured volume
    QLocale::setDefault(QLocale::c());

    const QList<TMountEntry> all = ParseMountTable(
        "proc /proc proc rw 0 0\n/dev/sda2 / ext4 rw 0 0\n/dev/sda3 /home ext4 rw 0 0\n"
        "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\nserver:/x /home/net nfs4 rw 0 0\nbroken line\n");
    ASSERT_EQ(all.size(), 5);
    const QList<TMountEntry> volumes = UserVolumes(all);
    ASSERT_EQ(volumes.size(), 4);
    const std::pair<QString, QString> holders[] = {
        {"/home/user/saporia/", "/home"}, {"/home/net/cook/", "/home/net"}, {"/homework/x/", "/"},
        {"/media/My Disk/app/", "/media/My Disk"}, {"/home", "/home"},
    };
    for (const auto& [path, mountPoint] : holders)
        EXPECT_EQ(volumes.value(VolumeHolding(volumes, path)).MountPoint, mountPoint) << path.toStdString();
    EXPECT_EQ(VolumeHolding({}, "/x"), -1);

    const std::tuple<QString, bool, QString> types[] = {
        {"ext4", false, "ハードディスク"}, {"vfat", true, "フロッピー,MO"}, {"fuse.sshfs", false, "ネットワークドライブ"},
        {"iso9660", true, "CD-ROMドライブ"}, {"tmpfs", false, "RAMディスク"}, {"strangefs", false, "不明"},
        {"", false, "ドライブは存在しません"},
    };
    for (const auto& [fs, removable, line] : types)
        EXPECT_EQ(VolumeTypeLine(fs, removable), line) << fs.toStdString();
}

TEST(SystemInfoPanel, GatheringFillsEveryValueAndAFailureKeepsWhatWasFilled) {
    TFakeSystemInfo sources;
    TSystemInfoView view;
    const TMountEntry home{"/dev/sda3", "/home", "ext4", "rw,relatime"};
    GatherSystemInfo(sources, &home, view);
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
    EXPECT_EQ(view.TotalSize + view.VolumeLines.join('|'), QStringLiteral("0MBドライブは存在しません"));
    sources.Removable = true;
    const TMountEntry stick{"/dev/sdb1", "/media/stick", "vfat", "rw"};
    GatherSystemInfo(sources, &stick, view);
    EXPECT_TRUE(view.VolumeLines.contains("Unicodeファイル名をサポート"));

    sources.Removable = false, sources.FailDisplay = true;
    TSystemInfoView failed;
    try {
        GatherSystemInfo(sources, &home, failed);
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_EQ(SystemInfoErrorText(e.message()), "システム情報読み込みエラー. Msg=SystemInformation Error.");
    }
    EXPECT_EQ(failed.TotalSize + failed.VolumeLines.value(0), QStringLiteral("1,234,567MBハードディスク"));
}

TEST(SystemInfoPanel, CompressionLinesFollowTheMountAndTheVolume) {
    const TVolumeStats plain{.Ok = true, .Name = "DATA"};
    TVolumeStats compressed = plain;
    compressed.Compressed = true;
    const QString fileBased = "ファイルベースの圧縮をサポート", drive = "圧縮ドライブ";
    const std::tuple<QString, QString, TVolumeStats, QStringList> cases[] = {
        {"btrfs", "rw,relatime,compress=zstd:3,ssd", plain, {fileBased, drive}},
        {"btrfs", "rw,compress-force=lzo", plain, {fileBased, drive}},
        {"btrfs", "rw,compress", plain, {fileBased, drive}},
        {"btrfs", "rw,compress=no", plain, {fileBased}},
        {"btrfs", "rw,relatime,ssd", plain, {}},
        {"ext4", "rw,relatime", compressed, {drive}},
        {"ext4", "rw,relatime", plain, {}},
    };
    for (const auto& [fs, options, stats, expected] : cases) {
        QStringList shown;
        for (const QString& line : VolumeDataLines({"/dev/sda1", "/data", fs, options}, stats))
            if (line.contains("圧縮"))
                shown << line;
        EXPECT_EQ(shown, expected) << options.toStdString();
    }
}
