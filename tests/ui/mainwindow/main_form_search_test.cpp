#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTreeWidget>

#include "support/main_form_fixture.h"
#include "core/search/find_career.h"
#include "core/platform/sjis.h"
#include "support/render_ui.h"
#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/recipe_panes.h"

namespace {

// Five recipes in CP932 folders; the list shows them in name order.
class SearchFormTest : public ::testing::Test, public TMainFormFixture {
public:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = "オムライス", .Foodstuff = "玉子 2個\nご飯\nケチャップ",
                                .StatusLines = QStringList{"Group=洋食", "Kind=主菜", "Calorie=650"},
                                .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "親子丼", .Foodstuff = "鶏肉\nたまご 3個\n玉ねぎ",
                                .StatusLines = QStringList{"Group=和食", "Kind=主菜", "Calorie=99.5"},
                                .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "野菜炒め", .Foodstuff = "キャベツ\n塩\n胡椒",
                                .StatusLines = QStringList{"Group=中華", "Calorie=たくさん"}});
        MakeRecipe(DataRoot(), {.Name = "水", .Foodstuff = std::nullopt,
                                .StatusLines = QStringList{"Group=和食", "Calorie=0"}, .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "牛丼", .Foodstuff = "牛肉\n玉ねぎ\n紅しょうが",
                                .StatusLines = QStringList{"Group=和食", "Calorie=1000"}});
    }

    void Refine(const QString& keyword) {
        Form->findChild<QComboBox*>("cbSearchRefinement")->setFocus();
        Form->findChild<QComboBox*>("cbSearchRefinement")->setEditText(keyword);
        QTest::mouseClick(Form->findChild<QPushButton*>("btnSearchRefinement"), Qt::LeftButton);
        QApplication::processEvents();
    }
    QString OpenRecipe() const {
        const QStringList parts = Recipe->Path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        return parts.isEmpty() ? QString() : parts.last();
    }
    QStringList Thumbnails() const {
        QStringList names;
        for (int n = 0;; ++n) {
            auto* image = Find<QWidget>("PaintBox1")->findChild<QWidget*>(QStringLiteral("MkImg%1").arg(n));
            if (!image)
                return names;
            names << image->toolTip();
        }
    }
};

}  // namespace

TEST_F(SearchFormTest, RefinementNarrowsTheListAndKeepsItsHistory) {
    TMainForm& form = Open();
    ASSERT_EQ(RowCount(), 5);
    EXPECT_EQ(form.findChild<QComboBox*>("cbSearchRefinement")->currentText(), "材料で絞り込み検索");

    // たまご finds 玉子 too; the recipe without an ingredient file is hidden.
    Refine("たまご");
    EXPECT_EQ(RowNames(), QStringList({"オムライス", "親子丼"}));
    EXPECT_EQ(StatusText(0), "表示数 : 2 / 5");
    // An emptied box shows the placeholder again when the button takes the
    // focus; it shows everything and is remembered like any word.
    Refine("");
    EXPECT_EQ(RowCount(), 5);
    EXPECT_EQ(Book().FindCareerList, QStringList({"材料で絞り込み検索", "たまご"}));

    // The drop-down offers the history.
    QTest::keyClick(Find<QComboBox>("cbSearchRefinement"), Qt::Key_F4);
    EXPECT_EQ(Find<QComboBox>("cbSearchRefinement")->count(), 2);
    Find<QComboBox>("cbSearchRefinement")->hidePopup();
}

TEST_F(SearchFormTest, NameSearchStepsThroughHitsAndStopsSafely) {
    TMainForm& form = Open();
    Answers.AnswerText("丼");
    form.findChild<QAction*>("miSearchRecipeName")->trigger();
    EXPECT_EQ(RowText(SelectedRow()), "牛丼");
    EXPECT_EQ(OpenRecipe(), "牛丼");  // the list's handler loaded it
    form.findChild<QAction*>("miSearchRecipeNameNext")->trigger();
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");

    // The list shrinks under the running search: F2 ends it without a crash.
    Refine("牛肉");
    ASSERT_EQ(RowNames(), QStringList({"牛丼"}));
    Answers.ClearLog();
    form.findChild<QAction*>("miSearchRecipeNameNext")->trigger();
    EXPECT_EQ(Answers.Texts(), QStringList({"検索を完了しました。"}));
    // After the end F2 does nothing until a new search.
    form.findChild<QAction*>("miSearchRecipeNameNext")->trigger();
    EXPECT_EQ(Answers.Calls().size(), 1u);

    Answers.ClearLog();
    Answers.AnswerText("カレー");
    form.findChild<QAction*>("miSearchRecipeName")->trigger();
    EXPECT_EQ(Answers.Texts(), QStringList({"料理名を入力してください", "見つかりませんでした。"}));
}

