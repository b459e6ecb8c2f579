#pragma once

#include <functional>
#include <vector>

#include <QImage>
#include <QRect>
#include <QString>

#include "core/recipes/cook_item.h"

// The photo strip beside the recipe list: one small picture per listed
// recipe that had "写真.jpg" when it was scanned, in array order.

inline constexpr int ThumbnailSide = 60;

struct TThumbnail {
    int Record = -1;  // index into the record array
    QString Name;
    QImage Image;  // as decoded; drawn into ThumbnailRect
};

// The main photo decoded at the smallest libjpeg scale that still covers the
// thumbnail (a smaller photo at its own size). Null when the file is missing
// or not a readable JPEG.
QImage LoadThumbnailImage(const QString& photoPath);

// Where a picture of `size` is drawn in the ThumbnailSide square: scaled to
// fit with its aspect kept (small pictures enlarged), centred.
QRect ThumbnailRect(QSize size);

// Thumbnails of the records that pass the list filter and carry the photo
// mark. A missing or broken photo is skipped; the rest are still built.
// `progress` is called with the record index on odd indexes.
std::vector<TThumbnail> BuildThumbnailList(const TCookItems& items, const QString& groupText,
                                           const QString& dataRoot,
                                           const std::function<void(int)>& progress = {});
