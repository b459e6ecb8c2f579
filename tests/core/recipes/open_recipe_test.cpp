#include "core/recipes/open_recipe.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

struct OpenRecipeFolder : ::testing::Test {
    TTempAppDir Dir;
    QString Root = Dir.AppDir() + "Cook";
    QString Folder = MakeRecipe(Root, {.Name = "肉じゃが", .Foodstuff = "じゃがいも", .Photo = true});
    TOpenRecipe Recipe{Root};

    bool Open(const QString& name) {
        TCookItem item;
        item.Name = name;
        return Recipe.Load(item, QSize(30, 20));
    }
};

}  // namespace

TEST(OpenRecipeQuestion, AskedOnlyForEditsOutsideViewOnlyAndClosing) {
    const struct {
        bool Modified, ViewOnly, Closing, Asks;
    } rows[] = {
        {true, false, false, true},
        {false, false, false, false},
        {true, true, false, false},
        {true, false, true, false},
    };
    for (const auto& row : rows) {
        TOpenRecipe recipe("/nowhere");
        recipe.SetModified(row.Modified);
        EXPECT_EQ(recipe.ShouldAskToSave(row.ViewOnly, row.Closing), row.Asks)
            << row.Modified << row.ViewOnly << row.Closing;
    }
}

TEST(OpenRecipeQuestion, EachAnswerSavesDropsOrStops) {
    const struct {
        TSaveAnswer Answer;
        bool SaveWorks, GoesOn, Saved, StillModified;
    } rows[] = {
        {TSaveAnswer::Yes, true, true, true, false},
        {TSaveAnswer::Yes, false, false, true, true},  // a failed save keeps the edits and the caller where it is
        {TSaveAnswer::No, true, true, false, false},
        {TSaveAnswer::Cancel, true, false, false, true},
    };
    for (const auto& row : rows) {
        TOpenRecipe recipe("/nowhere");
        recipe.SetModified(true);
        bool saved = false;
        const bool goesOn = recipe.Answer(row.Answer, [&] {
            saved = true;
            recipe.SetModified(!row.SaveWorks);
            return row.SaveWorks;
        });
        EXPECT_EQ(std::tuple(goesOn, saved, recipe.IsModified()), std::tuple(row.GoesOn, row.Saved, row.StillModified))
            << int(row.Answer) << row.SaveWorks;
    }
}

TEST_F(OpenRecipeFolder, LoadEditSaveReloadRoundTrip) {
    QSignalSpy modified(&Recipe, &TOpenRecipe::ModifiedChanged);
    ASSERT_TRUE(Open("肉じゃが"));
    EXPECT_EQ(Recipe.Memo().size(), QSize(30, 20));  // no memo file: a white canvas of the asked size
    const QByteArray photo = ReadRaw(Folder + PhotoFileName);

    Recipe.Memo().setPixel(3, 4, qRgb(255, 0, 0));
    Recipe.MemoDrawn();
    Recipe.Save({"じゃがいも\n牛肉", "煮る", "母の味"});
    EXPECT_FALSE(Recipe.IsModified());
    EXPECT_EQ(modified.count(), 2);
    EXPECT_EQ(ReadRaw(Folder + FoodstuffFileName), RecipeFileBytes("じゃがいも\n牛肉"));
    EXPECT_EQ(ReadRaw(Folder + PhotoFileName), photo);

    ASSERT_TRUE(Open("肉じゃが"));
    EXPECT_EQ(Recipe.Content().Comment, "母の味");
    EXPECT_EQ(Recipe.Memo().pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_FALSE(Recipe.MemoDirty());
}

TEST_F(OpenRecipeFolder, NothingIsWrittenWithoutAnOpenRecipeInside) {
    const QMap<QString, QByteArray> before = FolderSnapshot(Dir.AppDir());
    for (const QString name : {"", "..", "無い"}) {  // empty: closed after opening
        if (name.isEmpty()) {
            Open("肉じゃが");
            QSignalSpy closed(&Recipe, &TOpenRecipe::Closed);
            Recipe.SetModified(true);
            Recipe.Close();
            EXPECT_EQ(closed.count(), 1);
            EXPECT_FALSE(Recipe.IsModified());
        } else {
            EXPECT_FALSE(Open(name)) << qPrintable(name);
            EXPECT_FALSE(Recipe.Content().LoadError.isEmpty()) << qPrintable(name);
        }
        Recipe.SetModified(true);
        EXPECT_THROW(Recipe.Save({"x", "y", "z"}), TSaporiaError) << qPrintable(name);
        EXPECT_TRUE(Recipe.IsModified()) << qPrintable(name);  // a failed save leaves the edits marked
    }
    EXPECT_EQ(FolderSnapshot(Dir.AppDir()), before);
}
