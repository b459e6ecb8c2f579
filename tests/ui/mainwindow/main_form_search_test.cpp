#include <QSignalBlocker>

#include "support/main_form_fixture.h"

namespace {

// Five recipes in CP932 folders; the list shows them in name order.
class SearchFormTest : public ::testing::Test, public TMainFormFixture {
public:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = "オムライス", .Foodstuff = "玉子 2個\nご飯",
                                .StatusLines = QStringList{"Group=洋食", "Kind=主菜", "Calorie=650"}, .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "親子丼", .Foodstuff = "鶏肉\nたまご 3個\n玉ねぎ",
                                .StatusLines = QStringList{"Group=和食", "Kind=主菜", "Calorie=99.5"}, .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "野菜炒め", .Foodstuff = "キャベツ",
                                .StatusLines = QStringList{"Group=中華", "Calorie=たくさん"}});
        MakeRecipe(DataRoot(), {.Name = "水", .Foodstuff = std::nullopt,
                                .StatusLines = QStringList{"Group=和食", "Calorie=0"}, .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "牛丼", .Foodstuff = "牛肉\n玉ねぎ",
                                .StatusLines = QStringList{"Group=和食", "Calorie=1000"}});
        Open();
    }
    QString OpenRecipe() const { return Recipe->Path().section(QLatin1Char('/'), -2, -2); }
    QStringList Thumbnails() const {
        QStringList names;
        for (QWidget* image = Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg0"); image;
             image = Find<QWidget>("PaintBox1")->findChild<QWidget*>(QStringLiteral("MkImg%1").arg(names.size())))
            names << image->toolTip();
        return names;
    }
};

}  // namespace

// たまご finds 玉子 too and a recipe without ingredients is hidden; an empty box shows all.
TEST_F(SearchFormTest, RefinementNarrowsTheListAndKeepsItsHistory) {
    Refine("たまご");
    EXPECT_EQ(RowNames(), QStringList({"オムライス", "親子丼"}));
    EXPECT_EQ(StatusText(0), "表示数 : 2 / 5");
    Refine("");
    EXPECT_EQ(RowCount(), 5);
    EXPECT_EQ(Book().FindCareerList, QStringList({"材料で絞り込み検索", "たまご"}));
    QTest::keyClick(Find<QComboBox>("cbSearchRefinement"), Qt::Key_F4);  // the drop-down offers the history
    EXPECT_EQ(Find<QComboBox>("cbSearchRefinement")->count(), 2);
    Find<QComboBox>("cbSearchRefinement")->hidePopup();
}

// The hits are the step search's rule; a list shrunk under a running search ends it safely.
TEST_F(SearchFormTest, NameSearchStepsThroughHitsAndStopsSafely) {
    Answers.AnswerText("丼");
    Trigger("miSearchRecipeName");
    EXPECT_EQ(RowText(SelectedRow()), "牛丼");
    EXPECT_EQ(OpenRecipe(), "牛丼");
    Refine("牛肉");
    Answers.ClearLog();
    Trigger("miSearchRecipeNameNext");
    EXPECT_EQ(Answers.Texts(), QStringList({"検索を完了しました。"}));
    Trigger("miSearchRecipeNameNext");  // after the end F2 does nothing until a new search
    EXPECT_EQ(Answers.Calls().size(), 1u);

    Answers.ClearLog();
    Answers.AnswerText("カレー");
    Trigger("miSearchRecipeName");
    EXPECT_EQ(Answers.Texts(), QStringList({"料理名を入力してください", "見つかりませんでした。"}));
}

