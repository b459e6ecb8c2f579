#include "core/recipes/recipe_store.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/saporia_error.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_name.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

class RecipeScan : public ::testing::Test {
protected:
    TCookScan Scan() const { return SearchCookFld(Root, Icons); }

    TTempAppDir App;
    QString Root = DataRootOf(App.AppDir());
    TIconStore Icons;
};

TEST_F(RecipeScan, EmptyOrMissingDataFolder) {
    QDir().mkpath(Root);
    EXPECT_EQ(Scan().Items.size() + Scan().Failures.size(), 0);
    const TCookScan missing = SearchCookFld(App.Path("NoSuchFolder"), Icons);
    EXPECT_TRUE(missing.Items.isEmpty());
    EXPECT_EQ(missing.Failures.size(), 1);
}

TEST_F(RecipeScan, OneRecordPerFolderWithAttributesAsStored) {
    MakeRecipe(Root, {.Name = "肉じゃが",
                      .StatusLines = QStringList{"icon=5", "Kind=主菜", "Amount=4人分", "Calorie= 350 ", "Price=500",
                                                 "WorkTime=30分=半時間", "Group=和食", "Salt=2.5", "Date=2024/01/02",
                                                 "NiceValue=7", "DifficultValue=abc"},
                      .Photo = true});
    MakeRecipe(Root, {.Name = "attributes-free"});  // no Status.txt
    MakeRecipe(Root, {.Name = "Beta", .StatusLines = QStringList{"NiceValue="}, .ExtraPhotos = {"写真.JPG"}});
    WriteRaw(Root + "/memo.txt", "not a recipe");
    // Sorted ignoring case; texts as stored, ratings not clamped, plain files skipped.
    // Icon, Name, FolderName, Kind, Amount, PhotoMark, Date, Calorie, Price, WorkTime, Group, Salt, ratings, Visible.
    const TCookItems expected{
        {-1, "attributes-free", "attributes-free", "", "", "×", "", "", "", "", "", "", -1, -1, true},
        {-1, "Beta", "Beta", "", "", "○", "", "", "", "", "", "", -1, -1, true},
        {5, "肉じゃが", "肉じゃが", "主菜", "4人分", "○", "2024/01/02", " 350 ", "500", "30分=半時間", "和食", "2.5", 7, -1, true},
    };
    const TCookScan scan = Scan();
    EXPECT_TRUE(scan.Failures.isEmpty());
    EXPECT_EQ(scan.Items, expected);
    EXPECT_EQ(ReadCookItem(Root, "肉じゃが", Icons), expected[2]);
}

TEST_F(RecipeScan, AnUnreadableFolderGetsDefaultsAndTheScanGoesOn) {
    MakeRecipe(Root, {.Name = "a", .StatusLines = QStringList{"Kind=A"}});
    MakeRecipe(Root, {.Name = "b", .StatusLines = QStringList{"Kind=B"}, .Photo = true});
    MakeRecipe(Root, {.Name = "bb"});
    MakeRecipe(Root, {.Name = "c", .StatusLines = QStringList{"Kind=C"}});
    // b's attribute file is a link to nowhere; bb's is a FIFO, which must not hang the start-up.
    QFile::remove(Root + "/b/Status.txt");
    ASSERT_TRUE(QFile::link(Root + "/b/missing", Root + "/b/Status.txt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(Root + "/bb/Status.txt").constData(), 0600), 0);

    const TCookItem expected{-1, "b", "b", "", "", "○", "", "", "", "", "", "", -1, -1, true};  // defaults, photo seen
    const TCookScan first = Scan();
    ASSERT_EQ(first.Items.size(), 4);
    ASSERT_EQ(first.Failures.size(), 2);
    EXPECT_TRUE(first.Failures[1].contains("bb"));
    EXPECT_EQ(first.Items[1], expected);
    EXPECT_EQ(first.Items[3].Kind, "C");  // after the failure, not stale or empty
    EXPECT_THROW(ReadCookItem(Root, "b", Icons), TSaporiaError);

    // A deleted recipe leaves no record behind at the next scan.
    QDir(Root + "/a").removeRecursively();
    EXPECT_EQ(Scan().Items.value(0).Name, "b");
}

TEST(IconStore, BuiltInIconsAreThirtyThreeDistinctPicturesInTwoSizes) {
    const TIconStore icons;
    ASSERT_EQ(icons.Count(), BuiltInIconCount);
    for (int i = 0; i < BuiltInIconCount; ++i) {
        ASSERT_EQ(icons.Icon16(i).size(), QSize(16, 16));
        const QImage icon = icons.Icon32(i);
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << i;  // transparent background
        int painted = 0;
        for (int p = 0; p < 32 * 32; ++p)
            painted += qAlpha(icon.pixel(p % 32, p / 32)) > 128;
        EXPECT_GT(painted, 40) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(icon, icons.Icon32(j)) << i << " and " << j;
    }
    EXPECT_TRUE(icons.Icon16(-1).isNull());
    EXPECT_TRUE(icons.Icon32(33).isNull());
}

TEST(IconStore, UserIconsFollowInListingOrderABrokenFileIsSkippedAndNamesResolve) {
    TTempAppDir app;
    WriteRaw(app.Path("Icon/b.bmp"), SmallBmp(32, 32, QColor(0, 0, 255)));
    WriteRaw(app.Path("Icon/A.BMP"), SmallBmp(20, 20, QColor(0, 128, 0), QColor(255, 0, 255)));
    WriteRaw(app.Path("Icon/aa.bmp"), "not a bitmap");
    WriteRaw(app.Path("Icon/c.png"), SmallJpeg());
    ASSERT_EQ(mkfifo(QFile::encodeName(app.Path("Icon/fifo.bmp")).constData(), 0600), 0);  // no hang
    TIconStore icons;
    icons.LoadUserIcons(app.AppDir());
    EXPECT_EQ(icons.IconFileNames(), (QStringList{"A.BMP", "b.bmp"}));
    ASSERT_EQ(icons.LoadFailures().size(), 1);
    EXPECT_TRUE(icons.LoadFailures()[0].contains("aa.bmp"));
    // Stretched to both sizes; the colour of pixel (0, 0) is transparent.
    EXPECT_EQ(qAlpha(icons.Icon32(33).pixel(0, 0)), 0);
    EXPECT_EQ(icons.Icon32(33).pixel(16, 16), qRgb(0, 128, 0));
    EXPECT_EQ(icons.Icon16(34).pixel(8, 8), qRgb(0, 0, 255));

    // Deleting the first icon moves the second to 33; its file name still finds it, ignoring case.
    QFile::remove(app.Path("Icon/A.BMP"));
    TIconStore next;
    next.LoadUserIcons(app.AppDir());
    EXPECT_EQ(next.IndexOfFileName("B.bmp"), 33);
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
