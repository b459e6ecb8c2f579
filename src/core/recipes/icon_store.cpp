#include "core/recipes/icon_store.h"

#include <QDir>
#include <QFileInfo>

#include "core/common/helpers.h"
#include "core/recipes/status_file.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"

QImage MaskedIcon(const QImage& picture, int size) {
    QImage icon = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      .convertToFormat(QImage::Format_ARGB32);
    const QRgb key = icon.pixel(0, 0);
    for (int y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < size; ++x)
            if (row[x] == key)
                row[x] = 0;
    }
    return icon;
}

TIconStore::TIconStore() {
    for (int i = 0; i < BuiltInIconCount; ++i) {
        Icons16.append(BuiltInIcon(i, 16));
        Icons32.append(BuiltInIcon(i, 32));
    }
}

void TIconStore::LoadUserIcons(const QString& appDir) {
    const QString folder = WithTrailingSlash(appDir) + IconFolderName;
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);  // a failure only means there are no user icons
    for (const QString& name : SortedEntries(folder, {}, false)) {
        if (!name.toLower().endsWith(QLatin1String(".bmp")))
            continue;
        // Read as bytes first: only a regular file is read, so a FIFO named
        // like an icon is a broken icon, not a start-up that never ends; nor
        // is a huge file read at start.
        QImage picture;
        QByteArray bytes;
        try {
            bytes = ReadFileBytes(folder + QLatin1Char('/') + name, MaxStoreFileBytes);
        } catch (const TSaporiaError&) {
        }
        if (!picture.loadFromData(bytes, "BMP") || picture.isNull()) {
            Failures.append(QStringLiteral("アイコン %1 を読み込めません").arg(name));
            continue;
        }
        Icons16.append(MaskedIcon(picture, 16));
        Icons32.append(MaskedIcon(picture, 32));
        FileNames.append(name);
        Indexes.append(QString::number(Icons32.size() - 1));
    }
}

QImage TIconStore::Icon16(int index) const { return IsValidIndex(index) ? Icons16[index] : QImage(); }

QImage TIconStore::Icon32(int index) const { return IsValidIndex(index) ? Icons32[index] : QImage(); }

int UserIconIndex(const QStringList& fileNames, const QStringList& indexes, const QString& fileName) {
    for (qsizetype i = 0; i < fileNames.size() && i < indexes.size(); ++i)
        if (fileNames[i].compare(fileName, Qt::CaseInsensitive) == 0)
            return ToIntDef(indexes[i], -1);
    return -1;
}

QString UserIconFileName(const QStringList& fileNames, const QStringList& indexes, const QString& indexText) {
    const qsizetype at = indexes.indexOf(indexText);
    return at >= 0 && at < fileNames.size() ? fileNames[at] : QString();
}

int TIconStore::IndexOfFileName(const QString& fileName) const {
    return UserIconIndex(FileNames, Indexes, fileName);
}

QString TIconStore::FileNameOfIndex(int index) const {
    return UserIconFileName(FileNames, Indexes, QString::number(index));
}

int TIconStore::ResolveIcon(const TStatusFile& status) const {
    return ResolveIcon(status.Value(StatusKey::ImageFileName), status.Value(StatusKey::Icon));
}

int TIconStore::ResolveIcon(const QString& imageFileName, const QString& icon) const {
    const int index = imageFileName.isEmpty() ? ToIntDef(icon, -1) : IndexOfFileName(imageFileName);
    return IsValidIndex(index) ? index : -1;
}
