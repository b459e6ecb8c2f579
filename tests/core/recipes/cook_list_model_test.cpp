#include "core/recipes/cook_list_model.h"

#include <gtest/gtest.h>

#include "core/recipes/icon_store.h"

namespace {

TCookItem Item(const QString& name, const QString& calorie = QString(), int icon = -1) {
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

TEST(CookListModelTest, NumericColumnsSortAsNumbersAndStably) {
    const TCookItems items{Item("a", "12.5"), Item("b", "9"), Item("c"), Item("d", "abc"), Item("e", "100"),
                           Item("f", " 9 ")};
    const QStringList columns{"料理名", "カロリー"};
    QList<int> rows{0, 1, 2, 3, 4, 5};
    // Empty and non-numeric count as 0 and keep their order; 9 before 12.5.
    SortCookRows(rows, items, columns, 1, true, false);
    EXPECT_EQ(Names(items, rows), (QStringList{"c", "d", "b", "f", "a", "e"}));
    SortCookRows(rows, items, columns, 1, false, false);
    EXPECT_EQ(Names(items, rows), (QStringList{"e", "a", "b", "f", "c", "d"}));
    SortCookRows(rows, items, columns, 0, true, false);
    EXPECT_EQ(Names(items, rows), (QStringList{"a", "b", "c", "d", "e", "f"}));
}

TEST(CookListModelTest, IconSortTreatsEqualIconsAsEqual) {
    // Many equal icons: a comparison calling equal rows unequal breaks the sort.
    TCookItems items;
    QList<int> rows;
    for (int i = 0; i < 200; ++i) {
        items.append(Item(QString::number(i), QString(), i % 3 == 0 ? 5 : 2));
        rows << i;
    }
    SortCookRows(rows, items, {"料理名"}, 0, true, true);
    for (int i = 1; i < rows.size(); ++i) {
        ASSERT_LE(items[rows[i - 1]].Icon, items[rows[i]].Icon);
        if (items[rows[i - 1]].Icon == items[rows[i]].Icon) {
            EXPECT_LT(rows[i - 1], rows[i]) << "equal icons keep their order";
        }
    }
    SortCookRows(rows, items, {"料理名"}, 0, false, true);
    EXPECT_EQ(rows.first(), 0);
}

TEST(CookListModelTest, ModelShowsListedRecordsWithStripes) {
    TCookItems items{Item("a", QString(), 4), Item("b"), Item("c")};
    items[1].Visible = false;
    items[2].Group = "朝食";
    items[2].DifficultValue = 3;
    EXPECT_EQ(ListedRecords(items, "すべてのグループを表示"), (QList<int>{0, 2}));
    EXPECT_EQ(ListedRecords(items, "朝食"), (QList<int>{2}));

    TIconStore icons;
    TCookListModel model(&items, &icons);
    model.SetColumns({"料理名", "グループ", "量", "むずかしさ", "おいしさ", "タイトル"});
    model.SetRows({0, 2});
    ASSERT_EQ(model.rowCount(), 2);
    const auto text = [&](int row, int column) { return model.data(model.index(row, column), Qt::DisplayRole).toString(); };
    EXPECT_EQ(QStringList({text(1, 0), text(1, 1), text(1, 3), text(1, 4), text(1, 5)}),
              (QStringList{"c", "朝食", "3", "", "c"}));
    EXPECT_EQ(model.data(model.index(1, 0), TCookListModel::RecordRole).toInt(), 2);
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::DecorationRole).isNull());
    EXPECT_TRUE(model.data(model.index(1, 0), Qt::DecorationRole).isNull());  // icon -1
    // $FFF0F0 / $FFFFFF, and the third column $FFE6E6 / $D7FFFF.
    for (const auto& [row, column, colour] : {std::tuple(0, 0, QColor(0xF0, 0xF0, 0xFF)), {1, 0, QColor(Qt::white)},
                                              {0, 2, QColor(0xE6, 0xE6, 0xFF)}, {1, 2, QColor(0xFF, 0xFF, 0xD7)}})
        EXPECT_EQ(model.data(model.index(row, column), Qt::BackgroundRole).value<QColor>(), colour) << row << column;

    model.SetColumns({});
    model.SetRows({0, 2});
    EXPECT_EQ(model.rowCount(), 0);
}
