#include <gtest/gtest.h>

#include <QFont>
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
    const std::vector<int> parents = {-1, 0, 1, 1, 0, 4, -1, -1, 7, 8, -1, 10, 11, 10};
    for (int r = 0; r < model.rowCount(); ++r)
        EXPECT_EQ(model.ParentRow(r), parents[static_cast<size_t>(r)]) << r;

    const struct {
        int Row;
        bool Open;
        int Changed;  // rows inserted (+) or removed (-)
        QStringList Shown;
    } steps[] = {
        {1, false, -2, {"0 [グループ]", "1 和食(2)", "1 洋食(1)", "2 オムライス", "0 [種類]", "0 [量]", "1 2人分(1)",
                        "2 牛丼", "0 [カロリー]", "1 0kcal～99kcal(1)", "2 水", "1 100kcal～199kcal(0)"}},
        {0, false, -3, {"0 [グループ]", "0 [種類]", "0 [量]", "1 2人分(1)", "2 牛丼", "0 [カロリー]",
                        "1 0kcal～99kcal(1)", "2 水", "1 100kcal～199kcal(0)"}},
        {1, false, 0, {}},  // a root with no values has nothing to close
        {8, true, 0, {}},   // an empty band neither
        {0, true, +3, {"0 [グループ]", "1 和食(2)", "1 洋食(1)", "2 オムライス", "0 [種類]", "0 [量]", "1 2人分(1)",
                       "2 牛丼", "0 [カロリー]", "1 0kcal～99kcal(1)", "2 水", "1 100kcal～199kcal(0)"}},
        {1, true, +2, all},
        {2, false, 0, all},  // a name is no class
    };
    for (const auto& step : steps) {
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        const QStringList before = Rows(model);
        model.SetExpanded(step.Row, step.Open);
        const QStringList expected = step.Changed == 0 ? before : step.Shown;
        EXPECT_EQ(Rows(model), expected) << step.Row << step.Open;
        if (step.Changed > 0) {
            ASSERT_EQ(inserted.count(), 1);
            EXPECT_EQ(inserted[0][1].toInt(), step.Row + 1);
            EXPECT_EQ(inserted[0][2].toInt(), step.Row + step.Changed);
        } else if (step.Changed < 0) {
            ASSERT_EQ(removed.count(), 1);
            EXPECT_EQ(removed[0][2].toInt() - removed[0][1].toInt() + 1, -step.Changed);
        } else {
            EXPECT_EQ(inserted.count() + removed.count(), 0);
        }
    }
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

// The look by level: only bold or underline is set, so the view's size applies.
TEST(ClassTreeModel, FontsSetTheLookNotTheSize) {
    TClassTreeModel model;
    model.SetTree(SmallTree());
    const struct {
        int Row;
        bool Bold, Underline, HasFont;
    } rows[] = {{0, true, false, true}, {1, false, false, false}, {2, false, true, true}};
    QFont large;
    large.setPointSize(13);
    for (const auto& row : rows) {
        const QVariant font = model.index(row.Row, 0).data(Qt::FontRole);
        EXPECT_EQ(font.isValid(), row.HasFont) << row.Row;
        const QFont shown = font.value<QFont>().resolve(large);
        EXPECT_EQ(shown.bold(), row.Bold) << row.Row;
        EXPECT_EQ(shown.underline(), row.Underline) << row.Row;
        EXPECT_EQ(shown.pointSize(), 13) << row.Row;
    }
}
