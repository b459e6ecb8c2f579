#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "core/search/class_tree.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/mainwindow/thumbnail_strip.h"

namespace {

// The colour of record i's photo: the places can be told apart on screen.
QColor ColourOf(int i) { return QColor::fromHsv(i * 7 % 360, 255, 255); }

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
}

// A strip of `count` recipes with photos in a scroll box a few places high.
struct TStripFixture {
    TTempAppDir Dir;
    TCookItems Items;
    QScrollArea Area;
    QWidget* Box = new QWidget;
    QLabel Header;
    TThumbnailStrip Strip{Box, &Header};

    explicit TStripFixture(int count) : Items(static_cast<size_t>(count)) {
        for (int i = 0; i < count; ++i) {
            Items[i].Name = QStringLiteral("料理%1").arg(i);
            Items[i].Group = i % 2 ? QStringLiteral("和食") : QStringLiteral("洋食");
            Items[i].PhotoMark = PhotoMarkPresent;
            Dir.WriteBytes("Cook/" + Items[i].Name + "/写真.jpg", SmallJpeg(80, 60, ColourOf(i)));
        }
        Area.setWidget(Box);
        Area.setWidgetResizable(true);
        Area.setFixedSize(120, 300);
        Area.show();
    }
    void Refill(const QString& group = AllGroupsText) {
        Strip.ShowPlanned(PlanThumbnails(Items, group, Root(), Strip.Cache(), Strip.Shown()), Root());
    }
    QString Root() const { return Dir.Path("Cook"); }
    void ScrollTo(int value) {
        Area.verticalScrollBar()->setValue(value);
        QCoreApplication::processEvents();
    }
    void Settle() {
        for (int turn = 0; turn < 50 && !Strip.ViewFilled(); ++turn) {
            Strip.FinishLoading();
            QCoreApplication::processEvents();
        }
    }
    // Every picture in view shows the photo of the record its label names.
    void ExpectViewShowsItsPhotos(const char* where) {
        int seen = 0;
        for (QWidget* image : Box->findChildren<QWidget*>()) {
            if (!image->objectName().startsWith("MkImg") || image->visibleRegion().isEmpty())
                continue;
            ++seen;
            const int record = image->toolTip().mid(2).toInt();
            EXPECT_TRUE(Near(image->grab().toImage().pixelColor(30, 30), ColourOf(record)))
                << where << " " << image->objectName().toStdString();
        }
        EXPECT_GE(seen, 3) << where;
    }
    int Widgets() const { return int(Box->findChildren<QWidget*>().size()); }
};

}  // namespace

// Scrolled anywhere, the places in view get their own pictures, also once
// the pictures were dropped; the widgets stay a few screens' worth however
// long the strip is.
TEST(ThumbnailStrip, PlacesScrolledIntoViewGetTheirPictures) {
    struct TRow {
        const char* Where;
        int Value;  // -1: the end
        bool DropPictures;
    };
    const std::vector<TRow> rows = {
        {"top", 0, false},  {"middle", 8500, false}, {"end", -1, false},
        {"top again, pictures dropped", 0, true}, {"middle again, pictures dropped", 8510, true},
    };
    TStripFixture f(240);
    f.Refill();
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：240");
    for (const TRow& row : rows) {
        if (row.DropPictures)
            f.Strip.Cache().DropPictures();
        f.ScrollTo(row.Value < 0 ? f.Area.verticalScrollBar()->maximum() : row.Value);
        f.Box->update();
        QCoreApplication::processEvents();
        f.Settle();
        EXPECT_TRUE(f.Strip.ViewFilled()) << row.Where;
        f.ExpectViewShowsItsPhotos(row.Where);
        EXPECT_LE(f.Widgets(), 2 * 12) << row.Where;  // three screens of 300 / 85 places
    }
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：240");
    f.Strip.FreeThumbnails();
    EXPECT_EQ(f.Widgets(), 0);
    EXPECT_EQ(f.Strip.Cache().Count(), 0);
}

// A refill cancels the batch in flight: what the old batch would still have
// reported (a photo found broken, pictures of other places) never reaches
// the new strip, and the new strip is decoded whole.
TEST(ThumbnailStrip, ARefillCancelsTheBatchInFlight) {
    TStripFixture f(200);
    f.Dir.WriteBytes("Cook/料理4/写真.jpg", QByteArray("\xFF\xD8\xFF broken"));
    f.Refill();
    f.Refill(QStringLiteral("和食"));  // the odd records; 料理4 is not among them
    f.Strip.FinishLoading();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Strip.ThumbnailCount(), 100);
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：100");
    f.Settle();
    f.ExpectViewShowsItsPhotos("odd records");
    EXPECT_EQ(f.Box->findChild<QWidget*>("MkImg0")->toolTip(), "料理1");

    // Back to all: the broken photo leaves once its decode reports it.
    f.Refill();
    f.Strip.FinishLoading();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：199");
    f.Settle();
    f.ExpectViewShowsItsPhotos("all but the broken one");
}

// A photo changed or removed while its place is in view and no refill comes:
// the next paint shows the new picture, a removed one leaves the strip.
TEST(ThumbnailStrip, APhotoChangedInViewIsShownAnewWithoutARefill) {
    TStripFixture f(6);
    f.Refill();
    f.Settle();
    f.ExpectViewShowsItsPhotos("first");
    f.Dir.WriteBytes("Cook/料理1/写真.jpg", SmallJpeg(64, 48, Qt::black));
    QFile::remove(f.Dir.Path("Cook/料理2/写真.jpg"));
    f.Box->update();
    QCoreApplication::processEvents();
    f.Settle();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Header.text(), "ｻﾑﾈｲﾙ数：5");
    QWidget* second = f.Box->findChild<QWidget*>("MkImg1");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(Near(second->grab().toImage().pixelColor(30, 30), Qt::black));
    EXPECT_EQ(f.Box->findChild<QWidget*>("MkImg2")->toolTip(), "料理3");
}
