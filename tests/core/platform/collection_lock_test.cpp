#include "core/platform/collection_lock.h"

#include <functional>
#include <memory>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/temp_app_dir.h"

TEST(CollectionLock, OneOwnerPerFolderUntilTheOwnerGoes) {
    TTempAppDir folder;
    TTempAppDir otherFolder;
    ASSERT_FALSE(TCollectionLock::HeldByThisProcess());
    auto first = std::make_unique<TCollectionLock>(folder.AppDir());
    EXPECT_FALSE(first->Busy());
    EXPECT_TRUE(TCollectionLock::HeldByThisProcess());
    EXPECT_TRUE(QFileInfo(folder.Path(CollectionLockFileName)).isFile());
    {
        const TCollectionLock second(folder.AppDir());
        EXPECT_TRUE(second.Busy());
        const TCollectionLock other(otherFolder.AppDir());
        EXPECT_FALSE(other.Busy());
    }
    // A program started by the owner (a browser, a mailer) outlives it
    // without keeping the folder.
    QProcess child;
    child.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(child.waitForStarted(10000));
    first.reset();
    EXPECT_FALSE(TCollectionLock::HeldByThisProcess());
    {
        const TCollectionLock next(folder.AppDir());
        EXPECT_FALSE(next.Busy());
        EXPECT_TRUE(TCollectionLock::HeldByThisProcess());
    }
    child.kill();
    child.waitForFinished(10000);
    EXPECT_FALSE(TCollectionLock::HeldByThisProcess());
}

// Whatever stands at the lock file's name, one copy owns the folder, and the
// start neither hangs nor changes what is there.
TEST(CollectionLock, OneOwnerWhateverTheLockFileIs) {
    const struct {
        const char* Kind;
        std::function<void(const QString& lockPath, const QString& elsewhere)> Make;
    } cases[] = {
        {"missing", [](const QString&, const QString&) {}},
        {"link to a file", [](const QString& lock, const QString& elsewhere) {
             ASSERT_TRUE(QFile::link(elsewhere, lock));
         }},
        {"dangling link", [](const QString& lock, const QString& elsewhere) {
             ASSERT_TRUE(QFile::link(elsewhere + QStringLiteral(".none"), lock));
         }},
        {"folder", [](const QString& lock, const QString&) { ASSERT_TRUE(QDir().mkdir(lock)); }},
        {"FIFO", [](const QString& lock, const QString&) {
             ASSERT_EQ(mkfifo(QFile::encodeName(lock).constData(), 0444), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        TTempAppDir folder;
        TTempAppDir other;
        const QString elsewhere = other.Path(QStringLiteral("target"));
        other.WriteBytes(QStringLiteral("target"), "kept");
        c.Make(folder.Path(CollectionLockFileName), elsewhere);
        {
            const TCollectionLock first(folder.AppDir());
            EXPECT_FALSE(first.Busy());
            const TCollectionLock second(folder.AppDir());
            EXPECT_TRUE(second.Busy());
        }
        const TCollectionLock next(folder.AppDir());
        EXPECT_FALSE(next.Busy());
        EXPECT_EQ(other.ReadBytes(QStringLiteral("target")), "kept");
        EXPECT_FALSE(QFileInfo::exists(elsewhere + QStringLiteral(".none")));
    }
}

// A data folder is owned once, whichever program folder it is reached from;
// one that leads back to its own program folder does not lock out its owner.
TEST(CollectionLock, TheDataFolderIsOwnedOnce) {
    const struct {
        const char* Shape;
        const char* Link;  // the second program folder's "Cook", relative to the first program folder
        bool SecondBusy;
    } rows[] = {
        {"shared data folder", "Cook", true},
        {"another data folder", "Other", false},
        {"data folder is the program folder", ".", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Shape);
        TTempAppDir first;
        TTempAppDir second;
        ASSERT_TRUE(QDir().mkpath(first.Path(QStringLiteral("Cook"))));
        ASSERT_TRUE(QDir().mkpath(first.Path(QStringLiteral("Other"))));
        ASSERT_TRUE(QFile::link(first.Path(QString::fromLatin1(row.Link)), second.Path(QStringLiteral("Cook"))));
        const TCollectionLock owner(first.AppDir(), first.Path(QStringLiteral("Cook")));
        EXPECT_FALSE(owner.Busy());
        const TCollectionLock self(second.AppDir(), second.Path(QStringLiteral("Cook")));
        EXPECT_EQ(self.Busy(), row.SecondBusy);
    }
    // A data folder that is a link to its own program folder.
    TTempAppDir app;
    ASSERT_TRUE(QFile::link(app.Path(QString()), app.Path(QStringLiteral("Cook"))));
    const TCollectionLock owner(app.AppDir(), app.Path(QStringLiteral("Cook")));
    EXPECT_FALSE(owner.Busy());
}
