#include "core/platform/system_info.h"

#include <sys/utsname.h>

#include <QFile>
#include <QList>
#include <QtGlobal>

namespace {

// A value of an os-release line: quotes removed, backslash escapes undone.
QString OsReleaseValue(const QString& raw) {
    QString value = raw.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size())
            ++i;
        result += value[i];
    }
    return result;
}

}  // namespace

TSystemInfoSource RunningSystem() {
    TSystemInfoSource source;
    source.ReadFile = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : QByteArray();
    };
    source.Kernel = [] {
        TKernelInfo info;
        utsname names{};
        if (uname(&names) == 0) {
            info.SysName = QString::fromLocal8Bit(names.sysname);
            info.Release = QString::fromLocal8Bit(names.release);
            info.Machine = QString::fromLocal8Bit(names.machine);
        }
        return info;
    };
    return source;
}

QString OsReleaseName(const QByteArray& osRelease) {
    // The file is UTF-8 by definition, not one of our CP932 files.
    const QString text = QString::fromUtf8(osRelease);
    QString pretty, name, version;
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = trimmed.left(eq);
        const QString value = OsReleaseValue(trimmed.mid(eq + 1));
        if (key == u"PRETTY_NAME")
            pretty = value;
        else if (key == u"NAME")
            name = value;
        else if (key == u"VERSION")
            version = value;
    }
    if (!pretty.isEmpty())
        return pretty;
    if (!name.isEmpty() && !version.isEmpty())
        return name + u' ' + version;
    return name;
}

QString GetOsVersionText(const TSystemInfoSource& source) {
    QString name;
    if (source.ReadFile) {
        for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
            name = OsReleaseName(source.ReadFile(QString::fromLatin1(path)));
            if (!name.isEmpty())
                break;
        }
    }
    const TKernelInfo kernel = source.Kernel ? source.Kernel() : TKernelInfo();
    if (name.isEmpty())
        name = kernel.SysName;
    QStringList parts;
    if (!kernel.SysName.isEmpty() || !kernel.Release.isEmpty())
        parts << QStringList{kernel.SysName, kernel.Release}.join(u' ').trimmed();
    if (!kernel.Machine.isEmpty())
        parts << kernel.Machine;
    if (parts.isEmpty())
        return name;
    const QString detail = QStringLiteral("〔") + parts.join(QStringLiteral(": ")) + QStringLiteral("〕");
    return name.isEmpty() ? detail : name + u' ' + detail;
}

QString GetBrowserVersionText() { return QStringLiteral("Qt Network ") + QString::fromLatin1(qVersion()); }
