#include "core/recipes/icon_file.h"

#include <algorithm>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include "core/platform/picture_codec.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

QImage IconPictureFromFile(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("emf") || ext == QLatin1String("wmf"))
        throw TSaporiaError(QStringLiteral("メタファイル (.emf, .wmf) の画像は読み込めません: %1").arg(path));
    const QByteArray bytes = ReadFileBytes(path);
    QImage source;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || LooksLikeJpeg(bytes)) {
        source = DecodeJpeg(bytes);
    } else {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        // An icon file holds several sizes; the reader gives the first.
        source = reader.read();
        if (source.isNull())
            throw TSaporiaError(QStringLiteral("画像を読み込めません: %1 (%2)").arg(path, reader.errorString()));
    }
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::white);
    QPainter p(&icon);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, 32, 32), source);
    return icon;
}

QByteArray IconBitmapBytes(const QImage& icon) {
    return EncodeBitmap(icon, QStringLiteral("アイコンを作成できません"));
}

QString IconFileNameFor(const QString& picturePath) {
    return QFileInfo(picturePath).completeBaseName() + QStringLiteral(".bmp");
}

QStringList IconFolderEntries(const QString& iconFolder) {
    QStringList names = QDir(iconFolder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    QStringList result;
    for (const QString& name : names) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0 && name.mid(dot).compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0)
            result.append(name);
    }
    return result;
}

QString IconDeleteQuestion(const QString& fileName) {
    return QStringLiteral("「") + WithoutExtension(fileName) + QStringLiteral("」を削除してもよろしいですか？");
}
