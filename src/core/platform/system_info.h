#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

// Name and version texts of the running system, for the about box.

struct TKernelInfo {
    QString SysName;  // "Linux"
    QString Release;  // "6.1.0-18-amd64"
    QString Machine;  // "x86_64"
};

// Where the texts come from; tests replace the readers.
struct TSystemInfoSource {
    // Contents of a system file, empty when it cannot be read.
    std::function<QByteArray(const QString& path)> ReadFile;
    // The kernel's names; all empty when they cannot be read.
    std::function<TKernelInfo()> Kernel;
};

// Reads /etc/os-release (or /usr/lib/os-release) and uname().
TSystemInfoSource RunningSystem();

// The distribution's name from the text of an os-release file: PRETTY_NAME,
// else NAME and VERSION; empty when neither is there.
QString OsReleaseName(const QByteArray& osRelease);

// The distribution's name and the kernel, as
// "Debian GNU/Linux 12 (bookworm) 〔Linux 6.1.0-18-amd64: x86_64〕". Without
// an os-release file the kernel's name stands first; empty when nothing can
// be read.
QString GetOsVersionText(const TSystemInfoSource& source = RunningSystem());

// The version of the component that loads web pages for the program.
QString GetBrowserVersionText();
