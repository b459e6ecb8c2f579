#include "core/recipes/recipe_transaction.h"

#include <functional>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/collection_lock.h"
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

TRecipeDraft OldRecipe(const QString& name) {
    return {.Name = name, .Comment = "古いコメント", .StatusLines = QStringList{"Kind=old"}, .Photo = true, .Memo = true};
}

// The new state of every kind of file (texts, photo, memo, attributes) and a file that goes.
const TSnapshot NewFiles{{FoodstuffFileName, RecipeFileBytes("新しい材料")},
                         {PhotoFileName, SmallJpeg(10, 10, Qt::blue)},
                         {MemoFileName, SmallBmp(20, 10)},
                         {StatusFileName, "Kind=new\r\n"}};
constexpr int TemporarySteps = 4;
constexpr int AllSteps = TemporarySteps + 1 + 5;

// Saves the new files into `folder`, cut off before `step`; returns the
// folder as the next read must leave it.
TSnapshot CutOffSave(const QString& folder, int step) {
    TSnapshot expected = FolderSnapshot(folder);
    TRecipeTransaction transaction(folder);
    for (auto file = NewFiles.begin(); file != NewFiles.end(); ++file)
        transaction.Put(file.key(), file.value());
    transaction.Remove(CommentFileName);
    transaction.StopBeforeStep(step);
    transaction.Commit();
    if (step > TemporarySteps) {
        expected.insert(NewFiles);
        expected.remove(CommentFileName);
    }
    return expected;
}

TEST(RecipeTransaction, ASaveCutOffAtAnyStepReadsWhollyOldOrWhollyNew) {
    TTempAppDir app;
    const TCollectionLock owner(app.AppDir());
    const QString root = DataRootOf(app.AppDir());
    const TIconStore icons;
    for (int step = 0; step <= AllSteps; ++step) {
        SCOPED_TRACE(step);
        const QString name = QStringLiteral("r%1").arg(step, 2, 10, QLatin1Char('0'));  // listed in step order
        const QString folder = MakeRecipe(root, OldRecipe(name));
        const TSnapshot expected = CutOffSave(folder, step);

        // The next read finishes or drops the save: opening the recipe, the
        // scan of the data folder, or the next save of it.
        if (step % 3 == 0) {
            const TRecipeContent read = ReadRecipeFolder(folder);
            EXPECT_EQ(read.LoadError, QString());
            EXPECT_FALSE(read.PictureFiles.join(' ').contains(RecipeTransactionPrefix));
        } else if (step % 3 == 1) {
            const TCookScan scan = SearchCookFld(root, icons);
            EXPECT_TRUE(scan.Failures.isEmpty());
            EXPECT_EQ(scan.Items.value(step).Kind, step > TemporarySteps ? "new" : "old");
        } else {
            TRecipeTransaction next(folder);
            next.Put("x.txt", "x");
            next.Commit();
            QFile::remove(folder + "x.txt");
        }
        EXPECT_EQ(FolderSnapshot(folder), expected);
    }
}

// A copy that does not own the folder may meet another copy's save in
// progress: its reads leave the temporaries and the journal alone; the owner's
// next read finishes or drops the save.
TEST(RecipeTransaction, OnlyTheOwnerOfTheFolderFinishesACutOffSave) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    const TIconStore icons;
    const struct {
        const char* Name;
        std::function<void(const QString&)> Read;
    } readers[] = {
        {"open", [](const QString& folder) { ReadRecipeFolder(folder); }},
        {"scan", [&](const QString&) { SearchCookFld(root, icons); }},
        {"attributes", [](const QString& folder) { TStatusFile::LoadFromFolder(folder); }},
    };
    int made = 0;
    for (const int step : {TemporarySteps, AllSteps - 2}) {  // before and after the commit point
        for (const auto& reader : readers) {
            SCOPED_TRACE(std::string(reader.Name) + " step " + std::to_string(step));
            ASSERT_FALSE(TCollectionLock::HeldByThisProcess());
            const QString folder = MakeRecipe(root, OldRecipe(QStringLiteral("c%1").arg(made++)));
            const TSnapshot expected = CutOffSave(folder, step);
            const TSnapshot cut = FolderSnapshot(folder);
            ASSERT_FALSE(QStringList(cut.keys()).filter(RecipeTransactionPrefix).isEmpty());

            reader.Read(folder);
            EXPECT_EQ(FolderSnapshot(folder), cut);
            const TCollectionLock owner(app.AppDir());
            ASSERT_FALSE(owner.Busy());
            reader.Read(folder);
            EXPECT_EQ(FolderSnapshot(folder), expected);
        }
    }
}

TEST(RecipeTransaction, AFailureWhileWritingChangesNothing) {
    TSmallDisk disk(512);
    if (!disk.Available())
        GTEST_SKIP() << "cannot mount a small disk here";
    const QString folder = MakeRecipe(disk.Root() + "Cook", OldRecipe("full"));
    const TSnapshot before = FolderSnapshot(folder);

    // The disk fills up while the new files are written.
    TRecipeContent content = ReadRecipeFolder(folder);
    content.Foodstuff = "新しい材料";
    content.Photo = QByteArray("\xFF\xD8\xFF") + QByteArray(600 * 1024, 'p');
    content.PhotoChanged = true;
    EXPECT_TRUE(ErrorOf([&] { SaveRecipeFolder(folder, content); }).contains("に書き込めません"));
    EXPECT_EQ(FolderSnapshot(folder), before);

    // The attribute file alone on a full disk.
    disk.Fill();
    TStatusFile status = TStatusFile::LoadFromFolder(folder);
    status.SetValue(StatusKey::Kind, QString(4000, QLatin1Char('k')));
    EXPECT_THROW(status.SaveToFolder(folder), TSaporiaError);
    QFile::remove(disk.Root() + "filler");
    EXPECT_EQ(FolderSnapshot(folder), before);
}

TEST(RecipeTransaction, PanesAndAttributesSaveTogether) {
    TTempAppDir app;
    const TCollectionLock owner(app.AppDir());
    const QString folder = MakeRecipe(DataRootOf(app.AppDir()), OldRecipe("both"));
    TRecipeContent content = ReadRecipeFolder(folder);
    content.How = "焼く";
    TStatusFile status = content.Status;
    status.SetValue(StatusKey::Kind, "主菜");
    SaveRecipeFolder(folder, content, &status);
    EXPECT_EQ(ReadRaw(folder + HowFileName), RecipeFileBytes("焼く"));
    EXPECT_EQ(ReadRaw(folder + StatusFileName), ToSjis("Kind=主菜\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(RecipeTransactionPrefix), QStringList());
}

}  // namespace
