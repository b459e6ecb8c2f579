#include <gtest/gtest.h>

#include <utime.h>

#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>

#include "support/main_form_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/mainwindow/thumbnail_strip.h"

namespace {

// Four recipes: two with photos of plain colours, one with a broken photo,
// one without; the pane open.
class ThumbnailPaneTest : public ::testing::Test, public TMainFormFixture {
public:
    void SetUp() override {
        for (const char* name : {"赤飯", "白飯", "豆ご飯", "焦げ飯"})
            MakeRecipe(DataRoot(), {.Name = name, .Photo = QLatin1String(name) != QLatin1String("白飯")});
        WriteRaw(Folder("焦げ飯") + QStringLiteral("/写真.jpg"), QByteArray("\xFF\xD8\xFF not a jpeg"));
        WritePhoto("赤飯", Qt::red, 1700000000);
        WritePhoto("豆ご飯", Qt::green, 1700000000);
        Open();
        Form->setGeometry(0, 0, 1100, 700);
        Trigger("S1");
        Strip()->FinishLoading();
    }
    void WritePhoto(const QString& name, QColor colour, time_t modified) {
        const QString path = Folder(name) + QStringLiteral("/写真.jpg");
        WriteRaw(path, SmallJpeg(160, 120, colour));
        const utimbuf times{modified, modified};
        ASSERT_EQ(utime(QFile::encodeName(path).constData(), &times), 0);
    }
    TThumbnailStrip* Strip() const { return Form->findChild<TThumbnailStrip*>(); }
    // The painted colour in the middle of a recipe's picture.
    QColor Middle(const QString& name) const {
        for (QWidget* image : Find<QWidget>("PaintBox1")->findChildren<QWidget*>())
            if (image->objectName().startsWith("MkImg") && image->toolTip() == name)
                return image->grab().toImage().pixelColor(30, 30);
        ADD_FAILURE() << "no picture for " << name.toStdString();
        return {};
    }
};

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
}

}  // namespace

// Pictures arrive after the pane opens and a broken photo leaves the strip;
// a refill keeps the widgets and the decoded pictures, but shows a photo
// changed on disk anew; the status bar is left idle.
TEST_F(ThumbnailPaneTest, RefillShowsAChangedPhotoAndLeavesTheStatusBarIdle) {
    EXPECT_EQ(Find<QLabel>("Panel6")->text(), "ｻﾑﾈｲﾙ数：2");
    QWidget* first = Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg0");
    EXPECT_TRUE(Near(Middle("赤飯"), Qt::red));
    EXPECT_TRUE(Near(Middle("豆ご飯"), Qt::green));
    EXPECT_EQ(StatusText(1), "");
    EXPECT_GT(Find<QProgressBar>("ProgressBar1")->maximum(), 0);  // not the busy animation

    WritePhoto("赤飯", Qt::blue, 1700000100);
    Form->IndicateList(-1);
    EXPECT_EQ(Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg0"), first);
    Strip()->FinishLoading();
    EXPECT_TRUE(Near(Middle("赤飯"), Qt::blue));
    EXPECT_TRUE(Near(Middle("豆ご飯"), Qt::green));

    // A photo removed since the scan drops out on the next refill.
    QFile::remove(Folder("豆ご飯") + QStringLiteral("/写真.jpg"));
    Form->IndicateList(-1);
    EXPECT_EQ(Find<QLabel>("Panel6")->text(), "ｻﾑﾈｲﾙ数：1");
    EXPECT_EQ(Find<QWidget>("PaintBox1")->findChild<QWidget*>("MkImg1"), nullptr);
    EXPECT_TRUE(Near(Middle("赤飯"), Qt::blue));
}

// A refill takes the places out of view over unchecked: scrolled into view, a
// photo changed meanwhile is decoded anew and a removed one leaves the strip.
TEST(ThumbnailStrip, PlacesOutOfViewAreCheckedWhenScrolledTo) {
    TTempAppDir dir;
    TCookItems items(3);
    for (int i = 0; i < 3; ++i) {
        items[i].Name = QString(QChar('A' + i));
        items[i].PhotoMark = PhotoMarkPresent;
        dir.WriteBytes("Cook/" + items[i].Name + "/写真.jpg", SmallJpeg(160, 120, Qt::red));
    }
    QScrollArea area;
    auto* box = new QWidget;
    area.setWidget(box);
    area.setWidgetResizable(true);
    area.setFixedSize(120, 82);  // one place in view
    QLabel header;
    TThumbnailStrip strip(box, &header);
    area.show();
    const QString root = dir.Path("Cook");
    auto refill = [&] {
        strip.ShowPlanned(PlanThumbnails(items, QString(), root, strip.Cache(), strip.Shown()), root);
        strip.FinishLoading();
    };
    refill();
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：3");

    dir.WriteBytes("Cook/B/写真.jpg", SmallJpeg(120, 120, Qt::blue));
    QFile::remove(dir.Path("Cook/C/写真.jpg"));
    refill();
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：3");  // not looked at yet

    area.verticalScrollBar()->setValue(90);
    QCoreApplication::processEvents();
    strip.FinishLoading();
    const QColor middle = box->findChild<QWidget*>("MkImg1")->grab().toImage().pixelColor(30, 30);
    EXPECT_LT(middle.red(), 60);
    EXPECT_GT(middle.blue(), 200);

    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    strip.FinishLoading();
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：2");
}

// The view is filled once the pictures seen are: a place whose picture lies
// just past the top or bottom edge (only its label or the gap in view) is not
// waited for, since nothing paints it.
TEST(ThumbnailStrip, ViewFilledWaitsOnlyForPicturesSeen) {
    struct TRow {
        int Scroll;
        int Height;  // rows 5-64 hold picture 0, 90-149 picture 1
    };
    const std::vector<TRow> rows = {{0, 90}, {65, 25}, {64, 26}, {0, 91}, {150, 30}};
    TTempAppDir dir;
    TCookItems items(4);
    for (int i = 0; i < 4; ++i) {
        items[i].Name = QString(QChar('A' + i));
        items[i].PhotoMark = PhotoMarkPresent;
        dir.WriteBytes("Cook/" + items[i].Name + "/写真.jpg", SmallJpeg(160, 120, Qt::red));
    }
    QScrollArea area;
    area.setFrameShape(QFrame::NoFrame);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* box = new QWidget;
    area.setWidget(box);
    area.setWidgetResizable(true);
    QLabel header;
    TThumbnailStrip strip(box, &header);
    area.show();
    const QString root = dir.Path("Cook");
    strip.ShowPlanned(PlanThumbnails(items, QString(), root, strip.Cache(), strip.Shown()), root);
    strip.FinishLoading();
    for (const TRow& row : rows) {
        area.setFixedSize(120, row.Height);
        QCoreApplication::processEvents();
        area.verticalScrollBar()->setValue(row.Scroll);
        strip.Cache().Clear();
        box->update();  // the pictures in view ask for theirs again
        QCoreApplication::processEvents();
        strip.FinishLoading();
        QCoreApplication::processEvents();
        EXPECT_EQ(box->visibleRegion().boundingRect().top(), row.Scroll) << row.Scroll;
        EXPECT_TRUE(strip.ViewFilled()) << row.Scroll << " " << row.Height;
    }
}
