#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ui/widgets/tiled_background.h"

TEST(TiledBackground, TilesCoverTheClientFromTheTopLeftAndNothingWithoutAPicture) {
    EXPECT_TRUE(TileOrigins(QSize(0, 0), QSize(20, 20)).isEmpty());  // a zero tile gives no tiles, not endless ones
    QImage tileImage(2, 2, QImage::Format_RGB32);
    tileImage.fill(Qt::white);
    tileImage.setPixel(0, 0, qRgb(255, 0, 0));
    for (const QPixmap& tile : {QPixmap::fromImage(tileImage), QPixmap()}) {
        QImage canvas(5, 5, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        PaintTiledBackground(painter, tile, canvas.size());
        painter.end();
        const QRgb red = tile.isNull() ? qRgb(0, 0, 0) : qRgb(255, 0, 0);
        const QRgb white = tile.isNull() ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        EXPECT_EQ(QList<QRgb>({canvas.pixel(0, 0), canvas.pixel(2, 2), canvas.pixel(4, 4), canvas.pixel(1, 0)}),
                  QList<QRgb>({red, red, red, white}));
    }
}
