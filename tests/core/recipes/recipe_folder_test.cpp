#include "core/recipes/recipe_folder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_name.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

ino_t Inode(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

struct RecipeFolder : ::testing::Test {
    QString Make(const TRecipeDraft& draft) const { return MakeRecipe(Root, draft); }
    TTempAppDir App;
    QString Root = DataRootOf(App.AppDir());
};

TEST_F(RecipeFolder, ReadsEverythingThePanesShow) {
    const TRecipeContent c = ReadRecipeFolder(
        Make({.Name = "肉じゃが", .Foodstuff = "じゃがいも　３個\n牛肉", .How = "煮る\n\n盛る", .Comment = "おいしい",
              .StatusLines = QStringList{"Kind=主菜", "Date=2024/01/02", "Salt=1.5"}, .Photo = true,
              .ExtraPhotos = {"a.jpg", "盛り付け.JPG", "note.txt"}, .LinkWords = {"牛肉", "じゃがいも"}, .Memo = true}));
    EXPECT_EQ(c.LoadError, QString());
    EXPECT_EQ(QStringList({c.Foodstuff, c.How, c.Comment}), QStringList({"じゃがいも　３個\n牛肉", "煮る\n\n盛る", "おいしい"}));
    EXPECT_EQ(std::pair(c.Photo, c.PhotoImage.size()), std::pair(SmallJpeg(), QSize(24, 16)));
    EXPECT_EQ(c.PictureNames, (QStringList{"写真", "a", "盛り付け"}));
    EXPECT_EQ(std::pair(c.PictureFiles[2], c.Memo.size()), std::pair(QString("盛り付け.JPG"), QSize(50, 40)));
    EXPECT_EQ(c.LinkWords, (QStringList{"じゃがいも", "牛肉"}));
    EXPECT_EQ(c.AttributeLines, (QStringList{"【登録日】　2024/01/02", "【グループ】", "【種類】　　主菜", "【量】　　　",
                                             "【カロリー】", "【費用】　　", "【調理時間】", "【塩分】    1.5"}));
}

TEST_F(RecipeFolder, OptionalFilesMissingAndPictureListOrder) {
    const TRecipeContent plain = ReadRecipeFolder(Make({.Name = "plain"}));
    EXPECT_EQ(plain.LoadError, QString());
    EXPECT_FALSE(plain.HasComment || plain.HasMemo || plain.HasStatus || !plain.PictureNames.isEmpty());
    // Without "写真" the listing order holds.
    EXPECT_EQ(ReadRecipeFolder(Make({.Name = "two", .ExtraPhotos = {"b.jpg", "a.jpg"}})).PictureNames,
              (QStringList{"a", "b"}));
    // LF and CR line ends and no final break read the same.
    const QString folder = Make({.Name = "lf"});
    WriteRaw(folder + FoodstuffFileName, ToSjis("一\n二\r三"));
    EXPECT_EQ(ReadRecipeFolder(folder).Foodstuff, "一\n二\n三");
}

TEST_F(RecipeFolder, LoadThenSaveWithoutEditsLeavesEveryFileByteIdentical) {
    const QString folder = Make({.Name = "round", .Comment = "コメント", .StatusLines = QStringList{"kind=x", "junk"},
                                 .Photo = true, .ExtraPhotos = {"b.jpg"}, .LinkWords = {"材料"}, .Memo = true});
    // Bytes the program itself would never write: LF ends, no final break, a
    // byte that is not CP932, "～" (0x8160), a trailing empty line.
    WriteRaw(folder + FoodstuffFileName, QByteArray("a\nb\x81\x60\xa0\xff"));
    WriteRaw(folder + HowFileName, QByteArray("x\r\n\r\n"));
    const auto before = FolderSnapshot(folder);
    const ino_t photoInode = Inode(folder + PhotoFileName);
    TRecipeContent c = ReadRecipeFolder(folder);
    SaveRecipeFolder(folder, c);
    SaveRecipeFolder(folder, c);
    EXPECT_EQ(FolderSnapshot(folder), before);
    EXPECT_EQ(Inode(folder + PhotoFileName), photoInode);  // not even rewritten

    // Without a comment file, Save writes an empty one and changes nothing else.
    const QString bare = Make({.Name = "bare"});
    auto bareBefore = FolderSnapshot(bare);
    c = ReadRecipeFolder(bare);
    SaveRecipeFolder(bare, c);
    bareBefore.insert(CommentFileName, QByteArray());
    EXPECT_EQ(FolderSnapshot(bare), bareBefore);
    // A file that appeared after the read is not replaced by the empty pane.
    QFile::remove(bare + CommentFileName);
    c = ReadRecipeFolder(bare);
    WriteRaw(bare + CommentFileName, "elsewhere");
    SaveRecipeFolder(bare, c);
    EXPECT_EQ(ReadRaw(bare + CommentFileName), "elsewhere");
}

TEST_F(RecipeFolder, EditedPanesAreWrittenAsCp932CrLf) {
    const QString folder = Make({.Name = "edit", .Memo = true});
    QFile::rename(folder + "材料.txt", folder + "材料.TXT");  // an existing file keeps its letter case
    TRecipeContent c = ReadRecipeFolder(folder);
    ASSERT_EQ(c.LoadError, QString());
    c.Foodstuff = "卵\r\n～牛乳\r塩\n";  // a lone CR ends a line too
    c.How = QString();
    c.Memo = QImage(60, 20, QImage::Format_RGB32);
    c.Memo.fill(Qt::white);
    c.MemoDirty = true;
    SaveRecipeFolder(folder, c);
    EXPECT_EQ(ReadRaw(folder + "材料.TXT"), QByteArray("\x97\x91\r\n\x81\x60\x8b\x8d\x93\xfb\r\n\x89\x96\r\n\r\n"));
    EXPECT_FALSE(QFile::exists(folder + "材料.txt"));
    EXPECT_EQ(ReadRaw(folder + HowFileName), QByteArray());
    EXPECT_EQ(QImage(folder + MemoFileName, "BMP").size(), QSize(60, 20));

    // The memo stays dirty, so the next save writes it again.
    QFile::remove(folder + MemoFileName);
    SaveRecipeFolder(folder, c);
    EXPECT_TRUE(QFile::exists(folder + MemoFileName));
}

TEST_F(RecipeFolder, AFailingSaveChangesNothing) {
    const QString folder = Make({.Name = "safe", .Comment = "元", .Photo = true});
    TRecipeContent c = ReadRecipeFolder(folder);
    const auto before = FolderSnapshot(folder);
    // A character CP932 cannot hold: refused, naming it, before any file changes.
    c.Foodstuff = "新しい材料";
    c.How = "寿司🍣を握る";
    c.Photo = SmallJpeg(10, 10, Qt::blue);
    c.PhotoChanged = true;
    const QString refused = ErrorOf([&] { SaveRecipeFolder(folder, c); });
    EXPECT_TRUE(refused.contains("🍣") && refused.contains(HowFileName)) << qPrintable(refused);
    EXPECT_EQ(FolderSnapshot(folder), before);

    // A folder standing where the photo goes: nothing is written, the photo still to be saved.
    c.How = "握る";
    QFile::remove(folder + PhotoFileName);
    QDir().mkdir(folder + PhotoFileName);
    const auto beforeDir = FolderSnapshot(folder);
    EXPECT_THROW(SaveRecipeFolder(folder, c), TSaporiaError);
    EXPECT_EQ(FolderSnapshot(folder), beforeDir);
    EXPECT_TRUE(c.PhotoChanged);
    // It does not stand in the way of a save that leaves the photo alone.
    c.PhotoChanged = false;
    SaveRecipeFolder(folder, c);
    EXPECT_EQ(ReadRaw(folder + HowFileName), RecipeFileBytes("握る"));

    // No recipe open, or its folder gone: refused, nothing made.
    for (const QString& gone : {QString(), Root + "/gone"})
        EXPECT_THROW(SaveRecipeFolder(gone, c), TSaporiaError) << qPrintable(gone);
    EXPECT_FALSE(QFile::exists(QDir::currentPath() + "/" + FoodstuffFileName));
    EXPECT_FALSE(QFile::exists(Root + "/gone"));
}

TEST(PictureFile, BitmapsBecomeJpegAndJpegsStayAsTheyAre) {
    TTempAppDir app;
    const QByteArray jpeg = SmallJpeg(12, 34);
    const std::pair<const char*, QByteArray> files[] = {
        {"p.BMP", SmallBmp(12, 34)}, {"y.JPEG", jpeg}, {"t.txt", "text"}, {"bad.jpg", "no"}, {"bad.bmp", "no"}};
    for (const auto& [name, bytes] : files)
        app.WriteBytes(name, bytes);
    const auto bmp = ReadPictureFile(app.Path("p.BMP"));
    ASSERT_TRUE(bmp && LooksLikeJpeg(bmp->Jpeg));
    EXPECT_EQ(std::pair(JpegSize(bmp->Jpeg), bmp->Image.size()), std::pair(QSize(12, 34), QSize(12, 34)));
    EXPECT_EQ(ReadPictureFile(app.Path("y.JPEG"))->Jpeg, jpeg);  // byte for byte
    EXPECT_FALSE(ReadPictureFile(app.Path("t.txt")));            // the pane stays as it is
    for (const char* bad : {"bad.jpg", "bad.bmp", "missing.jpg"})
        EXPECT_THROW(ReadPictureFile(app.Path(bad)), TSaporiaError) << bad;
}

}  // namespace
