#include "core/recipes/recipe_store.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

class RecipeScan : public ::testing::Test {
protected:
    RecipeScan() : Root(DataRootOf(App.AppDir())) { QDir().mkpath(Root); }

    TTempAppDir App;
    QString Root;
    TIconStore Icons;
};

TEST_F(RecipeScan, EmptyOrMissingDataFolder) {
    TCookScan scan = SearchCookFld(Root, Icons);
    EXPECT_TRUE(scan.Items.isEmpty());
    EXPECT_TRUE(scan.Failures.isEmpty());

    scan = SearchCookFld(App.Path(QStringLiteral("NoSuchFolder")), Icons);
    EXPECT_TRUE(scan.Items.isEmpty());
    EXPECT_EQ(scan.Failures.size(), 1);
}

TEST_F(RecipeScan, OneRecordPerFolderWithAttributesAsStored) {
    MakeRecipe(Root, {.Name = QStringLiteral("肉じゃが"),
                      .StatusLines = QStringList{QStringLiteral("icon=5"), QStringLiteral("Kind=主菜"),
                                                 QStringLiteral("Amount=4人分"), QStringLiteral("Calorie= 350 "),
                                                 QStringLiteral("Price=500"), QStringLiteral("WorkTime=30分=半時間"),
                                                 QStringLiteral("Group=和食"), QStringLiteral("Salt=2.5"),
                                                 QStringLiteral("Date=2024/01/02"), QStringLiteral("NiceValue=7"),
                                                 QStringLiteral("DifficultValue=abc")},
                      .Photo = true});
    MakeRecipe(Root, {.Name = QStringLiteral("attributes-free")});  // no Status.txt
    MakeRecipe(Root, {.Name = QStringLiteral("Beta"), .StatusLines = QStringList{QStringLiteral("NiceValue=")},
                      .ExtraPhotos = {QStringLiteral("写真.JPG")}});
    WriteRaw(Root + QStringLiteral("/memo.txt"), "not a recipe");  // plain file

    const TCookScan scan = SearchCookFld(Root, Icons);
    EXPECT_TRUE(scan.Failures.isEmpty());
    ASSERT_EQ(scan.Items.size(), 3);
    // Sorted by name ignoring case, so the order is the same on every run.
    EXPECT_EQ(scan.Items[0].Name, QStringLiteral("attributes-free"));
    EXPECT_EQ(scan.Items[1].Name, QStringLiteral("Beta"));
    EXPECT_EQ(scan.Items[2].Name, QStringLiteral("肉じゃが"));

    TCookItem plain;
    plain.Name = QStringLiteral("attributes-free");
    plain.FolderName = "attributes-free";
    plain.PhotoMark = QStringLiteral("×");
    EXPECT_EQ(scan.Items[0], plain);  // icon -1, texts empty, ratings -1, visible

    EXPECT_EQ(scan.Items[1].NiceValue, -1);
    EXPECT_EQ(scan.Items[1].PhotoMark, QStringLiteral("○"));  // "写真.JPG" counts

    const TCookItem& item = scan.Items[2];
    EXPECT_EQ(item.Icon, 5);
    EXPECT_EQ(item.Kind, QStringLiteral("主菜"));
    EXPECT_EQ(item.Amount, QStringLiteral("4人分"));
    EXPECT_EQ(item.Calorie, QStringLiteral(" 350 "));
    EXPECT_EQ(item.Price, QStringLiteral("500"));
    EXPECT_EQ(item.WorkTime, QStringLiteral("30分=半時間"));
    EXPECT_EQ(item.Group, QStringLiteral("和食"));
    EXPECT_EQ(item.Salt, QStringLiteral("2.5"));
    EXPECT_EQ(item.Date, QStringLiteral("2024/01/02"));
    EXPECT_EQ(item.NiceValue, 7);  // not clamped
    EXPECT_EQ(item.DifficultValue, -1);
    EXPECT_EQ(item.PhotoMark, QStringLiteral("○"));
    EXPECT_TRUE(item.Visible);

    // ReadCookItem gives the same record for one folder.
    EXPECT_EQ(ReadCookItem(Root, QStringLiteral("肉じゃが"), Icons), item);
}

