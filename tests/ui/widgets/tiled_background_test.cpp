#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ui/widgets/tiled_background.h"

TEST(TiledBackground, TilesCoverTheClientFromTheTopLeft) {
    // 100 div 30 + 1 = 4 columns, 50 div 20 + 1 = 3 rows.
    const QList<QPoint> origins = TileOrigins(QSize(30, 20), QSize(100, 50));
    ASSERT_EQ(origins.size(), 12);
    EXPECT_EQ(origins.front(), QPoint(0, 0));
    EXPECT_EQ(origins[3], QPoint(90, 0));
    EXPECT_EQ(origins.back(), QPoint(90, 40));
    // An exact multiple still gets the extra column and row.
    EXPECT_EQ(TileOrigins(QSize(10, 10), QSize(20, 20)).size(), 9);
    EXPECT_TRUE(TileOrigins(QSize(0, 0), QSize(20, 20)).isEmpty());
}

TEST(TiledBackground, PaintsRepeatedPictureAndNothingWithoutOne) {
    QImage tileImage(2, 2, QImage::Format_RGB32);
    tileImage.fill(Qt::white);
    tileImage.setPixel(0, 0, qRgb(255, 0, 0));
    const QPixmap tile = QPixmap::fromImage(tileImage);

    QImage canvas(5, 5, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter p(&canvas);
        PaintTiledBackground(p, tile, canvas.size());
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(255, 255, 255));

    QImage untouched(5, 5, QImage::Format_RGB32);
    untouched.fill(Qt::black);
    {
        QPainter p(&untouched);
        PaintTiledBackground(p, QPixmap(), untouched.size());
    }
    EXPECT_EQ(untouched.pixel(2, 2), qRgb(0, 0, 0));
}
