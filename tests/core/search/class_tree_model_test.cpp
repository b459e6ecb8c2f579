#include <gtest/gtest.h>

#include <cstdlib>

#include <QSignalSpy>

#include "core/search/class_tree_model.h"

namespace {

TClassTree SmallTree() {
    TClassTree tree;
    tree[ClassGroup] = {"[グループ]", {{"和食", {"水", "牛丼"}}, {"洋食", {"オムライス"}}}};
    tree[ClassKind] = {"[種類]", {}};
    tree[ClassAmount] = {"[量]", {{"2人分", {"牛丼"}}}};
    tree[ClassCalorie] = {"[カロリー]", {{"0kcal～99kcal", {"水"}}, {"100kcal～199kcal", {}}}};
    return tree;
}

// Each row as "level caption", top to bottom.
QStringList Rows(const TClassTreeModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r)
        rows << QString::number(model.Level(r)) + u' ' + model.index(r, 0).data().toString();
    return rows;
}

}  // namespace

// Opening and closing classes inserts and removes only their rows; every row keeps its parent.
TEST(ClassTreeModel, ClassesOpenAndCloseRowByRow) {
    TClassTreeModel model;
    EXPECT_EQ(model.rowCount(), 0);
    ASSERT_TRUE(model.SetTree(SmallTree()));
    const QStringList all = {"0 [グループ]", "1 和食(2)", "2 水", "2 牛丼", "1 洋食(1)", "2 オムライス",
                             "0 [種類]", "0 [量]", "1 2人分(1)", "2 牛丼", "0 [カロリー]",
                             "1 0kcal～99kcal(1)", "2 水", "1 100kcal～199kcal(0)"};
    ASSERT_EQ(Rows(model), all);
    // Each row's parent, and whether a later row shares it (the tree's lines).
    const std::vector<int> parents = {-1, 0, 1, 1, 0, 4, -1, -1, 7, 8, -1, 10, 11, 10};
    const std::vector<bool> more = {1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0};
    for (int r = 0; r < model.rowCount(); ++r) {
        EXPECT_EQ(model.ParentRow(r), parents[static_cast<size_t>(r)]) << r;
        EXPECT_EQ(model.index(r, 0).data(TClassTreeModel::MoreSiblingsRole).toBool(), more[static_cast<size_t>(r)]) << r;
    }

    const struct {
        int Row;
        bool Open;
        int Changed;        // rows inserted (+) or removed (-)
        const char* Below;  // the row below it afterwards
    } steps[] = {
        {1, false, -2, "1 洋食(1)"},   {0, false, -3, "0 [種類]"},
        {1, false, 0, "0 [量]"},       // a root with no values has nothing to close
        {8, true, 0, ""},              // an empty band neither
        {0, true, +3, "1 和食(2)"},    // 和食 comes back closed
        {1, true, +2, "2 水"},         {2, false, 0, "2 牛丼"},  // a name is no class
    };
    for (const auto& step : steps) {
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        const int before = model.rowCount();
        model.SetExpanded(step.Row, step.Open);
        EXPECT_EQ(model.rowCount() - before, step.Changed) << step.Row;
        EXPECT_EQ(Rows(model).value(step.Row + 1), QString::fromUtf8(step.Below)) << step.Row;
        QSignalSpy& spy = step.Changed > 0 ? inserted : removed;
        ASSERT_EQ(spy.count(), step.Changed == 0 ? 0 : 1) << step.Row;
        if (step.Changed != 0) {
            EXPECT_EQ(spy[0][1].toInt(), step.Row + 1);
            EXPECT_EQ(spy[0][2].toInt(), step.Row + std::abs(step.Changed));
        }
    }
    EXPECT_EQ(Rows(model), all);
}

// The same tree again is no change at all; another tree shows whole; clearing keeps nothing.
TEST(ClassTreeModel, OnlyANewTreeResets) {
    TClassTreeModel model;
    model.SetTree(SmallTree());
    model.SetExpanded(0, false);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    EXPECT_FALSE(model.SetTree(SmallTree()));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_FALSE(model.IsExpanded(0));

    TClassTree renamed = SmallTree();
    renamed[ClassGroup].Values[1].Names[0] = "オムレツ";
    EXPECT_TRUE(model.SetTree(renamed));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_TRUE(model.IsExpanded(0));
    EXPECT_EQ(model.RecipeName(5), "オムレツ");
    EXPECT_EQ(model.RecipeName(4), "");

    model.Clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.index(0, 0).data().isValid());
    EXPECT_TRUE(model.SetTree(SmallTree()));  // an empty model takes even the tree it had
}
