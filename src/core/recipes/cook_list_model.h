#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QStringList>

#include "core/recipes/cook_item.h"

class TIconStore;

// The text a column shows for a record, by the column's caption; empty for a
// caption that names no field.
QString CookCellText(const TCookItem& item, const QString& caption);

// Captions whose columns hold numbers and sort as numbers.
bool IsNumericColumn(const QString& caption);

// Indexes of the records the list shows: visible, and of the chosen group
// unless the filter is "すべてのグループを表示".
QList<int> ListedRecords(const TCookItems& items, const QString& groupFilter);

// Sorts rows (record indexes) by one column, stably. Numeric columns compare
// as numbers (a text that is not a number counts as 0); others by the locale's
// comparison. With `iconSort`, column 0 compares the records' icon indexes.
void SortCookRows(QList<int>& rows, const TCookItems& items, const QStringList& columns, int column,
                  bool ascending, bool iconSort);

// The striped background of a cell: by the row's position as shown and the column.
QColor CookRowColor(int row, int column);

// The recipe list's rows as one model for every view style: one row per
// listed record, one column per shown caption. No object per row.
class TCookListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int RecordRole = Qt::UserRole + 1;

    TCookListModel(const TCookItems* items, const TIconStore* icons, QObject* parent = nullptr);

    void SetColumns(const QStringList& captions);
    const QStringList& Columns() const { return Captions; }
    // Replaces every row (record indexes in display order).
    void SetRows(const QList<int>& records);
    const QList<int>& Rows() const { return Records; }
    // Reorders the rows; persistent indexes (the selection) follow their records.
    void Reorder(const QList<int>& records);
    int RecordOfRow(int row) const;
    int RowOfRecord(int record) const;
    // A record changed in place: its row repaints.
    void RecordChanged(int record);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // After SetRows: the shown records changed (a column change alone does not).
    void RowsRefilled();

private:
    const TCookItems* Items;
    const TIconStore* Icons;
    QStringList Captions;
    QList<int> Records;
    mutable QHash<int, QIcon> IconCache;  // one icon object per icon index
};
