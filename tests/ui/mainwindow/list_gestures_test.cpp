#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

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
    }
    QPoint RowPoint(int row) const { return View.visualRect(Model.index(row, 0)).center(); }
    // Presses at `start`, moves along `path` (offsets from the start), releases at its end.
    void Drag(Qt::MouseButton button, QPoint start, const std::vector<QPoint>& path) {
        QTest::mousePress(View.viewport(), button, {}, start);
        for (QPoint p : path)
            QTest::mouseMove(View.viewport(), start + p);
        QTest::mouseRelease(View.viewport(), button, {}, start + (path.empty() ? QPoint() : path.back()));
        QApplication::processEvents();
    }
    int SelectedRow() const {
        const auto rows = View.selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
};

}  // namespace

// A stroke runs its command once, after the release, its letters showing until then; other buttons run none.
TEST(ListGestures, DragsRunTheirCommandsAfterTheRelease) {
    struct TCase {
        Qt::MouseButton Button;
        std::vector<QPoint> Path;
        std::vector<TGestureCommand> Commands;
        QStringList Status;
    };
    const TCase cases[] = {
        {Qt::LeftButton, {{0, -30}, {0, -60}, {0, -30}, {0, 0}}, {TGestureCommand::Reload}, {"", "U", "UD [更新]", ""}},
        {Qt::LeftButton, {{30, 0}, {30, 30}}, {}, {"", "R", "RD", ""}},
        {Qt::RightButton, {{0, -30}, {0, 0}}, {}, {}},
        {Qt::LeftButton, {{5, 5}}, {}, {}},
    };
    for (const TCase& c : cases) {
        TGestureList list;
        list.Drag(c.Button, list.RowPoint(10), c.Path);
        EXPECT_EQ(list.Commands, c.Commands);
        EXPECT_EQ(list.Status.join('|'), c.Status.join('|'));
        EXPECT_FALSE(list.Gestures.TrailOf(&list.View)->isVisible());
    }
}

TEST(ListGestures, SelectionStaysDuringADragAndTheTrailGoes) {
    TGestureList list;
    const QPoint start = list.RowPoint(3);
    QTest::mousePress(list.View.viewport(), Qt::LeftButton, {}, start);
    for (int row = 4; row < 12; ++row)
        QTest::mouseMove(list.View.viewport(), list.RowPoint(row));
    EXPECT_EQ(list.SelectedRow(), 3);
    EXPECT_TRUE(list.Gestures.TrailOf(&list.View)->isVisible());
    QTest::mouseRelease(list.View.viewport(), Qt::LeftButton, {}, list.RowPoint(11));
    EXPECT_EQ(list.SelectedRow(), 3);
    // Pressing the selected row: the release must not select the row under the pointer.
    list.Drag(Qt::LeftButton, start, {list.RowPoint(6) - start, list.RowPoint(9) - start});
    EXPECT_EQ(list.SelectedRow(), 3);
    list.Drag(Qt::LeftButton, list.RowPoint(7), {});  // a plain click still selects
    EXPECT_EQ(list.SelectedRow(), 7);
}
