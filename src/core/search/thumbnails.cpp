#include "core/search/thumbnails.h"

#include "core/search/class_tree.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

namespace {

// The record's main photo, found ignoring case; empty when its name leads
// nowhere.
QString PhotoPath(const QString& dataRoot, const TCookItem& item) {
    try {
        return ExistingPathIgnoringCase(RecipeFolderPath(dataRoot, item), PhotoFileName);
    } catch (const TSaporiaError&) {
        return {};
    }
}

}  // namespace

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
        QImage image = LoadThumbnailImage(PhotoPath(dataRoot, item));
        if (image.isNull())
            continue;
        thumbnails.push_back({i, item.Name, std::move(image)});
    }
    return thumbnails;
}
