#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>

#include "core/recipes/photo_pane.h"
#include "core/platform/picture_codec.h"
#include "core/recipes/recipe_folder.h"
#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// A recipe folder with the main photo and a camera photo.
struct TTwoPhotos {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    // Odd trailing bytes: a re-encoded copy would lose them.
    QByteArray Main = SmallJpeg(16, 12, qRgb(255, 0, 0)) + QByteArray("tail");
    QByteArray Other = SmallJpeg(20, 10, qRgb(0, 0, 255));
    TTwoPhotos() {
        Dir.WriteBytes("Cook/r/IMG_0001.JPG", Other);
        Dir.WriteBytes("Cook/r/写真.jpg", Main);
        Dir.WriteBytes("Cook/r/材料.txt", "");
    }
};

}  // namespace

TEST(PhotoPane, PagingShowsPhotosButSavingKeepsTheMainPhotoBytes) {
    TTwoPhotos f;
    f.Dir.WriteBytes("Cook/r/方法.txt", "");
    TRecipeContent content = ReadRecipeFolder(f.Recipe);
    ASSERT_TRUE(content.LoadError.isEmpty()) << content.LoadError.toStdString();
    TPhotoPane pane;
    pane.Show(content);
    ASSERT_EQ(content.PictureNames, (QStringList{QStringLiteral("写真"), QStringLiteral("IMG_0001")}));
    EXPECT_EQ(pane.PictureIndex, 0);
    EXPECT_TRUE(pane.PagingVisible());
    EXPECT_EQ(pane.PagingCaption(), QStringLiteral("1/2"));
    EXPECT_FALSE(pane.PrevEnabled());
    EXPECT_TRUE(pane.NextEnabled());
    EXPECT_EQ(pane.Picture.size(), QSize(16, 12));

    pane.Page(content, f.Recipe, 1);
    EXPECT_EQ(pane.PagingCaption(), QStringLiteral("2/2"));
    EXPECT_TRUE(pane.PrevEnabled());
    EXPECT_FALSE(pane.NextEnabled());
    EXPECT_EQ(pane.Picture.size(), QSize(20, 10));
    pane.Page(content, f.Recipe, 1);  // clamped
    EXPECT_EQ(pane.PictureIndex, 1);
    EXPECT_FALSE(content.PhotoChanged);

    // Edit the text while paged and save: the photo keeps its bytes.
    content.Foodstuff = QStringLiteral("卵 2個");
    SaveRecipeFolder(f.Recipe, content);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/写真.jpg"), f.Main);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/材料.txt"), QByteArray("\x97\x91 2\x8C\xC2\r\n"));

    // Removing the paged photo does not touch the main photo.
    pane.Remove(content);
    EXPECT_TRUE(pane.Picture.isNull());
    SaveRecipeFolder(f.Recipe, content);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/写真.jpg"), f.Main);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/IMG_0001.JPG"), f.Other);

    // Back on the main photo, removing it deletes the file on save.
    pane.Page(content, f.Recipe, -1);
    EXPECT_EQ(pane.Picture.size(), QSize(16, 12));
    pane.Remove(content);
    EXPECT_TRUE(content.PhotoChanged);
    SaveRecipeFolder(f.Recipe, content);
    EXPECT_FALSE(QFile::exists(f.Recipe + "写真.jpg"));
    EXPECT_TRUE(QFile::exists(f.Recipe + "IMG_0001.JPG"));
}

TEST(PhotoPane, LoadingFilesConvertsBitmapsAndKeepsJpegBytes) {
    TTwoPhotos f;
    f.Dir.WriteBytes("Cook/r/方法.txt", "");
    TRecipeContent content = ReadRecipeFolder(f.Recipe);
    TPhotoPane pane;
    pane.Show(content);
    pane.Page(content, f.Recipe, 1);

    // A bitmap with an upper-case extension becomes a JPEG main photo.
    QImage green(30, 20, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    green.save(&buffer, "BMP");
    f.Dir.WriteBytes("drop/photo.BMP", bmp);
    EXPECT_TRUE(pane.LoadPictureFile(content, f.Dir.Path("drop/photo.BMP")));
    EXPECT_TRUE(content.PhotoChanged);
    SaveRecipeFolder(f.Recipe, content);
    const QByteArray saved = f.Dir.ReadBytes("Cook/r/写真.jpg");
    EXPECT_EQ(saved.left(2), QByteArray("\xFF\xD8"));
    EXPECT_EQ(DecodePictureBytes(saved, "x").size(), QSize(30, 20));
    EXPECT_FALSE(content.PhotoChanged);

    // A ".jpeg" file is stored with its own bytes.
    const QByteArray own = SmallJpeg(16, 12, qRgb(9, 9, 9)) + QByteArray("own");
    f.Dir.WriteBytes("drop/x.jpeg", own);
    EXPECT_TRUE(pane.LoadPictureFile(content, f.Dir.Path("drop/x.jpeg")));
    SaveRecipeFolder(f.Recipe, content);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/写真.jpg"), own);

    // Another extension leaves the pane as it was.
    f.Dir.WriteBytes("drop/a.txt", "text");
    const QImage before = pane.Picture;
    EXPECT_FALSE(pane.LoadPictureFile(content, f.Dir.Path("drop/a.txt")));
    EXPECT_EQ(pane.Picture, before);
    EXPECT_FALSE(content.PhotoChanged);

    // A broken picture fails and changes nothing.
    f.Dir.WriteBytes("drop/broken.jpg", "no jpeg");
    EXPECT_THROW(pane.LoadPictureFile(content, f.Dir.Path("drop/broken.jpg")), TSaporiaError);
    EXPECT_EQ(pane.Picture, before);
    EXPECT_FALSE(content.PhotoChanged);

    // A pasted image is stored as JPEG.
    pane.SetPicture(content, green);
    SaveRecipeFolder(f.Recipe, content);
    EXPECT_EQ(DecodePictureBytes(f.Dir.ReadBytes("Cook/r/写真.jpg"), "x").size(), QSize(30, 20));
}

