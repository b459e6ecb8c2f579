#include "mainwindow/picture_codec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include "platform/saporia_error.h"

QByteArray EncodeJpegImage(const QImage& image) {
    if (image.isNull())
        throw TSaporiaError(QStringLiteral("画像がありません"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(75);
    // JPEG has no alpha: flatten onto white as a bitmap would be.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    if (!writer.write(flat))
        throw TSaporiaError(QStringLiteral("JPEG に変換できません: %1").arg(writer.errorString()));
    return bytes;
}

QImage DecodePictureBytes(const QByteArray& bytes, const QString& what) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        throw TSaporiaError(QStringLiteral("%1 は画像として読み込めません").arg(what));
    return image;
}
