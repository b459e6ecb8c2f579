#include <gtest/gtest.h>

#include "core/recipes/recipe_attributes.h"

namespace {

TIconNames UserIcons() {
    return TIconNames{{"fish.bmp", "Rice.bmp"}, {"33", "34"}};
}

}  // namespace

TEST(RecipeAttributes, SavingKeepsUnknownLinesOrderAndDate) {
    // A file the wizard wrote, with a line of a key this program does not know.
    TStatusFile status(QStringList{"Icon=3", "Kind=old", "Date=2020/01/02", "Memo=keep me", "Group=G",
                                   "NiceValue=1", "DifficultValue=1"});
    TRecipeAttributes a;
    a.IconHint = "5";
    a.Kind = "new";
    a.Calorie = "120";
    a.Group = "G2";
    a.NiceValue = 0;
    a.DifficultValue = 3;
    ApplyAttributes(status, a, "2026/12/06", UserIcons());
    EXPECT_EQ(status.Lines(), QStringList({"Icon=5", "Kind=new", "Date=2020/01/02", "Memo=keep me", "Group=G2",
                                           "NiceValue=0", "DifficultValue=3", "Calorie=120"}));

    // Without a file: the keys in their order, the date added, empty ones left out.
    TStatusFile fresh;
    a.IconHint = "33";
    ApplyAttributes(fresh, a, "2026/12/06", UserIcons());
    EXPECT_EQ(fresh.Lines(), QStringList({"Icon=33", "Kind=new", "Calorie=120", "Group=G2", "NiceValue=0",
                                          "DifficultValue=3", "Date=2026/12/06", "ImageFileName=fish.bmp"}));
    // A built-in icon drops the user icon's file name.
    a.IconHint = "7";
    ApplyAttributes(fresh, a, "2030/01/01", UserIcons());
    EXPECT_FALSE(fresh.Contains("ImageFileName"));
    EXPECT_EQ(fresh.Value("Date"), "2026/12/06");
}

TEST(RecipeAttributes, IconResolvesThroughTheUserIconFileName) {
    TStatusFile moved(QStringList{"Icon=40", "ImageFileName=rice.BMP", "NiceValue=7"});
    TRecipeAttributes shown = AttributesFromStatus(moved, UserIcons());
    EXPECT_EQ(shown.IconHint, "34");
    EXPECT_EQ(shown.NiceValue, 7);
    EXPECT_EQ(shown.DifficultValue, -1);

    TStatusFile gone(QStringList{"Icon=35", "ImageFileName=deleted.bmp"});
    EXPECT_EQ(AttributesFromStatus(gone, UserIcons()).IconHint, "-1");
    TStatusFile builtIn(QStringList{"icon=5"});
    EXPECT_EQ(AttributesFromStatus(builtIn, UserIcons()).IconHint, "5");
    TStatusFile junk(QStringList{"Icon=abc"});
    EXPECT_EQ(AttributesFromStatus(junk, UserIcons()).IconHint, "-1");

    // The record takes the attributes but keeps its name, date and photo mark.
    TCookItem item;
    item.Name = "N";
    item.Date = "D";
    item.PhotoMark = PhotoMarkPresent;
    shown.Kind = "K";
    ApplyAttributesToItem(item, shown);
    EXPECT_EQ(item.Icon, 34);
    EXPECT_EQ(item.Kind, "K");
    EXPECT_EQ(item.Name, "N");
    EXPECT_EQ(item.Date, "D");
    EXPECT_EQ(item.PhotoMark, PhotoMarkPresent);
}
