#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QListView>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include "ui/mainwindow/cached_size_delegate.h"

namespace {

// Like the list's own cells: with a grid, a cell is the grid's size.
class TGridCells final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto* view = qobject_cast<const QListView*>(option.widget);
        return view && view->gridSize().isValid() ? view->gridSize() : QStyledItemDelegate::sizeHint(option, index);
    }
};

}  // namespace

// Remembered sizes must never be stale: after a rename, a font or icon size
// change or a grid, every cell is as large as a fresh measure says, so no
// name is cut.
TEST(CachedSizeDelegate, CellsMatchAFreshMeasureAfterEveryChange) {
    QStandardItemModel model;
    const QIcon icon(QPixmap(64, 64));
    for (const char* name : {"a", "bakedfish", "肉じゃが", "肉じゃが", "W", "肉じゃが"}) {
        auto* item = new QStandardItem(QString::fromUtf8(name));
        if (model.rowCount() % 2 == 0)
            item->setIcon(icon);
        model.appendRow(item);
    }
    QListView view;
    view.setFlow(QListView::TopToBottom);
    view.setWrapping(true);
    view.setIconSize(QSize(16, 16));
    auto* fresh = new TGridCells(&view);
    auto* cached = new TCachedSizeDelegate(fresh, &view);
    view.setItemDelegate(cached);
    view.setModel(&model);
    view.resize(400, 300);
    view.show();
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"first layout", [] {}},
        {"rename", [&] { model.item(1)->setText(QStringLiteral("a much longer name than before")); }},
        {"larger font", [&] { view.setFont(QFont(view.font().family(), 20)); }},
        {"larger icons", [&] { view.setIconSize(QSize(40, 40)); }},
        {"grid", [&] { view.setGridSize(QSize(50, 30)); }},
        {"grid gone", [&] { view.setGridSize(QSize()); }},
    };
    for (const auto& [name, change] : steps) {
        SCOPED_TRACE(name);
        change();
        QApplication::processEvents();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row, 0);
            QStyleOptionViewItem option;
            option.initFrom(&view);
            option.widget = &view;
            option.font = view.font();
            option.decorationSize = view.iconSize();
            const QSize expected = fresh->sizeHint(option, index);
            EXPECT_EQ(cached->sizeHint(option, index), expected) << row;
            EXPECT_GE(view.visualRect(index).width(), expected.width() - 1) << row;
        }
    }
    EXPECT_EQ(cached->CachedCount(), 5);  // a name repeated with no icon is measured once
}
