#include "ui/widgets/tiled_background.h"

#include <QPainter>

namespace {

QPixmap& BackImgStorage() {
    static QPixmap picture;
    return picture;
}

}  // namespace

QList<QPoint> TileOrigins(QSize tile, QSize client) {
    QList<QPoint> origins;
    if (tile.width() <= 0 || tile.height() <= 0 || client.width() < 0 || client.height() < 0)
        return origins;
    const int columns = client.width() / tile.width() + 1;
    const int rows = client.height() / tile.height() + 1;
    origins.reserve(columns * rows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            origins.append(QPoint(column * tile.width(), row * tile.height()));
    return origins;
}

void PaintTiledBackground(QPainter& painter, const QPixmap& tile, QSize client) {
    if (tile.isNull())
        return;
    for (const QPoint& origin : TileOrigins(tile.size(), client))
        painter.drawPixmap(origin, tile);
}

const QPixmap& SharedBackImg() {
    return BackImgStorage();
}

void SetSharedBackImg(const QPixmap& picture) {
    BackImgStorage() = picture;
}
