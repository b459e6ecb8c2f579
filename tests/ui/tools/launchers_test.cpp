#include <gtest/gtest.h>

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
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"

namespace {

// Catches the addresses the program hands to the desktop.
class TUrlCatcher final : public QObject {
    Q_OBJECT
public:
    TUrlCatcher() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~TUrlCatcher() override { QDesktopServices::unsetUrlHandler("file"); }
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
};

bool Enabled(QObject* place) {
    if (auto* action = qobject_cast<QAction*>(place))
        return action->isEnabled();
    return static_cast<QWidget*>(place)->isEnabled();
}

}  // namespace

TEST(LaunchersTest, EveryCommandWithAHandlerIsOnInItsStateAndTheRestAreListed) {
    TLauncherFixture f;
    std::set<QString> pending;
    for (bool recipeOpen : {false, true}) {
        if (recipeOpen)
            f.ClickRow("Curry");
        for (const TCommandRow& row : CommandTable()) {
            if (row.Kind != TCommandKind::Command)
                continue;
            SCOPED_TRACE(row.Name.toStdString() + (recipeOpen ? " recipe open" : ""));
            std::vector<QObject*> places = {f.Form->findChild<QAction*>(row.Name)};
            for (const TCommandPlace& place : row.Places)
                places.push_back(f.Form->findChild<QObject*>(place.Name));
            if (!row.Handled)
                pending.insert(row.Name);
            // Pending commands stay off; a hidden item cannot be reached and Qt keeps it off.
            const bool on = row.Handled && row.Visible && (!row.NeedsRecipe || recipeOpen);
            for (QObject* place : places) {
                ASSERT_NE(place, nullptr);
                EXPECT_EQ(Enabled(place), on) << place->objectName().toStdString();
            }
        }
    }
    // Commands whose windows are built elsewhere and not yet here.
    EXPECT_EQ(pending, std::set<QString>({"C1", "MenuStartup", "MenuClose", "Detail1"}));
}

// Each launcher opens its window: modeless tools leave the main window free, the rest are modal.
TEST(LaunchersTest, EachLauncherOpensItsWindow) {
    TLauncherFixture f;
    TUrlCatcher urls;
    const QString home = QUrl::fromLocalFile(f.AppDir() + "help/index.html").toString();
    const struct {
        const char *Launcher, *Window;  // "*" after a modal window's name; "" nothing shown
        QString Url;
    } rows[] = {
        {"miKitchenTimer", "TimerForm", ""}, {"ToolButton14", "TimerForm", ""}, {"miClac", "CalcForm", ""},
        {"ToolButton16", "CalcForm", ""},    {"Help2", "HelpForm", ""},         {"miOption", "OptionForm*", ""},
        {"About1", "VersionForm*", ""},      {"miIconManage", "IconManageForm*", ""},
        {"miDisplayDetailConfig", "ListColumnSelectForm*", ""},
        {"miHomePage", "", home},            {"Image3", "", home},              {"PSP1", "", ""},  // hidden: does nothing
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Launcher);
        QString modal;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&modal] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                modal = dialog->objectName() + u'*';
                dialog->reject();
            }
        });
        poll.start(5);
        urls.Opened.clear();
        if (auto* action = f.Form->findChild<QAction*>(row.Launcher))
            action->trigger();
        else
            QTest::mouseClick(f.Find<QAbstractButton>(row.Launcher), Qt::LeftButton);
        QApplication::processEvents();
        poll.stop();
        QStringList shown(modal.isEmpty() ? QStringList() : QStringList{modal});
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window != f.Form.get()) {
                shown << window->objectName();
                window->hide();
            }
        EXPECT_EQ(shown.join(u','), QLatin1String(row.Window));
        EXPECT_EQ(urls.Opened, row.Url.isEmpty() ? QStringList() : QStringList{row.Url});
        EXPECT_TRUE(f.Answers.Texts().isEmpty());
    }
}

#include "launchers_test.moc"
