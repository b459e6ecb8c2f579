#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QTextEdit>
#include <QToolButton>

#include "support/main_form_fixture.h"
#include "core/recipes/column_table.h"
#include "core/platform/sjis.h"

namespace {

class MainListTest : public ::testing::Test, public TMainFormFixture {
protected:
    void AddRecipe(const QString& name, const QString& calorie, int icon, const QString& group = QString()) {
        QStringList status{QStringLiteral("Icon=%1").arg(icon), QStringLiteral("Kind=和食")};
        if (!calorie.isEmpty())
            status << QStringLiteral("Calorie=") + calorie;
        if (!group.isEmpty())
            status << QStringLiteral("Group=") + group;
        MakeRecipe(DataRoot(), {.Name = name, .StatusLines = status});
    }
    void WriteColumns(const TColumnTable& table) { WriteRaw(AppDir() + ColumnFileName, FormatColumnTable(table)); }
};

}  // namespace

TEST_F(MainListTest, DefaultColumnsAndCount) {
    AddRecipe(QStringLiteral("b"), QString(), 1);
    AddRecipe(QStringLiteral("a"), QString(), 2);
    TMainForm& form = Open();
    const QHeaderView* header = List()->Header();
    ASSERT_EQ(form.ListModel->columnCount(), 5);
    const int widths[] = {70, 50, 40, 25, 75};
    const char* captions[] = {"料理名", "種類", "量", "画", "登録日付"};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(header->sectionSize(c), widths[c]);
        EXPECT_EQ(form.ListModel->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8(captions[c]));
    }
    EXPECT_EQ(RowNames(), (QStringList{"a", "b"}));  // sorted folder listing
    EXPECT_EQ(RowText(0, 1), QStringLiteral("和食"));
    EXPECT_EQ(RowText(0, 3), QStringLiteral("×"));
    EXPECT_EQ(form.StatusPanel0->text(), QStringLiteral("表示数 : 2 / 2"));
    EXPECT_EQ(SelectedRow(), -1);
}

TEST_F(MainListTest, ColumnFileRoundTripWithChangedWidths) {
    AddRecipe(QStringLiteral("a"), QStringLiteral("10"), 1);
    TColumnTable table = DefaultColumnTable();
    table.push_back({QStringLiteral("むずかしさ"), 33, true});
    WriteColumns(table);
    Open();
    EXPECT_EQ(Form->ListModel->columnCount(), 6);
    List()->Header()->resizeSection(0, 120);
    ASSERT_TRUE(Close());
    table[0].Width = 120;
    EXPECT_EQ(ReadRaw(AppDir() + ColumnFileName), FormatColumnTable(table));

    TMainForm& again = Open();
    EXPECT_EQ(List()->Header()->sectionSize(0), 120);
    EXPECT_EQ(again.ColumnTable, table);
    EXPECT_EQ(RowText(0, 5), QString());  // difficulty unset
}

TEST_F(MainListTest, MalformedColumnFileIsReportedOnceAndKept) {
    AddRecipe(QStringLiteral("a"), QString(), 1);
    const QByteArray broken = "<Document><List><Column><Caption>料";
    WriteRaw(AppDir() + ColumnFileName, broken);
    TMainForm& form = Open();
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Calls()[0].Text.startsWith(QStringLiteral("起動エラー. Msg="))) << Answers.Calls()[0].Text.toStdString();
    // The list still shows the recipes with the default columns.
    EXPECT_EQ(form.ListModel->columnCount(), 5);
    EXPECT_EQ(RowCount(), 1);
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadRaw(AppDir() + ColumnFileName), broken);
}

TEST_F(MainListTest, EmptyColumnListGivesNoRowsAndGroupFilterCounts) {
    AddRecipe(QStringLiteral("a"), QString(), 1, QStringLiteral("朝食"));
    AddRecipe(QStringLiteral("b"), QString(), 1, QStringLiteral("夕食"));
    WriteColumns({});
    TMainForm& form = Open();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(form.StatusPanel0->text(), QStringLiteral("表示数 : 0 / 2"));

    form.ColumnTable = DefaultColumnTable();
    form.BuildListColumns();
    form.ComboBoxGroup->addItem(QStringLiteral("朝食"));
    form.ComboBoxGroup->addItem(QStringLiteral("昼食"));
    form.ComboBoxGroup->setCurrentText(QStringLiteral("朝食"));
    form.IndicateList(-1);
    EXPECT_EQ(RowNames(), QStringList{QStringLiteral("a")});
    EXPECT_EQ(form.StatusPanel0->text(), QStringLiteral("表示数 : 1 / 2"));
    form.ComboBoxGroup->setCurrentText(QStringLiteral("昼食"));
    form.IndicateList(-1);
    EXPECT_EQ(form.StatusPanel0->text(), QStringLiteral("表示数 : 0 / 2"));
}

