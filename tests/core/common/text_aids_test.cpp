#include <gtest/gtest.h>

#include "core/common/text_aids.h"
#include "core/platform/sjis.h"

TEST(TextAids, FullWidthDigitsBecomeAscii) {
    EXPECT_EQ(FullWidthDigitsToAscii(QStringLiteral("卵０１２個、水３４５６７８９ｃｃ、10g")),
              QStringLiteral("卵012個、水3456789ｃｃ、10g"));
}

TEST(TextAids, ByteColumnsCountHalfWidthKatakanaOnce) {
    EXPECT_EQ(SjisCharBytes(QChar(u'a')), 1);
    EXPECT_EQ(SjisCharBytes(QChar(u'ｱ')), 1);
    EXPECT_EQ(SjisCharBytes(QChar(u'卵')), 2);
    EXPECT_EQ(SjisCharBytes(QChar(u'～')), 2);
    EXPECT_EQ(SjisCharBytes(QChar(0xF781)), 1);  // a raw byte kept from a file
}

TEST(TextAids, AlignmentWithBlanksLinesUpByteColumns) {
    const QStringList lines = {QStringLiteral("卵…2個"), QStringLiteral("ｼｲﾀｹ…3枚"), QStringLiteral("玉ねぎ…1個"),
                               QStringLiteral("塩少々")};
    const QStringList out = AlignAtSeparator(lines, QStringLiteral("…"), TAlignStyle::Blanks);
    // 玉ねぎ is 6 bytes, so the separator goes to byte 7 everywhere.
    EXPECT_EQ(out[0], QStringLiteral("卵    …2個"));
    EXPECT_EQ(out[1], QStringLiteral("ｼｲﾀｹ  …3枚"));
    EXPECT_EQ(out[2], lines[2]);
    EXPECT_EQ(out[3], lines[3]);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ToSjis(out[i]).indexOf(ToSjis(QStringLiteral("…"))), 6) << i;

    // A separator past byte 40 stays where it is; the others go to byte 40.
    const QString longName = QString(25, QChar(u'あ'));  // 50 bytes
    const QStringList far = AlignAtSeparator({longName + ":x", QStringLiteral("a:b")}, ":", TAlignStyle::Blanks);
    EXPECT_EQ(far[0], longName + ":x");
    EXPECT_EQ(ToSjis(far[1]).indexOf(':'), 39);
}

TEST(TextAids, AlignmentWithDotsReplacesTheSeparatorWhereFound) {
    const QStringList out =
        AlignAtSeparator({QStringLiteral("卵 2個"), QStringLiteral("牛乳 200cc"), QStringLiteral("ab 1")}, " ",
                         TAlignStyle::Dots);
    // "牛乳" puts the blank at byte 5: "卵" gets 2 padding dots, "ab" 2.
    EXPECT_EQ(out[0], QStringLiteral("卵 ... 2個"));
    EXPECT_EQ(out[1], QStringLiteral("牛乳 . 200cc"));
    EXPECT_EQ(out[2], QStringLiteral("ab ... 1"));
    // A "." separator: the padding dots are not taken for the separator.
    const QStringList dots = AlignAtSeparator({QStringLiteral("卵.2"), QStringLiteral("a.1.5")}, ".", TAlignStyle::Dots);
    EXPECT_EQ(dots[0], QStringLiteral("卵 . 2"));
    EXPECT_EQ(dots[1], QStringLiteral("a .. 1.5"));
    // A full-width separator of three characters (6 bytes) gives six dots.
    const QStringList wide =
        AlignAtSeparator({QStringLiteral("塩：：：少々")}, QStringLiteral("：：："), TAlignStyle::Dots);
    EXPECT_EQ(wide[0], QStringLiteral("塩 ...... 少々"));
}

TEST(TextAids, MaterialItemsFollowHeadingsAndInsertSecondField) {
    const QStringList list = {
        QStringLiteral("たまねぎ 玉ねぎ"),
        QStringLiteral("//*********************************************************************//"),
        QStringLiteral("【野菜】"),
        QStringLiteral("[根菜]"),
        QStringLiteral("たまねぎ 玉葱"),
        QStringLiteral("【調味料】"),
        QStringLiteral("たまり たまり_醤油 x"),
        QStringLiteral("しお 塩"),
    };
    const QList<TMaterialItem> items = MaterialItemsFor(list, QStringLiteral("たま"));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].Category, -1);  // before the first heading: no icon
    EXPECT_EQ(items[0].Caption, QStringLiteral("  たまねぎ 玉ねぎ"));
    EXPECT_EQ(items[1].Category, 0);
    EXPECT_EQ(items[1].Caption, QStringLiteral("[根菜]  たまねぎ 玉葱"));
    EXPECT_EQ(items[1].Index, 4);
    EXPECT_EQ(items[2].Category, 3);
    EXPECT_EQ(items[2].Index, 6);
    EXPECT_TRUE(MaterialItemsFor(list, QString()).isEmpty());
    EXPECT_EQ(MaterialItemsFor(list, QStringLiteral("【")).size(), 2);  // headings are items too

    EXPECT_EQ(MaterialInsertText(list[6]), QStringLiteral("たまり 醤油"));
    EXPECT_EQ(MaterialInsertText(list[7]), QStringLiteral("塩"));
    EXPECT_EQ(MaterialInsertText(QStringLiteral("one")), QString());
}
