#include "core/recipes/recipe_book.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/search/find_career.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

TEST(ColumnTable, FileHoldsTheExactLinesAndReadsBack) {
    const TColumnTable table{{"料理名", 120, true}, {"塩分", 40, false}};
    EXPECT_EQ(FormatColumnTable(table),
              ToSjis("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Document>\r\n   <List>\r\n"
                     "      <Column>\r\n         <Caption>料理名</Caption>\r\n         <Width>120</Width>\r\n"
                     "         <Use>True</Use>\r\n      </Column>\r\n"
                     "      <Column>\r\n         <Caption>塩分</Caption>\r\n         <Width>40</Width>\r\n"
                     "         <Use>False</Use>\r\n      </Column>\r\n   </List>\r\n</Document>\r\n"));
    // A caption with the characters XML reserves would not parse unescaped.
    for (const TColumnTable& t : {table, DefaultColumnTable(), TColumnTable{{"A&B <量>", 60, true}}})
        EXPECT_EQ(ParseColumnTable(FromSjis(FormatColumnTable(t))), t);
    EXPECT_EQ(ShownCaptions(table), QStringList{"料理名"});
}

TEST(ColumnTable, ReadingFollowsTheStoredRules) {
    const TColumnTable table = ParseColumnTable(
        "<Document><List>"
        "<Column><Caption>料理名</Caption><Width>abc</Width><Use>True</Use></Column>"
        "<Other><Caption>種類</Caption><Width>33</Width><Use>true</Use></Other>"
        "<Column><Width>12</Width></Column>"
        "</List></Document>");
    // A width that is not a number is 50; any element name is a row; "true" is not True.
    EXPECT_EQ(table, (TColumnTable{{"料理名", 50, true}, {"種類", 33, false}, {QString(), 12, false}}));
    EXPECT_THROW(ParseColumnTable("<Document><List>"), TSaporiaError);
}

// A table is written back only when it came from the file or the defaults; a file that could not be used
// survives the run byte for byte: the defaults written over it would lose the user's columns for good.
TEST(RecipeBook, ColumnTableIsWrittenBackOnlyWhenUsable) {
    const QByteArray wellFormed = FormatColumnTable({{"料理名", 70, true}, {"種類", 50, false}});
    const struct {
        const char* Name;
        std::optional<QByteArray> File;  // nullopt: no file
        bool Usable;
    } rows[] = {
        {"none", std::nullopt, true},
        {"well formed", wellFormed, true},
        {"empty list", "<Document><List/></Document>", true},  // the user's own empty choice
        {"cut off", "<Document><List><Column><Caption>", false},
        {"lower-case list", "<Document><list><Column><Caption>x</Caption></Column></list></Document>", false},
        {"lower-case columns", "<Document><List><column><caption>x</caption></column></List></Document>", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TTempAppDir dir;
        const QString path = dir.AppDir() + ColumnFileName;
        if (row.File)
            WriteRaw(path, *row.File);
        TRecipeBook book(dir.AppDir());
        if (row.Usable) {
            book.ReadColumnTable();
        } else {
            EXPECT_THROW(book.ReadColumnTable(), TSaporiaError);
        }
        TColumnTable expected = row.Usable && row.File ? ParseColumnTable(FromSjis(*row.File)) : DefaultColumnTable();
        EXPECT_EQ(book.ColumnTable, expected);
        book.WriteColumnTable({"料理名"}, {123});
        if (!expected.empty())
            expected[0].Width = 123;
        EXPECT_EQ(ReadRaw(path), row.Usable ? FormatColumnTable(expected) : *row.File);
    }
    TTempAppDir dir;  // a FIFO must not hang the start-up
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("fifo.dat")).constData(), 0600), 0);
    EXPECT_EQ(LoadColumnTable(dir.Path("fifo.dat")).Source, TColumnTableSource::Malformed);
}

// The history is written at exit only when this run read it: an unreadable
// file is left alone, a file never read is not replaced by an empty one.
TEST(RecipeBook, SearchHistoryIsWrittenOnlyWhenRead) {
    const struct {
        const char* Name;
        std::optional<QString> File, After;  // File nullopt: a folder blocks the name; After nullopt: kept as it was
        bool Read;
        bool Link = false;  // the name is a link leading nowhere, not a folder
    } rows[] = {
        {"read", "鶏肉\r\n卵\r\n", "玉ねぎ\r\n鶏肉\r\n卵\r\n", true},
        {"absent", "", "玉ねぎ\r\n", true},
        {"never_read", "鶏肉\r\n", std::nullopt, false},
        {"unreadable", std::nullopt, std::nullopt, true},
        {"link_to_nowhere", std::nullopt, std::nullopt, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TTempAppDir dir;
        const QString path = dir.AppDir() + FindCareerFileName;
        if (row.Link) {
            ASSERT_TRUE(QDir().mkpath(dir.Path("gone")));
            ASSERT_TRUE(QFile::link(dir.Path("gone/") + FindCareerFileName, path));
        } else if (!row.File) {
            ASSERT_TRUE(QDir().mkpath(path));
        } else if (!row.File->isEmpty()) {
            dir.WriteSjis(FindCareerFileName, *row.File);
        }
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
        } else if (row.Link) {
            EXPECT_TRUE(QFileInfo(path).isSymLink());
            EXPECT_FALSE(QFileInfo::exists(dir.Path("gone/") + FindCareerFileName));
        } else {
            EXPECT_TRUE(QFileInfo(path).isDir());
        }
    }
}
