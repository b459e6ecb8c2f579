#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures of the recipe panes: every way into the photo pane and every
// clipboard link ends as a JPEG with the library's default settings.

// Encodes to JPEG (quality 75, the codec's default); throws TSaporiaError.
QByteArray EncodeJpegImage(const QImage& image);

// Encodes to a 24-bit Windows bitmap; throws TSaporiaError(`failure`) when
// the picture cannot be written.
QByteArray EncodeBitmap(const QImage& image, const QString& failure);

// Decodes JPEG or BMP bytes; throws TSaporiaError naming `what` when the bytes
// are no picture.
QImage DecodePictureBytes(const QByteArray& bytes, const QString& what);
