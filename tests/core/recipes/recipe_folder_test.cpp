#include "core/recipes/recipe_folder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/recipes/recipe_name.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

ino_t Inode(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

class RecipeFolder : public ::testing::Test {
protected:
    RecipeFolder() : Root(DataRootOf(App.AppDir())) { QDir().mkpath(Root); }

    TTempAppDir App;
    QString Root;
};

TEST_F(RecipeFolder, ReadsEverythingThePanesShow) {
    const QString folder = MakeRecipe(
        Root, {.Name = QStringLiteral("肉じゃが"),
               .Foodstuff = QStringLiteral("じゃがいも　３個\n牛肉"),
               .How = QStringLiteral("煮る\n\n盛る"),
               .Comment = QStringLiteral("おいしい"),
               .StatusLines = QStringList{QStringLiteral("Kind=主菜"), QStringLiteral("Date=2024/01/02"),
                                          QStringLiteral("Salt=1.5")},
               .Photo = true,
               .ExtraPhotos = {QStringLiteral("a.jpg"), QStringLiteral("盛り付け.JPG"), QStringLiteral("note.txt")},
               .LinkWords = {QStringLiteral("牛肉"), QStringLiteral("じゃがいも")},
               .Memo = true});
    const TRecipeContent c = ReadRecipeFolder(folder);
    EXPECT_EQ(c.LoadError, QString());
    EXPECT_EQ(c.Foodstuff, QStringLiteral("じゃがいも　３個\n牛肉"));
    EXPECT_EQ(c.How, QStringLiteral("煮る\n\n盛る"));
    EXPECT_EQ(c.Comment, QStringLiteral("おいしい"));
    EXPECT_TRUE(c.HasComment);
    EXPECT_EQ(c.Photo, SmallJpeg());
    EXPECT_EQ(c.PhotoImage.size(), QSize(24, 16));
    EXPECT_EQ(c.PictureNames, (QStringList{QStringLiteral("写真"), QStringLiteral("a"), QStringLiteral("盛り付け")}));
    EXPECT_EQ(c.PictureFiles[2], QStringLiteral("盛り付け.JPG"));
    EXPECT_TRUE(c.HasMemo);
    EXPECT_EQ(c.Memo.size(), QSize(50, 40));
    EXPECT_EQ(c.LinkWords, (QStringList{QStringLiteral("じゃがいも"), QStringLiteral("牛肉")}));
    EXPECT_TRUE(c.HasStatus);
    EXPECT_EQ(c.AttributeLines,
              (QStringList{QStringLiteral("【登録日】　2024/01/02"), QStringLiteral("【グループ】"),
                           QStringLiteral("【種類】　　主菜"), QStringLiteral("【量】　　　"),
                           QStringLiteral("【カロリー】"), QStringLiteral("【費用】　　"),
                           QStringLiteral("【調理時間】"), QStringLiteral("【塩分】    1.5")}));
}

TEST_F(RecipeFolder, OptionalFilesMissingAndPictureListOrder) {
    TRecipeContent c = ReadRecipeFolder(MakeRecipe(Root, {.Name = QStringLiteral("plain")}));
    EXPECT_EQ(c.LoadError, QString());
    EXPECT_FALSE(c.HasComment || c.HasMemo || c.HasStatus);
    EXPECT_TRUE(c.Photo.isEmpty() && c.PictureNames.isEmpty() && c.AttributeLines.isEmpty());

    // Two photos without "写真" keep the listing order; one picture alone is just listed.
    c = ReadRecipeFolder(MakeRecipe(Root, {.Name = QStringLiteral("two"), .ExtraPhotos = {QStringLiteral("b.jpg"), QStringLiteral("a.jpg")}}));
    EXPECT_EQ(c.PictureNames, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    c = ReadRecipeFolder(MakeRecipe(Root, {.Name = QStringLiteral("one"), .ExtraPhotos = {QStringLiteral("z.jpg")}}));
    EXPECT_EQ(c.PictureNames, QStringList{QStringLiteral("z")});

    // A file ending without a line break and with LF line ends reads the same.
    const QString folder = MakeRecipe(Root, {.Name = QStringLiteral("lf")});
    WriteRaw(folder + QStringLiteral("材料.txt"), ToSjis(QStringLiteral("一\n二\r三")));
    EXPECT_EQ(ReadRecipeFolder(folder).Foodstuff, QStringLiteral("一\n二\n三"));
}

TEST_F(RecipeFolder, AFailedReadStopsThereAndKeepsWhatWasRead) {
    const QString folder = MakeRecipe(Root, {.Name = QStringLiteral("no-method"), .How = std::nullopt});
    TRecipeContent c = ReadRecipeFolder(folder);
    EXPECT_TRUE(c.LoadError.contains(QStringLiteral("方法.txt")));
    EXPECT_EQ(c.Foodstuff, QStringLiteral("材料"));
    EXPECT_FALSE(c.HowLoaded);

    // A FIFO named like the attribute file is unreadable, not a hang.
    const QString fifo = MakeRecipe(Root, {.Name = QStringLiteral("fifo")});
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo + StatusFileName).constData(), 0600), 0);
    c = ReadRecipeFolder(fifo);
    EXPECT_TRUE(c.LoadError.contains(StatusFileName)) << qPrintable(c.LoadError);
    EXPECT_TRUE(c.HowLoaded);

    c = ReadRecipeFolder(QString());
    EXPECT_FALSE(c.LoadError.isEmpty());
    c = ReadRecipeFolder(Root + QStringLiteral("/nothing-here"));
    EXPECT_FALSE(c.LoadError.isEmpty());
}