TEST_F(RecipeScan, IconsResolveByFileNameIgnoringCaseAndBadIndexesMeanNone) {
    WriteRaw(App.Path(QStringLiteral("Icon/a.bmp")), SmallBmp());
    WriteRaw(App.Path(QStringLiteral("Icon/B.bmp")), SmallBmp());
    TIconStore icons;
    icons.LoadUserIcons(App.AppDir());
    ASSERT_EQ(icons.Count(), 35);

    const struct {
        QStringList Status;
        int Icon;
    } cases[] = {
        {{QStringLiteral("Icon=2"), QStringLiteral("ImageFileName=b.BMP")}, 34},
        {{QStringLiteral("Icon=5"), QStringLiteral("ImageFileName=gone.bmp")}, -1},  // vanished icon file
        {{QStringLiteral("Icon=99")}, -1}, {{QStringLiteral("Icon=-7")}, -1},
        {{QStringLiteral("Icon=x")}, -1},  {{QStringLiteral("Icon=32")}, 32},
    };
    for (int i = 0; i < 6; ++i)
        MakeRecipe(Root, {.Name = QStringLiteral("r%1").arg(i), .StatusLines = cases[i].Status});
    const TCookScan scan = SearchCookFld(Root, icons);
    ASSERT_EQ(scan.Items.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(scan.Items[i].Icon, cases[i].Icon) << i;
        EXPECT_TRUE(scan.Items[i].Icon == -1 || !icons.Icon16(scan.Items[i].Icon).isNull());
    }
}

TEST_F(RecipeScan, AnUnreadableFolderGetsDefaultsAndTheScanGoesOn) {
    MakeRecipe(Root, {.Name = QStringLiteral("a"), .StatusLines = QStringList{QStringLiteral("Kind=A")}});
    MakeRecipe(Root, {.Name = QStringLiteral("b"), .StatusLines = QStringList{QStringLiteral("Kind=B")}, .Photo = true});
    MakeRecipe(Root, {.Name = QStringLiteral("c"), .StatusLines = QStringList{QStringLiteral("Kind=C")}});
    MakeRecipe(Root, {.Name = QStringLiteral("bb")});
    // b's attribute file becomes a link to nowhere: it is there but cannot be
    // read; bb's is a FIFO, which must not hang the start-up.
    QFile::remove(Root + QStringLiteral("/b/Status.txt"));
    ASSERT_TRUE(QFile::link(Root + QStringLiteral("/b/missing"), Root + QStringLiteral("/b/Status.txt")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Root + QStringLiteral("/bb/Status.txt")).constData(), 0600), 0);

    TCookScan first = SearchCookFld(Root, Icons);
    ASSERT_EQ(first.Items.size(), 4);
    ASSERT_EQ(first.Failures.size(), 2);
    EXPECT_TRUE(first.Failures[0].contains(QStringLiteral("b")));
    EXPECT_TRUE(first.Failures[1].contains(QStringLiteral("bb")));
    EXPECT_THROW(ReadCookItem(Root, QStringLiteral("bb"), Icons), TSaporiaError);
    EXPECT_EQ(first.Items[0].Kind, QStringLiteral("A"));
    EXPECT_EQ(first.Items[1].Name, QStringLiteral("b"));
    EXPECT_EQ(first.Items[1].Kind, QString());
    EXPECT_EQ(first.Items[1].Icon, -1);
    EXPECT_EQ(first.Items[1].PhotoMark, QStringLiteral("○"));
    EXPECT_EQ(first.Items[3].Kind, QStringLiteral("C"));  // after the failure, not stale or empty
    EXPECT_THROW(ReadCookItem(Root, QStringLiteral("b"), Icons), TSaporiaError);

    // A deleted recipe leaves no record behind at the next scan.
    QDir(Root + QStringLiteral("/a")).removeRecursively();
    const TCookScan second = SearchCookFld(Root, Icons);
    ASSERT_EQ(second.Items.size(), 3);
    EXPECT_EQ(second.Items[0].Name, QStringLiteral("b"));
    EXPECT_EQ(second.Items[2].Kind, QStringLiteral("C"));
}

