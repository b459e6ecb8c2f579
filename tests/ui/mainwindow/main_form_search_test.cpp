#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTreeWidget>

#include "support/main_form_fixture.h"
#include "core/search/find_career.h"
#include "core/platform/jpeg.h"
#include "core/platform/sjis.h"
#include "support/render_ui.h"
#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/recipe_panes.h"

namespace {

// Five recipes in CP932 folders; the list shows them in name order.
class SearchFormTest : public ::testing::Test, public TMainFormFixture {
protected:
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
        Form->cbSearchRefinement->setFocus();
        Form->cbSearchRefinement->setEditText(keyword);
        QTest::mouseClick(Form->btnSearchRefinement, Qt::LeftButton);
        QApplication::processEvents();
    }
    QString OpenRecipe() const {
        const QStringList parts = Form->OpenRecipe->Path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        return parts.isEmpty() ? QString() : parts.last();
    }
    QStringList TreeNames(int root, int value) const {
        QStringList names;
        const QTreeWidgetItem* item = Form->TreeView1->topLevelItem(root)->child(value);
        for (int i = 0; i < item->childCount(); ++i)
            names << item->child(i)->text(0);
        return names;
    }
    QStringList Thumbnails() const {
        QStringList names;
        for (int n = 0;; ++n) {
            auto* image = Form->PaintBox1->findChild<QWidget*>(QStringLiteral("MkImg%1").arg(n));
            if (!image)
                return names;
            names << image->toolTip();
        }
    }
    void ChooseGroup(const QString& group) {
        QComboBox* box = Form->ComboBoxGroup;
        QTest::mouseClick(box, Qt::LeftButton);  // drops down: items rebuilt
        box->hidePopup();
        box->setCurrentIndex(box->findText(group));
        emit box->activated(box->currentIndex());
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(SearchFormTest, RefinementNarrowsTheListAndKeepsItsHistory) {
    TMainForm& form = Open();
    ASSERT_EQ(RowCount(), 5);
    EXPECT_EQ(form.cbSearchRefinement->currentText(), "材料で絞り込み検索");

    // たまご finds 玉子 too; the recipe without an ingredient file is hidden.
    Refine("たまご");
    EXPECT_EQ(RowNames(), QStringList({"オムライス", "親子丼"}));
    EXPECT_EQ(form.StatusPanel0->text(), "表示数 : 2 / 5");
    Refine("しお　こしょう");
    EXPECT_EQ(RowNames(), QStringList({"野菜炒め"}));
    Refine("たまご");
    // An emptied box shows the placeholder again when the button takes the
    // focus; it shows everything and is remembered like any word.
    Refine("");
    EXPECT_EQ(RowCount(), 5);
    EXPECT_EQ(form.FindCareerList, QStringList({"材料で絞り込み検索", "たまご", "しお　こしょう"}));

    // The history reaches the file at the end, CP932 with CR LF, and the
    // drop-down offers it.
    QTest::keyClick(form.cbSearchRefinement, Qt::Key_F4);
    EXPECT_EQ(form.cbSearchRefinement->count(), 3);
    form.cbSearchRefinement->hidePopup();
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadRaw(AppDir() + "FindCareer.dat"), ToSjis("材料で絞り込み検索\r\nたまご\r\nしお　こしょう\r\n"));

    // Read back at the next start.
    TMainForm& again = Open();
    EXPECT_EQ(again.FindCareerList, QStringList({"材料で絞り込み検索", "たまご", "しお　こしょう"}));
}

TEST_F(SearchFormTest, NameSearchStepsThroughHitsAndStopsSafely) {
    TMainForm& form = Open();
    Answers.AnswerText("丼");
    form.miSearchRecipeName->trigger();
    EXPECT_EQ(RowText(SelectedRow()), "牛丼");
    EXPECT_EQ(OpenRecipe(), "牛丼");  // the list's handler loaded it
    form.miSearchRecipeNameNext->trigger();
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");

    // The list shrinks under the running search: F2 ends it without a crash.
    Refine("牛肉");
    ASSERT_EQ(RowNames(), QStringList({"牛丼"}));
    Answers.ClearLog();
    form.miSearchRecipeNameNext->trigger();
    EXPECT_EQ(Answers.Texts(), QStringList({"検索を完了しました。"}));
    // After the end F2 does nothing until a new search.
    form.miSearchRecipeNameNext->trigger();
    EXPECT_EQ(Answers.Calls().size(), 1u);

    Answers.ClearLog();
    Answers.AnswerText("カレー");
    form.miSearchRecipeName->trigger();
    EXPECT_EQ(Answers.Texts(), QStringList({"料理名を入力してください", "見つかりませんでした。"}));
    EXPECT_EQ(form.NameSearchKeyword, "");
}

TEST_F(SearchFormTest, IngredientSearchColoursHitsKeepsTheMarkerAndCancelEnds) {
    TMainForm& form = Open();
    Answers.AnswerText("たまご");
    form.miSearchMaterialName->trigger();
    EXPECT_EQ(OpenRecipe(), "オムライス");
    // 玉子 is coloured in place of たまご; the colouring is no edit.
    EXPECT_EQ(Marker(), "");
    QTextCursor cursor(Find<QTextEdit>("memFoodstuff")->document());
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));

    // Cancel in the input box ends the command: the running search and its
    // resume row stay, so F3 goes on after the first hit.
    Answers.AnswerCancel();
    form.miSearchMaterialName->trigger();
    EXPECT_EQ(form.MaterialSearchKeyword, "たまご");
    EXPECT_EQ(OpenRecipe(), "オムライス");
    form.miSearchMaterialNameNext->trigger();
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_EQ(Marker(), "");

    // A hit while the open recipe has edits: the question comes, Cancel keeps
    // the recipe and its marker, and the hit is offered again by F3.
    TypeInto(Find<QTextEdit>("memFoodstuff"), "\nみつば");
    Answers.ClearLog();
    Answers.AnswerText("玉ねぎ");
    Answers.Answer(TMsgResult::Cancel);
    form.miSearchMaterialName->trigger();
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_EQ(Marker(), "変更有り");
    Answers.Answer(TMsgResult::No);
    form.miSearchMaterialNameNext->trigger();
    EXPECT_EQ(OpenRecipe(), "牛丼");
    EXPECT_EQ(Marker(), "");
    form.miSearchMaterialNameNext->trigger();
    EXPECT_EQ(OpenRecipe(), "親子丼");
    Answers.ClearLog();
    form.miSearchMaterialNameNext->trigger();
    EXPECT_EQ(Answers.Texts(), QStringList({"検索を完了しました。"}));
    EXPECT_EQ(form.MaterialSearchKeyword, "");
    // The next search offers no word any more.
    Answers.AnswerCancel();
    form.miSearchMaterialName->trigger();
    EXPECT_EQ(Answers.Calls().back().DefaultValue, "");
}

