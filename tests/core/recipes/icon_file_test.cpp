#include "core/recipes/icon_file.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// Pictures are 20 by 20, smaller than an icon, so only a stretch fills its far corner.
QByteArray Png(QColor colour) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool Near(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) < 8 && qAbs(qGreen(a) - qGreen(b)) < 8 && qAbs(qBlue(a) - qBlue(b)) < 8;
}

}  // namespace

TEST(IconFile, PicturesAreStretchedToIconsAndUnreadableOnesRefused) {
    const struct {
        const char* File;
        std::optional<QByteArray> Bytes;  // nullopt: no such file
        std::optional<QRgb> Colour;       // nullopt: refused
    } rows[] = {
        {"pan.png", Png(Qt::blue), qRgb(0, 0, 255)},
        {"pot.JPG", SmallJpeg(20, 20, Qt::yellow), qRgb(255, 255, 0)},
        {"named.gif", SmallBmp(20, 20, Qt::red), qRgb(255, 0, 0)},  // the content decides, not the name
        {"camera.png", SmallJpeg(20, 20, Qt::green), qRgb(0, 255, 0)},
        {"drawing.emf", QByteArray("metafile"), std::nullopt},
        {"drawing.WMF", Png(Qt::blue), std::nullopt},
        {"broken.png", QByteArray("not a picture"), std::nullopt},
        {"missing.png", std::nullopt, std::nullopt},
    };
    TTempAppDir app;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.File);
        if (row.Bytes)
            app.WriteBytes(row.File, *row.Bytes);
        if (!row.Colour) {
            EXPECT_THROW(IconPictureFromFile(app.Path(row.File)), TSaporiaError);
            continue;
        }
        const QImage icon = IconPictureFromFile(app.Path(row.File));
        ASSERT_EQ(icon.size(), QSize(32, 32));
        EXPECT_TRUE(Near(icon.pixel(30, 30), *row.Colour));
        // The bitmap file holds the same picture.
        const QByteArray bmp = IconBitmapBytes(icon);
        EXPECT_TRUE(bmp.startsWith("BM"));
        EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), icon);
    }
}

TEST(IconFile, FileNameAndDeleteQuestion) {
    const struct {
        const char* Picture;
        const char* Icon;
        const char* Question;
    } rows[] = {
        {"/p/pan.png", "pan.bmp", "「pan」を削除してもよろしいですか？"},
        {"/p/my.pan.JPG", "my.pan.bmp", "「my.pan」を削除してもよろしいですか？"},
        {"/p/鍋", "鍋.bmp", "「鍋」を削除してもよろしいですか？"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IconFileNameFor(row.Picture), row.Icon);
        EXPECT_EQ(IconDeleteQuestion(row.Icon), row.Question);
    }
}

TEST(IconFile, FolderListsBitmapsSortedIgnoringCaseFoldersIncluded) {
    TTempAppDir app;
    for (const char* file : {"Icon/b.bmp", "Icon/C.bmp", "Icon/a.BMP", "Icon/broken.bmp", "Icon/x.bmp.txt"})
        app.WriteBytes(file, "x");
    QDir().mkpath(app.Path("Icon/folder.bmp"));
    EXPECT_EQ(IconFolderEntries(app.Path("Icon")),
              QStringList({"a.BMP", "b.bmp", "broken.bmp", "C.bmp", "folder.bmp"}));
    EXPECT_EQ(IconFolderEntries(app.Path("NoIcons")), QStringList());
}