TEST(IconStore, BuiltInIconsAreThirtyThreeDistinctPicturesInTwoSizes) {
    const TIconStore icons;
    ASSERT_EQ(icons.Count(), BuiltInIconCount);
    for (int i = 0; i < BuiltInIconCount; ++i) {
        ASSERT_EQ(icons.Icon16(i).size(), QSize(16, 16));
        ASSERT_EQ(icons.Icon32(i).size(), QSize(32, 32));
        EXPECT_EQ(qAlpha(icons.Icon32(i).pixel(0, 0)), 0) << i;  // transparent background
        int painted = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                painted += qAlpha(icons.Icon32(i).pixel(x, y)) > 128;
        EXPECT_GT(painted, 40) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(icons.Icon32(i), icons.Icon32(j)) << i << " and " << j;
    }
    EXPECT_TRUE(icons.Icon16(-1).isNull());
    EXPECT_TRUE(icons.Icon32(33).isNull());
    EXPECT_TRUE(BuiltInIcon(99, 32).isNull());
    EXPECT_TRUE(icons.IconFileNames().isEmpty());
}

TEST(IconStore, UserIconsFollowInListingOrderAndABrokenFileIsSkipped) {
    TTempAppDir app;
    TIconStore empty;
    empty.LoadUserIcons(app.AppDir());  // folder created when missing
    EXPECT_TRUE(QFileInfo(app.Path(QStringLiteral("Icon"))).isDir());
    EXPECT_EQ(empty.Count(), 33);

    WriteRaw(app.Path(QStringLiteral("Icon/b.bmp")), SmallBmp(32, 32, QColor(0, 0, 255)));
    WriteRaw(app.Path(QStringLiteral("Icon/A.BMP")), SmallBmp(20, 20, QColor(0, 128, 0), QColor(255, 0, 255)));
    WriteRaw(app.Path(QStringLiteral("Icon/aa.bmp")), "not a bitmap");
    WriteRaw(app.Path(QStringLiteral("Icon/c.png")), SmallJpeg());
    TIconStore icons;
    icons.LoadUserIcons(app.AppDir());
    EXPECT_EQ(icons.IconFileNames(), (QStringList{QStringLiteral("A.BMP"), QStringLiteral("b.bmp")}));
    EXPECT_EQ(icons.IconIndexes(), (QStringList{QStringLiteral("33"), QStringLiteral("34")}));
    ASSERT_EQ(icons.LoadFailures().size(), 1);
    EXPECT_TRUE(icons.LoadFailures()[0].contains(QStringLiteral("aa.bmp")));
    EXPECT_EQ(icons.IndexOfFileName(QStringLiteral("a.bmp")), 33);
    EXPECT_EQ(icons.FileNameOfIndex(34), QStringLiteral("b.bmp"));
    EXPECT_EQ(icons.FileNameOfIndex(5), QString());

    // Stretched to both sizes; the colour of pixel (0, 0) is transparent.
    const QImage a32 = icons.Icon32(33);
    ASSERT_EQ(a32.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(a32.pixel(0, 0)), 0);
    EXPECT_EQ(a32.pixel(16, 16), qRgb(0, 128, 0));
    EXPECT_EQ(icons.Icon16(33).size(), QSize(16, 16));
    EXPECT_EQ(icons.Icon16(34).pixel(8, 8), qRgb(0, 0, 255));

    // Deleting the first icon moves the second to 33; its file name still finds it.
    QFile::remove(app.Path(QStringLiteral("Icon/A.BMP")));
    TIconStore next;
    next.LoadUserIcons(app.AppDir());
    EXPECT_EQ(next.IndexOfFileName(QStringLiteral("B.bmp")), 33);
}

}  // namespace
