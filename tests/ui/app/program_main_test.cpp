#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>

#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/platform/single_instance.h"

namespace {

QStringList* DestroyLog = nullptr;

class TLoggedWindow final : public QWidget {
public:
    explicit TLoggedWindow(QString name) : Name(std::move(name)) {}
    ~TLoggedWindow() override {
        if (DestroyLog)
            *DestroyLog << Name;
    }
    QString Name;
};

}  // namespace

TEST(ProgramMainTest, WindowsGoInReverseOrderOfCreation) {
    QStringList log;
    DestroyLog = &log;
    {
        TWindowTable table;
        table.Create<TLoggedWindow>(QStringLiteral("MainForm"));
        table.Create<TLoggedWindow>(QStringLiteral("OptionForm"));
        table.AtDestruction([&log] { log << QStringLiteral("option keys"); });
        table.Create<TLoggedWindow>(QStringLiteral("BookMarkForm"));
        table.Create<TLoggedWindow>(QStringLiteral("RSSForm"));
        EXPECT_EQ(table.Count(), 5);
    }
    DestroyLog = nullptr;
    // So "RSS.dat" and "Bookmark.dat" come before the option keys, and the
    // main window's files come last.
    EXPECT_EQ(log, (QStringList{"RSSForm", "BookMarkForm", "option keys", "OptionForm", "MainForm"}));
}

TEST(ProgramMainTest, SecondCopyExitsAtOnceAndRaisesTheFirst) {
    const QString built = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../saporia"));
    ASSERT_TRUE(QFileInfo::exists(built)) << built.toStdString();
    QTemporaryDir sockets;
    QTemporaryDir install;
    const QString program = install.filePath(QStringLiteral("saporia"));
    ASSERT_TRUE(QFile::copy(built, program));

    // The running copy: a window, minimised over a maximised state.
    QString user = qEnvironmentVariable("USER");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (user.isEmpty()) {
        user = QStringLiteral("tester");
        environment.insert(QStringLiteral("USER"), user);
    }
    QWidget window;
    window.setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
    TSingleInstance first(sockets.filePath(QStringLiteral("saporia-") + user));
    ASSERT_TRUE(first.Start());
    first.SetWindow(&window);
    QSignalSpy raised(&first, &TSingleInstance::RaiseRequested);

    environment.insert(QStringLiteral("TMPDIR"), sockets.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(program, {});
    ASSERT_TRUE(second.waitForStarted(5000));
    ASSERT_TRUE(raised.wait(10000)) << "the running copy was not asked to come forward";
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second copy did not exit";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    // It wrote nothing: no data folder, no settings, no column file.
    EXPECT_EQ(QDir(install.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("saporia")});
}

// Qt's own dialogs speak Japanese like the rest of the program.
TEST(ProgramMainTest, QtDialogButtonsAreJapanese) {
    QTranslator* translator = InstallQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    delete translator;  // the other tests read Qt's own texts
}