TEST_F(MainListTest, HeaderClicksSortKeepingTheOpenRecipeAndItsEdits) {
    AddRecipe(QStringLiteral("a"), QStringLiteral("12.5"), 1);
    AddRecipe(QStringLiteral("b"), QStringLiteral("9"), 1);
    AddRecipe(QStringLiteral("c"), QString(), 1);
    AddRecipe(QStringLiteral("d"), QStringLiteral("100"), 1);
    WriteColumns({{QStringLiteral("料理名"), 70, true}, {QStringLiteral("カロリー"), 50, true}});
    TMainForm& form = Open();
    ClickRow(QStringLiteral("b"));
    TypeInto(Find<QTextEdit>("memFoodstuff"), QStringLiteral("追加"));

    ClickHeader(1);
    EXPECT_EQ(RowNames(), (QStringList{"c", "b", "a", "d"}));
    ClickHeader(1);
    EXPECT_EQ(RowNames(), (QStringList{"d", "a", "b", "c"}));
    ClickHeader(1);
    EXPECT_EQ(RowNames(), (QStringList{"c", "b", "a", "d"}));
    ClickHeader(0);  // another column starts ascending
    EXPECT_EQ(RowNames(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(form.SortColumn, 0);
    EXPECT_TRUE(form.SortAscending);

    // Sorting is no change of recipe: no question, the edit stays.
    EXPECT_TRUE(Answers.Calls().empty());
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("b"));
    EXPECT_TRUE(Find<QTextEdit>("memFoodstuff")->toPlainText().endsWith(QStringLiteral("追加")));
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
}

TEST_F(MainListTest, IconSortAndViewStylesShareOneSelection) {
    for (int i = 0; i < 30; ++i)
        AddRecipe(QStringLiteral("r%1").arg(i, 2, 10, QLatin1Char('0')), QString(), i % 2 == 0 ? 7 : 3);
    TMainForm& form = Open();
    form.Settings.IconSort = true;
    ClickHeader(0);
    ASSERT_EQ(RowCount(), 30);
    EXPECT_EQ(RowText(0), QStringLiteral("r01"));  // icon 3 first, in their order
    EXPECT_EQ(RowText(14), QStringLiteral("r29"));
    EXPECT_EQ(RowText(15), QStringLiteral("r00"));

    ClickRow(QStringLiteral("r05"));
    for (QToolButton* button : {form.tbtnList, form.tbtnIcon, form.tbtnSmallIcon, form.tbtnReport}) {
        button->click();
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("r05"));
    }
    form.tbtnIcon->click();
    EXPECT_EQ(List()->CurrentView(), List()->IconView());
    EXPECT_EQ(List()->IconView()->viewMode(), QListView::IconMode);
    ClickRow(QStringLiteral("r10"));
    EXPECT_EQ(Find<QLabel>("pnlRecipeHeaderCaption")->text(), QStringLiteral("r10"));
}

// Icon views size every cell alike; a recipe without an icon (as the wizard
// makes them) must not shrink the cells of the others.
TEST_F(MainListTest, IconViewsKeepFullCellsWhenTheLastRecipeHasNoIcon) {
    AddRecipe(QStringLiteral("a"), QString(), 3);
    AddRecipe(QStringLiteral("bakedfish"), QString(), 5);
    AddRecipe(QStringLiteral("z"), QString(), -1);
    TMainForm& form = Open();
    ASSERT_EQ(RowNames(), (QStringList{"a", "bakedfish", "z"}));
    for (QToolButton* button : {form.tbtnIcon, form.tbtnSmallIcon, form.tbtnList}) {
        button->click();
        QApplication::processEvents();
        const QListView* view = List()->IconView();
        const int iconHeight = view->iconSize().height();
        for (int r = 0; r < RowCount(); ++r)
            EXPECT_GE(view->visualRect(form.ListModel->index(r, 0)).height(), iconHeight)
                << "row " << r << " in " << button->objectName().toStdString();
        // The longer name is not cut to the width of the last one.
        EXPECT_GE(view->visualRect(form.ListModel->index(1, 0)).width(),
                  QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("bakedfish")))
            << button->objectName().toStdString();
    }
    form.tbtnIcon->click();
    QApplication::processEvents();
    const QRect large = List()->IconView()->visualRect(form.ListModel->index(0, 0));
    EXPECT_GE(large.height(), 32 + QFontMetrics(List()->IconView()->font()).height());
}
