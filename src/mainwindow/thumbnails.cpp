#include "mainwindow/thumbnails.h"

#include <QFile>

#include "mainwindow/class_tree.h"
#include "platform/file_io.h"
#include "platform/jpeg.h"
#include "platform/saporia_error.h"

namespace {

const QString PhotoFileName = QStringLiteral("写真.jpg");

QString PhotoPath(const QString& recipeDir) {
    const QString exact = recipeDir + u'/' + PhotoFileName;
    if (QFile::exists(exact))
        return exact;
    return recipeDir + u'/' + ExistingNameIgnoringCase(recipeDir, PhotoFileName);
}

}  // namespace

QImage LoadThumbnailImage(const QString& photoPath) {
    QFile file(photoPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QSize target(ThumbnailSide, ThumbnailSide);
    QImage image;
    try {
        image = DecodeJpegScaled(bytes, target);
    } catch (const TSaporiaError&) {
        return {};
    }
    if (image.isNull())
        return {};
    if (image.width() == ThumbnailSide && image.height() <= ThumbnailSide)
        return image;
    if (image.height() == ThumbnailSide && image.width() <= ThumbnailSide)
        return image;
    return image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
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
        QImage image = LoadThumbnailImage(PhotoPath(dataRoot + u'/' + item.Name));
        if (image.isNull())
            continue;
        thumbnails.push_back({i, item.Name, std::move(image)});
    }
    return thumbnails;
}
