#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// JPEG photos through libjpeg. Every failure (not a JPEG, corrupt or truncated
// data, a picture too large to hold) throws TSaporiaError; libjpeg never ends
// the process. Decoded pictures are QImage::Format_RGB32; greyscale and CMYK
// (including Adobe's inverted CMYK) files come out as RGB.

// Largest picture accepted, in pixels of the stored picture (about 8K by 8K).
inline constexpr qint64 MaxJpegPixels = 8192LL * 8192LL;

// Size of the stored picture, from the header only.
QSize JpegSize(const QByteArray& bytes);

QImage DecodeJpeg(const QByteArray& bytes);

// Decodes at 1/8, 1/4, 1/2 or full size: the smallest scale whose result
// still covers `target` in both directions (full size when the picture is
// smaller than the target). For thumbnails; the result is not resized further.
QImage DecodeJpegScaled(const QByteArray& bytes, QSize target);

// The scale denominator (1, 2, 4 or 8) DecodeJpegScaled uses for a picture of
// `stored` size.
int JpegScaleFor(QSize stored, QSize target);

// Encodes as baseline JPEG with the given quality (1-100). Transparent parts
// are laid on white.
QByteArray EncodeJpeg(const QImage& image, int quality = 75);

// True when the bytes start like a JPEG file (SOI marker).
bool LooksLikeJpeg(const QByteArray& bytes);
