#include <gtest/gtest.h>


#include <QAbstractButton>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>

#include "core/commands/command_table.h"
#include "core/settings/settings_store.h"
#include "support/dialog_driver.h"
#include "support/main_form_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/app/windows.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/version_form.h"
#include "ui/options/option_form.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/help.h"
#include "ui/tools/calc_form.h"
#include "ui/tools/help_form.h"
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"
#include "ui/widgets/tiled_background.h"

namespace {

const QString Shipped = QStringLiteral(SAPORIA_SOURCE_DIR "/help/");

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

// Counts the paints a window receives.
class TPaintCounter final : public QObject {
public:
    explicit TPaintCounter(QWidget* window) { window->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override { return (Paints += event->type() == QEvent::Paint, false); }
    int Paints = 0;
};

}  // namespace

TEST(LaunchersTest, EveryCommandHasAHandlerAndFollowsItsRule) {
    TLauncherFixture f;
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
            EXPECT_TRUE(row.Handled);
            // A hidden item cannot be reached and Qt keeps it off.
            const bool on = row.Visible && CommandEnabled(row, TCommandState{recipeOpen, false, false, false}, true);
            for (QObject* place : places) {
                ASSERT_NE(place, nullptr);
                EXPECT_EQ(place->property("enabled").toBool(), on) << place->objectName().toStdString();
            }
        }
    }
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

// Every section a window asks for, and every link of the contents, lands on an anchor of the document.
TEST(HelpFormTest, EveryTopicAndLinkHasItsSection) {
    QFile file(Shipped + THelpForm::FrontPage);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList wanted = {"rss", "timer", "calc", "files"};
    for (auto it = QRegularExpression("href=\"#([a-z]+)\"").globalMatch(text); it.hasNext();)
        wanted << it.next().captured(1);
    for (const QString& topic : wanted)
        EXPECT_TRUE(text.contains(QStringLiteral("<a name=\"%1\">").arg(topic))) << topic.toStdString();
}

TEST(HelpFormTest, OpensAtTheSectionAskedFor) {
    THelpForm form(Shipped);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* browser = form.findChild<QTextBrowser*>("HelpBrowser");
    // The section asked for is at the top of the view; no topic: the top of the document.
    const std::pair<const char*, const char*> rows[] = {{"rss", "RSSリーダー"}, {"", "Saporia ヘルプ"}, {"files", "ファイル"}};
    for (const auto& [topic, heading] : rows) {
        form.ShowTopic(QLatin1String(topic));
        QApplication::processEvents();
        EXPECT_TRUE(browser->cursorForPosition(QPoint(5, 5)).block().text().contains(QString::fromUtf8(heading)))
            << topic;
    }

    // A missing document says where it was looked for.
    TTempAppDir dir;
    THelpForm missing(HelpFolder(dir.AppDir()));
    missing.ShowTopic("rss");
    const QString shown = missing.findChild<QTextBrowser*>("HelpBrowser")->toPlainText();
    EXPECT_TRUE(shown.startsWith("ヘルプファイルが見つかりません")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(dir.AppDir() + "help/index.html"));
}

// The help window opens centred on the main window, and Esc closes it.
TEST(HelpFormTest, OpensCentredOnTheMainWindowAndEscClosesIt) {
    TLauncherFixture f;
    f.Form->showNormal();
    f.Form->setGeometry(230, 170, 720, 540);
    QApplication::processEvents();
    f.Trigger("Help2");
    QPointer<QWidget> help;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("HelpForm") && window->isVisible())
            help = window;
    ASSERT_TRUE(help);
    // Within a frame's few pixels.
    EXPECT_LE((help->geometry().center() - f.Form->geometry().center()).manhattanLength(), 8);
    QTest::keyClick(help->findChild<QWidget*>("HelpBrowser"), Qt::Key_Escape);
    EXPECT_TRUE(!help || !help->isVisible());
}

// The tool windows of the running program: created at start-up, the custom
// time dialog reachable from the timer, and a new background from the
// options' OK painted at once.
TEST(ToolWindowsTest, CreatedAtStartAndRepaintedWithANewBackground) {
    TTempAppDir dir;
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(QColor(0x12, 0x80, 0x34));
    QDir().mkpath(dir.Path("background"));
    ASSERT_TRUE(tile.save(dir.Path("background/green.bmp")));
    TDialogAnswerer answers;
    TSettingsStore store(SettingsFilePath(dir.AppDir()));
    TWindows w;
    TWindowTable windows;
    CreateWindows(windows, w, store, dir.AppDir());
    ASSERT_TRUE(w.TimerForm && w.CalcForm && w.TimerSetForm);

    bool customShown = false;
    WhenShown(w.TimerSetForm, [&] {
        customShown = true;
        w.TimerSetForm->reject();
    });
    w.TimerForm->show();
    QTest::mouseClick(w.TimerForm->findChild<QPushButton*>("SpeedButton7"), Qt::LeftButton);
    EXPECT_TRUE(customShown);

    w.CalcForm->show();
    const QPoint timerBackground(4, 150);
    const QPoint calcBackground(4, 320);  // the paint box beside the close button
    EXPECT_NE(w.TimerForm->grab().toImage().pixelColor(timerBackground), tile.pixelColor(0, 0));

    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.TimerForm) && QTest::qWaitForWindowExposed(w.CalcForm));
    QApplication::processEvents();
    TPaintCounter timerPaints(w.TimerForm);
    TPaintCounter calcPaints(w.CalcForm);
    TSettings settings = store.Settings();
    settings.BackgroundFileName = "green";
    store.SetSettings(settings);
    QApplication::processEvents();
    EXPECT_TRUE(timerPaints.Paints > 0 && calcPaints.Paints > 0);
    EXPECT_EQ(w.TimerForm->grab().toImage().pixelColor(timerBackground), tile.pixelColor(0, 0));
    EXPECT_EQ(w.CalcForm->grab().toImage().pixelColor(calcBackground), tile.pixelColor(0, 0));
    SetSharedBackImg(QPixmap());  // the other tests paint without it
}

#include "launchers_test.moc"
