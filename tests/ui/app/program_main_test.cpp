#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>

#include "core/platform/collection_lock.h"
#include "ui/app/program_main.h"
#include "ui/platform/single_instance.h"

TEST(ProgramMainTest, SecondCopyExitsAtOnceAndRaisesTheFirst) {
    const QString built = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../saporia"));
    ASSERT_TRUE(QFileInfo::exists(built)) << built.toStdString();
    QTemporaryDir sockets;
    QTemporaryDir install;
    const QString program = install.filePath(QStringLiteral("saporia"));
    ASSERT_TRUE(QFile::copy(built, program));

    // The running copy: a window, minimised over a maximised state.
    const QString user = qEnvironmentVariable("USER", QStringLiteral("tester"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("USER"), user);
    environment.insert(QStringLiteral("TMPDIR"), sockets.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QWidget window;
    window.setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
    const TCollectionLock owner(install.path());
    TSingleInstance first(sockets.filePath(QStringLiteral("saporia-") + user));
    ASSERT_TRUE(first.Start());
    first.SetWindow(&window);
    QSignalSpy raised(&first, &TSingleInstance::RaiseRequested);
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(program, {});
    ASSERT_TRUE(second.waitForStarted(5000));
    ASSERT_TRUE(raised.wait(10000)) << "the running copy was not asked to come forward";
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second copy did not exit";
    EXPECT_TRUE(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
    EXPECT_EQ(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), Qt::WindowMaximized);
    // It wrote nothing: no data folder, no settings, no column file.
    EXPECT_EQ(QDir(install.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("saporia"), CollectionLockFileName}));
}

// Qt's own dialogs speak Japanese like the rest of the program.
TEST(ProgramMainTest, QtDialogButtonsAreJapanese) {
    QTranslator* translator = InstallQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    delete translator;  // the other tests read Qt's own texts
}
