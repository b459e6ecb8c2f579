#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest/QTest>

#include "ui/mainwindow/list_gestures.h"

namespace {

struct TGestureList {
    QStandardItemModel Model{30, 2};
    QTableView View;
    TListGestures Gestures;
    QStringList Status;
    std::vector<TGestureCommand> Commands;

    TGestureList() {
        View.setModel(&Model);
        View.setSelectionBehavior(QAbstractItemView::SelectRows);
        View.setSelectionMode(QAbstractItemView::SingleSelection);
        View.resize(300, 600);
        Gestures.Watch(&View);
        Gestures.ShowStatus = [this](const QString& s) { Status << s; };
        Gestures.RunCommand = [this](TGestureCommand c) { Commands.push_back(c); };
        View.show();
        QApplication::setActiveWindow(&View);
    }
    QWidget* Port() { return View.viewport(); }
    QPoint RowPoint(int row) {
        return View.visualRect(Model.index(row, 0)).center();
    }
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, p, Port()->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(Port(), &e);
    }
    void Drag(Qt::MouseButton button, QPoint start, std::initializer_list<QPoint> path) {
        Send(QEvent::MouseButtonPress, start, button, button);
        for (QPoint p : path)
            Send(QEvent::MouseMove, p, Qt::NoButton, button);
        Send(QEvent::MouseButtonRelease, path.size() ? *(path.end() - 1) : start, button, Qt::NoButton);
        QApplication::processEvents();
    }
    int SelectedRow() {
        const auto rows = View.selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
};

}  // namespace

// A stroke runs its command once, after the release; the letters (and the
// command's name once known) show until then. Which strokes form which
// command is the gesture reader's own rule.
TEST(ListGestures, DragsRunTheirCommandsAfterTheRelease) {
    struct TCase {
        std::vector<QPoint> Path;  // offsets from the press
        std::optional<TGestureCommand> Command;
        QStringList Status;
    };
    const TCase cases[] = {
        {{{0, -30}, {0, -60}, {0, -30}, {0, 0}}, TGestureCommand::Reload, {"", "U", "UD [更新]", ""}},
        {{{30, 0}, {30, 30}}, std::nullopt, {"", "R", "RD", ""}},  // "RD" runs nothing
    };
    TGestureList list;
    const QPoint start = list.RowPoint(10);
    for (const TCase& c : cases) {
        list.Commands.clear();
        list.Status.clear();
        list.Send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (QPoint offset : c.Path)
            list.Send(QEvent::MouseMove, start + offset, Qt::NoButton, Qt::LeftButton);
        EXPECT_TRUE(list.Commands.empty());
        list.Send(QEvent::MouseButtonRelease, start + c.Path.back(), Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
        EXPECT_EQ(list.Commands, c.Command ? std::vector<TGestureCommand>{*c.Command} : std::vector<TGestureCommand>{});
        EXPECT_EQ(list.Status, c.Status);
    }
}

TEST(ListGestures, SelectionStaysDuringADragAndTheTrailGoes) {
    TGestureList list;
    const QPoint start = list.RowPoint(3);
    list.Send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(list.SelectedRow(), 3);
    for (int row = 4; row < 12; ++row)
        list.Send(QEvent::MouseMove, list.RowPoint(row), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(list.SelectedRow(), 3);
    TGestureTrailWidget* trail = list.Gestures.TrailOf(&list.View);
    ASSERT_NE(trail, nullptr);
    EXPECT_TRUE(trail->isVisible());
    EXPECT_EQ(trail->Trail().size(), 9);
    list.Send(QEvent::MouseButtonRelease, list.RowPoint(11), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(list.SelectedRow(), 3);
    EXPECT_FALSE(trail->isVisible());
    EXPECT_TRUE(list.Commands.empty());  // "D" alone

    // Pressing the row that is already selected: the list would select on the
    // release, which must not land on the row under the pointer.
    list.Drag(Qt::LeftButton, start, {list.RowPoint(6), list.RowPoint(9)});
    EXPECT_EQ(list.SelectedRow(), 3);
    // A plain click still selects as usual.
    list.Drag(Qt::LeftButton, list.RowPoint(7), {});
    EXPECT_EQ(list.SelectedRow(), 7);
}

TEST(ListGestures, RightButtonAndClicksDoNothing) {
    TGestureList list;
    const QPoint start = list.RowPoint(10);
    list.Drag(Qt::RightButton, start, {start + QPoint(0, -30), start});
    EXPECT_TRUE(list.Commands.empty());
    EXPECT_TRUE(list.Gestures.Gesture().Gesture().isEmpty());
    EXPECT_FALSE(list.Gestures.TrailOf(&list.View)->isVisible());

    list.Drag(Qt::LeftButton, start, {});
    list.Drag(Qt::LeftButton, start, {start + QPoint(5, 5)});
    EXPECT_TRUE(list.Commands.empty());
    EXPECT_TRUE(list.Gestures.Gesture().Gesture().isEmpty());

}