TEST_F(SearchFormTest, IngredientSearchColoursHitsKeepsTheMarkerAndCancelEnds) {
    TMainForm& form = Open();
    Answers.AnswerText("たまご");
    form.findChild<QAction*>("miSearchMaterialName")->trigger();
    EXPECT_EQ(OpenRecipe(), "オムライス");
    // 玉子 is coloured in place of たまご; the colouring is no edit.
    EXPECT_EQ(Marker(), "");
    QTextCursor cursor(Find<QTextEdit>("memFoodstuff")->document());
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));

    // Cancel in the input box ends the command: the running search and its
    // resume row stay, so F3 goes on after the first hit.
    Answers.AnswerCancel();
    form.findChild<QAction*>("miSearchMaterialName")->trigger();
    EXPECT_EQ(OpenRecipe(), "オムライス");
    form.findChild<QAction*>("miSearchMaterialNameNext")->trigger();
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_EQ(Marker(), "");

    // A hit while the open recipe has edits: the question comes, Cancel keeps
    // the recipe and its marker, and the hit is offered again by F3.
    TypeInto(Find<QTextEdit>("memFoodstuff"), "\nみつば");
    Answers.ClearLog();
    Answers.AnswerText("玉ねぎ");
    Answers.Answer(TMsgResult::Cancel);
    form.findChild<QAction*>("miSearchMaterialName")->trigger();
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_EQ(Marker(), "変更有り");
    Answers.Answer(TMsgResult::No);
    form.findChild<QAction*>("miSearchMaterialNameNext")->trigger();
    EXPECT_EQ(OpenRecipe(), "牛丼");
    EXPECT_EQ(Marker(), "");
    form.findChild<QAction*>("miSearchMaterialNameNext")->trigger();
    EXPECT_EQ(OpenRecipe(), "親子丼");
    Answers.ClearLog();
    form.findChild<QAction*>("miSearchMaterialNameNext")->trigger();
    EXPECT_EQ(Answers.Texts(), QStringList({"検索を完了しました。"}));
    // The next search offers no word any more.
    Answers.AnswerCancel();
    form.findChild<QAction*>("miSearchMaterialName")->trigger();
    EXPECT_EQ(Answers.Calls().back().DefaultValue, "");
}

TEST_F(SearchFormTest, TreeFilesTheShownRowsAndItsLeavesOpenRecipes) {
    TMainForm& form = Open();
    form.findChild<QAction*>("A2")->trigger();
    ASSERT_FALSE(Find<QFrame>("Panel9")->isHidden());
    QTreeWidget* tree = Find<QTreeWidget>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 3);  // 中華, 和食, 洋食

    // A refill by the group filter rebuilds the tree from the rows it shows.
    ChooseGroup("和食");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "和食(3)");

    // Clicking a recipe name selects its row, and the list loads it; roots
    // and values select nothing.
    QApplication::processEvents();  // the pane is laid out
    const auto clickOn = [tree](QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    };
    clickOn(tree->topLevelItem(3));
    clickOn(tree->topLevelItem(3)->child(0));
    EXPECT_EQ(SelectedRow(), -1);
    QTreeWidgetItem* leaf = tree->topLevelItem(3)->child(0)->child(1);
    ASSERT_EQ(leaf->text(0), "親子丼");
    clickOn(leaf);
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_TRUE(Find<QTextEdit>("memFoodstuff")->toPlainText().contains("鶏肉"));

    // The "×" closes the pane and takes the tick off.
    QTest::mouseClick(Find<QLabel>("Panel11"), Qt::LeftButton);
    EXPECT_TRUE(Find<QFrame>("Panel9")->isHidden());
    EXPECT_FALSE(form.findChild<QAction*>("A2")->isChecked());
}

TEST_F(SearchFormTest, ThumbnailsFollowTheFilterAndClicksOpenRecipes) {
    TMainForm& form = Open();
    form.setGeometry(0, 0, 1100, 700);
    form.findChild<QAction*>("A2")->trigger();  // beside the tree the pictures keep their size
    form.findChild<QAction*>("S1")->trigger();
    ASSERT_FALSE(Find<QFrame>("Panel4")->isHidden());
    QApplication::processEvents();
    EXPECT_EQ(Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg0")->size(), QSize(60, 60));
    // Recipes with a photo, in folder order whatever the list's order.
    EXPECT_EQ(Thumbnails(), QStringList({"オムライス", "水", "親子丼"}));
    EXPECT_EQ(Find<QLabel>("Panel6")->text(), "ｻﾑﾈｲﾙ数：3");
    EXPECT_EQ(StatusText(1), "");  // released after the build

    Refine("たまご");
    EXPECT_EQ(Thumbnails(), QStringList({"オムライス", "親子丼"}));
    ChooseGroup("和食");
    EXPECT_EQ(Thumbnails(), QStringList({"親子丼"}));
    EXPECT_EQ(Find<QLabel>("Panel6")->text(), "ｻﾑﾈｲﾙ数：1");

    QApplication::processEvents();
    QTest::mouseClick(Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg0"), Qt::LeftButton);
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");
    EXPECT_EQ(OpenRecipe(), "親子丼");

    QApplication::processEvents();
    QTest::mouseClick(Find<QLabel>("Panel5"), Qt::LeftButton);
    EXPECT_TRUE(Find<QFrame>("Panel4")->isHidden());
    EXPECT_FALSE(form.findChild<QAction*>("S1")->isChecked());
    EXPECT_TRUE(Thumbnails().isEmpty());
}

TEST_F(SearchFormTest, GroupFilterFollowsTheBoxOnEveryRefill) {
    TMainForm& form = Open();
    ChooseGroup("和食");
    EXPECT_EQ(RowNames(), QStringList({"水", "牛丼", "親子丼"}));
    EXPECT_EQ(StatusText(0), "表示数 : 3 / 5");

    // Another refill reads the box as it stands; choosing the earlier group
    // again then filters again.
    QComboBox* box = Find<QComboBox>("ComboBoxGroup");
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(0);
    }
    form.IndicateList(-1);
    EXPECT_EQ(RowCount(), 5);
    ChooseGroup("和食");
    EXPECT_EQ(RowCount(), 3);
}
