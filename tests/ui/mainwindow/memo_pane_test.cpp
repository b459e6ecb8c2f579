#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
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
    void Click(const char* tool, QPoint at = QPoint(30, 60)) {
        QTest::mouseClick(Tab.findChild<QToolButton*>(tool), Qt::LeftButton);
        QTest::mousePress(Canvas, Qt::LeftButton, {}, at);
        QTest::mouseRelease(Canvas, Qt::LeftButton, {}, at);
    }
};

}  // namespace

TEST(MemoPane, ToolAndSwatchPickedByMouseDrawOnTheCanvas) {
    TMemoTab t;
    QTest::mouseClick(t.Tab.findChild<QToolButton*>("SpeedButton7"), Qt::LeftButton);  // rectangle
    EXPECT_EQ(t.Canvas->cursor().shape(), Qt::CrossCursor);
    QTest::mousePress(t.Tab.findChild<QFrame*>("Panel18_4"), Qt::LeftButton);  // red
    QTest::mousePress(t.Canvas, Qt::RightButton, {}, QPoint(10, 10));        // any button draws
    QTest::mouseRelease(t.Canvas, Qt::RightButton, {}, QPoint(50, 40));
    // The canvas is what the widget shows.
    EXPECT_EQ(t.Canvas->grab().toImage().pixel(10, 25), qRgb(255, 0, 0));
}

TEST(MemoPane, FloatingTextIsDrawnOnEnterAndDroppedOnToolChange) {
    TMemoTab t;
    const QImage white = t.Pane.Canvas.Image;
    t.Click("SpeedButton10");
    ASSERT_TRUE(t.Pane.EditText->isVisible());
    EXPECT_EQ(t.Pane.EditText->pos(), QPoint(30, 51));
    QTest::keyClicks(t.Pane.EditText, "abc");
    QTest::mouseClick(t.Tab.findChild<QToolButton*>("SpeedButton3"), Qt::LeftButton);  // another tool: dropped
    EXPECT_FALSE(t.Pane.EditText->isVisible());
    EXPECT_EQ(t.Pane.Canvas.Image, white);
    EXPECT_FALSE(t.Pane.MemoDirty());

    t.Click("SpeedButton10");
    QTest::keyClicks(t.Pane.EditText, "abc");
    QTest::keyClick(t.Pane.EditText, Qt::Key_Return);
    EXPECT_FALSE(t.Pane.EditText->isVisible());
    EXPECT_NE(t.Pane.Canvas.Image, white);
    EXPECT_TRUE(t.Pane.MemoDirty());

    // Loading another recipe hides an open text box.
    t.Click("SpeedButton10");
    t.Pane.Reset(300, 100);
    EXPECT_FALSE(t.Pane.EditText->isVisible());
    EXPECT_EQ(t.Canvas->size(), QSize(300, 100));
    EXPECT_FALSE(t.Pane.MemoDirty());
}
