#include <QListView>
#include <QTextLayout>

#include "core/recipes/column_table.h"
#include "core/settings/settings_store.h"
#include "support/main_form_fixture.h"

namespace {

class MainListTest : public ::testing::Test, public TMainFormFixture {
protected:
    void AddRecipe(const QString& name, const QString& calorie, int icon) {
        QStringList status{QStringLiteral("Icon=%1").arg(icon)};
        if (!calorie.isEmpty())
            status << QStringLiteral("Calorie=") + calorie;
        MakeRecipe(DataRoot(), {.Name = name, .StatusLines = status});
    }
    void WriteColumns(const TColumnTable& table) { WriteRaw(AppDir() + ColumnFileName, FormatColumnTable(table)); }
};

}  // namespace

TEST_F(MainListTest, ColumnFileRoundTripWithChangedWidths) {
    AddRecipe(QStringLiteral("a"), QStringLiteral("10"), 1);
    TColumnTable table = DefaultColumnTable();
    table.push_back({QStringLiteral("むずかしさ"), 33, true});
    WriteColumns(table);
    Open();
    List()->Header()->resizeSection(0, 120);
    ASSERT_TRUE(Close());
    table[0].Width = 120;
    EXPECT_EQ(ReadRaw(AppDir() + ColumnFileName), FormatColumnTable(table));
    Open();
    EXPECT_EQ(List()->Header()->sectionSize(0), 120);
    EXPECT_EQ(RowText(0, 5), QString());  // difficulty unset
}

// A width dragged in the header lasts through reloads, which rebuild the
// columns, and the last width of each column reaches "Column.dat".
TEST_F(MainListTest, DraggedWidthsLastThroughReloadsAndReachTheFile) {
    AddRecipe(QStringLiteral("a"), QStringLiteral("10"), 1);
    Open();
    QHeaderView* header = List()->Header();
    const struct { int Section, Width; } drags[] = {{0, 120}, {2, 61}, {0, 95}, {4, 33}};
    for (const auto& drag : drags) {
        header->resizeSection(drag.Section, drag.Width);
        Trigger(QStringLiteral("miUpdate"));
        EXPECT_EQ(header->sectionSize(drag.Section), drag.Width) << drag.Section;
    }
    EXPECT_EQ(RowCount(), 1);
    ASSERT_TRUE(Close());
    TColumnTable table = DefaultColumnTable();
    table[0].Width = 95;
    table[2].Width = 61;
    table[4].Width = 33;
    EXPECT_EQ(ReadRaw(AppDir() + ColumnFileName), FormatColumnTable(table));
}

// The icon-sort setting reaches the list; every view style shows the same selection.
TEST_F(MainListTest, IconSortAndViewStylesShareOneSelection) {
    for (int i = 0; i < 30; ++i)
        AddRecipe(QStringLiteral("r%1").arg(i, 2, 10, QLatin1Char('0')), QString(), i % 2 == 0 ? 7 : 3);
    TMainForm& form = Open();
    TSettings settings = form.Settings();
    settings.IconSort = true;
    form.SettingsStore().SetSettings(settings);
    ClickHeader(0);
    EXPECT_EQ(RowText(0), QStringLiteral("r01"));  // icon 3 first, in their order
    ClickRow(QStringLiteral("r05"));
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, 1100, 700);
    for (const char* name : {"tbtnList", "tbtnSmallIcon", "tbtnReport", "tbtnIcon"}) {
        Find<QToolButton>(name)->click();
        EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("r05")) << name;
    }
}

// A recipe without an icon (the last) must not shrink the cells of the others,
// nor cut longer names; large icons show Japanese names of up to twelve
// characters whole, on at most two lines, at the smallest and largest font size.
TEST_F(MainListTest, IconViewsKeepFullCellsAndWholeNames) {
    const QStringList names{"a", "bakedfish", "肉じゃが", "鶏の照り焼き丼", "ほうれん草のおひたし",
                            "豚バラ大根の甘辛煮込み丼", "麺つゆ冷やしうどん"};
    for (const QString& name : names)
        AddRecipe(name, QString(), name == names.last() ? -1 : 3);
    Open();
    for (const char* button : {"tbtnSmallIcon", "tbtnList", "tbtnIcon"}) {
        Find<QToolButton>(button)->click();
        QApplication::processEvents();
        const QListView* view = List()->IconView();
        const QRect cell = view->visualRect(List()->Model()->index(RowNames().indexOf("bakedfish"), 0));
        EXPECT_GE(view->visualRect(List()->Model()->index(0, 0)).height(), view->iconSize().height()) << button;
        EXPECT_GE(cell.width(), QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("bakedfish"))) << button;
    }
    for (const char* size : {"miFontSizeMin", "miFontSizeMax"}) {
        Trigger(size);
        QApplication::processEvents();
        const QListView* view = List()->IconView();
        for (int row = 0; row < names.size(); ++row) {
            // Laid out as the name is painted: below the icon, inside the margins, in lines of whole pixels.
            const QRect cell = view->visualRect(List()->Model()->index(row, 0));
            const QStyle* style = view->style();
            QTextLayout layout(RowText(row), view->font());
            layout.beginLayout();
            int height = view->iconSize().height() + style->pixelMetric(QStyle::PM_FocusFrameVMargin) + 1;
            int lines = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines) {
                line.setLineWidth(cell.width() - 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1));
                EXPECT_LE(line.naturalTextWidth(), line.width()) << size << ' ' << row;
                height += qCeil(line.height());
            }
            layout.endLayout();
            EXPECT_LE(lines, 2) << size << ' ' << row;
            EXPECT_LE(height, cell.height()) << size << ' ' << row;
        }
    }
}
