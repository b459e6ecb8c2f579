#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/mainwindow/control_bar.h"

namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPoint global = target->mapToGlobal(local);
    QMouseEvent event(type, QPointF(local), QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
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

    site->Dock(bar, QPoint(10, 0));
    EXPECT_EQ(bar->parentWidget(), site);
    EXPECT_EQ(bar->pos(), QPoint(10, 0));
    EXPECT_EQ(site->height(), bar->height());  // the site is as tall as its bars
    site->Dock(bar, QPoint(10, 30));
    EXPECT_EQ(site->height(), 30 + bar->height());

    // Dragging by the bar moves it inside the site.
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    SendMouse(bar, QEvent::MouseMove, QPoint(42, 2), Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(42, 2), Qt::NoButton);
    EXPECT_EQ(bar->pos(), QPoint(50, 30));
    EXPECT_FALSE(TControlBar::IsFloating(bar));

    // Dragged far out of the site it floats in its own window.
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    SendMouse(bar, QEvent::MouseMove, QPoint(2, 400), Qt::LeftButton);
    ASSERT_TRUE(TControlBar::IsFloating(bar));
    QWidget* floating = TControlBar::FloatingWindow(bar);
    EXPECT_TRUE(floating->isVisible());

    // Closing the floating window hides the bar; a double click docks it back.
    floating->close();
    EXPECT_TRUE(bar->isHidden());
    bar->show();
    floating->show();
    QTest::mouseDClick(floating, Qt::LeftButton, {}, QPoint(1, 1));
    QApplication::processEvents();
    EXPECT_EQ(bar->parentWidget(), site);
    EXPECT_FALSE(bar->isHidden());

    // Float it again, then drag it by the bar back over the row: it docks there.
    TControlBar::Float(bar, QRect(window.mapToGlobal(QPoint(100, 200)), bar->size()));
    ASSERT_TRUE(TControlBar::IsFloating(bar));
    QApplication::processEvents();
    const QPoint target = site->mapToGlobal(QPoint(120, site->height() / 2));
    const QPoint grip(2, 2);
    SendMouse(bar, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    const QPoint there = bar->mapFromGlobal(target);
    SendMouse(bar, QEvent::MouseMove, there, Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonRelease, bar->mapFromGlobal(target), Qt::NoButton);
    QApplication::processEvents();
    EXPECT_FALSE(TControlBar::IsFloating(bar));
    EXPECT_EQ(bar->parentWidget(), site);
    EXPECT_EQ(bar->x(), 120);
}