TEST_F(SearchFormTest, TreeFilesTheShownRowsAndItsLeavesOpenRecipes) {
    TMainForm& form = Open();
    form.A2->trigger();
    ASSERT_FALSE(form.Panel9->isHidden());
    QTreeWidget* tree = form.TreeView1;
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    const QTreeWidgetItem* bands = tree->topLevelItem(3);
    EXPECT_EQ(bands->child(0)->text(0), "0kcal～99kcal(2)");
    EXPECT_EQ(TreeNames(3, 0), QStringList({"水", "親子丼"}));
    EXPECT_EQ(bands->child(1)->text(0), "100kcal～199kcal(0)");
    EXPECT_EQ(bands->child(3)->text(0), "500kcal～999kcal(1)");
    EXPECT_EQ(bands->child(4)->text(0), "1000kcal以上(1)");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 3);  // 中華, 和食, 洋食

    // A refill by the group filter rebuilds the tree from the rows it shows.
    ChooseGroup("和食");
    EXPECT_EQ(RowNames(), QStringList({"水", "牛丼", "親子丼"}));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "和食(3)");
    EXPECT_EQ(tree->topLevelItem(3)->child(3)->text(0), "500kcal～999kcal(0)");

    // Clicking a recipe name selects its row, and the list loads it.
    QTreeWidgetItem* leaf = tree->topLevelItem(3)->child(0)->child(1);
    ASSERT_EQ(leaf->text(0), "親子丼");
    QApplication::processEvents();  // the pane is laid out
    tree->scrollToItem(leaf);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(leaf).center());
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_TRUE(Find<QTextEdit>("memFoodstuff")->toPlainText().contains("鶏肉"));

    // The "×" closes the pane and takes the tick off.
    QTest::mouseClick(form.Panel11, Qt::LeftButton);
    EXPECT_TRUE(form.Panel9->isHidden());
    EXPECT_FALSE(form.A2->isChecked());
}

