#include <QDir>
#include <QFileInfo>
#include <QToolBar>

#include "core/platform/ini_file.h"
#include "core/platform/sjis.h"
#include "core/recipes/column_table.h"
#include "support/main_form_fixture.h"
#include "ui/mainwindow/control_bar.h"

namespace {

class MainCloseTest : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("親子丼"), .Foodstuff = QStringLiteral("鶏肉")});
    }
    QString Foodstuff() const { return DataRoot() + QStringLiteral("/親子丼/材料.txt"); }
    // A value of the layout file; "-" when the key is not there.
    QString IniValue(const char* section, const char* key) const {
        return TIniFile(SettingsPath).ReadString(QLatin1String(section), QLatin1String(key), QStringLiteral("-"));
    }
    void WriteIni(const std::vector<std::array<const char*, 3>>& keys) {
        TIniFile ini(SettingsPath);
        for (const auto& [section, key, value] : keys)
            ini.WriteString(QLatin1String(section), QLatin1String(key), QLatin1String(value));
        ini.UpdateFile();
    }
    // One run, so that the layout file exists and its path is known.
    void FirstRun() {
        Open();
        SettingsPath = IniPath();
        ASSERT_TRUE(Close());
    }
    QString SettingsPath;
};

}  // namespace

// The data folder is made at the first start; a file in its place ends the program and is left alone.
TEST(MainStart, DataFolderIsMadeOrItsFailureEndsTheProgram) {
    for (const bool blocked : {false, true}) {
        TMainFormFixture f;
        if (blocked)
            f.Dir.WriteBytes(QStringLiteral("Cook"), "not a folder");
        f.Open();
        EXPECT_EQ(f.Form->TerminateRequested(), blocked);
        EXPECT_EQ(QDir(f.DataRoot()).exists(), !blocked);
        EXPECT_EQ(f.Answers.Texts().value(0), blocked ? "フォルダの作成に失敗しました. FolderPath=" + f.DataRoot() : "");
        if (blocked) {
            EXPECT_EQ(f.Dir.ReadBytes(QStringLiteral("Cook")), QByteArray("not a folder"));
        }
    }
}

TEST_F(MainCloseTest, AClosingThatStopsWritesNothingAndViewOnlyAsksNothing) {
    const QByteArray original = ReadRaw(Foodstuff());
    // Yes with a failing save: the window stays and not even the layout is written.
    Open();
    SettingsPath = IniPath();
    ClickRow(QStringLiteral("親子丼"));
    TypeInto(Find<QTextEdit>("memFoodstuff"), QStringLiteral("卵"));
    const QString moved = DataRoot() + QStringLiteral("/moved");
    ASSERT_TRUE(QDir().rename(DataRoot() + QStringLiteral("/親子丼"), moved));
    Answers.Answer(TMsgResult::Yes);
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Answers.Calls().back().Text.startsWith(QStringLiteral("Save Error. Msg=")));
    EXPECT_FALSE(QFileInfo::exists(SettingsPath));
    ASSERT_TRUE(QDir().rename(moved, DataRoot() + QStringLiteral("/親子丼")));

    // View-only mode asks nothing and writes no recipe.
    Answers.ClearLog();
    Trigger(QStringLiteral("miModeChange"));
    EXPECT_TRUE(Close());
    EXPECT_TRUE(Answers.Calls().empty());
    EXPECT_EQ(ReadRaw(Foodstuff()), original);
    EXPECT_TRUE(QFileInfo::exists(SettingsPath));
}

