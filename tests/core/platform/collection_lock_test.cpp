#include "core/platform/collection_lock.h"

#include <memory>

#include <gtest/gtest.h>

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
