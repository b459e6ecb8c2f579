#include "core/recipes/icon_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/icon_store.h"
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

// Each built-in icon is a picture of its own on a transparent ground, in both sizes.
TEST(IconStore, BuiltInIconsAreDistinctPicturesOnATransparentGround) {
    const TIconStore icons;
    for (int i = 0; i < BuiltInIconCount; ++i) {
        const QImage icon = icons.Icon32(i);
        int painted = 0;
        for (int p = 0; p < 32 * 32; ++p)
            painted += qAlpha(icon.pixel(p % 32, p / 32)) > 128;
        EXPECT_TRUE(qAlpha(icon.pixel(0, 0)) == 0 && painted > 40 && !icons.Icon16(i).isNull()) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(icon, icons.Icon32(j)) << i << " and " << j;
    }
}

TEST(IconStore, UserIconsFollowInListingOrderABrokenFileIsSkippedAndNamesResolve) {
    TTempAppDir app;
    WriteRaw(app.Path("Icon/b.bmp"), SmallBmp(32, 32, QColor(0, 0, 255)));
    WriteRaw(app.Path("Icon/A.BMP"), SmallBmp(20, 20, QColor(0, 128, 0), QColor(255, 0, 255)));
    WriteRaw(app.Path("Icon/aa.bmp"), "not a bitmap");
    WriteRaw(app.Path("Icon/big.bmp"), SmallBmp(32, 32, QColor(0, 0, 255)) + QByteArray(MaxStoreFileBytes, '\0'));
    WriteRaw(app.Path("Icon/c.png"), SmallJpeg());
    ASSERT_EQ(mkfifo(QFile::encodeName(app.Path("Icon/fifo.bmp")).constData(), 0600), 0);  // no hang
    TIconStore icons;
    icons.LoadUserIcons(app.AppDir());
    EXPECT_EQ(icons.IconFileNames(), (QStringList{"A.BMP", "b.bmp"}));
    ASSERT_EQ(icons.LoadFailures().size(), 2);
    EXPECT_TRUE(icons.LoadFailures()[0].contains("aa.bmp"));
    EXPECT_TRUE(icons.LoadFailures()[1].contains("big.bmp"));  // not read at all
    // Stretched to both sizes; the colour of pixel (0, 0) is transparent.
    EXPECT_EQ(qAlpha(icons.Icon32(33).pixel(0, 0)), 0);
    EXPECT_EQ(icons.Icon32(33).pixel(16, 16), qRgb(0, 128, 0));
    EXPECT_EQ(icons.Icon16(34).pixel(8, 8), qRgb(0, 0, 255));

    // Deleting the first icon moves the second to 33; its file name still finds it, ignoring case.
    QFile::remove(app.Path("Icon/A.BMP"));
    TIconStore next;
    next.LoadUserIcons(app.AppDir());
    const struct {
        const char* ImageFileName;
        const char* Icon;
        int Resolved;
    } rows[] = {
        {"B.BMP", "2", 33}, {"gone.bmp", "5", -1},  // a vanished icon file means none
        {"", "99", -1},     {"", "-7", -1},       {"", "x", -1}, {"", "32", 32},
    };
    for (const auto& row : rows)
        EXPECT_EQ(next.ResolveIcon(row.ImageFileName, row.Icon), row.Resolved) << row.ImageFileName << row.Icon;
}

TEST(IconFile, PicturesAreStretchedToIconsAndUnreadableOnesRefused) {
    const struct {
        const char* File;
        std::optional<QByteArray> Bytes;  // nullopt: no such file
        std::optional<QRgb> Colour;       // nullopt: refused
    } rows[] = {
        {"pan.png", Png(Qt::blue), qRgb(0, 0, 255)},
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

TEST(IconFile, FileNameDeleteQuestionAndFolderListing) {
    const std::pair<const char*, const char*> rows[] = {{"/p/my.pan.JPG", "my.pan"}, {"/p/鍋", "鍋"}};
    for (const auto& [picture, icon] : rows) {
        EXPECT_EQ(IconFileNameFor(picture), QString(icon) + ".bmp");
        EXPECT_EQ(IconDeleteQuestion(IconFileNameFor(picture)), QString("「%1」を削除してもよろしいですか？").arg(icon));
    }
    // Bitmaps sorted ignoring case, a folder so named included.
    TTempAppDir app;
    for (const char* file : {"Icon/b.bmp", "Icon/C.bmp", "Icon/a.BMP", "Icon/x.bmp.txt"})
        app.WriteBytes(file, "x");
    QDir().mkpath(app.Path("Icon/folder.bmp"));
    EXPECT_EQ(IconFolderEntries(app.Path("Icon")), QStringList({"a.BMP", "b.bmp", "C.bmp", "folder.bmp"}));
    EXPECT_EQ(IconFolderEntries(app.Path("NoIcons")), QStringList());
}
