#include "dialogs/photo_file.h"

#include <QFileInfo>

#include "platform/file_io.h"
#include "platform/jpeg.h"
#include "platform/saporia_error.h"

TJpegPhoto LoadPhotoFileAsJpeg(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    TJpegPhoto photo;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
        photo.Jpeg = ReadFileBytes(path);
        photo.Image = DecodeJpeg(photo.Jpeg);
    } else if (ext == QLatin1String("bmp")) {
        const QByteArray bytes = ReadFileBytes(path);
        QImage image;
        if (!image.loadFromData(bytes, "BMP"))
            throw TSaporiaError(QStringLiteral("ビットマップを読み込めません: %1").arg(path));
        photo = PhotoFromImage(image);
    }
    return photo;
}

TJpegPhoto PhotoFromImage(const QImage& image) {
    TJpegPhoto photo;
    if (image.isNull())
        return photo;
    photo.Jpeg = EncodeJpeg(image);
    photo.Image = DecodeJpeg(photo.Jpeg);
    return photo;
}
