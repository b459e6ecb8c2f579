#include "core/platform/picture_codec.h"

#include <QBuffer>
#include <QImageReader>

#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

QByteArray EncodeJpegImage(const QImage& image) {
    if (image.isNull())
        throw TSaporiaError(QStringLiteral("画像がありません"));
    return EncodeJpeg(image, 75);
}

QByteArray EncodeBitmap(const QImage& image, const QString& failure) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        throw TSaporiaError(failure);
    return bytes;
}

QImage DecodePictureBytes(const QByteArray& bytes, const QString& what) {
    if (LooksLikeJpeg(bytes))
        return DecodeJpeg(bytes);
    // Bitmaps (the memo, dropped ".bmp" files).
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QImage image = reader.read();
    if (image.isNull())
        throw TSaporiaError(QStringLiteral("%1 は画像として読み込めません").arg(what));
    return image.convertToFormat(QImage::Format_RGB32);
}
