#include "core/recipes/recipe_book.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/search/find_career.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

// A table is written back only when it came from the file or the defaults;
// a file that could not be used must survive the run byte for byte.
TEST(RecipeBookTest, ColumnTableIsWrittenBackOnlyWhenUsable) {
    const QByteArray wellFormed = FormatColumnTable({{"料理名", 70, true}, {"種類", 50, false}});
    const std::optional<QByteArray> files[] = {std::nullopt, wellFormed, "<Document><List><Column><Caption>"};
    for (const auto& file : files) {
        SCOPED_TRACE(file.value_or("none").constData());
        TTempAppDir dir;
        const QString path = dir.AppDir() + ColumnFileName;
        if (file)
            WriteRaw(path, *file);
        TRecipeBook book(dir.AppDir());
        const bool usable = !file || file == wellFormed;
        if (usable)
            book.ReadColumnTable();
        else
            EXPECT_THROW(book.ReadColumnTable(), TSaporiaError);
        TColumnTable expected = file == wellFormed ? ParseColumnTable(FromSjis(*file)) : DefaultColumnTable();
        EXPECT_EQ(book.ColumnTable, expected);
        book.WriteColumnTable({expected[0].Caption}, {123});
        expected[0].Width = 123;
        EXPECT_EQ(ReadRaw(path), usable ? FormatColumnTable(expected) : *file);
    }
}

// The history is written at exit only when this run read it: an unreadable
// file is left alone, a file never read is not replaced by an empty one.
TEST(RecipeBookTest, SearchHistoryIsWrittenOnlyWhenRead) {
    const struct {
        const char* Name;
        std::optional<QString> File;  // nullopt: a folder blocks the name
        bool Read;
        std::optional<QString> After;  // nullopt: the file stays as it was
    } rows[] = {
        {"read", "鶏肉\r\n卵\r\n", true, "玉ねぎ\r\n鶏肉\r\n卵\r\n"},
        {"absent", "", true, "玉ねぎ\r\n"},
        {"never_read", "鶏肉\r\n", false, std::nullopt},
        {"unreadable", std::nullopt, true, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TTempAppDir dir;
        const QString path = dir.AppDir() + FindCareerFileName;
        if (!row.File)
            ASSERT_TRUE(QDir().mkpath(path));
        else if (!row.File->isEmpty())
            dir.WriteSjis(FindCareerFileName, *row.File);
        TRecipeBook book(dir.AppDir());
        if (row.Read && !row.File) {
            EXPECT_THROW(book.ReadFindCareer(), TSaporiaError);
        } else if (row.Read) {
            book.ReadFindCareer();
        }
        book.Refine("玉ねぎ");
        book.WriteFindCareer();
        if (row.File) {
            EXPECT_EQ(ReadRaw(path), ToSjis(row.After.value_or(*row.File)));
        } else {
            EXPECT_TRUE(QFileInfo(path).isDir());
        }
    }
}

TEST(RecipeBookTest, ScanReplacesTheRecordsAndRefineFiltersThem) {
    TTempAppDir dir;
    TRecipeBook book(dir.AppDir());
    MakeRecipe(book.DataRoot(), {.Name = "親子丼", .Foodstuff = "鶏肉\n卵"});
    MakeRecipe(book.DataRoot(), {.Name = "湯豆腐", .Foodstuff = "豆腐"});
    MakeRecipe(book.DataRoot(), {.Name = "水", .Foodstuff = std::nullopt});
    const auto visible = [&] {
        QStringList names;
        for (const TCookItem& item : book.CookItems)
            if (item.Visible)
                names << item.Name;
        return names;
    };
    EXPECT_TRUE(book.SearchCookFld().isEmpty());
    book.Refine("卵");
    EXPECT_EQ(visible(), QStringList{"親子丼"});

    // A rescan forgets removed folders and the refinement's flags.
    ASSERT_TRUE(QDir(book.DataRoot() + "/湯豆腐").removeRecursively());
    EXPECT_TRUE(book.SearchCookFld().isEmpty());
    EXPECT_EQ(visible(), (QStringList{"水", "親子丼"}));
}
