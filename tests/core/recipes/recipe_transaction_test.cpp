#include "core/recipes/recipe_transaction.h"

#include <fcntl.h>
#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/collection_lock.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_folder_lock.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "core/recipes/status_file.h"
#include "support/recipe_fixture.h"
#include "support/small_disk.h"
#include "support/sparse_file.h"
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

// The folder's lock, taken through an open file of its own as another
// copy's save in progress holds it.
class THeldFolder final {
public:
    explicit THeldFolder(const QString& folder)
        : Fd(open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
          Lock(TRecipeFolderLock::TryTake(Fd)) {}
    ~THeldFolder() { close(Fd); }
    bool Held() const { return Lock.Held(); }

private:
    int Fd;
    TRecipeFolderLock Lock;
};

// The ways a folder is read: opening the recipe, the scan, the attributes.
struct TReader {
    const char* Name;
    // The attribute Kind read, and the file set as the reader sees it.
    std::function<QString(const QString& root, const QString& folder)> Kind;
};

const TReader Readers[] = {
    {"open", [](const QString&, const QString& folder) { return ReadRecipeFolder(folder).Status.Value(StatusKey::Kind); }},
    {"scan",
     [](const QString& root, const QString& folder) {
         const TIconStore icons;
         for (const TCookItem& item : SearchCookFld(root, icons).Items)
             if (root + '/' + item.Name + '/' == folder)
                 return item.Kind;
         return QStringLiteral("missing");
     }},
    {"attributes",
     [](const QString&, const QString& folder) { return TStatusFile::LoadFromFolder(folder).Value(StatusKey::Kind); }},
};

}  // namespace

// While another save holds the folder (a copy that reaches it through a link,
// or a thread of this one), what looks cut off is its save in progress: no
// reader touches it, and each reads the state last committed. Once the lock is
// free the next read finishes or drops the save.
TEST(RecipeTransaction, AReaderMeetingALiveSaveLeavesItAloneAndReadsTheLastCommit) {
    TTempAppDir app;
    const TCollectionLock owner(app.AppDir());
    const QString root = DataRootOf(app.AppDir());
    int made = 0;
    // Temporaries written; the journal in place; some files put in place.
    for (const int step : {TemporarySteps, TemporarySteps + 1, AllSteps - 2}) {
        for (const TReader& reader : Readers) {
            SCOPED_TRACE(std::string(reader.Name) + " step " + std::to_string(step));
            const QString folder = MakeRecipe(root, OldRecipe(QStringLiteral("l%1").arg(made++)));
            const TSnapshot expected = CutOffSave(folder, step);
            const TSnapshot cut = FolderSnapshot(folder);
            const QString committed = step > TemporarySteps ? "new" : "old";
            {
                const THeldFolder save(folder);
                ASSERT_TRUE(save.Held());
                EXPECT_EQ(reader.Kind(root, folder), committed);
                EXPECT_EQ(FolderSnapshot(folder), cut);
            }
            EXPECT_EQ(reader.Kind(root, folder), committed);
            EXPECT_EQ(FolderSnapshot(folder), expected);
        }
    }

    // The panes, photo and comment of the open recipe are one save's too.
    const QString folder = MakeRecipe(root, OldRecipe("panes"));
    const TSnapshot expected = CutOffSave(folder, AllSteps - 2);
    const THeldFolder save(folder);
    const TRecipeContent read = ReadRecipeFolder(folder);
    EXPECT_EQ(read.LoadError, QString());
    EXPECT_EQ(read.Foodstuff, "新しい材料");
    EXPECT_EQ(read.Photo, expected.value(PhotoFileName));
    EXPECT_FALSE(read.HasComment);
    EXPECT_EQ(read.PictureFiles, QStringList{PhotoFileName});
}

