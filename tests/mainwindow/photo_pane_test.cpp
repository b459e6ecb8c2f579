#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>

#include "mainwindow/photo_pane.h"
#include "mainwindow/picture_codec.h"
#include "platform/saporia_error.h"
#include "support/temp_app_dir.h"

namespace {

QByteArray Jpeg(QRgb colour, QSize size = {16, 12}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return EncodeJpegImage(image);
}

// A recipe folder with the main photo and a camera photo.
struct TTwoPhotos {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    // Odd trailing bytes: a re-encoded copy would lose them.
    QByteArray Main = Jpeg(qRgb(255, 0, 0)) + QByteArray("tail");
    QByteArray Other = Jpeg(qRgb(0, 0, 255), {20, 10});
    TTwoPhotos() {
        Dir.WriteBytes("Cook/r/IMG_0001.JPG", Other);
        Dir.WriteBytes("Cook/r/写真.jpg", Main);
        Dir.WriteBytes("Cook/r/材料.txt", "");
    }
};

}  // namespace

TEST(PhotoPane, PagingShowsPhotosButSavingKeepsTheMainPhotoBytes) {
    TTwoPhotos f;
    TPhotoPane pane;
    pane.LoadFolder(f.Recipe);
    ASSERT_EQ(pane.PictureNames, (QStringList{QStringLiteral("写真"), QStringLiteral("IMG_0001")}));
    EXPECT_EQ(pane.PictureIndex, 0);
    EXPECT_TRUE(pane.PagingVisible());
    EXPECT_EQ(pane.PagingCaption(), QStringLiteral("1/2"));
    EXPECT_FALSE(pane.PrevEnabled());
    EXPECT_TRUE(pane.NextEnabled());
    EXPECT_EQ(pane.Picture.size(), QSize(16, 12));

    pane.Page(f.Recipe, 1);
    EXPECT_EQ(pane.PagingCaption(), QStringLiteral("2/2"));
    EXPECT_TRUE(pane.PrevEnabled());
    EXPECT_FALSE(pane.NextEnabled());
    EXPECT_EQ(pane.Picture.size(), QSize(20, 10));
    pane.Page(f.Recipe, 1);  // clamped
    EXPECT_EQ(pane.PictureIndex, 1);
    EXPECT_FALSE(pane.MainPhotoChanged);

    pane.Save(f.Recipe);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/写真.jpg"), f.Main);

    // Removing the paged photo does not touch the main photo.
    pane.Remove();
    EXPECT_TRUE(pane.Picture.isNull());
    pane.Save(f.Recipe);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/写真.jpg"), f.Main);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/IMG_0001.JPG"), f.Other);

    // Back on the main photo, removing it deletes the file on save.
    pane.Page(f.Recipe, -1);
    EXPECT_EQ(pane.Picture.size(), QSize(16, 12));
    pane.Remove();
    EXPECT_TRUE(pane.MainPhotoChanged);
    pane.Save(f.Recipe);
    EXPECT_FALSE(QFile::exists(f.Recipe + "写真.jpg"));
    EXPECT_TRUE(QFile::exists(f.Recipe + "IMG_0001.JPG"));
}

TEST(PhotoPane, LoadingFilesConvertsBitmapsAndKeepsJpegBytes) {
    TTwoPhotos f;
    TPhotoPane pane;
    pane.LoadFolder(f.Recipe);
    pane.Page(f.Recipe, 1);

    // A bitmap with an upper-case extension becomes a JPEG main photo.
    QImage green(30, 20, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    green.save(&buffer, "BMP");
    f.Dir.WriteBytes("drop/photo.BMP", bmp);
    EXPECT_TRUE(pane.LoadPictureFile(f.Dir.Path("drop/photo.BMP")));
    EXPECT_TRUE(pane.MainPhotoChanged);
    pane.Save(f.Recipe);
    const QByteArray saved = f.Dir.ReadBytes("Cook/r/写真.jpg");
    EXPECT_EQ(saved.left(2), QByteArray("\xFF\xD8"));
    EXPECT_EQ(DecodePictureBytes(saved, "x").size(), QSize(30, 20));
    EXPECT_FALSE(pane.MainPhotoChanged);

    // A ".jpeg" file is stored with its own bytes.
    const QByteArray own = Jpeg(qRgb(9, 9, 9)) + QByteArray("own");
    f.Dir.WriteBytes("drop/x.jpeg", own);
    EXPECT_TRUE(pane.LoadPictureFile(f.Dir.Path("drop/x.jpeg")));
    pane.Save(f.Recipe);
    EXPECT_EQ(f.Dir.ReadBytes("Cook/r/写真.jpg"), own);

    // Another extension leaves the pane as it was.
    f.Dir.WriteBytes("drop/a.txt", "text");
    const QImage before = pane.Picture;
    EXPECT_FALSE(pane.LoadPictureFile(f.Dir.Path("drop/a.txt")));
    EXPECT_EQ(pane.Picture, before);
    EXPECT_FALSE(pane.MainPhotoChanged);

    // A broken picture fails and changes nothing.
    f.Dir.WriteBytes("drop/broken.jpg", "no jpeg");
    EXPECT_THROW(pane.LoadPictureFile(f.Dir.Path("drop/broken.jpg")), TSaporiaError);
    EXPECT_EQ(pane.Picture, before);
    EXPECT_FALSE(pane.MainPhotoChanged);

    // A pasted image is stored as JPEG.
    pane.SetPicture(green);
    pane.Save(f.Recipe);
    EXPECT_EQ(DecodePictureBytes(f.Dir.ReadBytes("Cook/r/写真.jpg"), "x").size(), QSize(30, 20));
}

TEST(PhotoPane, SinglePhotoAndFoldersWithoutMainPhoto) {
    TTempAppDir dir;
    dir.WriteBytes("Cook/a/only.jpg", Jpeg(qRgb(1, 2, 3)));
    TPhotoPane pane;
    pane.LoadFolder(dir.Path("Cook/a/"));
    EXPECT_EQ(pane.PictureIndex, -1);
    EXPECT_FALSE(pane.PagingVisible());
    EXPECT_EQ(pane.PagingCaption(), QStringLiteral("0/1"));
    EXPECT_TRUE(pane.Picture.isNull());

    dir.WriteBytes("Cook/b/b.jpg", Jpeg(qRgb(1, 2, 3)));
    dir.WriteBytes("Cook/b/a.jpg", Jpeg(qRgb(1, 2, 3)));
    pane.LoadFolder(dir.Path("Cook/b/"));
    EXPECT_EQ(pane.PictureNames, (QStringList{"a", "b"}));
    EXPECT_TRUE(pane.Picture.isNull());
    pane.Save(dir.Path("Cook/b/"));
    EXPECT_FALSE(QFile::exists(dir.Path("Cook/b/写真.jpg")));

    dir.WriteBytes("Cook/c/写真.jpg", "broken");
    EXPECT_THROW(pane.LoadFolder(dir.Path("Cook/c/")), TSaporiaError);
}
