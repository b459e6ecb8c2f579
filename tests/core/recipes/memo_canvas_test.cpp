#include "core/recipes/memo_canvas.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

const QRgb White = qRgb(255, 255, 255);

TMemoCanvas Canvas(TMemoTool tool, int width, int height, QColor colour = Qt::red) {
    TMemoCanvas canvas;
    canvas.Reset(width, height);
    canvas.MemoTool = tool;
    canvas.MemoColor = colour;
    return canvas;
}

int CountColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int p = 0; p < image.width() * image.height(); ++p)
        n += image.pixel(p % image.width(), p / image.width()) == colour;
    return n;
}

}  // namespace

TEST(MemoCanvas, RubberBandShapesLeaveOnlyTheFinalShape) {
    for (const TMemoTool tool : {TMemoTool::Rectangle, TMemoTool::Ellipse, TMemoTool::Line, TMemoTool::RoundRect}) {
        TMemoCanvas canvas = Canvas(tool, 120, 90);
        EXPECT_FALSE(canvas.MouseDown({10, 10}));
        for (const QPoint p : {QPoint(100, 80), QPoint(30, 20), QPoint(5, 85), QPoint(110, 5)})
            canvas.MouseMove(p);
        EXPECT_FALSE(canvas.MemoDirty);
        EXPECT_TRUE(canvas.MouseUp({60, 50}) && canvas.MemoDirty);
        TMemoCanvas reference = Canvas(tool, 120, 90);
        reference.MouseDown({10, 10});
        reference.MouseUp({60, 50});
        EXPECT_EQ(canvas.Image, reference.Image) << int(tool);
        // Only red on white: no left-over rubber band in another colour.
        const int red = CountColour(canvas.Image, qRgb(255, 0, 0));
        EXPECT_GT(red, 50) << int(tool);
        EXPECT_EQ(red + CountColour(canvas.Image, White), 120 * 90) << int(tool);
    }
}

TEST(MemoCanvas, EraserClearsTenByTenSquaresAlongTheDrag) {
    TMemoCanvas canvas = Canvas(TMemoTool::Eraser, 50, 50);
    canvas.Image.fill(Qt::black);
    EXPECT_TRUE(canvas.MouseDown({20, 20}));
    canvas.MouseUp({20, 20});
    EXPECT_EQ(CountColour(canvas.Image, White), 100);
    canvas.MouseDown({0, 0});
    canvas.MouseMove({30, 0});
    canvas.MouseUp({30, 0});
    for (const auto& [x, y, erased] : {std::tuple(20, 20, true), {29, 29, true}, {30, 29, false}, {19, 20, false},
                                       {5, 5, true}, {35, 5, true}})
        EXPECT_EQ(canvas.Image.pixel(x, y) == White, erased) << x << "," << y;
}

TEST(MemoCanvas, FillStaysInsideAndEndsAtOnceOnSameColour) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawRect(5, 5, 10, 10);  // closed box 5..15
    for (int i = 0; i < 30; ++i)
        image.setPixel(i, 29 - i, qRgb(0, 0, 0));  // a diagonal wall touching only at corners
    QImage box = image;
    EXPECT_TRUE(FloodFill(box, {10, 10}, Qt::blue));
    EXPECT_EQ(CountColour(box, qRgb(0, 0, 255)), 9 * 9);
    // Above the diagonal: no leak through corners or into the box.
    QImage corner = image;
    EXPECT_TRUE(FloodFill(corner, {1, 1}, Qt::red));
    EXPECT_EQ(QList<QRgb>({corner.pixel(29, 29), corner.pixel(10, 10), corner.pixel(20, 5)}),
              QList<QRgb>({White, White, qRgb(255, 0, 0)}));
    QImage same = image;
    EXPECT_FALSE(FloodFill(same, {1, 1}, Qt::white));
    EXPECT_FALSE(FloodFill(same, {-1, 40}, Qt::red));
    EXPECT_EQ(same, image);

    // A large canvas fills without recursion.
    TMemoCanvas big = Canvas(TMemoTool::Fill, 1500, 1500, Qt::green);
    EXPECT_TRUE(big.MouseDown({700, 700}));
    EXPECT_EQ(big.Image.pixel(1499, 1499), QColor(Qt::green).rgb());
}

TEST(MemoCanvas, TextGoesRightOfAndAboveTheClick) {
    TMemoCanvas canvas = Canvas(TMemoTool::Text, 100, 60);
    EXPECT_FALSE(canvas.MouseDown({20, 30}));
    canvas.MouseUp({20, 30});
    EXPECT_FALSE(canvas.MemoDirty);
    QFont font;
    font.setPixelSize(12);
    canvas.DrawText("■", font, Qt::black);
    QRect inked;
    for (int p = 0; p < 100 * 60; ++p)
        if (canvas.Image.pixel(p % 100, p / 100) != White)
            inked |= QRect(p % 100, p / 100, 1, 1);
    EXPECT_TRUE(inked.left() >= 21 && inked.top() >= 22 && inked.top() < 30) << inked.left() << "," << inked.top();
}
