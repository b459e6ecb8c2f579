#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/app/program_main.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/ini_file.h"
#include "core/settings/settings.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

// The whole program on the test's application object: start, loop, close,
// destruction writes.
TEST(ProgramRunTest, ClosingTheMainWindowEndsTheProgramWhileAToolWindowIsOpen) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    QTemporaryDir sockets;
    MakeRecipe(dir.AppDir() + QStringLiteral("Cook"), {.Name = QStringLiteral("焼き魚")});
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const bool quitOnLast = app->quitOnLastWindowClosed();

    bool splashGone = false;
    bool mainShown = false;
    bool clockRunning = false;
    int rows = -1;
    QPointer<QWidget> tool;
    QPointer<TMainForm> main;
    bool loopRan = false;
    QElapsedTimer clock;
    clock.start();
    const int result = RunProgram(*app, dir.AppDir(), sockets.filePath(QStringLiteral("instance")), [&](TMainForm& form) {
        main = &form;
        loopRan = true;
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        splashGone = true;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("SplashForm") && w->isVisible())
                splashGone = false;
        mainShown = form.isVisible();
        clockRunning = form.findChild<QTimer*>("tmClock")->isActive();
        rows = static_cast<int>(form.RecipeBook().CookItems.size());
        // A modeless tool window stays open while the main window closes.
        tool = new QWidget(nullptr, Qt::Tool);
        tool->setAttribute(Qt::WA_DeleteOnClose);
        tool->show();
        form.close();
        // Should the loop not end, stop it so the test fails instead of hanging.
        QTimer::singleShot(5000, QApplication::instance(), [] { QCoreApplication::exit(1); });
    });
    app->setQuitOnLastWindowClosed(quitOnLast);
    delete tool.data();

    EXPECT_TRUE(loopRan);
    EXPECT_LT(clock.elapsed(), 4000) << "the loop did not end with the main window";
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(splashGone);
    EXPECT_TRUE(mainShown);
    EXPECT_TRUE(clockRunning);
    EXPECT_EQ(rows, 1);
    // The documented pane fonts resolve to installed Japanese fonts.
    EXPECT_FALSE(QFont::substitutes(QStringLiteral("ＭＳ ゴシック")).isEmpty());
    EXPECT_TRUE(loopRan && main.isNull());  // every window destroyed
    // The close wrote the layout keys, the destruction the column and history files.
    TIniFile ini(SettingsFilePath(dir.AppDir()));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE")));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE")));
    // The layout keys at the close, the option keys after them at the destruction.
    const QByteArray file = ini.Bytes();
    EXPECT_LT(file.indexOf("[RECIPEINFORMATION]"), file.indexOf("[COOKELEMENT]"));
    EXPECT_GE(file.indexOf("[RECIPEINFORMATION]"), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("Column.dat"))));
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("FindCareer.dat"))));
    EXPECT_EQ(answers.Unanswered(), 0) << answers.Texts().join(QLatin1Char('|')).toStdString();
}
