#include "core/search/thumbnails.h"

#include "core/search/class_tree.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

QString ThumbnailPhotoPath(const QString& dataRoot, const TCookItem& item) {
    try {
        return ExistingPathIgnoringCase(RecipeFolderPath(dataRoot, item), PhotoFileName);
    } catch (const TSaporiaError&) {
        return {};
    }
}

// Only a regular file is read, so a FIFO never blocks the pane.
QImage LoadThumbnailImage(const QString& photoPath) {
    try {
        return DecodeJpegScaled(ReadFileBytes(photoPath), QSize(ThumbnailSide, ThumbnailSide));
    } catch (const TSaporiaError&) {
        return {};
    }
}

QRect ThumbnailRect(QSize size) {
    if (size.isEmpty())
        return {};
    const QSize fitted = size.scaled(ThumbnailSide, ThumbnailSide, Qt::KeepAspectRatio);
    return QRect(QPoint((ThumbnailSide - fitted.width()) / 2, (ThumbnailSide - fitted.height()) / 2), fitted);
}

std::vector<TThumbnail> BuildThumbnailList(const TCookItems& items, const QString& groupText,
                                           const QString& dataRoot, const std::function<void(int)>& progress) {
    std::vector<TThumbnail> thumbnails;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (progress && i % 2 == 1)
            progress(i);
        const TCookItem& item = items[i];
        if (!PassesListFilter(item, groupText) || item.PhotoMark != PhotoMarkPresent)
            continue;
        QImage image = LoadThumbnailImage(ThumbnailPhotoPath(dataRoot, item));
        if (image.isNull())
            continue;
        thumbnails.push_back({i, item.Name, std::move(image)});
    }
    return thumbnails;
}

QImage MakeThumbnailImage(const QString& photoPath) {
    const QImage decoded = LoadThumbnailImage(photoPath);
    if (decoded.isNull())
        return {};
    const QSize fitted = ThumbnailRect(decoded.size()).size();
    if (fitted == decoded.size())
        return decoded;
    return decoded.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage CachedThumbnailImage(TThumbnailCache& cache, const QString& photoPath) {
    // Stamped before reading: a photo changed while it is decoded keeps a
    // stamp that no longer matches, so it is decoded again next time.
    const TPhotoStamp stamp = PhotoStampOf(photoPath);
    if (!stamp.Exists())
        return {};
    if (std::optional<QImage> cached = cache.Find(photoPath, stamp))
        return *cached;
    QImage image = MakeThumbnailImage(photoPath);
    cache.Insert(photoPath, stamp, image);
    return image;
}

std::vector<TThumbnailSlot> PlanThumbnails(const TCookItems& items, const QString& groupText, const QString& dataRoot,
                                           TThumbnailCache& cache) {
    std::vector<TThumbnailSlot> places;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const TCookItem& item = items[i];
        if (!PassesListFilter(item, groupText) || item.PhotoMark != PhotoMarkPresent)
            continue;
        TThumbnailSlot slot{i, item.Name, {}, {}, false};
        try {
            // The exact name first: listing the folder costs far more than a stat.
            const QString folder = RecipeFolderPath(dataRoot, item);
            slot.Path = folder + PhotoFileName;
            slot.Stamp = PhotoStampOf(slot.Path);
            if (!slot.Stamp.Exists()) {
                slot.Path = ExistingPathIgnoringCase(folder, PhotoFileName);
                slot.Stamp = PhotoStampOf(slot.Path);
            }
        } catch (const TSaporiaError&) {
            continue;
        }
        if (!slot.Stamp.Exists())
            continue;
        if (const std::optional<QImage> cached = cache.Find(slot.Path, slot.Stamp)) {
            if (cached->isNull())
                continue;
            slot.Cached = true;
        }
        places.push_back(std::move(slot));
    }
    return places;
}
