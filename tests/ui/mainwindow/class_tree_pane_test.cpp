#include <QFrame>
#include <QSignalSpy>

#include "support/main_form_fixture.h"

namespace {

// A row of the tree as the user sees it.
struct TTreeRow {
    int Level;
    QString Caption;
    bool Bold = false;
    bool Underline = false;
    bool operator==(const TTreeRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TTreeRow& row) {
    return out << row.Level << " " << row.Caption.toStdString() << (row.Bold ? " bold" : "")
               << (row.Underline ? " underlined" : "");
}

// Five recipes; the list shows them in name order: オムライス, 水, 牛丼, 親子丼, 野菜炒め.
class ClassTreePaneTest : public ::testing::Test, public TMainFormFixture {
public:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = "オムライス", .StatusLines = QStringList{"Group=洋食", "Kind=主菜", "Calorie=650"}});
        MakeRecipe(DataRoot(), {.Name = "親子丼", .StatusLines = QStringList{"Group=和食", "Kind=主菜", "Calorie=99.5"}});
        MakeRecipe(DataRoot(), {.Name = "野菜炒め", .StatusLines = QStringList{"Group=中華", "Calorie=たくさん"}});
        MakeRecipe(DataRoot(), {.Name = "水", .StatusLines = QStringList{"Group=和食", "Calorie=0"}});
        MakeRecipe(DataRoot(), {.Name = "牛丼", .StatusLines = QStringList{"Group=和食", "Calorie=1000"}});
        Open();
        Trigger("A2");
        QApplication::processEvents();
    }
    QAbstractItemView* Tree() const { return Find<QAbstractItemView>("TreeView1"); }
    // The font a row is drawn with: its own look over the tree's font.
    QFont RowFont(const QModelIndex& index) const {
        return index.data(Qt::FontRole).value<QFont>().resolve(Tree()->font());
    }
    QList<TTreeRow> Shown() const {
        QList<TTreeRow> rows;
        for (const auto& [index, level] : ClassTreeRows()) {
            const QFont font = RowFont(index);
            rows.append({level, index.data().toString(), font.bold(), font.underline()});
        }
        return rows;
    }
    int RecordNamed(const QString& name) const {
        for (int i = 0; i < Book().CookItems.size(); ++i)
            if (Book().CookItems[i].Name == name)
                return i;
        return -1;
    }
};

const QList<TTreeRow> AllRecipes = {
    {0, "[グループ]", true, false},    {1, "中華(1)"},          {2, "野菜炒め", false, true},
    {1, "和食(3)"},                    {2, "水", false, true},   {2, "牛丼", false, true},
    {2, "親子丼", false, true},        {1, "洋食(1)"},           {2, "オムライス", false, true},
    {0, "[種類]", true, false},        {1, "主菜(2)"},           {2, "オムライス", false, true},
    {2, "親子丼", false, true},        {0, "[量]", true, false}, {0, "[カロリー]", true, false},
    {1, "0kcal～99kcal(2)"},           {2, "水", false, true},   {2, "親子丼", false, true},
    {1, "100kcal～199kcal(0)"},        {1, "200kcal～499kcal(0)"}, {1, "500kcal～999kcal(1)"},
    {2, "オムライス", false, true},    {1, "1000kcal以上(1)"},   {2, "牛丼", false, true},
};

}  // namespace

// Classes sorted, bands in order with names in list order, counts, the look by level; names
// select the first row of that name, roots, values and empty bands select nothing.
TEST_F(ClassTreePaneTest, ShowsEveryClassAndClicksSelectNames) {
    EXPECT_EQ(Shown(), AllRecipes);
    const struct {
        const char *Below, *Caption, *Selected;  // the first row with the caption below `Below`; "" no row
    } cases[] = {
        {"", "[グループ]", ""}, {"", "100kcal～199kcal(0)", ""}, {"[種類]", "親子丼", "親子丼"},
        {"1000kcal以上(1)", "牛丼", "牛丼"}, {"[量]", "[カロリー]", "牛丼"}, {"[カロリー]", "水", "水"},
    };
    for (const auto& c : cases) {
        ClickClassTree(ClassTreeRow(QString::fromUtf8(c.Caption), QString::fromUtf8(c.Below)));
        EXPECT_EQ(SelectedRow() < 0 ? QString() : RowText(SelectedRow()), QString::fromUtf8(c.Selected)) << c.Caption;
    }
}

