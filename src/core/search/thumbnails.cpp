#include "core/search/thumbnails.h"

#include <QFileInfo>

#include "core/search/class_tree.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

namespace {

// Reads the recipe's main photo, found ignoring case when the usual name is
// not there; only a regular file is read, so a FIFO never blocks the pane.
QByteArray ReadPhoto(const QString& recipeDir) {
    if (recipeDir.isEmpty())
        return {};
    QString path = recipeDir + u'/' + PhotoFileName;
    if (!QFileInfo::exists(path)) {
        const QString existing = ExistingNameIgnoringCase(recipeDir, PhotoFileName);
        if (existing == PhotoFileName)
            return {};
        path = recipeDir + u'/' + existing;
    }
    try {
        return ReadFileBytes(path);
    } catch (const TSaporiaError&) {
        return {};
    }
}

// The record's folder; empty (no photo) when its name leads nowhere.
QString RecipeDir(const QString& dataRoot, const TCookItem& item) {
    try {
        return RecipeFolderPath(dataRoot, item).chopped(1);
    } catch (const TSaporiaError&) {
        return {};
    }
}

QImage DecodeThumbnail(const QByteArray& bytes) {
    try {
        return DecodeJpegScaled(bytes, QSize(ThumbnailSide, ThumbnailSide));
    } catch (const TSaporiaError&) {
        return {};
    }
}

}  // namespace

QImage LoadThumbnailImage(const QString& photoPath) {
    try {
        return DecodeThumbnail(ReadFileBytes(photoPath));
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
        QImage image = DecodeThumbnail(ReadPhoto(RecipeDir(dataRoot, item)));
        if (image.isNull())
            continue;
        thumbnails.push_back({i, item.Name, std::move(image)});
    }
    return thumbnails;
}
