#include <gtest/gtest.h>

#include "core/search/class_tree.h"

namespace {

TCookItem Item(const QString& name, const QString& group, const QString& kind = {}, const QString& amount = {},
               const QString& calorie = {}) {
    TCookItem item;
    item.Name = name;
    item.Kind = kind;
    item.Amount = amount;
    item.Calorie = calorie;
    item.Group = group;
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
    // Not a number, or below zero: no band at all.
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"99.99", 0}, {"100", 1}, {"199.9", 1}, {"200", 2}, {"499", 2}, {"500", 3}, {"999.9", 3},
        {"1000", 4}, {" 150 ", 1}, {"", -1}, {"約300", -1}, {"300kcal", -1}, {"1,000", -1}, {"-0.5", -1},
        {"nan", -1}, {"１００", -1},
    };
    for (const auto& [text, band] : cases)
        EXPECT_EQ(CalorieBand(QString::fromUtf8(text)), band) << text;
}

TEST(ClassTree, FilesShownRowsUnderSortedValuesAndCountedBands) {
    const TCookItems items{
        Item("肉じゃが", "和食", "主菜", "4人分", "450"), Item("みそ汁", "和食", "汁物", "2人分", "80"),
        Item("カレー", "洋食", "主菜", "4人分", "1000"),  Item("隠れ", "中華", "点心", "1人分", "50"),  // not shown
        Item("白紙", "", "", "", "たくさん"),              Item("Apple", "洋食", "", "", "99.5"),
    };
    const TClassTree tree = BuildClassTreeData(items, {2, 1, 0, 4, 5});  // list order after a sort
    EXPECT_EQ(Captions(tree[ClassGroup]), QStringList({"和食(2)", "洋食(2)"}));
    EXPECT_EQ(tree[ClassGroup].Values[1].Names, QStringList({"Apple", "カレー"}));
    EXPECT_EQ(Captions(tree[ClassKind]), QStringList({"主菜(2)", "汁物(1)"}));
    EXPECT_EQ(Captions(tree[ClassAmount]), QStringList({"2人分(1)", "4人分(2)"}));
    // Bands keep their order, empty ones stay with a zero count, names in row order.
    EXPECT_EQ(Captions(tree[ClassCalorie]).join(","), "0kcal～99kcal(2),100kcal～199kcal(0),200kcal～499kcal(1),"
                                                      "500kcal～999kcal(0),1000kcal以上(1)");
    EXPECT_EQ(tree[ClassCalorie].Values[0].Names, QStringList({"みそ汁", "Apple"}));
    EXPECT_EQ(Captions(BuildClassTreeData(items, {})[ClassCalorie]).join(","),
              "0kcal～99kcal(0),100kcal～199kcal(0),200kcal～499kcal(0),500kcal～999kcal(0),1000kcal以上(0)");
    // Case and a trailing blank make different values, in the same order every run.
    const TCookItems close{Item("b", "Group"), Item("a", "group"), Item("c", "Group "), Item("d", "Group")};
    EXPECT_EQ(Captions(BuildClassTreeData(close, {0, 1, 2, 3})[ClassGroup]),
              QStringList({"Group(2)", "group(1)", "Group (1)"}));
}

TEST(GroupFilter, ItemsFilterAndFallBack) {
    TCookItems items{Item("a", "洋食"), Item("b", "和食"), Item("c", ""), Item("d", "洋食"), Item("e", "中華")};
    items[4].Visible = false;  // hidden by the refinement, still offered
    QStringList filter = GroupFilterItems(items);
    ASSERT_EQ(filter.value(0), AllGroupsText);
    EXPECT_EQ(GroupFilterChoice(filter, "和食"), filter.indexOf("和食"));
    EXPECT_EQ(GroupFilterChoice(filter, "消えたグループ"), 0);
    QStringList expected{AllGroupsText, "中華", "和食", "洋食"};
    expected.sort();
    filter.sort();
    EXPECT_EQ(filter, expected);
    // {record, filter, passes}
    const std::tuple<int, QString, bool> cases[] = {
        {0, AllGroupsText, true}, {0, "洋食", true}, {1, "洋食", false}, {2, "洋食", false}, {4, "中華", false},
    };
    for (const auto& [record, group, passes] : cases)
        EXPECT_EQ(PassesListFilter(items[record], group), passes) << record << group.toStdString();
}