// Every size of the view menu reaches every row at once, larger and smaller again.
TEST_F(ClassTreePaneTest, FollowsTheFontSizeBothWays) {
    const struct {
        const char* Item;
        int Points;
    } steps[] = {{"miFontSizeMax", 13}, {"miFontSizeMiddle", 9}, {"miFontSizeMin", 7},
                 {"miFontSizeBig", 11}, {"miFontSizeMiddle", 9}};
    std::map<int, int> heightAt;
    for (const auto& step : steps) {
        Trigger(step.Item);
        QApplication::processEvents();
        const auto rows = ClassTreeRows();
        ASSERT_EQ(rows.size(), AllRecipes.size());
        for (const auto& [index, level] : rows)
            EXPECT_EQ(RowFont(index).pointSize(), step.Points) << step.Item << " " << index.data().toString().toStdString();
        const int height = Tree()->visualRect(rows.back().first).height();
        if (heightAt.count(step.Points)) {
            EXPECT_EQ(height, heightAt[step.Points]) << step.Item;
        }
        heightAt[step.Points] = height;
        EXPECT_EQ(Shown(), AllRecipes) << step.Item;
    }
    EXPECT_GT(heightAt[13], heightAt[9]);
    EXPECT_GT(heightAt[9], heightAt[7]);
}

// A refill that shows the same rows leaves the tree as the user left it; new content rebuilds it.
TEST_F(ClassTreePaneTest, SameRowsLeaveTheTreeAlone) {
    ClickClassTree(ClassTreeRow("[種類]"), 0);  // closes the class
    QList<TTreeRow> closed = AllRecipes;
    closed.remove(10, 3);
    ASSERT_EQ(Shown(), closed);

    QAbstractItemModel* model = Tree()->model();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    const struct {
        const char* Name;
        std::function<void()> Refill;
    } sameRows[] = {
        {"refine by nothing", [&] { Refine(""); }},
        {"refill", [&] { Form->IndicateList(-1); }},
        {"refill keeping a row", [&] { Form->IndicateList(RecordNamed("牛丼")); }},
    };
    for (const auto& refill : sameRows) {
        refill.Refill();
        EXPECT_EQ(Shown(), closed) << refill.Name;
        EXPECT_EQ(resets.count() + inserted.count() + removed.count(), 0) << refill.Name;
    }

    // The same rows with a record changed in place: the tree shows it, all classes open.
    Book().CookItems[RecordNamed("水")].Group = QStringLiteral("中華");
    Form->IndicateList(-1);
    QList<TTreeRow> moved = AllRecipes;
    moved[1].Caption = "中華(2)";
    moved.insert(2, {2, "水", false, true});
    moved[4].Caption = "和食(2)";
    moved.remove(5);
    EXPECT_EQ(Shown(), moved);
}

// Closing the pane keeps nothing of the tree; opening it again shows it whole.
TEST_F(ClassTreePaneTest, ClosingThePaneLetsGoOfTheTree) {
    QTest::mouseClick(Find<QLabel>("Panel11"), Qt::LeftButton);
    EXPECT_TRUE(Find<QFrame>("Panel9")->isHidden());
    EXPECT_EQ(Tree()->model()->rowCount(), 0);
    Trigger("A2");
    EXPECT_EQ(Shown(), AllRecipes);
}

// The keys move through the rows and open and close classes as in a tree.
TEST_F(ClassTreePaneTest, KeysMoveAndOpenAsInATree) {
    QAbstractItemView* tree = Tree();
    tree->setFocus();
    tree->setCurrentIndex(ClassTreeRow("和食(3)"));
    const struct {
        Qt::Key Key;
        const char* Current;
        qsizetype Rows;
    } steps[] = {
        {Qt::Key_Left, "和食(3)", 21},    {Qt::Key_Left, "[グループ]", 21},  {Qt::Key_Minus, "[グループ]", 16},
        {Qt::Key_Plus, "[グループ]", 21}, {Qt::Key_Right, "中華(1)", 21},    {Qt::Key_Down, "野菜炒め", 21},
        {Qt::Key_Down, "和食(3)", 21},    {Qt::Key_Right, "和食(3)", 24},    {Qt::Key_Right, "水", 24},
        {Qt::Key_End, "牛丼", 24},        {Qt::Key_Home, "[グループ]", 24},
    };
    for (const auto& step : steps) {
        QTest::keyClick(tree, step.Key);
        EXPECT_EQ(tree->currentIndex().data().toString(), QString::fromUtf8(step.Current)) << step.Key;
        EXPECT_EQ(ClassTreeRows().size(), step.Rows) << step.Key;
    }
    EXPECT_EQ(SelectedRow(), -1);  // moving through names opens no recipe
}
