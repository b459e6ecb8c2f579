#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/mainwindow/control_bar.h"

namespace {

// A drag by the grip; `to` is in the bar's coordinates at the press.
void DragBar(QToolBar* bar, QPoint from, QPoint to) {
    const QPoint target = bar->mapToGlobal(to);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, to);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->mapFromGlobal(target));
    QApplication::processEvents();
}

}  // namespace

TEST(ControlBarTest, BarsMoveFloatAndDockBack) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* site = new TControlBar(QStringLiteral("ControlBar1"), &window);
    layout->addWidget(site);
    layout->addStretch(1);
    auto* bar = new QToolBar(QStringLiteral("bar"));
    bar->addAction(QStringLiteral("A"));
    window.resize(600, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    site->Dock(bar, QPoint(10, 30));
    EXPECT_EQ(site->height(), 30 + bar->height());  // the site is as tall as its bars
    DragBar(bar, QPoint(2, 2), QPoint(42, 2));
    EXPECT_EQ(bar->pos(), QPoint(50, 30));
    EXPECT_FALSE(TControlBar::IsFloating(bar));

    // Far out of the site it floats; closing its window hides it, a double click docks it back.
    DragBar(bar, QPoint(2, 2), QPoint(2, 400));
    ASSERT_TRUE(TControlBar::IsFloating(bar));
    QWidget* floating = TControlBar::FloatingWindow(bar);
    floating->close();
    EXPECT_TRUE(bar->isHidden());
    bar->show();
    floating->show();
    QTest::mouseDClick(floating, Qt::LeftButton, {}, QPoint(1, 1));
    QApplication::processEvents();
    EXPECT_EQ(bar->parentWidget(), site);
    EXPECT_FALSE(bar->isHidden());

    // Floating again, dragged by the bar back over the row: it docks there.
    TControlBar::Float(bar, QRect(window.mapToGlobal(QPoint(100, 200)), bar->size()));
    QApplication::processEvents();
    DragBar(bar, QPoint(2, 2), bar->mapFromGlobal(site->mapToGlobal(QPoint(120, site->height() / 2))));
    EXPECT_EQ(bar->parentWidget(), site);
    EXPECT_EQ(bar->x(), 120);
}
