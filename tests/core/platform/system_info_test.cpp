#include <gtest/gtest.h>

#include <QMap>

#include "core/platform/sjis.h"
#include "core/platform/system_info.h"

TEST(SystemInfo, OsReleaseNames) {
    const std::pair<QByteArray, QString> cases[] = {
        {"PRETTY_NAME=\"Debian GNU/Linux 12\"\nNAME=\"Debian\"\n", "Debian GNU/Linux 12"},
        {"# comment\nNAME=Fedora\nVERSION='39 (Workstation Edition)'\n", "Fedora 39 (Workstation Edition)"},
        {"PRETTY_NAME=\"Say \\\"hi\\\" \\\\ OS\"\r\n", "Say \"hi\" \\ OS"},
        {"PRETTY_NAME=\"\xE3\x83\x87\xE3\x83\x93\xE3\x82\xA2\xE3\x83\xB3\"", QStringLiteral("デビアン")},
        {"garbage\n=x\nID=debian\n", ""},
    };
    for (const auto& [file, name] : cases)
        EXPECT_EQ(OsReleaseName(file), name) << file.toStdString();
}

TEST(SystemInfo, VersionTextFromTheSystemsNames) {
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
    // The running system gives some text, and the about box can store it.
    const QString running = GetOsVersionText();
    EXPECT_TRUE(running.contains(QStringLiteral("〔")) && FromSjis(ToSjis(running)) == running);
    EXPECT_TRUE(GetBrowserVersionText().contains(QString::fromLatin1(qVersion())));
}
