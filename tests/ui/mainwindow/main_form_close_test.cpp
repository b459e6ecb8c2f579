#include <gtest/gtest.h>

#include <climits>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "support/main_form_fixture.h"
#include "ui/mainwindow/control_bar.h"
#include "core/platform/ini_file.h"
#include "core/platform/sjis.h"

namespace {

class MainCloseTest : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("親子丼"), .Foodstuff = QStringLiteral("鶏肉"),
                                .How = QStringLiteral("煮る")});
    }
    QString Foodstuff() const { return DataRoot() + QStringLiteral("/親子丼/材料.txt"); }
    void EditRecipe() {
        ClickRow(QStringLiteral("親子丼"));
        TypeInto(Find<QTextEdit>("memFoodstuff"), QStringLiteral("卵"));
        ASSERT_EQ(Marker(), QStringLiteral("変更有り"));
    }
    QString Ini() const { return SettingsPath; }
    QString SettingsPath;
};

}  // namespace

TEST_F(MainCloseTest, AClosingThatStopsWritesNothingAndViewOnlyAsksNothing) {
    const QByteArray original = ReadRaw(Foodstuff());
    // Yes with a failing save: the window stays and nothing is written, not
    // even the layout.
    Open();
    SettingsPath = IniPath();
    EditRecipe();
    const QString moved = DataRoot() + QStringLiteral("/moved");
    ASSERT_TRUE(QDir().rename(DataRoot() + QStringLiteral("/親子丼"), moved));
    Answers.Answer(TMsgResult::Yes);
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Answers.Calls().back().Text.startsWith(QStringLiteral("Save Error. Msg=")));
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(Ini()));
    ASSERT_TRUE(QDir().rename(moved, DataRoot() + QStringLiteral("/親子丼")));
    EXPECT_EQ(ReadRaw(Foodstuff()), original);

    // View-only mode asks nothing and writes no recipe.
    Answers.ClearLog();
    Trigger(QStringLiteral("miModeChange"));
    EXPECT_TRUE(Close());
    EXPECT_TRUE(Answers.Calls().empty());
    EXPECT_EQ(ReadRaw(Foodstuff()), original);
    EXPECT_TRUE(QFileInfo::exists(Ini()));
}