// A save waits for another save of the folder; one that never ends fails the
// save with its own message and nothing changes. A save that finds a cut-off
// save with the lock free finishes it first, whoever owns the collection.
TEST(RecipeTransaction, ASaveNeverWritesUnderAnotherSaveNorOverACutOffOne) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    const auto limit = TRecipeFolderLock::WaitLimit();
    TRecipeFolderLock::SetWaitLimit(std::chrono::milliseconds(0));
    const struct {
        const char* Name;
        std::function<void(const QString&)> Save;
    } saves[] = {
        {"panes",
         [](const QString& folder) {
             TRecipeContent content = ReadRecipeFolder(folder);
             content.How = "煮る";
             SaveRecipeFolder(folder, content);
         }},
        {"attributes",
         [](const QString& folder) {
             TStatusFile status = TStatusFile::LoadFromFolder(folder);
             status.SetValue(StatusKey::Amount, "2");
             status.SaveToFolder(folder);
         }},
    };
    for (const auto& save : saves) {
        SCOPED_TRACE(save.Name);
        const QString folder = MakeRecipe(root, OldRecipe(QString::fromLatin1(save.Name)));
        const TSnapshot before = FolderSnapshot(folder);
        {
            const THeldFolder other(folder);
            EXPECT_TRUE(ErrorOf([&] { save.Save(folder); }).contains("は別の保存が終わらないため書き込めません"));
            EXPECT_EQ(FolderSnapshot(folder), before);
        }
        EXPECT_EQ(ErrorOf([&] { save.Save(folder); }), QString());
        EXPECT_NE(FolderSnapshot(folder), before);

        // Cut off after its commit point, in a copy that does not own the collection.
        ASSERT_FALSE(TCollectionLock::HeldByThisProcess());
        const QString cut = MakeRecipe(root, OldRecipe(QString::fromLatin1(save.Name) + "-cut"));
        const TSnapshot expected = CutOffSave(cut, AllSteps - 2);
        save.Save(cut);
        const TSnapshot after = FolderSnapshot(cut);
        EXPECT_EQ(after.value(FoodstuffFileName), expected.value(FoodstuffFileName));
        EXPECT_EQ(after.value(PhotoFileName), expected.value(PhotoFileName));
        EXPECT_EQ(after.value(CommentFileName), QByteArray());  // removed, or written empty from the empty pane
        EXPECT_EQ(QStringList(after.keys()).filter(RecipeTransactionPrefix), QStringList());
    }
    TRecipeFolderLock::SetWaitLimit(limit);
}

// A journal is a few lines. One past the recipe texts' cap is not read by any
// reader: the scan reports it, opening the recipe reports it, a save refuses
// the folder, and the file stays exactly as it is; one at the cap is read.
TEST(RecipeTransaction, AJournalPastItsCapIsReportedAndLeftAsItIs) {
    TTempAppDir app;
    const TCollectionLock owner(app.AppDir());
    const QString root = DataRootOf(app.AppDir());
    const TIconStore icons;
    const QString tooLarge =
        QStringLiteral("big: %1 は大きすぎるため読み込めません (1 MB まで)").arg(RecipeJournalName);
    const QString folder = MakeRecipe(root, OldRecipe("big"));
    const QString journal = folder + RecipeJournalName;
    const TFileStamp stamp = MakeSparseFile(journal, "saporia-save 1\n", MaxRecipeTextBytes + 1);
    ASSERT_EQ(stamp.Size, MaxRecipeTextBytes + 1);

    const TCookScan scan = SearchCookFld(root, icons);
    EXPECT_EQ(scan.Failures, QStringList{tooLarge});
    ASSERT_EQ(scan.Items.size(), 1);
    EXPECT_EQ(scan.Items[0].Kind, "old");
    TRecipeContent content = ReadRecipeFolder(folder);
    EXPECT_TRUE(content.LoadError.contains(journal + " は大きすぎるため読み込めません (1 MB まで)")) << content.LoadError.toStdString();
    EXPECT_EQ(content.Foodstuff, "材料");
    content.How = "煮る";
    EXPECT_TRUE(ErrorOf([&] { SaveRecipeFolder(folder, content); }).contains("は大きすぎるため読み込めません"));
    EXPECT_EQ(StampOf(journal, 15), stamp);
    EXPECT_EQ(ReadRaw(folder + HowFileName), RecipeFileBytes("作り方"));

    // At the cap: a committed journal (blank lines are allowed) is finished.
    const QString atCap = MakeRecipe(root, OldRecipe("cap"));
    WriteRaw(atCap + RecipeTransactionPrefix + "0.new", "Kind=cap\r\n");
    QByteArray text = "saporia-save 1\nput\t" + RecipeTransactionPrefix.toUtf8() + "0.new\tStatus.txt\n";
    text += QByteArray(MaxRecipeTextBytes - text.size() - 4, '\n') + "end\n";
    WriteRaw(atCap + RecipeJournalName, text);
    const TCookScan capScan = SearchCookFld(root, icons);
    EXPECT_EQ(capScan.Failures, QStringList{tooLarge});
    EXPECT_EQ(capScan.Items.value(1).Kind, "cap");
    EXPECT_EQ(QDir(atCap).entryList(QDir::Files | QDir::Hidden).filter(RecipeTransactionPrefix), QStringList());
}
