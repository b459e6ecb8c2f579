#include "core/recipes/recipe_transaction.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "core/recipes/status_file.h"
#include "support/recipe_fixture.h"
#include "support/small_disk.h"
#include "support/temp_app_dir.h"

namespace {

using TSnapshot = QMap<QString, QByteArray>;

const TRecipeDraft OldRecipe{.Name = QString(),
                             .Comment = QStringLiteral("古いコメント"),
                             .StatusLines = QStringList{QStringLiteral("Kind=old")},
                             .Photo = true,
                             .Memo = true};

// The new state of every kind of file: texts, photo, memo, attributes, and a
// file that goes.
void Stage(TRecipeTransaction& transaction) {
    transaction.Put(FoodstuffFileName, RecipeFileBytes(QStringLiteral("新しい材料")));
    transaction.Put(PhotoFileName, SmallJpeg(10, 10, Qt::blue));
    transaction.Put(MemoFileName, SmallBmp(20, 10));
    transaction.Put(StatusFileName, QByteArray("Kind=new\r\n"));
    transaction.Remove(CommentFileName);
}
constexpr int TemporarySteps = 4;
constexpr int AllSteps = TemporarySteps + 1 + 5;

TSnapshot NewState(TSnapshot old) {
    old[FoodstuffFileName] = RecipeFileBytes(QStringLiteral("新しい材料"));
    old[PhotoFileName] = SmallJpeg(10, 10, Qt::blue);
    old[MemoFileName] = SmallBmp(20, 10);
    old[StatusFileName] = QByteArray("Kind=new\r\n");
    old.remove(CommentFileName);
    return old;
}

TEST(RecipeTransaction, ASaveCutOffAtAnyStepReadsWhollyOldOrWhollyNew) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    const TIconStore icons;
    for (int step = 0; step <= AllSteps; ++step) {
        TRecipeDraft draft = OldRecipe;
        draft.Name = QStringLiteral("r%1").arg(step);
        const QString folder = MakeRecipe(root, draft);
        const TSnapshot old = FolderSnapshot(folder);
        TRecipeTransaction transaction(folder);
        Stage(transaction);
        transaction.StopBeforeStep(step);
        transaction.Commit();

        // The next read finishes or drops the save: opening the recipe, the
        // scan of the data folder, or the next save of it.
        if (step % 3 == 0) {
            const TRecipeContent read = ReadRecipeFolder(folder);
            EXPECT_EQ(read.LoadError, QString()) << step;
            EXPECT_FALSE(read.PictureFiles.join(' ').contains(RecipeTransactionPrefix)) << step;
        } else if (step % 3 == 1) {
            const TCookScan scan = SearchCookFld(root, icons);
            EXPECT_TRUE(scan.Failures.isEmpty()) << step;
            const auto item = std::find_if(scan.Items.begin(), scan.Items.end(),
                                           [&](const TCookItem& i) { return i.Name == draft.Name; });
            ASSERT_NE(item, scan.Items.end());
            EXPECT_EQ(item->Kind, step > TemporarySteps ? QStringLiteral("new") : QStringLiteral("old")) << step;
        } else {
            TRecipeTransaction nothing(folder);
            nothing.Put(QStringLiteral("x.txt"), "x");
            nothing.Commit();
            QFile::remove(folder + QStringLiteral("x.txt"));
        }
        EXPECT_EQ(FolderSnapshot(folder), step > TemporarySteps ? NewState(old) : old) << "stopped before step " << step;
    }
}

TEST(RecipeTransaction, AFailureWhileWritingChangesNothing) {
    TSmallDisk disk(512);
    if (!disk.Available())
        GTEST_SKIP() << "cannot mount a small disk here";
    TRecipeDraft draft = OldRecipe;
    draft.Name = QStringLiteral("full");
    const QString folder = MakeRecipe(disk.Root() + QStringLiteral("Cook"), draft);
    const TSnapshot before = FolderSnapshot(folder);

    // The disk fills up while the new files are written.
    TRecipeContent content = ReadRecipeFolder(folder);
    ASSERT_EQ(content.LoadError, QString());
    content.Foodstuff = QStringLiteral("新しい材料");
    content.Photo = QByteArray("\xFF\xD8\xFF") + QByteArray(600 * 1024, 'p');
    content.PhotoChanged = true;
    try {
        SaveRecipeFolder(folder, content);
        ADD_FAILURE() << "a save larger than the disk succeeded";
    } catch (const TSaporiaError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("に書き込めません"))) << qPrintable(error.message());
    }
    EXPECT_EQ(FolderSnapshot(folder), before);

    // The attribute file alone on a full disk.
    disk.Fill();
    TStatusFile status = TStatusFile::LoadFromFolder(folder);
    status.SetValue(StatusKey::Kind, QString(4000, QLatin1Char('k')));
    EXPECT_THROW(status.SaveToFolder(folder), TSaporiaError);
    QFile::remove(disk.Root() + QStringLiteral("filler"));
    EXPECT_EQ(FolderSnapshot(folder), before);
}

TEST(RecipeTransaction, PanesAndAttributesSaveTogether) {
    TTempAppDir app;
    TRecipeDraft draft = OldRecipe;
    draft.Name = QStringLiteral("both");
    const QString folder = MakeRecipe(DataRootOf(app.AppDir()), draft);
    TRecipeContent content = ReadRecipeFolder(folder);
    content.How = QStringLiteral("焼く");
    TStatusFile status = content.Status;
    status.SetValue(StatusKey::Kind, QStringLiteral("主菜"));
    SaveRecipeFolder(folder, content, &status);
    EXPECT_EQ(ReadRaw(folder + HowFileName), RecipeFileBytes(QStringLiteral("焼く")));
    EXPECT_EQ(ReadRaw(folder + StatusFileName), ToSjis(QStringLiteral("Kind=主菜\r\n")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(RecipeTransactionPrefix), QStringList());
}

}  // namespace