TEST_F(MainCloseTest, FirstStartAndMaximisedCloseKeepTheNormalBounds) {
    TMainForm& form = Open();
    SettingsPath = IniPath();
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.normalGeometry().size(), QSize(800, 600));
    EXPECT_TRUE(form.findChild<QToolButton*>("tbtnReport")->isChecked());
    EXPECT_TRUE(form.findChild<QAction*>("miFontSizeMiddle")->isChecked());
    EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->font().pointSize(), 9);
    EXPECT_FALSE(Find<QToolButton>("tbtnWordWrap")->isChecked());
    ASSERT_TRUE(Close());
    TIniFile ini(Ini());
    EXPECT_EQ(ini.ReadString(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE"), {}), QStringLiteral("2"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("FORM"), QStringLiteral("LEFT")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), {}), QStringLiteral("0"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("LIST"), QStringLiteral("VIEWSTYLE")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("FONT"), QStringLiteral("SIZE"), {}), QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("ToolBar1"), QStringLiteral("DOCKSITENAME"), {}), QStringLiteral("ControlBar1"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("MODE"), QStringLiteral("ONLYVIEW"), {}), QStringLiteral("0"));
}

TEST_F(MainCloseTest, LayoutSurvivesRunsWithoutDrift) {
    Open();
    SettingsPath = IniPath();
    ASSERT_TRUE(Close());
    {
        const char* const keys[][3] = {
            {"FORM", "WINDOWSTATE", "1"}, {"FORM", "LEFT", "30"}, {"FORM", "TOP", "40"}, {"FORM", "WIDTH", "700"},
            {"FORM", "HEIGHT", "500"}, {"COOKPANEL", "WIDTH", "300"}, {"SUBPANEL", "HEIGHT", "180"},
            {"PICTUREPANEL", "WIDTH", "120"}, {"LIST", "VEIWSTYLE", "2"}, {"FONT", "SIZE", "1"},
            {"RECIPEINFORMATION", "WORDWRAP", "1"}, {"ToolBar2", "DOCKSITENAME", "ControlBar2"},
            {"ToolBar2", "LEFT", "5"}, {"ToolBar2", "TOP", "0"}, {"ToolBar1", "DOCKSITENAME", "Panel8"},
            {"PanelHint", "VISIBLE", "0"}, {"ToolBar4", "FLOATING", "1"}, {"ToolBar4", "LEFT", "200"},
            {"ToolBar4", "TOP", "150"}};
        TIniFile ini(Ini());
        for (const auto& [section, key, value] : keys)
            ini.WriteString(QLatin1String(section), QLatin1String(key), QLatin1String(value));
        ini.UpdateFile();
    }
    QByteArray previous;
    for (int run = 0; run < 3; ++run) {
        TMainForm& form = Open();
        EXPECT_EQ(form.geometry(), QRect(30, 40, 700, 500)) << run;
        EXPECT_EQ(Find<QWidget>("CookPanel")->width(), 300) << run;
        EXPECT_EQ(Find<QWidget>("SubPanel")->height(), 180) << run;
        EXPECT_EQ(Find<QWidget>("PicturePanel")->width(), 120) << run;
        EXPECT_TRUE(form.findChild<QToolButton*>("tbtnIcon")->isChecked());
        EXPECT_TRUE(form.findChild<QAction*>("miFontSizeBig")->isChecked());
        EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->font().pointSize(), 11);
        EXPECT_TRUE(Find<QToolButton>("tbtnWordWrap")->isChecked());
        EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->lineWrapMode(), QTextEdit::WidgetWidth);
        EXPECT_EQ(form.findChild<QToolBar*>("ToolBar2")->parentWidget(), form.findChild<TControlBar*>("ControlBar2"));
        EXPECT_EQ(form.findChild<QToolBar*>("ToolBar2")->pos(), QPoint(5, 0));
        EXPECT_EQ(form.findChild<QToolBar*>("ToolBar1")->parentWidget(), form.findChild<TControlBar*>("ControlBar1"));  // unknown site: the first row
        EXPECT_TRUE(form.findChild<QFrame*>("PanelHint")->isHidden());
        EXPECT_TRUE(TControlBar::IsFloating(form.findChild<QToolBar*>("ToolBar4")));
        EXPECT_EQ(TControlBar::FloatingWindow(form.findChild<QToolBar*>("ToolBar4"))->geometry().topLeft(), QPoint(200, 150));
        ASSERT_TRUE(Close());
        const QByteArray now = ReadRaw(Ini());
        if (run > 0) {
            EXPECT_EQ(now, previous) << "the layout drifted in run " << run;
        }
        previous = now;
    }
    TIniFile ini(Ini());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("WIDTH"), 0), 700);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), 0), 2);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FONT"), QStringLiteral("SIZE"), 0), 1);
    EXPECT_EQ(ini.ReadString(QStringLiteral("ToolBar1"), QStringLiteral("DOCKSITENAME"), {}), QStringLiteral("ControlBar1"));
}

