#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>

#include "core/recipes/column_table.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(ColumnTableTest, FileHoldsTheExactLinesAndReadsBack) {
    const TColumnTable table{{QStringLiteral("料理名"), 120, true}, {QStringLiteral("塩分"), 40, false}};
    const QByteArray bytes = FormatColumnTable(table);
    const QByteArray expected = ToSjis(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
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
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(ParseColumnTable(FromSjis(bytes)), table);

    // The default table survives the round trip, and so does a caption with
    // the characters XML reserves (written unescaped it would not parse).
    EXPECT_EQ(ParseColumnTable(FromSjis(FormatColumnTable(DefaultColumnTable()))), DefaultColumnTable());
    const TColumnTable odd{{QStringLiteral("A&B <量>"), 60, true}};
    EXPECT_TRUE(FormatColumnTable(odd).contains(ToSjis(QStringLiteral("A&amp;B &lt;量&gt;"))));
    EXPECT_EQ(ParseColumnTable(FromSjis(FormatColumnTable(odd))), odd);
}

TEST(ColumnTableTest, ReadingFollowsTheStoredRules) {
    const TColumnTable table = ParseColumnTable(QStringLiteral(
        "<Document><List>"
        "<Column><Caption>料理名</Caption><Width>abc</Width><Use>True</Use></Column>"
        "<Other><Caption>種類</Caption><Width>33</Width><Use>true</Use></Other>"
        "<Column><Width>12</Width></Column>"
        "</List></Document>"));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0], (TColumnData{QStringLiteral("料理名"), 50, true}));  // width not a number
    EXPECT_EQ(table[1], (TColumnData{QStringLiteral("種類"), 33, false}));   // any element name; "true" is not True
    EXPECT_EQ(table[2], (TColumnData{QString(), 12, false}));
    EXPECT_THROW(ParseColumnTable(QStringLiteral("<Document><List>")), TSaporiaError);
}

TEST(ColumnTableTest, AnUnusableFileIsKeptAndTheDefaultsServe) {
    TTempAppDir dir;
    const QString path = dir.Path(ColumnFileName);
    const TColumnTableLoad missing = LoadColumnTable(path);
    EXPECT_EQ(missing.Table, DefaultColumnTable());
    EXPECT_EQ(missing.Source, TColumnTableSource::Defaulted);
    EXPECT_TRUE(missing.WriteBack);
    EXPECT_TRUE(missing.Error.isEmpty());

    // Each would otherwise empty the list, and the empty table would be
    // written back at exit.
    const QByteArray malformed[] = {
        "<Document><List><Column>",  // not well-formed
        "<Document><list><Column><Caption>x</Caption></Column></list></Document>",
        "<document><List><Column><Caption>x</Caption></Column></List></document>",
        "<List><Column><Caption>x</Caption></Column></List>",
        "<Document><List><column><caption>x</caption></column></List></Document>",
    };
    for (const QByteArray& bytes : malformed) {
        dir.WriteBytes(ColumnFileName, bytes);
        const TColumnTableLoad load = LoadColumnTable(path);
        EXPECT_EQ(load.Table, DefaultColumnTable()) << bytes.constData();
        EXPECT_EQ(load.Source, TColumnTableSource::Malformed) << bytes.constData();
        EXPECT_FALSE(load.WriteBack) << bytes.constData();
        EXPECT_FALSE(load.Error.isEmpty()) << bytes.constData();
    }
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("fifo.dat")).constData(), 0600), 0);
    EXPECT_EQ(LoadColumnTable(dir.Path("fifo.dat")).Source, TColumnTableSource::Malformed);

    // An empty "List" is the user's own choice.
    dir.WriteBytes(ColumnFileName, "<Document><List/></Document>");
    EXPECT_EQ(LoadColumnTable(path).Source, TColumnTableSource::Loaded);
    EXPECT_TRUE(LoadColumnTable(path).Table.empty());

    SaveColumnTable(path, {{QStringLiteral("量"), 44, true}});
    const TColumnTableLoad saved = LoadColumnTable(path);
    EXPECT_TRUE(saved.WriteBack);
    EXPECT_EQ(saved.Source, TColumnTableSource::Loaded);
    EXPECT_EQ(saved.Table, (TColumnTable{{QStringLiteral("量"), 44, true}}));
}

TEST(ColumnTableTest, WidthsComeBackOnlyForShownColumns) {
    TColumnTable table = DefaultColumnTable();
    TakeBackColumnWidths(table, ShownCaptions(table), {120, 51, 41, 26, 76});
    EXPECT_EQ(table[0].Width, 120);
    EXPECT_EQ(table[4].Width, 76);
    EXPECT_EQ(table[5].Width, 40);  // hidden カロリー keeps its width
    EXPECT_EQ(ShownCaptions(table),
              (QStringList{QStringLiteral("料理名"), QStringLiteral("種類"), QStringLiteral("量"),
                           QStringLiteral("画"), QStringLiteral("登録日付")}));
}
