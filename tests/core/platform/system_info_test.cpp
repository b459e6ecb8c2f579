#include <gtest/gtest.h>

#include <QMap>

#include "core/platform/sjis.h"
#include "core/platform/system_info.h"

namespace {

TSystemInfoSource FakeSystem(QMap<QString, QByteArray> files, TKernelInfo kernel) {
    TSystemInfoSource source;
    source.ReadFile = [files](const QString& path) { return files.value(path); };
    source.Kernel = [kernel] { return kernel; };
    return source;
}

const TKernelInfo Kernel{"Linux", "6.1.0-18-amd64", "x86_64"};

}  // namespace

TEST(SystemInfo, OsReleaseNames) {
    EXPECT_EQ(OsReleaseName("PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(OsReleaseName("NAME=Fedora\nVERSION='39 (Workstation Edition)'\n"), "Fedora 39 (Workstation Edition)");
    EXPECT_EQ(OsReleaseName("# comment\nNAME=\"Arch Linux\"\n"), "Arch Linux");
    EXPECT_EQ(OsReleaseName("PRETTY_NAME=\"Say \\\"hi\\\" \\\\ OS\"\r\n"), "Say \"hi\" \\ OS");
    EXPECT_EQ(OsReleaseName("PRETTY_NAME=\"\xE3\x83\x87\xE3\x83\x93\xE3\x82\xA2\xE3\x83\xB3\""),
              QStringLiteral("デビアン"));
    EXPECT_EQ(OsReleaseName(""), "");
    EXPECT_EQ(OsReleaseName("garbage\n=x\nID=debian\n"), "");
}

TEST(SystemInfo, VersionTextFromTheSystemsNames) {
    const QByteArray debian = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n";
    EXPECT_EQ(GetOsVersionText(FakeSystem({{"/etc/os-release", debian}}, Kernel)),
              QStringLiteral("Debian GNU/Linux 12 (bookworm) 〔Linux 6.1.0-18-amd64: x86_64〕"));
    // The second place is read when the first is missing.
    EXPECT_EQ(GetOsVersionText(FakeSystem({{"/usr/lib/os-release", debian}}, Kernel)),
              QStringLiteral("Debian GNU/Linux 12 (bookworm) 〔Linux 6.1.0-18-amd64: x86_64〕"));
    EXPECT_EQ(GetOsVersionText(FakeSystem({}, Kernel)), QStringLiteral("Linux 〔Linux 6.1.0-18-amd64: x86_64〕"));
    EXPECT_EQ(GetOsVersionText(FakeSystem({{"/etc/os-release", debian}}, {})),
              QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(GetOsVersionText(FakeSystem({}, {})), "");
    EXPECT_EQ(GetOsVersionText(TSystemInfoSource{}), "");

    // The running system gives some text, and the about box can store it.
    const QString running = GetOsVersionText();
    EXPECT_FALSE(running.isEmpty());
    EXPECT_TRUE(running.contains(QStringLiteral("〔")));
    EXPECT_EQ(FromSjis(ToSjis(running)), running);
    EXPECT_TRUE(GetBrowserVersionText().contains(QString::fromLatin1(qVersion())));
}
