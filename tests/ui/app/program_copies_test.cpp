#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include "core/platform/collection_lock.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// Copies of the whole program, each a process of its own with its own USER,
// on one program folder.
class TCopies final {
public:
    explicit TCopies(const QString& appDir) : AppDir(appDir) {}

    std::unique_ptr<QProcess> Start(const QString& user, const QStringList& extra = {}) const {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("USER"), user);
        environment.insert(QStringLiteral("TMPDIR"), Sockets.path());  // the copies' sockets, and no one else's
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        copy->setProcessEnvironment(environment);
        copy->start(QCoreApplication::applicationDirPath() + QStringLiteral("/saporia_program_child"),
                    QStringList{AppDir} + extra);
        return copy;
    }

    // Waits for the copy's message loop; false when it ended first.
    static bool WaitRunning(QProcess& copy, QByteArray& output) {
        while (!output.contains("running\n")) {
            if (!copy.waitForReadyRead(30000))
                return false;
            output += copy.readAllStandardOutput();
        }
        return true;
    }

private:
    QString AppDir;
    QTemporaryDir Sockets;
};

// Every entry below `folder`: files with their bytes, folders and links by kind.
QMap<QString, QByteArray> Tree(const QString& folder) {
    QMap<QString, QByteArray> tree = FolderSnapshot(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!it.fileInfo().isFile())
            tree.insert(QDir(folder).relativeFilePath(path), it.fileInfo().isSymLink() ? "link" : "folder");
    }
    return tree;
}

}  // namespace

TEST(ProgramCopies, ASecondCopyOnTheFolderWritesNothingAndAKilledOwnerBlocksNoStart) {
    TTempAppDir app;
    MakeRecipe(app.AppDir() + QStringLiteral("Cook"), {.Name = QStringLiteral("焼き魚")});
    TCopies copies(app.AppDir());
    auto owner = copies.Start(QStringLiteral("lockA"));
    QByteArray ownerOutput;
    ASSERT_TRUE(TCopies::WaitRunning(*owner, ownerOutput)) << ownerOutput.toStdString();
    ASSERT_TRUE(QFileInfo::exists(app.Path(CollectionLockFileName)));

    // Another user's copy cannot reach the owner: it says why and ends; the
    // same user's copy brings the owner forward and ends without a word.
    const struct {
        const char* User;
        int ExitCode;
        QByteArray Output;
    } seconds[] = {
        {"lockB", 1, "dialog: " + CollectionInUseMessage.toUtf8() + "\n"},
        {"lockA", 0, ""},
    };
    for (const auto& second : seconds) {
        SCOPED_TRACE(second.User);
        const QMap<QString, QByteArray> before = Tree(app.AppDir());
        auto copy = copies.Start(QString::fromLatin1(second.User));
        ASSERT_TRUE(copy->waitForFinished(30000));
        EXPECT_EQ(copy->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(copy->exitCode(), second.ExitCode);
        EXPECT_EQ(copy->readAllStandardOutput(), second.Output);
        EXPECT_EQ(Tree(app.AppDir()), before);
    }
    ASSERT_EQ(owner->state(), QProcess::Running);

    // The kernel drops the lock of a killed owner: the next copy runs, here
    // under the other user, and ends normally.
    owner->kill();
    ASSERT_TRUE(owner->waitForFinished(30000));
    auto next = copies.Start(QStringLiteral("lockB"), {QStringLiteral("close")});
    ASSERT_TRUE(next->waitForFinished(60000));
    EXPECT_EQ(next->exitCode(), 0);
    EXPECT_EQ(next->readAllStandardOutput(), "running\n");
}
