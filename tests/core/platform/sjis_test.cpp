#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

TEST(Sjis, JapaneseRoundTripsThroughCp932) {
    const QString text = QStringLiteral("起動中... [2.1.0.0] レシピが変更されています、保存しますか？ ～ ｶｯﾌﾟ μg ①");
    EXPECT_EQ(FromSjis(ToSjis(text)), text);
    // CP932, not SHIFT_JIS: 0x8160 is the full-width tilde; the JIS forms of a character are stored as CP932's.
    const std::pair<QString, QByteArray> cases[] = {
        {QString(QChar(0xFF5E)), "\x81\x60"}, {QStringLiteral("ｶｯﾌﾟ"), "\xb6\xaf\xcc\xdf"},
        {QString(QChar(0x03BC)), "\x83\xCA"}, {QStringLiteral("￥300"), "\x81\x8f" "300"},
        {QString(QChar(0xF780)) + QChar(0xF7FF), "\x80\xff"},
    };
    for (const auto& [chars, bytes] : cases)
        EXPECT_TRUE(ToSjis(chars) == bytes && FromSjis(bytes) == chars) << qPrintable(chars);
    EXPECT_EQ(ToSjis(QString(QChar(0x301C))), QByteArray("\x81\x60"));
    EXPECT_EQ(ToSjis(QString(QChar(0x2212))), QByteArray("\x81\x7c"));
}

TEST(Sjis, EveryByteSequenceSurvivesDecodeAndEncode) {
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        EXPECT_EQ(ToSjis(FromSjis(one)), one) << b;
        EXPECT_TRUE(b >= 0x80 || FromSjis(one) == QString(QChar(b))) << b;  // no raw-byte character for ASCII
    }
    // Lone lead bytes, truncated pairs and bytes CP932 does not define, also beside refused characters.
    for (const QByteArray& odd : {QByteArray("\x82\xA0\xFF\xFE\x80\xA0\x81\x7F\xEF\x81"), QByteArray("\xff\\\x80~"),
                                  QByteArray("abc\x82\r\n\x82\x60")})
        EXPECT_EQ(ToSjis(FromSjis(odd)), odd);
}

TEST(Sjis, TextThatWouldNotReadBackIsRefusedNamingItsPosition) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const std::tuple<QString, int, QString> cases[] = {
        {QStringLiteral("卵") + emoji + QStringLiteral("焼き"), 1, emoji}, {QStringLiteral("한국"), 0, QStringLiteral("한")},
        // "¥" would come back as "\", "‾" as "~"; the first character that cannot be stored is named.
        {QStringLiteral("費用¥300"), 2, QStringLiteral("¥")}, {QStringLiteral("上線‾"), 2, QStringLiteral("‾")},
        {QStringLiteral("¥🍣"), 0, QStringLiteral("¥")},
        // Private-use characters below the raw bytes are not a way to write a line break, "<" or "/".
        {QStringLiteral("a") + QChar(0xF700), 1, QString(QChar(0xF700))},
        {QStringLiteral("a") + QChar(0xF77F), 1, QString(QChar(0xF77F))},
        // A kept raw byte moved before a trail byte by an edit (two lines joined) would read back as
        // another character: "ｂ`" for "\x82Ａ".
        {FromSjis(QByteArray("abc\x82")) + FromSjis(QByteArray("\x82\x60\x82\x61")), 3, QString(QChar(0xF782))},
        {FromSjis(QByteArray("\x82")) + QStringLiteral("a"), 0, QString(QChar(0xF782))},
        // CP932 writes "神" read from 0xEE62 as 0xFB7E: after a kept 0xEE it would read back as 0xEEFB.
        {FromSjis(QByteArray("\xEE\xEE\x62")), 0, QString(QChar(0xF7EE))},
        // A raw byte that CP932 reads as a character of its own.
        {QStringLiteral("x") + QChar(0xF7B1), 1, QString(QChar(0xF7B1))},
    };
    for (const auto& [text, position, character] : cases) {
        SCOPED_TRACE(qPrintable(text));
        TSjisFailure failure;
        EXPECT_FALSE(TryToSjis(text, &failure).has_value());
        EXPECT_EQ(std::pair(failure.Position, failure.Character), std::pair(position, character));
        try {
            ToSjis(text);
            ADD_FAILURE() << "no error";
        } catch (const TSaporiaError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("(%1文字目)").arg(position + 1))) << qPrintable(e.message());
        }
    }
}

TEST(Sjis, LinesSplitAtEveryBreakAndWriteAsCrLf) {
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(SplitLines(QString()).isEmpty());
    EXPECT_EQ(ToCrLf(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(SjisByteLength(QStringLiteral("ab卵ｶ")), 5);
}
