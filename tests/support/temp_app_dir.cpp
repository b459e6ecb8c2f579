#include "support/temp_app_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/sjis.h"

QString TTempAppDir::AppDir() const { return Dir.path() + QLatin1Char('/'); }

QString TTempAppDir::Path(const QString& relative) const { return AppDir() + relative; }

void TTempAppDir::WriteBytes(const QString& relative, const QByteArray& bytes) const {
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void TTempAppDir::WriteSjis(const QString& relative, const QString& text) const {
    WriteBytes(relative, ToSjis(text));
}

QByteArray TTempAppDir::ReadBytes(const QString& relative) const {
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Sjis(const char* bytes) { return FromSjis(QByteArray(bytes)); }
