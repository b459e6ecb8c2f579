#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

TEST(Sjis, JapaneseRoundTripsThroughCp932) {
    const QString text = QStringLiteral("起動中... [2.1.0.0] レシピが変更されています、保存しますか？ 変更有り ～ ｶｯﾌﾟ μg ①");
    const QByteArray bytes = ToSjis(text);
    EXPECT_EQ(FromSjis(bytes), text);
    // CP932, not SHIFT_JIS: 0x8160 is the full-width tilde.
    EXPECT_EQ(FromSjis(QByteArray("\x81\x60")), QString(QChar(0xFF5E)));
    EXPECT_EQ(ToSjis(QString(QChar(0xFF5E))), QByteArray("\x81\x60"));
    // Half-width katakana are single bytes.
    EXPECT_EQ(ToSjis(QStringLiteral("ｶｯﾌﾟ")).size(), 4);
    EXPECT_EQ(FromSjis(QByteArray("\x83\xCA")), QString(QChar(0x03BC)));
}

TEST(Sjis, EveryByteSequenceSurvivesDecodeAndEncode) {
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        EXPECT_EQ(ToSjis(FromSjis(one)), one) << b;
    }
    // Lone lead bytes, truncated pairs and bytes CP932 does not define.
    const QByteArray odd("\x82\xA0\xFF\xFE\x80\xA0\x81\x7F\xEF\x81");
    EXPECT_EQ(ToSjis(FromSjis(odd)), odd);
}

TEST(Sjis, UnencodableCharacterIsNamedNotDropped) {
    const QString text = QStringLiteral("卵") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("焼き");
    TSjisFailure failure;
    EXPECT_FALSE(TryToSjis(text, &failure).has_value());
    EXPECT_EQ(failure.Position, 1);
    EXPECT_EQ(failure.Character, QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsSjisEncodable(QStringLiteral("한국")));
    try {
        ToSjis(text);
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8("\xF0\x9F\x98\x80")));
    }
}

TEST(Sjis, LinesSplitAtEveryBreakAndWriteAsCrLf) {
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(SplitLines(QString()).isEmpty());
    EXPECT_EQ(ToCrLf(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(SjisByteLength(QStringLiteral("ab卵ｶ")), 5);
}

TEST(Sjis, CharactersThatWouldReadBackAsOthersAreRefused) {
    // "¥" would be stored as 0x5C and come back as "\", "‾" as "~".
    for (const QString& text : {QStringLiteral("費用¥300"), QStringLiteral("上線‾")}) {
        TSjisFailure failure;
        EXPECT_FALSE(TryToSjis(text, &failure).has_value()) << qPrintable(text);
        EXPECT_EQ(failure.Position, 2);
        EXPECT_EQ(failure.Character, text.mid(2, 1));
        EXPECT_THROW(ToSjis(text), TSaporiaError);
    }
    // The first character that cannot be stored is the one named.
    TSjisFailure failure;
    EXPECT_FALSE(TryToSjis(QStringLiteral("🍣¥"), &failure).has_value());
    EXPECT_EQ(failure.Position, 0);
    EXPECT_FALSE(TryToSjis(QStringLiteral("¥🍣"), &failure).has_value());
    EXPECT_EQ(failure.Position, 0);
    EXPECT_EQ(failure.Character, QStringLiteral("¥"));
    // The full-width yen and a raw byte beside the refused character still work.
    EXPECT_EQ(ToSjis(QStringLiteral("￥300")), QByteArray("\x81\x8f" "300"));
    EXPECT_EQ(ToSjis(FromSjis(QByteArray("\xff\\\x80~"))), QByteArray("\xff\\\x80~"));
    // The JIS forms of the same character are stored as CP932's form.
    EXPECT_EQ(ToSjis(QString(QChar(0x301C))), QByteArray("\x81\x60"));
    EXPECT_EQ(ToSjis(QString(QChar(0x2212))), QByteArray("\x81\x7c"));
}

TEST(Sjis, OnlyTheHighRawByteCharactersBecomeBytes) {
    // Every ASCII byte decodes to itself, so no raw-byte character stands for one.
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(FromSjis(QByteArray(1, static_cast<char>(b))), QString(QChar(b))) << b;
    EXPECT_EQ(ToSjis(QString(QChar(0xF780)) + QChar(0xF7FF)), QByteArray("\x80\xff"));
    // The private-use characters below them are text CP932 cannot hold, not a
    // way to write a line break, "<" or "/" past the checks on the text.
    for (const char16_t c : {u'\uF70A', u'\uF70D', u'\uF73C', u'\uF72F', u'\uF700', u'\uF77F'}) {
        TSjisFailure failure;
        EXPECT_FALSE(TryToSjis(QStringLiteral("a") + QChar(c), &failure).has_value()) << int(c);
        EXPECT_EQ(failure.Position, 1);
    }
}
