#include <gtest/gtest.h>

#include <sys/stat.h>

#include <vector>

#include <QImage>

#include "core/search/class_tree.h"
#include "core/search/thumbnails.h"
#include "core/platform/jpeg.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

TCookItem Record(const QString& name, const QString& group, bool photo) {
    TCookItem item;
    item.Name = name;
    item.Group = group;
    item.PhotoMark = photo ? "○" : "×";
    return item;
}

QStringList Names(const std::vector<TThumbnail>& thumbnails) {
    QStringList names;
    for (const TThumbnail& t : thumbnails)
        names.append(t.Name);
    return names;
}

}  // namespace

TEST(Thumbnails, ShownRecordsWithPhotoInArrayOrderBrokenOnesSkipped) {
    TTempAppDir dir;
    TCookItems items{
        Record("ケーキ", "洋菓子", true),  Record("団子", "和菓子", true),
        Record("写真なし", "和菓子", false), Record("壊れ", "和菓子", true),
        Record("消えた", "和菓子", true),  Record("隠れ", "和菓子", true),
        Record("羊羹", "和菓子", true),
    };
    dir.WriteBytes("Cook/ケーキ/写真.jpg", SmallJpeg(640, 480, Qt::red));
    dir.WriteBytes("Cook/団子/写真.jpg", SmallJpeg(300, 600, Qt::green));
    dir.WriteBytes("Cook/写真なし/別の写真.jpg", SmallJpeg(100, 100, Qt::blue));  // mark says none
    dir.WriteBytes("Cook/壊れ/写真.jpg", QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg"));
    // "消えた" lost its photo after the scan.
    dir.WriteBytes("Cook/隠れ/写真.jpg", SmallJpeg(64, 64, Qt::blue));
    dir.WriteBytes("Cook/羊羹/写真.jpg", SmallJpeg(40, 20, Qt::black));
    items[5].Visible = false;  // refined away

    std::vector<int> progress;
    const auto all = BuildThumbnailList(items, AllGroupsText, dir.Path("Cook"), [&](int i) { progress.push_back(i); });
    EXPECT_EQ(Names(all), QStringList({"ケーキ", "団子", "羊羹"}));
    EXPECT_EQ(progress, std::vector<int>({1, 3, 5}));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].Record, 6);
    // Decoded at the smallest scale that still fills the square.
    EXPECT_EQ(all[0].Image.size(), QSize(80, 60));
    EXPECT_EQ(all[1].Image.size(), QSize(75, 150));
    EXPECT_EQ(all[2].Image.size(), QSize(40, 20));
    // Drawn fitted and centred, small pictures enlarged.
    EXPECT_EQ(ThumbnailRect(all[0].Image.size()), QRect(0, 7, 60, 45));
    EXPECT_EQ(ThumbnailRect(all[1].Image.size()), QRect(15, 0, 30, 60));
    EXPECT_EQ(ThumbnailRect(all[2].Image.size()), QRect(0, 15, 60, 30));

    // The group filter narrows the strip; the hidden record stays out.
    EXPECT_EQ(Names(BuildThumbnailList(items, "和菓子", dir.Path("Cook"))), QStringList({"団子", "羊羹"}));
    EXPECT_TRUE(BuildThumbnailList(items, "中華", dir.Path("Cook")).empty());
}

TEST(Thumbnails, PhotoFileNameIsFoundIgnoringCaseAndBadFilesGiveNothing) {
    TTempAppDir dir;
    TCookItems items{Record("Soup", "", true)};
    dir.WriteBytes("Cook/Soup/写真.JPG", SmallJpeg(120, 120, Qt::white));
    const auto thumbs = BuildThumbnailList(items, AllGroupsText, dir.Path("Cook"));
    ASSERT_EQ(thumbs.size(), 1u);
    EXPECT_EQ(thumbs[0].Image.size(), QSize(60, 60));  // 120 at 1/2

    // A FIFO named like the photo is no photo, never a hang.
    QFile::remove(dir.Path("Cook/Soup/写真.JPG"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("Cook/Soup/写真.jpg")).constData(), 0600), 0);
    EXPECT_TRUE(BuildThumbnailList(items, AllGroupsText, dir.Path("Cook")).empty());
    EXPECT_TRUE(LoadThumbnailImage(dir.Path("Cook/Soup/写真.jpg")).isNull());

    dir.WriteBytes("empty.jpg", QByteArray());
    EXPECT_TRUE(LoadThumbnailImage(dir.Path("empty.jpg")).isNull());
    const QByteArray whole = SmallJpeg(200, 200, Qt::gray);
    dir.WriteBytes("cut.jpg", whole.left(whole.size() / 3));
    // A truncated file either decodes partly or not at all, but never throws.
    const QImage cut = LoadThumbnailImage(dir.Path("cut.jpg"));
    EXPECT_TRUE(cut.isNull() || cut.size() == QSize(100, 100));
}
