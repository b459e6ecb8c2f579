#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "ui/mainwindow/memo_pane.h"

namespace {

struct TMemoTab {
    QWidget Tab;
    QFrame* Tools = new QFrame(&Tab);
    QLabel* Canvas = new QLabel(&Tab);
    TMemoPane Pane{Canvas, Tools};
    TMemoTab() {
        Pane.Reset(200, 150);
        Tab.resize(400, 300);
        Canvas->move(0, 40);
        Tab.show();
    }
    QToolButton* Button(const char* name) { return Tab.findChild<QToolButton*>(name); }
};

int NonWhite(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

}  // namespace

TEST(MemoPane, ToolAndSwatchPickedByMouseDrawOnTheCanvas) {
    TMemoTab t;
    QSignalSpy changed(&t.Pane, &TMemoPane::Changed);
    EXPECT_EQ(t.Canvas->size(), QSize(200, 150));
    // The rectangle tool and the red swatch, as a user picks them.
    QTest::mouseClick(t.Button("SpeedButton7"), Qt::LeftButton);
    EXPECT_EQ(t.Pane.Canvas.MemoTool, TMemoTool::Rectangle);
    EXPECT_EQ(t.Canvas->cursor().shape(), Qt::CrossCursor);
    QTest::mousePress(t.Tab.findChild<QFrame*>("Panel18_4"), Qt::LeftButton);
    EXPECT_EQ(t.Pane.Canvas.MemoColor, QColor(255, 0, 0));
    QTest::mousePress(t.Canvas, Qt::RightButton, {}, QPoint(10, 10));  // any button draws
    QTest::mouseRelease(t.Canvas, Qt::RightButton, {}, QPoint(50, 40));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(t.Pane.MemoDirty());
    EXPECT_EQ(t.Pane.Canvas.Image.pixel(10, 25), qRgb(255, 0, 0));
    // The canvas is what the widget shows.
    const QImage shown = t.Canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(10, 25), qRgb(255, 0, 0));
}

TEST(MemoPane, FloatingTextIsDrawnOnEnterAndDroppedOnToolChange) {
    TMemoTab t;
    QTest::mouseClick(t.Button("SpeedButton10"), Qt::LeftButton);
    QTest::mousePress(t.Canvas, Qt::LeftButton, {}, QPoint(30, 60));
    QTest::mouseRelease(t.Canvas, Qt::LeftButton, {}, QPoint(30, 60));
    ASSERT_TRUE(t.Pane.EditText->isVisible());
    EXPECT_EQ(t.Pane.EditText->pos(), QPoint(30, 51));
    QTest::keyClicks(t.Pane.EditText, "abc");
    QTest::mouseClick(t.Button("SpeedButton3"), Qt::LeftButton);  // another tool: dropped
    EXPECT_FALSE(t.Pane.EditText->isVisible());
    EXPECT_EQ(NonWhite(t.Pane.Canvas.Image), 0);
    EXPECT_FALSE(t.Pane.MemoDirty());

    QTest::mouseClick(t.Button("SpeedButton10"), Qt::LeftButton);
    QTest::mousePress(t.Canvas, Qt::LeftButton, {}, QPoint(30, 60));
    QTest::mouseRelease(t.Canvas, Qt::LeftButton, {}, QPoint(30, 60));
    QTest::keyClicks(t.Pane.EditText, "abc");
    QTest::keyClick(t.Pane.EditText, Qt::Key_Return);
    EXPECT_FALSE(t.Pane.EditText->isVisible());
    EXPECT_GT(NonWhite(t.Pane.Canvas.Image), 10);
    EXPECT_TRUE(t.Pane.MemoDirty());

    // Loading another recipe hides an open text box.
    QTest::mousePress(t.Canvas, Qt::LeftButton, {}, QPoint(30, 60));
    QTest::mouseRelease(t.Canvas, Qt::LeftButton, {}, QPoint(30, 60));
    ASSERT_TRUE(t.Pane.EditText->isVisible());
    t.Pane.Reset(300, 100);
    EXPECT_FALSE(t.Pane.EditText->isVisible());
    EXPECT_EQ(t.Canvas->size(), QSize(300, 100));
    EXPECT_FALSE(t.Pane.MemoDirty());
}
