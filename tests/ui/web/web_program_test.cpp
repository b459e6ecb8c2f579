#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "core/platform/sjis.h"
#include "core/web/tree_store.h"
#include "support/read_denied.h"
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

// Each entry whose name starts with the store's name, with what it is (a
// file's text, a folder's entries, any other kind), so a row states exactly
// what a run left on disk.
QStringList StoreEntries(const TTempAppDir& dir, const QString& store) {
    const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    QStringList entries;
    for (const QFileInfo& info : QDir(dir.AppDir()).entryInfoList({store + u'*'}, all, QDir::Name)) {
        const QString what = info.isDir()    ? QStringLiteral("folder of ") + QDir(info.filePath()).entryList(all).join(u',')
                             : info.isFile() ? FromSjis(dir.ReadBytes(info.fileName()))
                                             : QStringLiteral("not a file");
        entries << info.fileName() + QStringLiteral(" = ") + what;
    }
    return entries;
}

TEST(WebProgram, StoresThatCannotBeOpenedStayAndUnparsedOnesMoveBesideOlderCopies) {
    enum TMake { Denied, Fifo, Folder, Unparsed, UnparsedBesideOlder };
    const QByteArray unparsed = "<Document><Folder Name=\"X\"><Item>";
    const QByteArray older = "<Document>older";
    bool denyFailed = false;
    for (const TStoreKind kind : {TStoreKind::Rss, TStoreKind::Bookmark}) {
        const QString name = StoreFileName(kind);
        auto tree = DefaultStoreTree(kind);
        tree->Append(std::make_unique<TWebNode>(kind == TStoreKind::Rss ? TWebNodeKind::Site : TWebNodeKind::Bookmark,
                                                QStringLiteral("料理"), QStringLiteral("http://r/")));
        const QByteArray users = StoreToBytes(*tree, kind);
        const QString fresh = FromSjis(StoreToBytes(*DefaultStoreTree(kind), kind));
        const QString left = QStringLiteral("そのまま残し、終了時にも書き込みません");
        const struct {
            const char* What;
            TMake Make;
            QStringList Left;
            QString Told;
        } rows[] = {
            {"permission denied", Denied, {name + " = " + FromSjis(users)},
             name + QStringLiteral(" を読み込めません\nこのファイルは") + left},
            {"FIFO", Fifo, {name + " = not a file"}, left},
            {"folder", Folder, {name + " = folder of keep.txt"}, left},
            {"unparsed", Unparsed, {name + " = " + fresh, name + ".bad = " + FromSjis(unparsed)},
             name + ".bad へ名前を変えて残します"},
            {"unparsed beside an older copy", UnparsedBesideOlder,
             {name + " = " + fresh, name + ".bad = " + FromSjis(older), name + ".bad2 = " + FromSjis(unparsed)},
             name + ".bad2 へ名前を変えて残します"},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(name.toStdString() + ", " + row.What);
            TTempAppDir dir;
            const QString path = dir.Path(name);
            if (row.Make == Denied)
                dir.WriteBytes(name, users);
            if (row.Make == Fifo) {
                ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            }
            if (row.Make == Folder)
                dir.WriteBytes(name + QStringLiteral("/keep.txt"), "kept");
            if (row.Make == Unparsed || row.Make == UnparsedBesideOlder)
                dir.WriteBytes(name, unparsed);
            if (row.Make == UnparsedBesideOlder)
                dir.WriteBytes(name + QStringLiteral(".bad"), older);
            TDialogAnswerer answers;
            {
                std::optional<TReadDenied> denied;
                if (row.Make == Denied && !denied.emplace(path).Denied()) {
                    denyFailed = true;
                    continue;
                }
                RunOnce(dir, [](TMainForm&) {});
                struct stat info {};
                if (denied) {
                    EXPECT_TRUE(stat(QFile::encodeName(path).constData(), &info) == 0 && (info.st_mode & 07777) == 0);
                }
            }
            EXPECT_EQ(StoreEntries(dir, name), row.Left);
            const QStringList told = answers.Texts();
            ASSERT_EQ(told.size(), 1) << told.join(u'|').toStdString();
            EXPECT_TRUE(told[0].startsWith(QStringLiteral("Load File Error. Msg=") + path)) << told[0].toStdString();
            EXPECT_TRUE(told[0].contains(row.Told)) << told[0].toStdString();
        }
    }
    if (denyFailed)
        GTEST_SKIP() << "reading a file could not be denied here; the other rows ran";
}

}  // namespace
