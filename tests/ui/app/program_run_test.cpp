#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFile>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include "core/platform/ini_file.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_store.h"
#include "core/settings/settings.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/app/program_main.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"

// The whole program on the test's application object: start, loop, close,
// destruction writes.
TEST(ProgramRunTest, ClosingTheMainWindowEndsTheProgramWhileAToolWindowIsOpen) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    QTemporaryDir sockets;
    MakeRecipe(dir.AppDir() + QStringLiteral("Cook"), {.Name = QStringLiteral("焼き魚")});
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const bool quitOnLast = app->quitOnLastWindowClosed();

    QPointer<QWidget> tool;
    QPointer<TMainForm> main;
    bool loopRan = false;
    QElapsedTimer clock;
    clock.start();
    const QString socket = sockets.filePath(QStringLiteral("instance"));
    const int result = RunProgram(*app, dir.AppDir(), socket, [&](TMainForm& form) {
        main = &form;
        loopRan = true;
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->objectName() == QStringLiteral("SplashForm") && w->isVisible()) << "the splash stayed";
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.RecipeBook().CookItems.size(), 1u);
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

    EXPECT_LT(clock.elapsed(), 4000) << "the loop did not end with the main window";
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(loopRan && main.isNull());  // every window destroyed
    // The layout keys at the close, the option keys after them and the column
    // and history files at the destruction.
    const QByteArray file = TIniFile(SettingsFilePath(dir.AppDir())).Bytes();
    const qsizetype layout = file.indexOf("[RECIPEINFORMATION]");
    EXPECT_TRUE(layout >= 0 && layout < file.indexOf("[COOKELEMENT]"));
    for (const char* written : {"Column.dat", "FindCareer.dat"})
        EXPECT_TRUE(QFileInfo::exists(dir.Path(written))) << written;
    EXPECT_EQ(answers.Unanswered(), 0) << answers.Texts().join(QLatin1Char('|')).toStdString();
}

// A data folder that cannot be opened ends the start with one box that says so.
TEST(ProgramRunTest, ADataFolderLinkedToItselfIsReportedOnceAndTheProgramEnds) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    QTemporaryDir sockets;
    const QString root = dir.AppDir() + QStringLiteral("Cook");
    ASSERT_EQ(symlink("Cook", QFile::encodeName(root).constData()), 0);
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const bool quitOnLast = app->quitOnLastWindowClosed();
    bool loopRan = false;
    RunProgram(*app, dir.AppDir(), sockets.filePath(QStringLiteral("instance")), [&](TMainForm&) { loopRan = true; });
    app->setQuitOnLastWindowClosed(quitOnLast);
    EXPECT_FALSE(loopRan);
    EXPECT_EQ(answers.Texts(), QStringList{DataFolderOpenFailure(root)});
    EXPECT_TRUE(answers.Texts().value(0).contains(root));
}

// The scan runs while the other windows are made: the shown list and the
// one failure box are those of a scan done first.
TEST(ProgramRunTest, StartUpListsEveryRecipeAndReportsAnUnreadableOne) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    QTemporaryDir sockets;
    const QString root = dir.AppDir() + QStringLiteral("Cook");
    for (int i = 0; i < 150; ++i)
        MakeRecipe(root, {.Name = QStringLiteral("r%1").arg(i, 3, 10, QLatin1Char('0')),
                          .StatusLines = QStringList{QStringLiteral("Kind=主菜")}, .Photo = i % 2 == 0});
    const QString fifo = MakeRecipe(root, {.Name = QStringLiteral("r075a")});
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo + QStringLiteral("Status.txt")).constData(), 0644), 0);
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const bool quitOnLast = app->quitOnLastWindowClosed();
    int rows = -1;
    TCookItems items;
    RunProgram(*app, dir.AppDir(), sockets.filePath(QStringLiteral("instance")), [&](TMainForm& form) {
        rows = form.findChild<QAbstractItemView*>(QStringLiteral("CookListViewReport"))->model()->rowCount();
        items = form.RecipeBook().CookItems;
        form.close();
    });
    app->setQuitOnLastWindowClosed(quitOnLast);
    EXPECT_EQ(rows, 151);
    TIconStore icons;
    EXPECT_EQ(items, SearchCookFld(root, icons).Items);
    const QStringList boxes = answers.Texts();
    ASSERT_EQ(boxes.size(), 1) << boxes.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(boxes[0].contains(QStringLiteral("r075a: Status.txt を読み込めません"))) << boxes[0].toStdString();
}
