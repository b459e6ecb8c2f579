#include "core/recipes/open_recipe.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>

#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// A bad file hides nothing else of its recipe, and a save of the user's edits
// never replaces a file that was there but could not be read.
const QByteArray TruncatedJpeg("\xff\xd8\xff\xe0 broken", 10);
// Many short lines, just over the size a pane takes.
QByteArray OversizedText() { return QByteArray("0123456789abcdef\r\n").repeated(MaxRecipeTextBytes / 18 + 1); }

}  // namespace

TEST(OpenRecipe, NothingIsWrittenWithoutAnOpenRecipeInside) {
    TTempAppDir dir;
    const QString root = dir.AppDir() + "Cook";
    MakeRecipe(root, {.Name = "肉じゃが"});
    TOpenRecipe recipe(root);
    const auto open = [&](const QString& name) { return recipe.Load(NamedItem(name), QSize(30, 20)); };
    const QMap<QString, QByteArray> before = FolderSnapshot(dir.AppDir());
    for (const QString name : {"", "..", "無い"}) {  // empty: closed after opening
        if (name.isEmpty()) {
            open("肉じゃが");
            EXPECT_EQ(recipe.Memo().size(), QSize(30, 20));  // no memo file: a white canvas of the asked size
            QSignalSpy closed(&recipe, &TOpenRecipe::Closed);
            recipe.SetModified(true);
            recipe.Close();
            EXPECT_EQ(std::pair(closed.count(), recipe.IsModified()), std::pair(1LL, false));
        } else {
            EXPECT_FALSE(open(name) || recipe.Content().LoadError.isEmpty()) << qPrintable(name);
        }
        recipe.SetModified(true);
        EXPECT_THROW(recipe.Save({"x", "y", "z"}), TSaporiaError) << qPrintable(name);
        EXPECT_TRUE(recipe.IsModified()) << qPrintable(name);  // a failed save leaves the edits marked
    }
    EXPECT_EQ(FolderSnapshot(dir.AppDir()), before);
}

TEST(RecipeReadFaults, EachFileIsReadOnItsOwnAndAnUnreadFileIsNeverSaved) {
    const QString name = QStringLiteral("r");
    const QStringList status{QStringLiteral("Kind=主菜")};
    const struct {
        const char* Case;
        TRecipeDraft Draft;
        QMap<QString, QByteArray> Bad;  // files written over the draft's: reported, and kept through a save
        bool RemovePhoto;               // the photo edit: remove instead of paste
    } rows[] = {
        {"no ingredients file", {.Name = name, .Foodstuff = std::nullopt, .How = QStringLiteral("昔の作り方")}, {}, false},
        {"truncated photo",
         {.Name = name, .Comment = QStringLiteral("大事なコメント"), .StatusLines = status, .Photo = true, .Memo = true},
         {{PhotoFileName, TruncatedJpeg}}, false},
        {"truncated photo, removed", {.Name = name, .Photo = true}, {{PhotoFileName, TruncatedJpeg}}, true},
        {"oversized ingredients and truncated photo", {.Name = name, .Comment = QStringLiteral("c"), .Photo = true},
         {{FoodstuffFileName, OversizedText()}, {PhotoFileName, TruncatedJpeg}}, false},
        {"broken memo", {.Name = name, .StatusLines = status, .Memo = true}, {{MemoFileName, "BM broken"}}, false},
        {"a text of exactly the limit", {.Name = name, .How = QString(MaxRecipeTextBytes - 2, 'a')}, {}, false},
        {"oversized attribute file", {.Name = name, .StatusLines = status},
         {{StatusFileName, QByteArray("Kind=x\r\n").leftJustified(MaxStatusFileBytes + 1, ' ')}}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        TTempAppDir dir;
        const QString root = dir.AppDir() + QStringLiteral("Cook");
        const QString folder = MakeRecipe(root, row.Draft);
        for (auto bad = row.Bad.begin(); bad != row.Bad.end(); ++bad)
            WriteRaw(folder + bad.key(), bad.value());
        const auto before = FolderSnapshot(folder);
        QStringList reported = row.Bad.keys();
        if (!row.Draft.Foodstuff)
            reported << FoodstuffFileName;
        // What the read still shows: every text that is there and good.
        const auto shown = [&](const QString& file, const std::optional<QString>& text) {
            return row.Bad.contains(file) ? QString() : text.value_or(QString());
        };
        const QString texts[][2] = {{FoodstuffFileName, shown(FoodstuffFileName, row.Draft.Foodstuff)},
                                    {HowFileName, shown(HowFileName, row.Draft.How)},
                                    {CommentFileName, shown(CommentFileName, row.Draft.Comment)}};

        TOpenRecipe recipe(root);
        EXPECT_EQ(recipe.Load(NamedItem(name), QSize(30, 20)), reported.isEmpty());
        const TRecipeContent& c = recipe.Content();
        for (const QString& file : reported)
            EXPECT_TRUE(c.LoadError.contains(file)) << qPrintable(c.LoadError);
        EXPECT_EQ(QStringList({c.Foodstuff, c.How, c.Comment}), QStringList({texts[0][1], texts[1][1], texts[2][1]}));
        EXPECT_EQ(std::pair(c.HasMemo, c.HasStatus),
                  std::pair(row.Draft.Memo && !row.Bad.contains(MemoFileName),
                            row.Draft.StatusLines.has_value() && !row.Bad.contains(StatusFileName)));

        // The user adds to every pane, changes the photo and draws on the memo.
        if (row.RemovePhoto)
            recipe.Photo().Remove(recipe.Content());
        else
            recipe.Photo().SetPicture(recipe.Content(), QImage(8, 8, QImage::Format_RGB32));
        recipe.Memo().setPixel(1, 1, qRgb(255, 0, 0));
        recipe.MemoDrawn();
        const QString added = QStringLiteral("追記");
        recipe.Save({c.Foodstuff + added, c.How + added, c.Comment + added});

        const auto after = FolderSnapshot(folder);
        for (const QString& file : row.Bad.keys())
            EXPECT_EQ(after.value(file), before.value(file)) << qPrintable(file);
        for (const auto& [file, text] : texts) {
            if (!row.Bad.contains(file)) {
                EXPECT_EQ(after.value(file), RecipeFileBytes(text + added)) << qPrintable(file);
            }
        }
        if (!row.Bad.contains(MemoFileName)) {
            EXPECT_NE(after.value(MemoFileName), before.value(MemoFileName));
        }
    }
}

// A drawing dropped with No stays behind: the next recipe opens unchanged and its save writes no memo.
TEST(OpenRecipe, ADroppedMemoIsNotCarriedIntoTheNextRecipe) {
    TTempAppDir dir;
    const QString root = dir.AppDir() + "Cook";
    MakeRecipe(root, {.Name = "肉じゃが"});
    const QString next = MakeRecipe(root, {.Name = "サラダ"});
    TOpenRecipe recipe(root);
    recipe.Load(NamedItem("肉じゃが"), QSize(30, 20));
    recipe.Memo().setPixel(1, 1, qRgb(255, 0, 0));
    recipe.MemoDrawn();
    EXPECT_TRUE(recipe.Answer(TSaveAnswer::No, [] { return false; }));
    recipe.Load(NamedItem("サラダ"), QSize(30, 20));
    EXPECT_FALSE(recipe.MemoDirty());
    recipe.Save({recipe.Content().Foodstuff, recipe.Content().How, recipe.Content().Comment});
    EXPECT_FALSE(QFile::exists(next + MemoFileName));
}