TEST_F(SearchFormTest, ThumbnailsFollowTheFilterAndClicksOpenRecipes) {
    TMainForm& form = Open();
    form.S1->trigger();
    ASSERT_FALSE(form.Panel4->isHidden());
    // Recipes with a photo, in folder order whatever the list's order.
    EXPECT_EQ(Thumbnails(), QStringList({"オムライス", "水", "親子丼"}));
    EXPECT_EQ(form.Panel6->text(), "ｻﾑﾈｲﾙ数：3");
    EXPECT_EQ(form.ThumbnailCount, 3);
    EXPECT_EQ(form.StatusPanel1->text(), "");  // released after the build

    Refine("たまご");
    EXPECT_EQ(Thumbnails(), QStringList({"オムライス", "親子丼"}));
    ChooseGroup("和食");
    EXPECT_EQ(Thumbnails(), QStringList({"親子丼"}));
    EXPECT_EQ(form.Panel6->text(), "ｻﾑﾈｲﾙ数：1");

    QApplication::processEvents();
    QTest::mouseClick(form.PaintBox1->findChild<QWidget*>("MkImg0"), Qt::LeftButton);
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");
    EXPECT_EQ(OpenRecipe(), "親子丼");

    // A photo gone since the scan, or broken, is skipped; the rest still show.
    ChooseGroup("すべてのグループを表示");
    Refine("");
    WriteRaw(DataRoot() + "/オムライス/写真.jpg", "not a picture");
    QFile::remove(DataRoot() + "/水/写真.jpg");
    form.S1->trigger();
    form.S1->trigger();
    EXPECT_EQ(Thumbnails(), QStringList({"親子丼"}));

    QApplication::processEvents();
    QTest::mouseClick(form.Panel5, Qt::LeftButton);
    EXPECT_TRUE(form.Panel4->isHidden());
    EXPECT_FALSE(form.S1->isChecked());
    EXPECT_TRUE(Thumbnails().isEmpty());
}

TEST_F(SearchFormTest, GroupFilterFollowsTheBoxOnEveryRefill) {
    TMainForm& form = Open();
    ChooseGroup("和食");
    EXPECT_EQ(RowNames(), QStringList({"水", "牛丼", "親子丼"}));
    EXPECT_EQ(form.StatusPanel0->text(), "表示数 : 3 / 5");

    // Another refill reads the box as it stands (here it fell back to all
    // groups); choosing the earlier group again then filters again.
    {
        const QSignalBlocker block(form.ComboBoxGroup);
        form.ComboBoxGroup->setCurrentIndex(0);
    }
    form.IndicateList(-1);
    EXPECT_EQ(RowCount(), 5);
    ChooseGroup("和食");
    EXPECT_EQ(RowCount(), 3);
}

TEST_F(SearchFormTest, CameraPhotosAreFittedAndCentredBesideTheTree) {
    // A landscape and a portrait camera photo: each is fitted whole into its
    // square, centred, with the pane's background beside it.
    const auto photo = [](int width, int height, QColor colour) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return EncodeJpeg(image, 90);
    };
    WriteRaw(DataRoot() + "/オムライス/写真.jpg", photo(640, 480, QColor(220, 40, 40)));
    WriteRaw(DataRoot() + "/親子丼/写真.jpg", photo(480, 640, QColor(40, 40, 220)));
    TMainForm& form = Open();
    form.setGeometry(0, 0, 1100, 700);
    form.A2->trigger();
    form.S1->trigger();
    QApplication::processEvents();
    ASSERT_EQ(Thumbnails(), QStringList({"オムライス", "水", "親子丼"}));
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
               std::abs(a.blue() - b.blue()) < 12;
    };
    const QImage landscape = form.PaintBox1->findChild<QWidget*>("MkImg0")->grab().toImage();
    ASSERT_EQ(landscape.size(), QSize(60, 60) * landscape.devicePixelRatio());
    EXPECT_TRUE(near(landscape.pixelColor(30, 30), QColor(220, 40, 40)));
    EXPECT_TRUE(near(landscape.pixelColor(1, 30), QColor(220, 40, 40)));   // full width
    EXPECT_FALSE(near(landscape.pixelColor(30, 2), QColor(220, 40, 40)));  // 60 x 45, centred
    const QImage portrait = form.PaintBox1->findChild<QWidget*>("MkImg2")->grab().toImage();
    EXPECT_TRUE(near(portrait.pixelColor(30, 58), QColor(40, 40, 220)));
    EXPECT_FALSE(near(portrait.pixelColor(2, 30), QColor(40, 40, 220)));
    EXPECT_EQ(form.PaintBox1->findChild<QLabel*>("MkLbl2")->text(), "親子丼");
    RenderWidgetIfAsked(&form, QStringLiteral("search_side_panes"));
}
