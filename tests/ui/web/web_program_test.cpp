#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "core/platform/sjis.h"
#include "core/web/tree_store.h"
#include "support/temp_app_dir.h"
#include "ui/app/program_main.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"

namespace {

const QString Declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n");

// Runs the whole program once in the folder; `whileRunning` sees the main window.
void RunOnce(const TTempAppDir& dir, const std::function<void(TMainForm&)>& whileRunning) {
    QTemporaryDir sockets;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const bool quitOnLast = app->quitOnLastWindowClosed();
    RunProgram(*app, dir.AppDir(), sockets.filePath(QStringLiteral("instance")), [&](TMainForm& form) {
        whileRunning(form);
        form.close();
        QTimer::singleShot(5000, QApplication::instance(), [] { QCoreApplication::exit(1); });
    });
    app->setQuitOnLastWindowClosed(quitOnLast);
}

TEST(WebProgram, StoresWrittenAtExitAndBackedUpAtStart) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    // First run, neither window opened: the default stores, no backups.
    RunOnce(dir, [](TMainForm&) {});
    EXPECT_EQ(FromSjis(dir.ReadBytes(QStringLiteral("RSS.dat"))),
              Declaration + QStringLiteral("<Document><Folder Name=\"RSS\"></Folder></Document>"));
    EXPECT_EQ(FromSjis(dir.ReadBytes(QStringLiteral("Bookmark.dat"))),
              Declaration + QStringLiteral("<Document><Folder Name=\"BOOKMARK\"></Folder></Document>"));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("RSS.dat.tmp"))));

    // Second run, the RSS reader opened by its command: the backups hold the
    // stores as read; an unreadable bookmark store is reported once and kept.
    dir.WriteBytes(QStringLiteral("Bookmark.dat"), "<Document><Folder Name=\"BOOKMARK\">");
    bool shown = false;
    RunOnce(dir, [&](TMainForm& form) {
        form.findChild<QAction*>(QStringLiteral("miRSS"))->trigger();
        for (QWidget* w : QApplication::topLevelWidgets())
            shown = shown || (w->objectName() == QStringLiteral("RSSForm") && w->isVisible());
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("RSS.dat.tmp"))));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("Bookmark.dat.tmp"))));
    EXPECT_EQ(dir.ReadBytes(QStringLiteral("Bookmark.dat.bad")), QByteArray("<Document><Folder Name=\"BOOKMARK\">"));
    EXPECT_NO_THROW(StoreFromBytes(dir.ReadBytes(QStringLiteral("Bookmark.dat")), TStoreKind::Bookmark));
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_TRUE(answers.Texts().first().startsWith(QStringLiteral("Load File Error. Msg=")));
}

}  // namespace
