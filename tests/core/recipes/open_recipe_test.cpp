#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>

#include "core/platform/saporia_error.h"
#include "core/recipes/open_recipe.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

struct OpenRecipeFolder : ::testing::Test {
    TTempAppDir Dir;
    QString Root = Dir.AppDir() + QStringLiteral("Cook");
    TOpenRecipe Recipe{Root};

    void SetUp() override {
        MakeRecipe(Root, {.Name = QStringLiteral("肉じゃが"), .Foodstuff = QStringLiteral("じゃがいも"),
                          .How = QStringLiteral("煮る"), .Photo = true, .ExtraPhotos = {QStringLiteral("a.jpg")}});
    }
    bool Open(const QString& name) {
        TCookItem item;
        item.Name = name;
        return Recipe.Load(item, QSize(30, 20));
    }
    QString File(const QString& name) const { return Root + QStringLiteral("/肉じゃが/") + name; }
};

}  // namespace

TEST(OpenRecipeQuestion, AskedOnlyForEditsOutsideViewOnlyAndClosing) {
    struct TRow {
        bool Modified, ViewOnly, Closing, Asks;
    };
    const TRow rows[] = {
        {true, false, false, true},   {false, false, false, false}, {true, true, false, false},
        {true, false, true, false},   {true, true, true, false},    {false, true, false, false},
    };
    for (const TRow& row : rows) {
        TOpenRecipe recipe(QStringLiteral("/nowhere"));
        recipe.SetModified(row.Modified);
        EXPECT_EQ(recipe.ShouldAskToSave(row.ViewOnly, row.Closing), row.Asks)
            << row.Modified << row.ViewOnly << row.Closing;
    }
}

TEST(OpenRecipeQuestion, EachAnswerSavesDropsOrStops) {
    struct TRow {
        TSaveAnswer Answer;
        bool SaveWorks;
        bool GoesOn, Saved, StillModified;
    };
    const TRow rows[] = {
        {TSaveAnswer::Yes, true, true, true, false},
        // A failed save keeps the edits and the caller where it is.
        {TSaveAnswer::Yes, false, false, true, true},
        {TSaveAnswer::No, true, true, false, false},
        {TSaveAnswer::Cancel, true, false, false, true},
    };
    for (const TRow& row : rows) {
        TOpenRecipe recipe(QStringLiteral("/nowhere"));
        recipe.SetModified(true);
        bool saved = false;
        const bool goesOn = recipe.Answer(row.Answer, [&] {
            saved = true;
            if (row.SaveWorks)
                recipe.SetModified(false);
            return row.SaveWorks;
        });
        EXPECT_EQ(goesOn, row.GoesOn) << int(row.Answer) << row.SaveWorks;
        EXPECT_EQ(saved, row.Saved) << int(row.Answer);
        EXPECT_EQ(recipe.IsModified(), row.StillModified) << int(row.Answer);
    }
}

TEST_F(OpenRecipeFolder, LoadEditSaveReloadRoundTrip) {
    QSignalSpy modified(&Recipe, &TOpenRecipe::ModifiedChanged);
    ASSERT_TRUE(Open(QStringLiteral("肉じゃが")));
    EXPECT_EQ(Recipe.Path(), Root + QStringLiteral("/肉じゃが/"));
    EXPECT_EQ(Recipe.Content().Foodstuff, QStringLiteral("じゃがいも"));
    EXPECT_EQ(Recipe.Photo().PictureCount, 2);
    EXPECT_EQ(Recipe.Photo().PictureIndex, 0);
    // No memo file: a white canvas of the asked size.
    EXPECT_EQ(Recipe.Memo().size(), QSize(30, 20));
    const QByteArray photo = ReadRaw(File(QStringLiteral("写真.jpg")));

    Recipe.Memo().setPixel(3, 4, qRgb(255, 0, 0));
    Recipe.MemoDrawn();
    EXPECT_TRUE(Recipe.IsModified());
    Recipe.Save({QStringLiteral("じゃがいも\n牛肉"), QStringLiteral("煮る"), QStringLiteral("母の味")});
    EXPECT_FALSE(Recipe.IsModified());
    EXPECT_EQ(modified.count(), 2);
    EXPECT_EQ(ReadRaw(File(QStringLiteral("材料.txt"))), RecipeFileBytes(QStringLiteral("じゃがいも\n牛肉")));
    EXPECT_EQ(ReadRaw(File(QStringLiteral("写真.jpg"))), photo);

    ASSERT_TRUE(Open(QStringLiteral("肉じゃが")));
    EXPECT_EQ(Recipe.Content().Comment, QStringLiteral("母の味"));
    EXPECT_EQ(Recipe.Memo().size(), QSize(30, 20));
    EXPECT_EQ(Recipe.Memo().pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_FALSE(Recipe.MemoDirty());
}

TEST_F(OpenRecipeFolder, NothingIsWrittenWithoutAnOpenRecipeInside) {
    struct TRow {
        QString Name;  // empty: closed after opening
        bool Complete;
    };
    const TRow rows[] = {{QString(), false}, {QStringLiteral(".."), false}, {QStringLiteral("無い"), false}};
    const QMap<QString, QByteArray> before = FolderSnapshot(Dir.AppDir());
    for (const TRow& row : rows) {
        if (row.Name.isEmpty()) {
            Open(QStringLiteral("肉じゃが"));
            Recipe.SetModified(true);
            QSignalSpy closed(&Recipe, &TOpenRecipe::Closed);
            Recipe.Close();
            EXPECT_EQ(closed.count(), 1);
            EXPECT_FALSE(Recipe.IsModified());
        } else {
            EXPECT_EQ(Open(row.Name), row.Complete) << row.Name.toStdString();
            EXPECT_FALSE(Recipe.Content().LoadError.isEmpty()) << row.Name.toStdString();
        }
        Recipe.SetModified(true);
        EXPECT_THROW(Recipe.Save({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}), TSaporiaError)
            << row.Name.toStdString();
        // A failed save leaves the edits marked.
        EXPECT_TRUE(Recipe.IsModified()) << row.Name.toStdString();
    }
    EXPECT_EQ(FolderSnapshot(Dir.AppDir()), before);
}
