#include "core/recipes/photo_pane.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/platform/picture_codec.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_folder.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// A recipe with the main photo and a camera photo; the main photo's odd
// trailing bytes would be lost by a re-encoded copy.
struct PhotoPane : ::testing::Test {
    TTempAppDir Dir;
    QString Recipe = MakeRecipe(Dir.AppDir() + "Cook", {.Name = "r", .ExtraPhotos = {"IMG_0001.JPG"}});
    QByteArray Main = SmallJpeg(16, 12, Qt::red) + QByteArray("tail");
    TRecipeContent Content;
    TPhotoPane Pane;

    void SetUp() override {
        WriteRaw(Recipe + PhotoFileName, Main);
        Content = ReadRecipeFolder(Recipe);
        ASSERT_EQ(Content.LoadError, QString());
        Pane.Show(Content);
    }
    auto State() const {
        return std::tuple(Pane.PagingCaption(), Pane.PrevEnabled(), Pane.NextEnabled(), Pane.Picture.size());
    }
};

}  // namespace

TEST_F(PhotoPane, PagingShowsPhotosButOnlyTheMainPhotoIsSavedOrRemoved) {
    EXPECT_EQ(State(), std::tuple(QString("1/2"), false, true, QSize(16, 12)));
    Pane.Page(Content, Recipe, 1);
    Pane.Page(Content, Recipe, 1);  // clamped
    EXPECT_EQ(State(), std::tuple(QString("2/2"), true, false, QSize(16, 16)));

    // Edited text saved while paged, then the paged photo removed: the main photo keeps its bytes.
    Content.Foodstuff = "卵 2個";
    SaveRecipeFolder(Recipe, Content);
    Pane.Remove(Content);
    EXPECT_TRUE(Pane.Picture.isNull());
    SaveRecipeFolder(Recipe, Content);
    EXPECT_EQ(ReadRaw(Recipe + PhotoFileName), Main);
    EXPECT_EQ(ReadRaw(Recipe + FoodstuffFileName), QByteArray("\x97\x91 2\x8C\xC2\r\n"));

    // Back on the main photo, removing it deletes the file on save.
    Pane.Page(Content, Recipe, -1);
    EXPECT_EQ(Pane.Picture.size(), QSize(16, 12));
    Pane.Remove(Content);
    SaveRecipeFolder(Recipe, Content);
    EXPECT_FALSE(QFile::exists(Recipe + PhotoFileName));
    EXPECT_TRUE(QFile::exists(Recipe + "IMG_0001.JPG"));
}

TEST_F(PhotoPane, APictureFileOrPasteReplacesTheMainPhotoAndAFailureChangesNothing) {
    Pane.Page(Content, Recipe, 1);
    const QByteArray own = SmallJpeg(30, 20) + QByteArray("own");
    WriteRaw(Dir.Path("drop/x.jpeg"), own);
    EXPECT_TRUE(Pane.LoadPictureFile(Content, Dir.Path("drop/x.jpeg")));
    SaveRecipeFolder(Recipe, Content);
    EXPECT_EQ(ReadRaw(Recipe + PhotoFileName), own);
    EXPECT_FALSE(Content.PhotoChanged);

    WriteRaw(Dir.Path("drop/a.txt"), "text");
    WriteRaw(Dir.Path("drop/broken.jpg"), "no jpeg");
    const QImage before = Pane.Picture;
    EXPECT_FALSE(Pane.LoadPictureFile(Content, Dir.Path("drop/a.txt")));
    EXPECT_THROW(Pane.LoadPictureFile(Content, Dir.Path("drop/broken.jpg")), TSaporiaError);
    EXPECT_EQ(Pane.Picture, before);
    EXPECT_FALSE(Content.PhotoChanged);

    QImage green(25, 15, QImage::Format_RGB32);
    green.fill(Qt::green);
    Pane.SetPicture(Content, green);
    SaveRecipeFolder(Recipe, Content);
    EXPECT_EQ(DecodePictureBytes(ReadRaw(Recipe + PhotoFileName), "x").size(), QSize(25, 15));
}
