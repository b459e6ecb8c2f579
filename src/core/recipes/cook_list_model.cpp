#include "core/recipes/cook_list_model.h"

#include <algorithm>

#include <QColor>
#include <QIcon>
#include <QPixmap>

#include "core/search/class_tree.h"
#include "core/recipes/icon_store.h"
#include "core/settings/colors.h"

namespace {

double NumberOrZero(const QString& text) {
    double value = 0;
    return ParseAttributeNumber(text, value) ? value : 0.0;
}

QString RatingText(int value) { return value == -1 ? QString() : QString::number(value); }

}  // namespace

QString CookCellText(const TCookItem& item, const QString& caption) {
    if (caption == QStringLiteral("料理名") || caption == QStringLiteral("タイトル")) return item.Name;
    if (caption == QStringLiteral("種類")) return item.Kind;
    if (caption == QStringLiteral("量")) return item.Amount;
    if (caption == QStringLiteral("画")) return item.PhotoMark;
    if (caption == QStringLiteral("登録日付")) return item.Date;
    if (caption == QStringLiteral("カロリー")) return item.Calorie;
    if (caption == QStringLiteral("費用")) return item.Price;
    if (caption == QStringLiteral("調理時間")) return item.WorkTime;
    if (caption == QStringLiteral("グループ")) return item.Group;
    if (caption == QStringLiteral("塩分")) return item.Salt;
    if (caption == QStringLiteral("むずかしさ")) return RatingText(item.DifficultValue);
    if (caption == QStringLiteral("おいしさ")) return RatingText(item.NiceValue);
    return QString();
}

bool IsNumericColumn(const QString& caption) {
    return caption == QStringLiteral("カロリー") || caption == QStringLiteral("費用") ||
           caption == QStringLiteral("塩分");
}

QList<int> ListedRecords(const TCookItems& items, const QString& groupFilter) {
    QList<int> rows;
    rows.reserve(items.size());
    const bool all = groupFilter == AllGroupsText;
    for (int i = 0; i < items.size(); ++i) {
        const TCookItem& item = items[i];
        if (item.Visible && (all || item.Group == groupFilter))
            rows.append(i);
    }
    return rows;
}

void SortCookRows(QList<int>& rows, const TCookItems& items, const QStringList& columns, int column,
                  bool ascending, bool iconSort) {
    if (column < 0 || column >= columns.size())
        return;
    // Each row's key is worked out once; equal keys compare equal, so the
    // order is a strict weak ordering and stable_sort keeps equal rows in
    // their order.
    const QString& caption = columns[column];
    const bool byIcon = column == 0 && iconSort;
    const bool numeric = !byIcon && IsNumericColumn(caption);
    struct TKey {
        int Row;
        double Number;
        QString Text;
    };
    std::vector<TKey> keys;
    keys.reserve(rows.size());
    for (int row : rows) {
        const TCookItem& item = items[row];
        if (byIcon)
            keys.push_back({row, static_cast<double>(item.Icon), {}});
        else if (numeric)
            keys.push_back({row, NumberOrZero(CookCellText(item, caption)), {}});
        else
            keys.push_back({row, 0, CookCellText(item, caption)});
    }
    auto compare = [&](const TKey& x, const TKey& y) -> int {
        if (byIcon || numeric)
            return x.Number < y.Number ? -1 : (x.Number > y.Number ? 1 : 0);
        const int c = QString::localeAwareCompare(x.Text, y.Text);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const TKey& x, const TKey& y) {
        const int c = compare(x, y);
        return ascending ? c < 0 : c > 0;
    });
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i] = keys[static_cast<size_t>(i)].Row;
}

QColor CookRowColor(int row, int column) {
    const bool even = row % 2 == 0;
    if (column == 2)
        return ColorFromBgr(even ? 0xFFE6E6 : 0xD7FFFF);
    return ColorFromBgr(even ? 0xFFF0F0 : 0xFFFFFF);
}

TCookListModel::TCookListModel(const TCookItems* items, const TIconStore* icons, QObject* parent)
    : QAbstractTableModel(parent), Items(items), Icons(icons) {}

void TCookListModel::SetColumns(const QStringList& captions) {
    beginResetModel();
    Captions = captions;
    // A list without columns has no rows.
    if (Captions.isEmpty())
        Records.clear();
    endResetModel();
}

void TCookListModel::SetRows(const QList<int>& records) {
    beginResetModel();
    Records = Captions.isEmpty() ? QList<int>() : records;
    endResetModel();
    emit RowsRefilled();
}

void TCookListModel::Reorder(const QList<int>& records) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> beforeRecords;
    beforeRecords.reserve(before.size());
    for (const QModelIndex& index : before)
        beforeRecords.append(RecordOfRow(index.row()));
    Records = records;
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        const int row = RowOfRecord(beforeRecords[i]);
        after.append(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TCookListModel::RecordOfRow(int row) const { return row >= 0 && row < Records.size() ? Records[row] : -1; }

int TCookListModel::RowOfRecord(int record) const { return record < 0 ? -1 : static_cast<int>(Records.indexOf(record)); }

void TCookListModel::RecordChanged(int record) {
    const int row = RowOfRecord(record);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int TCookListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Records.size());
}

int TCookListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Captions.size());
}

QVariant TCookListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Records.size() || index.column() >= Captions.size())
        return {};
    const int record = Records[index.row()];
    if (record < 0 || record >= Items->size())
        return {};
    const TCookItem& item = (*Items)[record];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (role == Qt::ToolTipRole && index.column() != 0)
            return {};
        return CookCellText(item, Captions[index.column()]);
    case Qt::DecorationRole:
        if (index.column() == 0 && Icons && Icons->IsValidIndex(item.Icon)) {
            auto cached = IconCache.constFind(item.Icon);
            if (cached == IconCache.constEnd()) {
                QIcon icon;
                icon.addPixmap(QPixmap::fromImage(Icons->Icon16(item.Icon)));
                icon.addPixmap(QPixmap::fromImage(Icons->Icon32(item.Icon)));
                cached = IconCache.insert(item.Icon, icon);
            }
            return *cached;
        }
        return {};
    case Qt::BackgroundRole:
        return CookRowColor(index.row(), index.column());
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case RecordRole:
        return record;
    default:
        return {};
    }
}

QVariant TCookListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Captions.size())
        return Captions[section];
    return {};
}