TEST_F(SearchFormTest, IngredientSearchColoursHitsKeepsTheMarkerAndCancelEnds) {
    Answers.AnswerText("たまご");
    Trigger("miSearchMaterialName");
    EXPECT_EQ(OpenRecipe(), "オムライス");
    // 玉子 is coloured in place of たまご; the colouring is no edit.
    EXPECT_EQ(FormatAt(Find<QTextEdit>("memFoodstuff"), 0).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(Marker(), "");
    // Cancel in the input box keeps the running search: F3 goes on.
    Answers.AnswerCancel();
    Trigger("miSearchMaterialName");
    Trigger("miSearchMaterialNameNext");
    EXPECT_EQ(OpenRecipe(), "親子丼");

    // A hit while the recipe has edits: Cancel to the question keeps it, F3 offers the hit again.
    TypeInto(Find<QTextEdit>("memFoodstuff"), "\nみつば");
    Answers.AnswerText("玉ねぎ");
    Answers.Answer(TMsgResult::Cancel);
    Trigger("miSearchMaterialName");
    EXPECT_EQ(OpenRecipe(), "親子丼");
    EXPECT_EQ(Marker(), "変更有り");
    Answers.Answer(TMsgResult::No);
    Trigger("miSearchMaterialNameNext");
    EXPECT_EQ(OpenRecipe(), "牛丼");
    EXPECT_EQ(Marker(), "");
    Trigger("miSearchMaterialNameNext");
    Trigger("miSearchMaterialNameNext");  // past the last hit: the search ends
    Answers.AnswerCancel();
    Trigger("miSearchMaterialName");
    EXPECT_EQ(Answers.Calls().back().DefaultValue, "");  // and offers no word any more
}

// The tree is refilled from the shown rows; a recipe leaf opens its row, roots select nothing.
TEST_F(SearchFormTest, TreeFilesTheShownRowsAndItsLeavesOpenRecipes) {
    Trigger("A2");
    ChooseGroup("和食");
    EXPECT_EQ(ClassTreeRows().value(1).first.data().toString(), "和食(3)");
    QApplication::processEvents();
    ClickClassTree(ClassTreeRow("[カロリー]"));
    EXPECT_EQ(SelectedRow(), -1);
    const QModelIndex leaf = ClassTreeRow("親子丼", "0kcal～99kcal(2)");
    ASSERT_EQ(leaf.data().toString(), "親子丼");
    ClickClassTree(leaf);
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");
    EXPECT_TRUE(Find<QTextEdit>("memFoodstuff")->toPlainText().contains("鶏肉"));
    QTest::mouseClick(Find<QLabel>("Panel11"), Qt::LeftButton);
    EXPECT_TRUE(Find<QFrame>("Panel9")->isHidden());
    EXPECT_FALSE(Find<QAction>("A2")->isChecked());
}

TEST_F(SearchFormTest, ThumbnailsFollowTheFilterAndClicksOpenRecipes) {
    Form->setGeometry(0, 0, 1100, 700);
    Trigger("A2");  // beside the tree the pictures keep their size
    Trigger("S1");
    QApplication::processEvents();
    EXPECT_EQ(Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg0")->size(), QSize(60, 60));
    EXPECT_EQ(Thumbnails(), QStringList({"オムライス", "水", "親子丼"}));
    EXPECT_EQ(StatusText(1), "");  // released after the build
    ChooseGroup("和食");
    EXPECT_EQ(Thumbnails(), QStringList({"水", "親子丼"}));
    QApplication::processEvents();
    QTest::mouseClick(Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg1"), Qt::LeftButton);
    EXPECT_EQ(RowText(SelectedRow()), "親子丼");
    EXPECT_EQ(OpenRecipe(), "親子丼");
    QApplication::processEvents();
    QTest::mouseClick(Find<QLabel>("Panel5"), Qt::LeftButton);
    EXPECT_TRUE(Find<QFrame>("Panel4")->isHidden());
    EXPECT_FALSE(Find<QAction>("S1")->isChecked());
    EXPECT_TRUE(Thumbnails().isEmpty());
}

// Another refill reads the box as it stands; choosing the earlier group again filters again.
TEST_F(SearchFormTest, GroupFilterFollowsTheBoxOnEveryRefill) {
    ChooseGroup("和食");
    EXPECT_EQ(StatusText(0), "表示数 : 3 / 5");
    {
        const QSignalBlocker block(Find<QComboBox>("ComboBoxGroup"));
        Find<QComboBox>("ComboBoxGroup")->setCurrentIndex(0);
    }
    Form->IndicateList(-1);
    EXPECT_EQ(RowCount(), 5);
    ChooseGroup("和食");
    EXPECT_EQ(RowCount(), 3);
}
