#pragma once

#include <functional>

#include <QItemSelectionModel>
#include <QVariant>
#include <QWidget>

class QAbstractItemModel;
class QAbstractItemView;
class QHeaderView;
class QListView;
class QStackedLayout;
class QTableView;

// A selection model whose selection changes can be refused: before the
// selected row would change, Changing() is asked; false keeps the old row.
class TGuardedSelectionModel final : public QItemSelectionModel {
    Q_OBJECT
public:
    explicit TGuardedSelectionModel(QAbstractItemModel* model, QObject* parent = nullptr);

    std::function<bool()> Changing;
    bool GuardEnabled = true;

    int SelectedRow() const;

    // Marks one user action (a key press, a click): its calls share one answer.
    void BeginAction() { ++ActionDepth; }
    void EndAction() {
        if (--ActionDepth == 0)
            Decided = false;
    }

    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;
    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void clear() override;

private:
    int RowAfter(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) const;
    bool Allowed(int newRow);

    int ActionDepth = 0;
    bool Decided = false;  // the answer for DecidedRow holds for the rest of the action
    int DecidedRow = -1;
    bool DecidedAllowed = false;
};

// The recipe list: one model shown in four view styles (report, list, large
// icons, small icons) by two views that share the model and the selection.
class TCookListView final : public QWidget {
    Q_OBJECT
public:
    enum TViewStyle { vsReport = 0, vsList = 1, vsIcon = 2, vsSmallIcon = 3 };
    // The role by which a row names its record (Qt::UserRole + 1).
    static constexpr int KeyRole = Qt::UserRole + 1;

    explicit TCookListView(QWidget* parent = nullptr);

    void SetModel(QAbstractItemModel* model);
    QAbstractItemModel* Model() const { return ItemModel; }
    TGuardedSelectionModel* Selection() const { return SelectionModel; }

    void SetViewStyle(TViewStyle style);
    TViewStyle ViewStyle() const { return Style; }

    QTableView* ReportView() const { return Report; }
    QListView* IconView() const { return Icons; }
    QAbstractItemView* CurrentView() const;
    QHeaderView* Header() const;

    int RowCount() const;
    int SelectedRow() const;
    // Selects, focuses and scrolls to `row` without asking Changing(); -1 deselects.
    void SelectRowUnguarded(int row);
    // Selects `row` as a user would: Changing() is asked first. False when refused.
    bool SelectRow(int row);

    void SetRowFont(const QFont& font);
    // Icon size of the report view's rows (16 or 32); rows grow to hold it.
    void SetRowIconSize(int size);

    // Asked before the selection moves to another row (or to none).
    std::function<bool()> Changing;

signals:
    // After the selected row changed: the new row, or -1 with selected false.
    void SelectItem(int row, bool selected);
    void ColumnClick(int column);
    void DoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSelectionChanged();

    QAbstractItemModel* ItemModel = nullptr;
    TGuardedSelectionModel* SelectionModel = nullptr;
    QTableView* Report = nullptr;
    QListView* Icons = nullptr;
    QStackedLayout* Stack = nullptr;
    TViewStyle Style = vsReport;
    int RowIconSize = 16;
    void UpdateRowHeight();
    // The icon views' grid follows the font, so names keep their room.
    void UpdateIconGrid();
    QVariant KeyOfRow(int row) const;
    QVariant LastKey;  // the selected row's record when SelectItem was last sent
};
