#include <gtest/gtest.h>

#include "core/common/text_aids.h"
#include "core/platform/sjis.h"

TEST(TextAids, FullWidthDigitsAndByteColumns) {
    EXPECT_EQ(FullWidthDigitsToAscii(QStringLiteral("卵０１２個、水３４５６７８９ｃｃ、10g")),
              QStringLiteral("卵012個、水3456789ｃｃ、10g"));
    // Half-width katakana and a raw byte kept from a file take one byte.
    const std::pair<char16_t, int> bytes[] = {{u'a', 1}, {u'ｱ', 1}, {u'卵', 2}, {u'～', 2}, {0xF781, 1}};
    for (const auto& [c, n] : bytes)
        EXPECT_EQ(SjisCharBytes(QChar(c)), n) << int(c);
}

TEST(TextAids, AlignmentTable) {
    const QString longName(25, QChar(u'あ'));  // 50 bytes
    // {lines, separator, style, aligned lines}
    const std::tuple<QStringList, QString, TAlignStyle, QStringList> cases[] = {
        // 玉ねぎ is 6 bytes, so the separator goes to byte 7 everywhere; lines without it stay.
        {{QStringLiteral("卵…2個"), QStringLiteral("ｼｲﾀｹ…3枚"), QStringLiteral("玉ねぎ…1個"), QStringLiteral("塩少々")},
         QStringLiteral("…"), TAlignStyle::Blanks,
         {QStringLiteral("卵    …2個"), QStringLiteral("ｼｲﾀｹ  …3枚"), QStringLiteral("玉ねぎ…1個"), QStringLiteral("塩少々")}},
        // A separator past byte 40 stays where it is; the others go to byte 40.
        {{longName + ":x", "a:b"}, ":", TAlignStyle::Blanks, {longName + ":x", "a" + QString(38, u' ') + ":b"}},
        // Dots: "牛乳" puts the blank at byte 5, so "卵" and "ab" get 2 padding dots.
        {{QStringLiteral("卵 2個"), QStringLiteral("牛乳 200cc"), "ab 1"}, " ", TAlignStyle::Dots,
         {QStringLiteral("卵 ... 2個"), QStringLiteral("牛乳 . 200cc"), "ab ... 1"}},
        // A "." separator: the padding dots are not taken for the separator.
        {{QStringLiteral("卵.2"), "a.1.5"}, ".", TAlignStyle::Dots, {QStringLiteral("卵 . 2"), "a .. 1.5"}},
        // A full-width separator of three characters (6 bytes) gives six dots.
        {{QStringLiteral("塩：：：少々")}, QStringLiteral("：：："), TAlignStyle::Dots, {QStringLiteral("塩 ...... 少々")}},
    };
    for (const auto& [lines, sep, style, aligned] : cases)
        EXPECT_EQ(AlignAtSeparator(lines, sep, style), aligned) << lines.join('|').toStdString();
}

TEST(TextAids, MaterialItemsFollowHeadingsAndInsertSecondField) {
    const QStringList list = {QStringLiteral("たまねぎ 玉ねぎ"), QStringLiteral("//****//"), QStringLiteral("【野菜】"),
                              QStringLiteral("[根菜]"), QStringLiteral("たまねぎ 玉葱"), QStringLiteral("【調味料】"),
                              QStringLiteral("たまり たまり_醤油 x"), QStringLiteral("しお 塩")};
    QStringList found;  // caption/category/index; before the first heading there is no icon
    for (const TMaterialItem& item : MaterialItemsFor(list, QStringLiteral("たま")))
        found << QStringLiteral("%1/%2/%3").arg(item.Caption).arg(item.Category).arg(item.Index);
    EXPECT_EQ(found, QStringList({QStringLiteral("  たまねぎ 玉ねぎ/-1/0"), QStringLiteral("[根菜]  たまねぎ 玉葱/0/4"),
                                  QStringLiteral("[根菜]  たまり たまり_醤油 x/3/6")}));
    EXPECT_TRUE(MaterialItemsFor(list, QString()).isEmpty());
    EXPECT_EQ(MaterialItemsFor(list, QStringLiteral("【")).size(), 2);  // headings are items too
    EXPECT_EQ(MaterialInsertText(list[6]), QStringLiteral("たまり 醤油"));
    EXPECT_EQ(MaterialInsertText(list[7]), QStringLiteral("塩"));
    EXPECT_EQ(MaterialInsertText(QStringLiteral("one")), QString());
}