TEST_F(RecipeFolder, LoadThenSaveWithoutEditsLeavesEveryFileByteIdentical) {
    const QString folder = MakeRecipe(
        Root, {.Name = QStringLiteral("round"), .Comment = QStringLiteral("コメント"),
               .StatusLines = QStringList{QStringLiteral("kind=x"), QStringLiteral("junk")}, .Photo = true,
               .ExtraPhotos = {QStringLiteral("b.jpg")}, .LinkWords = {QStringLiteral("材料")}, .Memo = true});
    // Bytes the program itself would never write: LF ends, no final break, a
    // byte that is not CP932, "～" (0x8160), a trailing empty line.
    WriteRaw(folder + QStringLiteral("材料.txt"), QByteArray("a\nb\x81\x60\xa0\xff"));
    WriteRaw(folder + QStringLiteral("方法.txt"), QByteArray("x\r\n\r\n"));
    const auto before = FolderSnapshot(folder);
    const ino_t photoInode = Inode(folder + PhotoFileName);

    TRecipeContent c = ReadRecipeFolder(folder);
    ASSERT_EQ(c.LoadError, QString());
    SaveRecipeFolder(folder, c);
    SaveRecipeFolder(folder, c);
    EXPECT_EQ(FolderSnapshot(folder), before);
    EXPECT_EQ(Inode(folder + PhotoFileName), photoInode);  // not even rewritten

    // Without a comment file, Save writes an empty one and changes nothing else.
    const QString bare = MakeRecipe(Root, {.Name = QStringLiteral("bare")});
    auto bareBefore = FolderSnapshot(bare);
    c = ReadRecipeFolder(bare);
    SaveRecipeFolder(bare, c);
    bareBefore.insert(CommentFileName, QByteArray());
    EXPECT_EQ(FolderSnapshot(bare), bareBefore);
}

