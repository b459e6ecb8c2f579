#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A photo chosen by the user, as the photo boxes hold it: always JPEG.
struct TJpegPhoto {
    QByteArray Jpeg;  // the file's own bytes for a JPEG file, else encoded
    QImage Image;
};

// Loads ".jpg"/".jpeg" as they are and converts ".bmp" to JPEG, the
// extension compared ignoring case. Other extensions give an empty photo.
// A file that cannot be read throws TSaporiaError.
TJpegPhoto LoadPhotoFileAsJpeg(const QString& path);

// A picture (from the clipboard, say) converted to JPEG.
TJpegPhoto PhotoFromImage(const QImage& image);