TEST_F(MainCloseTest, ValuesOutOfRangeChangeNothingAndStayInTheFile) {
    Open();
    SettingsPath = IniPath();
    ASSERT_TRUE(Close());
    {
        // Numbers that would overflow the window rectangle and the pane sums.
        const std::pair<const char*, const char*> keys[] = {{"FORM", "LEFT"}, {"FORM", "WIDTH"}, {"FORM", "HEIGHT"},
                                                            {"COOKPANEL", "WIDTH"}};
        TIniFile ini(Ini());
        ini.WriteInteger(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), 7);
        ini.WriteInteger(QStringLiteral("FONT"), QStringLiteral("SIZE"), 5);
        ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE"), 1);
        for (const auto& [section, key] : keys)
            ini.WriteInteger(QLatin1String(section), QLatin1String(key), INT_MAX);
        ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("TOP"), INT_MIN);
        ini.UpdateFile();
    }
    TMainForm& form = Open();
    for (const char* view : {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"})
        EXPECT_FALSE(Find<QToolButton>(view)->isChecked()) << view;
    EXPECT_TRUE(form.findChild<QAction*>("miFontSizeMiddle")->isChecked());
    // Bounds far off the screens come back onto them.
    EXPECT_TRUE(form.screen()->availableGeometry().intersects(form.geometry()));
    ASSERT_TRUE(Close());
    TIniFile ini(Ini());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), 0), 7);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FONT"), QStringLiteral("SIZE"), 9), 0);
}

TEST_F(MainCloseTest, ShutDownWritesInOrderEachStepOnItsOwn) {
    Dir.WriteSjis(QStringLiteral("FindCareer.dat"), QStringLiteral("鶏肉\r\n卵\r\n"));
    TMainForm& form = Open();
    SettingsPath = IniPath();
    Book().FindCareerList.prepend(QStringLiteral("玉ねぎ"));
    // The close writes the layout; the column and history files wait for the
    // destruction.
    ASSERT_TRUE(form.close());
    EXPECT_TRUE(QFileInfo::exists(Ini()));
    EXPECT_FALSE(QFileInfo::exists(AppDir() + QStringLiteral("Column.dat")));
    EXPECT_EQ(ReadRaw(AppDir() + QStringLiteral("FindCareer.dat")), ToSjis(QStringLiteral("鶏肉\r\n卵\r\n")));
    // A column file that cannot be replaced is reported; the history is still written.
    ASSERT_TRUE(QDir().mkpath(AppDir() + QStringLiteral("Column.dat/blocker")));
    Form.reset();
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Calls()[0].Text.contains(QStringLiteral("Column.dat"))) << Answers.Calls()[0].Text.toStdString();
    EXPECT_EQ(ReadRaw(AppDir() + QStringLiteral("FindCareer.dat")), ToSjis(QStringLiteral("玉ねぎ\r\n鶏肉\r\n卵\r\n")));
}

TEST_F(MainCloseTest, AFailingStartStepDoesNotStopTheOthersNorOverwriteItsFile) {
    // A history that cannot be read: reported, the list still fills, and
    // the exit leaves it alone.
    ASSERT_TRUE(QDir().mkpath(AppDir() + QStringLiteral("FindCareer.dat")));
    Open();
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Calls()[0].Text.startsWith(QStringLiteral("起動エラー. Msg=")));
    EXPECT_EQ(StatusText(0), QStringLiteral("表示数 : 1 / 1"));
    ASSERT_TRUE(Close());
    EXPECT_TRUE(QFileInfo::exists(AppDir() + QStringLiteral("Column.dat")));
    EXPECT_EQ(Answers.Calls().size(), 1u);
}

TEST_F(MainCloseTest, QuittingMinimisedKeepsTheStoredBoundsAndState) {
    Open();
    SettingsPath = IniPath();
    Form->setWindowState(Qt::WindowNoState);
    Form->setGeometry(20, 30, 640, 480);
    ASSERT_TRUE(Close());
    const QByteArray normal = ReadRaw(Ini());
    TMainForm& form = Open();
    EXPECT_EQ(form.geometry(), QRect(20, 30, 640, 480));
    form.setWindowState(Qt::WindowMinimized);
    form.setGeometry(0, 0, 300, 200);  // whatever the minimised window reports
    ASSERT_TRUE(Close());
    TIniFile ini(Ini());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE"), 0), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("WIDTH"), 0), 640);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("LEFT"), 0), 20);
    EXPECT_EQ(ReadRaw(Ini()), normal);
}