// The first start is maximised over 800 x 600; the file keeps the spelling "VEIWSTYLE".
TEST_F(MainCloseTest, FirstStartAndMaximisedCloseKeepTheNormalBounds) {
    TMainForm& form = Open();
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.normalGeometry().size(), QSize(800, 600));
    EXPECT_TRUE(Answers.Calls().empty());
    SettingsPath = IniPath();
    ASSERT_TRUE(Close());
    const std::array<const char*, 3> keys[] = {
        {"FORM", "WINDOWSTATE", "2"}, {"FORM", "LEFT", "-"},   {"LIST", "VEIWSTYLE", "0"}, {"LIST", "VIEWSTYLE", "-"},
        {"FONT", "SIZE", "0"},        {"MODE", "ONLYVIEW", "0"}, {"ToolBar1", "DOCKSITENAME", "ControlBar1"},
    };
    for (const auto& [section, key, value] : keys)
        EXPECT_EQ(IniValue(section, key), QLatin1String(value)) << section << "/" << key;
}

TEST_F(MainCloseTest, LayoutSurvivesRunsWithoutDrift) {
    FirstRun();
    WriteIni({{"FORM", "WINDOWSTATE", "1"}, {"FORM", "LEFT", "30"}, {"FORM", "TOP", "40"}, {"FORM", "WIDTH", "700"},
              {"FORM", "HEIGHT", "500"}, {"COOKPANEL", "WIDTH", "300"}, {"SUBPANEL", "HEIGHT", "180"},
              {"PICTUREPANEL", "WIDTH", "120"}, {"LIST", "VEIWSTYLE", "2"}, {"FONT", "SIZE", "1"},
              {"RECIPEINFORMATION", "WORDWRAP", "1"}, {"ToolBar2", "DOCKSITENAME", "ControlBar2"},
              {"ToolBar2", "LEFT", "5"}, {"ToolBar2", "TOP", "0"}, {"ToolBar1", "DOCKSITENAME", "Panel8"},
              {"PanelHint", "VISIBLE", "0"}, {"ToolBar4", "FLOATING", "1"}, {"ToolBar4", "LEFT", "200"},
              {"ToolBar4", "TOP", "150"}});
    QByteArray previous;
    for (int run = 0; run < 3; ++run) {
        TMainForm& form = Open();
        EXPECT_EQ(form.geometry(), QRect(30, 40, 700, 500)) << run;
        EXPECT_EQ(Find<QWidget>("CookPanel")->width(), 300) << run;
        EXPECT_EQ(Find<QWidget>("SubPanel")->height(), 180) << run;
        EXPECT_EQ(Find<QWidget>("PicturePanel")->width(), 120) << run;
        EXPECT_TRUE(Find<QToolButton>("tbtnIcon")->isChecked());
        EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->font().pointSize(), 11);
        EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->lineWrapMode(), QTextEdit::WidgetWidth);
        EXPECT_EQ(Find<QToolBar>("ToolBar2")->parentWidget(), Find<TControlBar>("ControlBar2"));
        EXPECT_EQ(Find<QToolBar>("ToolBar2")->pos(), QPoint(5, 0));
        // An unknown site puts the bar on the first row, and the file follows.
        EXPECT_EQ(Find<QToolBar>("ToolBar1")->parentWidget(), Find<TControlBar>("ControlBar1"));
        EXPECT_TRUE(Find<QFrame>("PanelHint")->isHidden());
        EXPECT_EQ(TControlBar::FloatingWindow(Find<QToolBar>("ToolBar4"))->geometry().topLeft(), QPoint(200, 150));
        ASSERT_TRUE(Close());
        if (run > 0) {
            EXPECT_EQ(ReadRaw(SettingsPath), previous) << "the layout drifted in run " << run;
        }
        previous = ReadRaw(SettingsPath);
    }
    EXPECT_EQ(IniValue("ToolBar1", "DOCKSITENAME"), QStringLiteral("ControlBar1"));
}

