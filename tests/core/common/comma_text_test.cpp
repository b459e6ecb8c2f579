#include <gtest/gtest.h>

#include "core/common/comma_text.h"
#include "core/common/text_search.h"
#include "support/temp_app_dir.h"

namespace {

QStringList Split(const QString& text) { return SplitCommaText(text); }

}  // namespace

TEST(CommaText, FieldsCommasAndBlanks) {
    EXPECT_EQ(Split("a,b,c"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(Split("a,,b"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(Split(",a"), (QStringList{"", "a"}));
    EXPECT_EQ(Split(","), (QStringList{"", ""}));
    // A comma at the very end adds one empty field; a blank after it does not.
    EXPECT_EQ(Split("a,"), (QStringList{"a", ""}));
    EXPECT_EQ(Split("a, "), (QStringList{"a"}));
    EXPECT_EQ(Split("a,b,c,"), (QStringList{"a", "b", "c", ""}));
    // Blanks and control characters separate and are skipped around fields.
    EXPECT_EQ(Split("  \t\r\na b"), (QStringList{"a", "b"}));
    EXPECT_EQ(Split("a , b"), (QStringList{"a", "b"}));
    EXPECT_EQ(Split("a\r\nb"), (QStringList{"a", "b"}));
    EXPECT_TRUE(Split("").isEmpty());
    EXPECT_TRUE(Split("   ").isEmpty());
}

TEST(CommaText, QuotedFields) {
    EXPECT_EQ(Split(R"("a""b")"), (QStringList{"a\"b"}));
    EXPECT_EQ(Split(R"("a, b",c)"), (QStringList{"a, b", "c"}));
    EXPECT_EQ(Split("\"line1\r\nline2\",x"), (QStringList{"line1\r\nline2", "x"}));
    // No closing quote: the field runs to the end of the text.
    EXPECT_EQ(Split(R"("abc)"), (QStringList{"abc"}));
    EXPECT_EQ(Split(R"("abc, def)"), (QStringList{"abc, def"}));
    EXPECT_EQ(Split(R"("")"), (QStringList{""}));
    // Text after a closing quote starts a new field.
    EXPECT_EQ(Split(R"("a"b,c)"), (QStringList{"a", "b", "c"}));
    // A quote inside an unquoted field is an ordinary character.
    EXPECT_EQ(Split(R"(a"b,c)"), (QStringList{"a\"b", "c"}));
    // The LAN replies and the server list: quoted name and address.
    EXPECT_EQ(Split(R"("肉じゃが","192.168.0.2")"), (QStringList{"肉じゃが", "192.168.0.2"}));
}

TEST(CommaText, NulEndsTheText) {
    EXPECT_EQ(Split(QString::fromUtf16(u"a,b\0,c", 6)), (QStringList{"a", "b"}));
    EXPECT_EQ(Split(QString::fromUtf16(u"a,\0b", 4)), (QStringList{"a", ""}));
    EXPECT_EQ(Split(QString::fromUtf16(u"\"a\0b\"", 5)), (QStringList{"a"}));
    EXPECT_TRUE(Split(QString(QChar(0)) + "a").isEmpty());
}

TEST(CommaText, FullWidthCharactersBelongToFields) {
    // "　" (81 40) is not a blank here, "ー" (81 5B) and "、" are plain text.
    const QString text = Sjis("\x83\x5E\x83\x7D\x83\x53\x81\x40\x81\x5B,\x96\xBC\x81\x41\x8E\x9A");
    EXPECT_EQ(Split(text), (QStringList{Sjis("\x83\x5E\x83\x7D\x83\x53\x81\x40\x81\x5B"),
                                        Sjis("\x96\xBC\x81\x41\x8E\x9A")}));
    EXPECT_EQ(Split(QStringLiteral("卵　塩")), (QStringList{QStringLiteral("卵　塩")}));
    EXPECT_EQ(Split(QStringLiteral("ｶｯﾌﾟ,μg")), (QStringList{QStringLiteral("ｶｯﾌﾟ"), QStringLiteral("μg")}));
}

TEST(TextSearch, ExactCaseSensitiveAndWholeCharacters) {
    EXPECT_EQ(FindText("abcABCabc", "ABC"), 3);
    EXPECT_EQ(FindText("abcABCabc", "abc", 1), 6);
    EXPECT_EQ(FindText("abc", "Abc"), -1);
    EXPECT_EQ(FindText("abc", ""), -1);
    EXPECT_EQ(FindText(QStringLiteral("玉ねぎと卵"), QStringLiteral("卵")), 4);
    // A match never starts inside a surrogate pair.
    const QString pair = QString::fromUtf8("\xF0\xA0\x80\x8B");  // U+2000B
    const QString lowHalf(pair[1]);
    EXPECT_EQ(FindText(pair + "x", lowHalf), -1);
    EXPECT_EQ(FindText(pair + "x" + lowHalf, lowHalf), 3);
    EXPECT_EQ(ReplaceAllText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAllText("a&b&", "&", "&amp;"), "a&amp;b&amp;");
    EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
}
