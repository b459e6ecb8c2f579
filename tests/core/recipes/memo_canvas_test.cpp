#include <gtest/gtest.h>

#include <QPainter>

#include "core/recipes/memo_canvas.h"

namespace {

int CountColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST(MemoCanvas, RubberBandShapesLeaveOnlyTheFinalShape) {
    for (const TMemoTool tool : {TMemoTool::Rectangle, TMemoTool::Ellipse, TMemoTool::Line, TMemoTool::RoundRect}) {
        TMemoCanvas canvas;
        canvas.Reset(120, 90);
        canvas.MemoTool = tool;
        canvas.MemoColor = Qt::red;
        EXPECT_FALSE(canvas.MouseDown({10, 10}));
        for (const QPoint p : {QPoint(100, 80), QPoint(30, 20), QPoint(5, 85), QPoint(60, 70), QPoint(110, 5)})
            canvas.MouseMove(p);
        EXPECT_FALSE(canvas.MemoDirty);
        EXPECT_TRUE(canvas.MouseUp({60, 50}));
        EXPECT_TRUE(canvas.MemoDirty);

        TMemoCanvas reference;
        reference.Reset(120, 90);
        reference.MemoTool = tool;
        reference.MemoColor = Qt::red;
        reference.MouseDown({10, 10});
        reference.MouseUp({60, 50});
        EXPECT_EQ(canvas.Image, reference.Image) << int(tool);
        EXPECT_GT(CountColour(canvas.Image, qRgb(255, 0, 0)), 50);
        // Only red on white: no left-over rubber band in another colour.
        EXPECT_EQ(CountColour(canvas.Image, qRgb(255, 0, 0)) + CountColour(canvas.Image, qRgb(255, 255, 255)),
                  120 * 90);
    }
}

TEST(MemoCanvas, EraserClearsTenByTenSquares) {
    TMemoCanvas canvas;
    canvas.Reset(50, 50);
    canvas.Image.fill(Qt::black);
    canvas.MemoTool = TMemoTool::Eraser;
    EXPECT_TRUE(canvas.MouseDown({20, 20}));
    canvas.MouseUp({20, 20});
    EXPECT_EQ(CountColour(canvas.Image, qRgb(255, 255, 255)), 100);
    EXPECT_EQ(canvas.Image.pixel(20, 20), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.Image.pixel(29, 29), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.Image.pixel(30, 29), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.Image.pixel(19, 20), qRgb(0, 0, 0));
    // A drag leaves a trail of squares.
    canvas.MouseDown({0, 0});
    canvas.MouseMove({30, 0});
    canvas.MouseUp({30, 0});
    EXPECT_EQ(canvas.Image.pixel(35, 5), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.Image.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(MemoCanvas, FillStaysInsideAndEndsAtOnceOnSameColour) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setPen(Qt::black);
        p.drawRect(5, 5, 10, 10);  // closed box 5..15
        // A diagonal wall: pixels touching only at corners.
        for (int i = 0; i < 30; ++i)
            image.setPixel(i, 29 - i, qRgb(0, 0, 0));
    }
    QImage box = image;
    EXPECT_TRUE(FloodFill(box, {10, 10}, Qt::blue));
    EXPECT_EQ(CountColour(box, qRgb(0, 0, 255)), 9 * 9);
    EXPECT_EQ(box.pixel(2, 2), qRgb(255, 255, 255));
    // Above the diagonal: no leak to the other side through corners.
    QImage corner = image;
    EXPECT_TRUE(FloodFill(corner, {1, 1}, Qt::red));
    EXPECT_EQ(corner.pixel(29, 29), qRgb(255, 255, 255));
    EXPECT_EQ(corner.pixel(10, 10), qRgb(255, 255, 255));  // inside the box
    EXPECT_EQ(corner.pixel(20, 5), qRgb(255, 0, 0));
    // Same colour: nothing to do, nothing changed.
    QImage same = image;
    EXPECT_FALSE(FloodFill(same, {1, 1}, Qt::white));
    EXPECT_EQ(same, image);
    EXPECT_FALSE(FloodFill(same, {-1, 40}, Qt::red));

    // A large canvas fills without recursion.
    TMemoCanvas big;
    big.Reset(1500, 1500);
    big.MemoTool = TMemoTool::Fill;
    big.MemoColor = Qt::green;
    EXPECT_TRUE(big.MouseDown({700, 700}));
    EXPECT_EQ(big.Image.pixel(0, 0), QColor(Qt::green).rgb());
    EXPECT_EQ(big.Image.pixel(1499, 1499), QColor(Qt::green).rgb());
}

TEST(MemoCanvas, TextGoesRightOfAndAboveTheClick) {
    TMemoCanvas canvas;
    canvas.Reset(100, 60);
    canvas.MemoTool = TMemoTool::Text;
    EXPECT_FALSE(canvas.MouseDown({20, 30}));
    canvas.MouseUp({20, 30});
    EXPECT_FALSE(canvas.MemoDirty);
    QFont font;
    font.setPixelSize(12);
    canvas.DrawText(QStringLiteral("■"), font, Qt::black);
    int minX = 1000, minY = 1000;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            if (canvas.Image.pixel(x, y) != qRgb(255, 255, 255)) {
                minX = qMin(minX, x);
                minY = qMin(minY, y);
            }
    EXPECT_GE(minX, 21);
    EXPECT_GE(minY, 22);
    EXPECT_LT(minY, 30);
}
