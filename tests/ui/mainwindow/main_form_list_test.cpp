#include <gtest/gtest.h>

#include <optional>

#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTextEdit>
#include <QToolButton>

#include "support/main_form_fixture.h"
#include "support/render_ui.h"
#include "core/recipes/column_table.h"
#include "core/platform/sjis.h"
#include "core/settings/settings_store.h"

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

// What the list shows for each state of "Column.dat" at start-up; a broken
// file is reported once and the recipes still show with the defaults.
TEST_F(MainListTest, ColumnFileAtStartUp) {
    struct TCase {
        const char* Name;
        std::optional<QByteArray> File;
        int Columns;
        int Messages;
        const char* Count;
    };
    const TCase cases[] = {
        {"absent", std::nullopt, 5, 0, "表示数 : 2 / 2"},
        {"malformed", QByteArray("<Document><List><Column><Caption>料"), 5, 1, "表示数 : 2 / 2"},
        {"no_columns", FormatColumnTable({}), 0, 0, "表示数 : 0 / 2"},
    };
    AddRecipe(QStringLiteral("b"), QString(), 1);
    AddRecipe(QStringLiteral("a"), QString(), 2);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(AppDir() + ColumnFileName);
        if (c.File)
            WriteRaw(AppDir() + ColumnFileName, *c.File);
        Answers.ClearLog();
        Open();
        ASSERT_EQ(Answers.Calls().size(), size_t(c.Messages));
        if (c.Messages) {
            EXPECT_TRUE(Answers.Calls()[0].Text.startsWith(QStringLiteral("起動エラー. Msg=")));
        }
        EXPECT_EQ(StatusText(0), QString::fromUtf8(c.Count));
        ASSERT_EQ(List()->Model()->columnCount(), c.Columns);
        EXPECT_EQ(SelectedRow(), -1);
        if (c.Columns == 5) {
            EXPECT_EQ(RowNames(), (QStringList{"a", "b"}));  // sorted folder listing
        }
        Form.reset();
    }
}

TEST_F(MainListTest, ColumnFileRoundTripWithChangedWidths) {
    AddRecipe(QStringLiteral("a"), QStringLiteral("10"), 1);
    TColumnTable table = DefaultColumnTable();
    table.push_back({QStringLiteral("むずかしさ"), 33, true});
    WriteColumns(table);
    Open();
    EXPECT_EQ(List()->Model()->columnCount(), 6);
    List()->Header()->resizeSection(0, 120);
    ASSERT_TRUE(Close());
    table[0].Width = 120;
    EXPECT_EQ(ReadRaw(AppDir() + ColumnFileName), FormatColumnTable(table));

    Open();
    EXPECT_EQ(List()->Header()->sectionSize(0), 120);
    EXPECT_EQ(Book().ColumnTable, table);
    EXPECT_EQ(RowText(0, 5), QString());  // difficulty unset
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
    TSettings settings = form.Settings();
    settings.IconSort = true;
    form.SettingsStore().SetSettings(settings);
    ClickHeader(0);
    ASSERT_EQ(RowCount(), 30);
    EXPECT_EQ(RowText(0), QStringLiteral("r01"));  // icon 3 first, in their order
    EXPECT_EQ(RowText(14), QStringLiteral("r29"));
    EXPECT_EQ(RowText(15), QStringLiteral("r00"));

    ClickRow(QStringLiteral("r05"));
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, 1100, 700);
    for (const char* name : {"tbtnList", "tbtnIcon", "tbtnSmallIcon", "tbtnReport"}) {
        Find<QToolButton>(name)->click();
        EXPECT_TRUE(Find<QToolButton>(name)->isChecked());
        EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("r05"));
        RenderWidgetIfAsked(&form, QStringLiteral("main_window_") + QLatin1String(name));
    }
    form.findChild<QToolButton*>("tbtnIcon")->click();
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
    for (QToolButton* button : {Find<QToolButton>("tbtnIcon"), Find<QToolButton>("tbtnSmallIcon"), Find<QToolButton>("tbtnList")}) {
        button->click();
        QApplication::processEvents();
        const QListView* view = List()->IconView();
        const int iconHeight = view->iconSize().height();
        for (int r = 0; r < RowCount(); ++r)
            EXPECT_GE(view->visualRect(List()->Model()->index(r, 0)).height(), iconHeight)
                << "row " << r << " in " << button->objectName().toStdString();
        // The longer name is not cut to the width of the last one.
        EXPECT_GE(view->visualRect(List()->Model()->index(1, 0)).width(),
                  QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("bakedfish")))
            << button->objectName().toStdString();
    }
    form.findChild<QToolButton*>("tbtnIcon")->click();
    QApplication::processEvents();
    const QRect large = List()->IconView()->visualRect(List()->Model()->index(0, 0));
    EXPECT_GE(large.height(), 32 + QFontMetrics(List()->IconView()->font()).height());
}
