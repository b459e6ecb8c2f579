#include <gtest/gtest.h>

#include <vector>

#include "core/search/class_tree.h"

namespace {

TCookItem Item(const QString& name, const QString& group, const QString& kind, const QString& amount,
               const QString& calorie) {
    TCookItem item;
    item.Name = name;
    item.Group = group;
    item.Kind = kind;
    item.Amount = amount;
    item.Calorie = calorie;
    item.Visible = true;
    return item;
}

QStringList Captions(const TClassRoot& root) {
    QStringList out;
    for (const TClassValue& v : root.Values)
        out.append(v.Caption());
    return out;
}

}  // namespace

TEST(ClassTree, CalorieBandBoundariesAndNonNumbers) {
    EXPECT_EQ(CalorieBand("0"), 0);
    EXPECT_EQ(CalorieBand("99.5"), 0);
    EXPECT_EQ(CalorieBand("99.99"), 0);
    EXPECT_EQ(CalorieBand("100"), 1);
    EXPECT_EQ(CalorieBand("199.9"), 1);
    EXPECT_EQ(CalorieBand("200"), 2);
    EXPECT_EQ(CalorieBand("499"), 2);
    EXPECT_EQ(CalorieBand("500"), 3);
    EXPECT_EQ(CalorieBand("999.9"), 3);
    EXPECT_EQ(CalorieBand("1000"), 4);
    EXPECT_EQ(CalorieBand("25000"), 4);
    EXPECT_EQ(CalorieBand(" 150 "), 1);
    // Not a number, or below zero: no band at all.
    for (const char* text : {"", "abc", "約300", "300kcal", "1,000", "-1", "-0.5", "nan", "inf", "１００"})
        EXPECT_EQ(CalorieBand(QString::fromUtf8(text)), -1) << text;
    EXPECT_EQ(CalorieBandText(0), "0kcal～99kcal");
    EXPECT_EQ(CalorieBandText(4), "1000kcal以上");
}

TEST(ClassTree, FilesShownRowsUnderSortedValuesAndCountedBands) {
    const TCookItems items{
        Item("肉じゃが", "和食", "主菜", "4人分", "450"),
        Item("みそ汁", "和食", "汁物", "2人分", "80"),
        Item("カレー", "洋食", "主菜", "4人分", "1000"),
        Item("隠れ", "中華", "点心", "1人分", "50"),     // not shown
        Item("白紙", "", "", "", "たくさん"),              // filed nowhere
        Item("Apple", "洋食", "", "", "99.5"),
    };
    const QList<int> rows{2, 1, 0, 4, 5};  // list order after a sort
    const TClassTree tree = BuildClassTreeData(items, rows);

    EXPECT_EQ(tree[ClassGroup].Text, "[グループ]");
    EXPECT_EQ(tree[ClassKind].Text, "[種類]");
    EXPECT_EQ(tree[ClassAmount].Text, "[量]");
    EXPECT_EQ(tree[ClassCalorie].Text, "[カロリー]");
    EXPECT_EQ(Captions(tree[ClassGroup]), QStringList({"和食(2)", "洋食(2)"}));
    EXPECT_EQ(tree[ClassGroup].Values[0].Names, QStringList({"みそ汁", "肉じゃが"}));
    EXPECT_EQ(tree[ClassGroup].Values[1].Names, QStringList({"Apple", "カレー"}));
    EXPECT_EQ(Captions(tree[ClassKind]), QStringList({"主菜(2)", "汁物(1)"}));
    EXPECT_EQ(Captions(tree[ClassAmount]), QStringList({"2人分(1)", "4人分(2)"}));
    // Bands keep their order, empty ones stay with a zero count, names in row order.
    EXPECT_EQ(Captions(tree[ClassCalorie]),
              QStringList({"0kcal～99kcal(2)", "100kcal～199kcal(0)", "200kcal～499kcal(1)",
                           "500kcal～999kcal(0)", "1000kcal以上(1)"}));
    EXPECT_EQ(tree[ClassCalorie].Values[0].Names, QStringList({"みそ汁", "Apple"}));

    // The hidden recipe is nowhere.
    for (const TClassRoot& root : tree)
        for (const TClassValue& v : root.Values)
            EXPECT_FALSE(v.Names.contains("隠れ"));

    // Nothing shown: the four roots and five empty bands only.
    const TClassTree empty = BuildClassTreeData(items, {});
    EXPECT_TRUE(empty[ClassGroup].Values.empty());
    EXPECT_EQ(Captions(empty[ClassCalorie]).join(","),
              "0kcal～99kcal(0),100kcal～199kcal(0),200kcal～499kcal(0),500kcal～999kcal(0),1000kcal以上(0)");
}

TEST(ClassTree, ValuesCompareExactlyAndSortTheSameEveryRun) {
    const TCookItems items{
        Item("b", "Group", "", "", ""), Item("a", "group", "", "", ""), Item("c", "Group ", "", "", ""),
        Item("d", "Group", "", "", ""),
    };
    const TClassTree tree = BuildClassTreeData(items, {0, 1, 2, 3});
    // Case and a trailing blank make different values.
    EXPECT_EQ(Captions(tree[ClassGroup]), QStringList({"Group(2)", "group(1)", "Group (1)"}));
    EXPECT_EQ(tree[ClassGroup].Values[0].Names, QStringList({"b", "d"}));
}

TEST(GroupFilter, ItemsFilterAndFallBack) {
    TCookItems items{
        Item("a", "洋食", "", "", ""), Item("b", "和食", "", "", ""), Item("c", "", "", "", ""),
        Item("d", "洋食", "", "", ""), Item("e", "中華", "", "", ""),
    };
    items[4].Visible = false;  // hidden by the refinement, still offered
    const QStringList filter = GroupFilterItems(items);
    ASSERT_EQ(filter.size(), 4);
    EXPECT_EQ(filter[0], AllGroupsText);
    EXPECT_EQ(filter.mid(1).size(), 3);
    EXPECT_TRUE(filter.contains("中華") && filter.contains("和食") && filter.contains("洋食"));
    EXPECT_EQ(filter.count("洋食"), 1);

    EXPECT_EQ(GroupFilterChoice(filter, "和食"), filter.indexOf("和食"));
    EXPECT_EQ(GroupFilterChoice(filter, "消えたグループ"), 0);

    EXPECT_TRUE(PassesListFilter(items[0], AllGroupsText));
    EXPECT_TRUE(PassesListFilter(items[0], "洋食"));
    EXPECT_FALSE(PassesListFilter(items[1], "洋食"));
    EXPECT_FALSE(PassesListFilter(items[2], "洋食"));
    EXPECT_FALSE(PassesListFilter(items[4], AllGroupsText));
    EXPECT_FALSE(PassesListFilter(items[4], "中華"));
}
