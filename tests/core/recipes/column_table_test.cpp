#include "core/recipes/column_table.h"

#include <sys/stat.h>

#include <optional>

#include <gtest/gtest.h>

#include <QFile>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(ColumnTableTest, FileHoldsTheExactLinesAndReadsBack) {
    const TColumnTable table{{"料理名", 120, true}, {"塩分", 40, false}};
    EXPECT_EQ(FormatColumnTable(table), ToSjis("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                               "<Document>\r\n"
                                               "   <List>\r\n"
                                               "      <Column>\r\n"
                                               "         <Caption>料理名</Caption>\r\n"
                                               "         <Width>120</Width>\r\n"
                                               "         <Use>True</Use>\r\n"
                                               "      </Column>\r\n"
                                               "      <Column>\r\n"
                                               "         <Caption>塩分</Caption>\r\n"
                                               "         <Width>40</Width>\r\n"
                                               "         <Use>False</Use>\r\n"
                                               "      </Column>\r\n"
                                               "   </List>\r\n"
                                               "</Document>\r\n"));
    // A caption with the characters XML reserves would not parse unescaped.
    for (const TColumnTable& t : {table, DefaultColumnTable(), TColumnTable{{"A&B <量>", 60, true}}})
        EXPECT_EQ(ParseColumnTable(FromSjis(FormatColumnTable(t))), t);
}

TEST(ColumnTableTest, ReadingFollowsTheStoredRules) {
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

// An unusable file is kept and the defaults serve: emptying the list would
// have the empty table written back at exit.
TEST(ColumnTableTest, AnUnusableFileIsKeptAndTheDefaultsServe) {
    const struct {
        std::optional<QByteArray> File;  // nullopt: no file
        TColumnTableSource Source;
    } rows[] = {
        {std::nullopt, TColumnTableSource::Defaulted},
        {"<Document><List><Column>", TColumnTableSource::Malformed},
        {"<Document><list><Column><Caption>x</Caption></Column></list></Document>", TColumnTableSource::Malformed},
        {"<Document><List><column><caption>x</caption></column></List></Document>", TColumnTableSource::Malformed},
        {"<Document><List/></Document>", TColumnTableSource::Loaded},  // the user's own empty choice
    };
    for (const auto& row : rows) {
        TTempAppDir dir;
        if (row.File)
            dir.WriteBytes(ColumnFileName, *row.File);
        const TColumnTableLoad load = LoadColumnTable(dir.Path(ColumnFileName));
        const bool malformed = row.Source == TColumnTableSource::Malformed;
        SCOPED_TRACE(row.File.value_or("none").constData());
        EXPECT_EQ(load.Source, row.Source);
        EXPECT_EQ(load.Table, row.Source == TColumnTableSource::Loaded ? TColumnTable() : DefaultColumnTable());
        EXPECT_EQ(load.WriteBack, !malformed);
        EXPECT_EQ(load.Error.isEmpty(), !malformed);
    }
    TTempAppDir dir;
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("fifo.dat")).constData(), 0600), 0);
    EXPECT_EQ(LoadColumnTable(dir.Path("fifo.dat")).Source, TColumnTableSource::Malformed);
    SaveColumnTable(dir.Path(ColumnFileName), {{"量", 44, true}});
    EXPECT_EQ(LoadColumnTable(dir.Path(ColumnFileName)).Table, (TColumnTable{{"量", 44, true}}));
}

TEST(ColumnTableTest, WidthsComeBackOnlyForShownColumns) {
    TColumnTable table = DefaultColumnTable();
    EXPECT_EQ(ShownCaptions(table), (QStringList{"料理名", "種類", "量", "画", "登録日付"}));
    TakeBackColumnWidths(table, ShownCaptions(table), {120, 51, 41, 26, 76});
    EXPECT_EQ(table[0].Width, 120);
    EXPECT_EQ(table[4].Width, 76);
    EXPECT_EQ(table[5].Width, 40);  // hidden カロリー keeps its width
}
