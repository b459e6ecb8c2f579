#include <gtest/gtest.h>

#include <utime.h>

#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QTest>

#include "core/search/thumbnails.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/mainwindow/thumbnail_strip.h"

namespace {

// A strip on a shown scroll box, fed with the photos of a small data folder.
struct TStripFixture {
    TTempAppDir Dir;
    TCookItems Items;
    QScrollArea Area;
    QWidget* PaintBox = new QWidget;
    QLabel Header;
    TThumbnailStrip Strip{PaintBox, &Header};

    TStripFixture() {
        Area.setWidget(PaintBox);
        Area.setWidgetResizable(true);
        Area.resize(100, 300);
        Area.show();
    }
    void AddRecipe(const QString& name, const QByteArray& photo) {
        TCookItem item;
        item.Name = name;
        item.PhotoMark = PhotoMarkPresent;
        Items.append(item);
        WritePhoto(name, photo, 1700000000);
    }
    void WritePhoto(const QString& name, const QByteArray& photo, time_t modified) {
        const QString relative = "Cook/" + name + "/写真.jpg";
        Dir.WriteBytes(relative, photo);
        const utimbuf times{modified, modified};
        ASSERT_EQ(utime(QFile::encodeName(Dir.Path(relative)).constData(), &times), 0);
    }
    void Refill() { Strip.ShowPlanned(PlanThumbnails(Items, QString(), Dir.Path("Cook"), Strip.Cache())); }
    QWidget* Picture(int n) const { return PaintBox->findChild<QWidget*>(QStringLiteral("MkImg%1").arg(n)); }
    QStringList Names() const {
        QStringList names;
        for (QWidget* image = Picture(0); image; image = Picture(int(names.size())))
            names << image->toolTip();
        return names;
    }
    // The colour at the middle of picture n as painted.
    QColor Middle(int n) const { return Picture(n)->grab().toImage().pixelColor(30, 30); }
};

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
}

}  // namespace

// Places come at once, pictures as decoded; an unreadable photo leaves the
// strip; a refill shows the cached pictures without decoding; a changed photo
// is decoded again.
TEST(ThumbnailStripLoading, PicturesArriveAreReusedAndFollowAChangedPhoto) {
    TStripFixture f;
    f.AddRecipe("赤", SmallJpeg(160, 120, Qt::red));
    f.AddRecipe("壊れ", QByteArray("\xFF\xD8\xFF not a jpeg"));
    f.AddRecipe("緑", SmallJpeg(160, 120, Qt::green));
    f.AddRecipe("青", SmallJpeg(120, 160, Qt::blue));
    f.Refill();
    EXPECT_EQ(f.Names(), QStringList({"赤", "壊れ", "緑", "青"}));
    f.Strip.FinishLoading();
    EXPECT_EQ(f.Names(), QStringList({"赤", "緑", "青"}));
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：3");
    EXPECT_EQ(f.PaintBox->findChild<QLabel*>("MkLbl2")->text(), "青");
    EXPECT_TRUE(Near(f.Middle(0), Qt::red));
    EXPECT_TRUE(Near(f.Middle(2), Qt::blue));

    // A refill: every picture from the cache, nothing left to decode.
    QWidget* first = f.Picture(0);
    f.Refill();
    EXPECT_FALSE(f.Strip.Loading());
    EXPECT_EQ(f.Picture(0), first);  // the widgets are reused
    EXPECT_EQ(f.Names(), QStringList({"赤", "緑", "青"}));
    EXPECT_TRUE(Near(f.Middle(1), Qt::green));

    // A photo replaced since: the old picture is not shown for it.
    f.WritePhoto("赤", SmallJpeg(160, 120, Qt::yellow), 1700000060);
    f.Refill();
    f.Strip.FinishLoading();
    EXPECT_TRUE(Near(f.Middle(0), Qt::yellow));
    EXPECT_TRUE(Near(f.Middle(2), Qt::blue));
    // A shorter strip drops the widgets past its end.
    f.Items.removeLast();
    f.Refill();
    EXPECT_EQ(f.Names(), QStringList({"赤", "緑"}));
}

// Closing the pane while pictures load: nothing arrives afterwards, and the
// next build shows only its own pictures.
TEST(ThumbnailStripLoading, FreeingCancelsTheBuildInFlight) {
    TStripFixture f;
    const QByteArray photo = SmallJpeg(800, 600, QColor(200, 120, 40));
    for (int i = 0; i < 120; ++i)
        f.AddRecipe(QStringLiteral("料理%1").arg(i, 3, 10, QLatin1Char('0')), photo);
    f.Refill();
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：120");
    f.Strip.FreeThumbnails();
    f.Strip.FinishLoading();
    EXPECT_TRUE(f.PaintBox->findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(f.Strip.ThumbnailCount(), 0);

    f.Items.resize(2);
    f.Refill();
    f.Strip.FinishLoading();
    EXPECT_EQ(f.Names(), QStringList({"料理000", "料理001"}));
    EXPECT_TRUE(Near(f.Middle(1), QColor(200, 120, 40)));
}