TEST_F(RecipeFolder, EditedPanesAreWrittenAsCp932CrLf) {
    const QString folder = MakeRecipe(Root, {.Name = QStringLiteral("edit"), .Photo = true, .Memo = true});
    // An existing file keeps its letter case.
    QFile::rename(folder + QStringLiteral("材料.txt"), folder + QStringLiteral("材料.TXT"));
    TRecipeContent c = ReadRecipeFolder(folder);
    ASSERT_EQ(c.LoadError, QString());
    c.Foodstuff = QStringLiteral("卵\r\n～牛乳\n");
    c.How = QString();
    c.Comment = QStringLiteral("一行");
    QImage newPhoto(40, 30, QImage::Format_RGB32);
    newPhoto.fill(Qt::red);
    c.Photo = EncodeJpeg(newPhoto);
    c.PhotoChanged = true;
    QImage memo(60, 20, QImage::Format_RGB32);
    memo.fill(Qt::white);
    c.Memo = memo;
    c.MemoDirty = true;
    SaveRecipeFolder(folder, c);

    EXPECT_EQ(ReadRaw(folder + QStringLiteral("材料.TXT")), QByteArray("\x97\x91\r\n\x81\x60\x8b\x8d\x93\xfb\r\n\r\n"));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("材料.txt")));
    EXPECT_EQ(ReadRaw(folder + HowFileName), QByteArray());
    EXPECT_EQ(ReadRaw(folder + CommentFileName), QByteArray("\x88\xea\x8d\x73\r\n"));
    EXPECT_EQ(ReadRaw(folder + PhotoFileName), c.Photo);
    QImage written;
    ASSERT_TRUE(written.load(folder + MemoFileName, "BMP"));
    EXPECT_EQ(written.size(), QSize(60, 20));

    const TRecipeContent again = ReadRecipeFolder(folder);
    EXPECT_EQ(again.Foodstuff, QStringLiteral("卵\n～牛乳\n"));
    EXPECT_EQ(again.How, QString());
    EXPECT_EQ(again.Comment, QStringLiteral("一行"));

    // The memo stays dirty, so the next save writes it again.
    QFile::remove(folder + MemoFileName);
    SaveRecipeFolder(folder, c);
    EXPECT_TRUE(QFile::exists(folder + MemoFileName));

    // Removing the photo deletes "写真.jpg" and writes none.
    c.Photo.clear();
    c.PhotoImage = QImage();
    c.PhotoChanged = true;
    SaveRecipeFolder(folder, c);
    EXPECT_FALSE(QFile::exists(folder + PhotoFileName));
}

TEST_F(RecipeFolder, AFailingSaveChangesNothing) {
    const QString folder = MakeRecipe(Root, {.Name = QStringLiteral("safe"), .Comment = QStringLiteral("元"), .Photo = true});
    TRecipeContent c = ReadRecipeFolder(folder);
    ASSERT_EQ(c.LoadError, QString());

    // A character CP932 cannot hold: refused, naming it, before any file changes.
    const auto before = FolderSnapshot(folder);
    c.Foodstuff = QStringLiteral("新しい材料");
    c.How = QStringLiteral("寿司🍣を握る");
    c.Photo = SmallJpeg(10, 10, Qt::blue);
    c.PhotoChanged = true;
    try {
        SaveRecipeFolder(folder, c);
        FAIL() << "saved an unencodable character";
    } catch (const TSaporiaError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("🍣")));
        EXPECT_TRUE(error.message().contains(HowFileName));
    }
    EXPECT_EQ(FolderSnapshot(folder), before);

    // A folder standing where the photo goes: nothing is written at all.
    c.How = QStringLiteral("握る");
    QFile::remove(folder + PhotoFileName);
    QDir().mkdir(folder + PhotoFileName);
    const auto beforeDir = FolderSnapshot(folder);
    EXPECT_THROW(SaveRecipeFolder(folder, c), TSaporiaError);
    EXPECT_EQ(FolderSnapshot(folder), beforeDir);
    EXPECT_TRUE(c.PhotoChanged);  // still to be saved
    // It does not stand in the way of a save that leaves the photo alone.
    TRecipeContent textsOnly = c;
    textsOnly.PhotoChanged = false;
    SaveRecipeFolder(folder, textsOnly);
    EXPECT_EQ(ReadRaw(folder + HowFileName), RecipeFileBytes(QStringLiteral("握る")));

    // No recipe open, or its folder gone: refused.
    EXPECT_THROW(SaveRecipeFolder(QString(), c), TSaporiaError);
    EXPECT_THROW(SaveRecipeFolder(Root + QStringLiteral("/gone"), c), TSaporiaError);
    EXPECT_FALSE(QFile::exists(QDir::currentPath() + QLatin1Char('/') + FoodstuffFileName));
    EXPECT_FALSE(QFile::exists(Root + QStringLiteral("/gone")));
}

