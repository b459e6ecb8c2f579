#include "core/recipes/recipe_attributes.h"

#include <gtest/gtest.h>

namespace {

const TIconNames UserIcons{{"fish.bmp", "Rice.bmp"}, {"33", "34"}};

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
    a.DifficultValue = 3;
    ApplyAttributes(status, a, "2026/12/06", UserIcons);
    EXPECT_EQ(status.Lines(), QStringList({"Icon=5", "Kind=new", "Date=2020/01/02", "Memo=keep me", "Group=G2",
                                           "NiceValue=0", "DifficultValue=3", "Calorie=120"}));

    // Without a file: the keys in their order, the date added, empty ones left out.
    TStatusFile fresh;
    a.IconHint = "33";
    ApplyAttributes(fresh, a, "2026/12/06", UserIcons);
    EXPECT_EQ(fresh.Lines(), QStringList({"Icon=33", "Kind=new", "Calorie=120", "Group=G2", "NiceValue=0",
                                          "DifficultValue=3", "Date=2026/12/06", "ImageFileName=fish.bmp"}));
    // A built-in icon drops the user icon's file name; the first date stays.
    a.IconHint = "7";
    ApplyAttributes(fresh, a, "2030/01/01", UserIcons);
    EXPECT_FALSE(fresh.Contains("ImageFileName"));
    EXPECT_EQ(fresh.Value("Date"), "2026/12/06");
}

TEST(RecipeAttributes, IconResolvesThroughTheUserIconFileName) {
    const std::pair<QStringList, const char*> rows[] = {
        {{"Icon=40", "ImageFileName=rice.BMP"}, "34"},  // moved since: the file name decides
        {{"Icon=35", "ImageFileName=deleted.bmp"}, "-1"},
        {{"icon=5"}, "5"},
        {{"Icon=abc"}, "-1"},
    };
    for (const auto& [lines, hint] : rows)
        EXPECT_EQ(AttributesFromStatus(TStatusFile(lines), UserIcons).IconHint, hint) << qPrintable(lines.join(' '));

    // The record takes the attributes but keeps its name, date and photo mark.
    TRecipeAttributes shown = AttributesFromStatus(TStatusFile({"Icon=34", "NiceValue=7", "Kind=K"}), UserIcons);
    TCookItem item;
    item.Name = "N";
    item.PhotoMark = PhotoMarkPresent;
    item.Date = "D";
    ApplyAttributesToItem(item, shown);
    // Icon, Name, FolderName, Kind, Amount, PhotoMark, Date, Calorie, Price, WorkTime, Group, Salt, ratings, Visible.
    EXPECT_EQ(item, (TCookItem{34, "N", "", "K", "", PhotoMarkPresent, "D", "", "", "", "", "", 7, -1, true}));
}
