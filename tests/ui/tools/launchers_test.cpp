#include <gtest/gtest.h>

#include <map>
#include <set>

#include <QAbstractButton>
#include <QDesktopServices>
#include <QUrl>

#include "core/commands/command_table.h"
#include "support/dialog_driver.h"
#include "support/main_form_fixture.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/version_form.h"
#include "ui/options/option_form.h"
#include "ui/tools/calc_form.h"
#include "ui/tools/help_form.h"
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"

namespace {

// Catches the addresses the program hands to the desktop.
class TUrlCatcher final : public QObject {
    Q_OBJECT
public:
    TUrlCatcher() {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "Open");
    }
    ~TUrlCatcher() override {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QStringList Opened;

public slots:
    void Open(const QUrl& url) { Opened << url.toString(); }
};

struct TLauncherFixture : TMainFormWithDialogs {
    TTimerForm Timer;
    TTimerSetForm TimerSet{&Timer};
    TCalcForm Calc;
    TListColumnSelectForm Columns;
    std::unique_ptr<TVersionForm> Version;
    std::unique_ptr<TOptionForm> Options;

    TLauncherFixture() {
        Timer.SetTimerSetForm(&TimerSet);
        Windows.TimerForm = &Timer;
        Windows.TimerSetForm = &TimerSet;
        Windows.CalcForm = &Calc;
        Windows.ListColumnSelectForm = &Columns;
        MakeRecipe(DataRoot(), {.Name = "Curry"});
        Open();
        Version = std::make_unique<TVersionForm>(AppDir(), Form.get());
        Options = std::make_unique<TOptionForm>(AppDir(), Form->SettingsStore(), Form.get());
        Windows.VersionForm = Version.get();
        Windows.OptionForm = Options.get();
    }
    // The buttons and pop-up items of a command, found by name.
    std::vector<QObject*> Places(const TCommandRow& row) const {
        std::vector<QObject*> found;
        for (const TCommandPlace& place : row.Places)
            found.push_back(Form->findChild<QObject*>(place.Name));
        return found;
    }
    static bool Enabled(QObject* object) {
        if (auto* action = qobject_cast<QAction*>(object))
            return action->isEnabled();
        return static_cast<QWidget*>(object)->isEnabled();
    }
};

}  // namespace

TEST(LaunchersTest, EveryCommandWithAHandlerIsOnInItsStateAndTheRestAreListed) {
    TLauncherFixture f;
    for (bool recipeOpen : {false, true}) {
        if (recipeOpen)
            f.ClickRow("Curry");
        for (const TCommandRow& row : CommandTable()) {
            if (row.Kind != TCommandKind::Command)
                continue;
            QAction* action = f.Form->findChild<QAction*>(row.Name);
            ASSERT_NE(action, nullptr) << row.Name.toStdString();
            EXPECT_TRUE(row.Handled) << row.Name.toStdString();
            // Every command follows its rule in the state at start; a hidden
            // item cannot be reached and Qt keeps it off.
            const bool on = row.Visible && CommandEnabled(row, TCommandState{recipeOpen, false, false, false}, true);
            EXPECT_EQ(action->isEnabled(), on) << row.Name.toStdString() << " recipe open " << recipeOpen;
            for (QObject* place : f.Places(row)) {
                ASSERT_NE(place, nullptr) << row.Name.toStdString();
                EXPECT_EQ(TLauncherFixture::Enabled(place), on) << place->objectName().toStdString();
            }
        }
    }
}

TEST(LaunchersTest, ToolWindowsOpenModelessFromMenuAndButton) {
    const struct {
        const char* Command;
        const char* Button;  // the tool button of the same command
        bool TimerShown, CalcShown;
    } rows[] = {{"miKitchenTimer", nullptr, true, false},
                {nullptr, "ToolButton14", true, false},
                {"miClac", nullptr, false, true},
                {nullptr, "ToolButton16", false, true}};
    for (const auto& row : rows) {
        TLauncherFixture f;
        if (row.Command)
            f.Trigger(QLatin1String(row.Command));
        else
            QTest::mouseClick(f.Find<QAbstractButton>(QLatin1String(row.Button)), Qt::LeftButton);
        EXPECT_EQ(f.Timer.isVisible(), row.TimerShown);
        EXPECT_EQ(f.Calc.isVisible(), row.CalcShown);
        // Modeless: the main window still takes input.
        EXPECT_FALSE(f.Timer.isModal() || f.Calc.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_EQ(FindCommand("miKitchenTimer")->Shortcut, "Ctrl+T");
}

TEST(LaunchersTest, ModalLaunchersOpenTheirDialogs) {
    for (const char* command : {"miOption", "About1", "miIconManage", "miDisplayDetailConfig"}) {
        TLauncherFixture f;
        const std::map<QString, QDialog*> dialogs = {{"miOption", f.Options.get()},
                                                     {"About1", f.Version.get()},
                                                     {"miIconManage", &f.IconManage},
                                                     {"miDisplayDetailConfig", &f.Columns}};
        QDialog* dialog = dialogs.at(QLatin1String(command));
        bool seen = false;
        WhenShown(dialog, [&] {
            seen = dialog->isVisible() && dialog->isModal();
            dialog->reject();
        });
        f.Trigger(QLatin1String(command));
        EXPECT_TRUE(seen) << command;
    }
}

TEST(LaunchersTest, HelpAndHomePage) {
    TLauncherFixture f;
    TUrlCatcher urls;
    EXPECT_EQ(f.Find<QAction>("Help2")->shortcut(), QKeySequence(Qt::Key_F1));
    f.Trigger("Help2");
    auto* help = f.Form->findChild<THelpForm*>("HelpForm");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(urls.Opened.isEmpty());

    // The home page is the help document's front page, in the desktop's browser.
    const QString home = QUrl::fromLocalFile(f.AppDir() + "help/index.html").toString();
    f.Trigger("miHomePage");
    QTest::mouseClick(f.Find<QAbstractButton>("Image3"), Qt::LeftButton);
    EXPECT_EQ(urls.Opened, QStringList({home, home}));

    // The hidden handheld-export item does nothing at all.
    const int shown = static_cast<int>(QApplication::topLevelWidgets().size());
    f.Trigger("PSP1");
    EXPECT_EQ(QApplication::topLevelWidgets().size(), shown);
    EXPECT_TRUE(f.Answers.Texts().isEmpty());
    EXPECT_TRUE(urls.Opened.size() == 2);
}

#include "launchers_test.moc"
