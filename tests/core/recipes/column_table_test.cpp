#include <gtest/gtest.h>

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
    EXPECT_TRUE(ParseColumnTable(QStringLiteral("<Document/>")).empty());
    EXPECT_TRUE(ParseColumnTable(QStringLiteral("<Document><List/></Document>")).empty());
    EXPECT_THROW(ParseColumnTable(QStringLiteral("<Document><List>")), TSaporiaError);
}

TEST(ColumnTableTest, LoadingKeepsABrokenFileAndUsesTheDefaults) {
    TTempAppDir dir;
    const QString path = dir.Path(ColumnFileName);
    TColumnTableLoad missing = LoadColumnTable(path);
    EXPECT_EQ(missing.Table, DefaultColumnTable());
    EXPECT_TRUE(missing.WriteBack);
    EXPECT_TRUE(missing.Error.isEmpty());

    dir.WriteBytes(ColumnFileName, "<Document><List><Column>");
    TColumnTableLoad broken = LoadColumnTable(path);
    EXPECT_EQ(broken.Table, DefaultColumnTable());
    EXPECT_FALSE(broken.WriteBack);
    EXPECT_FALSE(broken.Error.isEmpty());

    SaveColumnTable(path, {{QStringLiteral("量"), 44, true}});
    TColumnTableLoad saved = LoadColumnTable(path);
    EXPECT_TRUE(saved.WriteBack);
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