// Numbers that would overflow the window rectangle: the window still comes up on the screen.
TEST_F(MainCloseTest, ValuesOutOfRangeBringTheWindowOntoTheScreen) {
    FirstRun();
    WriteIni({{"LIST", "VEIWSTYLE", "7"}, {"FONT", "SIZE", "5"}, {"FORM", "WINDOWSTATE", "1"},
              {"FORM", "LEFT", "2147483647"}, {"FORM", "WIDTH", "2147483647"}, {"FORM", "HEIGHT", "2147483647"},
              {"COOKPANEL", "WIDTH", "2147483647"}, {"FORM", "TOP", "-2147483648"}});
    TMainForm& form = Open();
    for (const char* view : {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"})
        EXPECT_FALSE(Find<QToolButton>(view)->isChecked()) << view;
    EXPECT_TRUE(Find<QAction>("miFontSizeMiddle")->isChecked());
    EXPECT_TRUE(form.screen()->availableGeometry().intersects(form.geometry()));
}

// The close writes the layout; the column and history files wait for the destruction.
TEST_F(MainCloseTest, ShutDownWritesInOrderEachStepOnItsOwn) {
    Dir.WriteSjis(QStringLiteral("FindCareer.dat"), QStringLiteral("鶏肉\r\n卵\r\n"));
    TMainForm& form = Open();
    Book().FindCareerList.prepend(QStringLiteral("玉ねぎ"));
    ASSERT_TRUE(form.close());
    EXPECT_TRUE(QFileInfo::exists(IniPath()));
    EXPECT_FALSE(QFileInfo::exists(AppDir() + QStringLiteral("Column.dat")));
    EXPECT_EQ(ReadRaw(AppDir() + QStringLiteral("FindCareer.dat")), ToSjis(QStringLiteral("鶏肉\r\n卵\r\n")));
    // A column file that cannot be replaced is reported; the history is still written.
    ASSERT_TRUE(QDir().mkpath(AppDir() + QStringLiteral("Column.dat/blocker")));
    Form.reset();
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Texts()[0].contains(QStringLiteral("Column.dat"))) << Answers.Texts()[0].toStdString();
    EXPECT_EQ(ReadRaw(AppDir() + QStringLiteral("FindCareer.dat")), ToSjis(QStringLiteral("玉ねぎ\r\n鶏肉\r\n卵\r\n")));
}

// A history or column file that cannot be read is reported once; the list still fills, in the default
// columns, and the exit leaves the unread history alone.
TEST(MainStart, AFailingStartStepDoesNotStopTheOthers) {
    for (const bool history : {true, false}) {
        SCOPED_TRACE(history);
        TMainFormFixture f;
        MakeRecipe(f.DataRoot(), {.Name = QStringLiteral("親子丼")});
        if (history) {
            ASSERT_TRUE(QDir().mkpath(f.AppDir() + QStringLiteral("FindCareer.dat")));
        } else {
            WriteRaw(f.AppDir() + ColumnFileName, QByteArray("<Document><List><Column><Caption>料"));
        }
        f.Open();
        ASSERT_EQ(f.Answers.Texts().size(), 1);
        EXPECT_TRUE(f.Answers.Texts()[0].startsWith(QStringLiteral("起動エラー. Msg=")));
        EXPECT_EQ(f.StatusText(0), QStringLiteral("表示数 : 1 / 1"));
        EXPECT_EQ(f.List()->Model()->columnCount(), 5);
        if (history) {
            ASSERT_TRUE(f.Close());
            EXPECT_TRUE(QFileInfo::exists(f.AppDir() + ColumnFileName));
            EXPECT_EQ(f.Answers.Calls().size(), 1u);
        }
    }
}

TEST_F(MainCloseTest, QuittingMinimisedKeepsTheStoredBoundsAndState) {
    Open();
    SettingsPath = IniPath();
    Form->setWindowState(Qt::WindowNoState);
    Form->setGeometry(20, 30, 640, 480);
    ASSERT_TRUE(Close());
    const QByteArray normal = ReadRaw(SettingsPath);
    TMainForm& form = Open();
    form.setWindowState(Qt::WindowMinimized);
    form.setGeometry(0, 0, 300, 200);  // whatever the minimised window reports
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadRaw(SettingsPath), normal);
}