TEST_F(RecipeFolder, AFileThatFailedToLoadIsNeverReplacedByAnEmptyPane) {
    const QString folder = MakeRecipe(Root, {.Name = QStringLiteral("broken"), .Comment = QStringLiteral("大事なコメント")});
    WriteRaw(folder + PhotoFileName, QByteArray("\xff\xd8\xff\xe0 broken"));
    const auto before = FolderSnapshot(folder);
    TRecipeContent c = ReadRecipeFolder(folder);
    ASSERT_FALSE(c.LoadError.isEmpty());  // the photo failed
    EXPECT_TRUE(c.Photo.isEmpty());
    EXPECT_EQ(c.Comment, QStringLiteral("大事なコメント"));  // read all the same

    SaveRecipeFolder(folder, c);
    EXPECT_EQ(FolderSnapshot(folder), before);

    // What the user typed after the failed load is saved; the rest stays.
    c.Foodstuff = QStringLiteral("書き直し");
    SaveRecipeFolder(folder, c);
    auto expected = before;
    expected[FoodstuffFileName] = RecipeFileBytes(QStringLiteral("書き直し"));
    EXPECT_EQ(FolderSnapshot(folder), expected);
}

TEST(PictureFile, BitmapsBecomeJpegAndJpegsStayAsTheyAre) {
    TTempAppDir app;
    WriteRaw(app.Path(QStringLiteral("p.BMP")), SmallBmp(30, 20));
    const auto fromBmp = ReadPictureFile(app.Path(QStringLiteral("p.BMP")));
    ASSERT_TRUE(fromBmp.has_value());
    EXPECT_TRUE(LooksLikeJpeg(fromBmp->Jpeg));
    EXPECT_EQ(JpegSize(fromBmp->Jpeg), QSize(30, 20));
    EXPECT_EQ(fromBmp->Image.size(), QSize(30, 20));

    const QByteArray jpeg = SmallJpeg(12, 34);
    for (const QString& name : {QStringLiteral("x.jpg"), QStringLiteral("y.JPEG"), QStringLiteral("z.Jpg")}) {
        WriteRaw(app.Path(name), jpeg);
        const auto photo = ReadPictureFile(app.Path(name));
        ASSERT_TRUE(photo.has_value()) << qPrintable(name);
        EXPECT_EQ(photo->Jpeg, jpeg);  // byte for byte
        EXPECT_EQ(photo->Image.size(), QSize(12, 34));
    }

    WriteRaw(app.Path(QStringLiteral("t.txt")), "text");
    EXPECT_FALSE(ReadPictureFile(app.Path(QStringLiteral("t.txt"))).has_value());
    WriteRaw(app.Path(QStringLiteral("bad.jpg")), "not a jpeg");
    EXPECT_THROW(ReadPictureFile(app.Path(QStringLiteral("bad.jpg"))), TSaporiaError);
    WriteRaw(app.Path(QStringLiteral("bad.bmp")), "not a bitmap");
    EXPECT_THROW(ReadPictureFile(app.Path(QStringLiteral("bad.bmp"))), TSaporiaError);
    EXPECT_THROW(ReadPictureFile(app.Path(QStringLiteral("missing.jpg"))), TSaporiaError);
}

}  // namespace
