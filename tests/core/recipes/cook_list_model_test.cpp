#include <gtest/gtest.h>

#include "core/recipes/cook_list_model.h"
#include "core/recipes/icon_store.h"

namespace {

TCookItem Item(const QString& name, const QString& calorie, int icon = -1) {
    TCookItem item;
    item.Name = name;
    item.Calorie = calorie;
    item.Icon = icon;
    return item;
}

QStringList Names(const TCookItems& items, const QList<int>& rows) {
    QStringList names;
    for (int row : rows)
        names << items[row].Name;
    return names;
}

}  // namespace

TEST(CookListModelTest, CellsShowTheirFields) {
    TCookItem item;
    item.Name = QStringLiteral("肉じゃが");
    item.Salt = QStringLiteral("1.5");
    item.DifficultValue = 3;
    EXPECT_EQ(CookCellText(item, QStringLiteral("料理名")), item.Name);
    EXPECT_EQ(CookCellText(item, QStringLiteral("タイトル")), item.Name);
    EXPECT_EQ(CookCellText(item, QStringLiteral("塩分")), QStringLiteral("1.5"));
    EXPECT_EQ(CookCellText(item, QStringLiteral("むずかしさ")), QStringLiteral("3"));
    EXPECT_EQ(CookCellText(item, QStringLiteral("おいしさ")), QString());  // unset
    EXPECT_EQ(CookCellText(item, QStringLiteral("不明")), QString());
}

TEST(CookListModelTest, NumericColumnsSortAsNumbersAndStably) {
    const TCookItems items{Item(QStringLiteral("a"), QStringLiteral("12.5")), Item(QStringLiteral("b"), QStringLiteral("9")),
                           Item(QStringLiteral("c"), QString()),            Item(QStringLiteral("d"), QStringLiteral("abc")),
                           Item(QStringLiteral("e"), QStringLiteral("100")), Item(QStringLiteral("f"), QStringLiteral(" 9 "))};
    const QStringList columns{QStringLiteral("料理名"), QStringLiteral("カロリー")};
    QList<int> rows{0, 1, 2, 3, 4, 5};
    SortCookRows(rows, items, columns, 1, true, false);
    // Empty and non-numeric count as 0 and keep their order; 9 before 12.5.
    EXPECT_EQ(Names(items, rows), (QStringList{"c", "d", "b", "f", "a", "e"}));
    SortCookRows(rows, items, columns, 1, false, false);
    EXPECT_EQ(Names(items, rows), (QStringList{"e", "a", "b", "f", "c", "d"}));
    // A text column compares texts.
    SortCookRows(rows, items, columns, 0, true, false);
    EXPECT_EQ(Names(items, rows), (QStringList{"a", "b", "c", "d", "e", "f"}));
}

TEST(CookListModelTest, IconSortTreatsEqualIconsAsEqual) {
    // Many equal icons: a comparison calling equal rows unequal breaks the sort.
    TCookItems items;
    for (int i = 0; i < 200; ++i)
        items.append(Item(QStringLiteral("r%1").arg(i, 3, 10, QLatin1Char('0')), QString(), i % 3 == 0 ? 5 : 2));
    QList<int> rows;
    for (int i = 0; i < items.size(); ++i)
        rows << i;
    SortCookRows(rows, items, {QStringLiteral("料理名")}, 0, true, true);
    for (int i = 1; i < rows.size(); ++i) {
        ASSERT_LE(items[rows[i - 1]].Icon, items[rows[i]].Icon);
        if (items[rows[i - 1]].Icon == items[rows[i]].Icon) {
            EXPECT_LT(rows[i - 1], rows[i]) << "equal icons keep their order";
        }
    }
    SortCookRows(rows, items, {QStringLiteral("料理名")}, 0, false, true);
    EXPECT_EQ(items[rows.first()].Icon, 5);
    EXPECT_EQ(rows.first(), 0);
}

TEST(CookListModelTest, ModelShowsListedRecordsWithStripes) {
    TCookItems items{Item(QStringLiteral("a"), QString()), Item(QStringLiteral("b"), QString()),
                     Item(QStringLiteral("c"), QString())};
    items[1].Visible = false;
    items[2].Group = QStringLiteral("朝食");
    EXPECT_EQ(ListedRecords(items, QStringLiteral("すべてのグループを表示")), (QList<int>{0, 2}));
    EXPECT_EQ(ListedRecords(items, QStringLiteral("朝食")), (QList<int>{2}));
    EXPECT_TRUE(ListedRecords(items, QStringLiteral("夕食")).isEmpty());

    TIconStore icons;
    items[0].Icon = 4;
    TCookListModel model(&items, &icons);
    model.SetColumns({QStringLiteral("料理名"), QStringLiteral("グループ"), QStringLiteral("量")});
    model.SetRows({0, 2});
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("c"));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("朝食"));
    EXPECT_EQ(model.data(model.index(1, 0), TCookListModel::RecordRole).toInt(), 2);
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::DecorationRole).isNull());
    EXPECT_TRUE(model.data(model.index(1, 0), Qt::DecorationRole).isNull());  // icon -1
    // $FFF0F0 / $FFFFFF, and the third column $FFE6E6 / $D7FFFF.
    EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(0xF0, 0xF0, 0xFF));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    EXPECT_EQ(model.data(model.index(0, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xE6, 0xE6, 0xFF));
    EXPECT_EQ(model.data(model.index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xFF, 0xD7));

    // No columns, no rows.
    model.SetColumns({});
    model.SetRows({0, 2});
    EXPECT_EQ(model.rowCount(), 0);
}
