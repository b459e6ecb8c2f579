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

void PaintTiledBackground(QPainter& painter, const QPixmap& tile, QSize client, const QRect& exposed) {
    if (tile.isNull() || client.width() < 0 || client.height() < 0)
        return;
    const int w = tile.width();
    const int h = tile.height();
    // The tiles of TileOrigins, only those that reach into the exposed part.
    const QRect tiled(0, 0, (client.width() / w + 1) * w, (client.height() / h + 1) * h);
    const QRect area = exposed.isValid() ? exposed & tiled : tiled;
    for (int y = area.top() / h * h; !area.isEmpty() && y <= area.bottom(); y += h)
        for (int x = area.left() / w * w; x <= area.right(); x += w)
            painter.drawPixmap(QPoint(x, y), tile);
}

const QPixmap& SharedBackImg() {
    return BackImgStorage();
}

void SetSharedBackImg(const QPixmap& picture) {
    BackImgStorage() = picture;
}
