#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/common/base64.h"

namespace {

QByteArray Encode(const QByteArray& bytes) { return Base64EncodeBuffer(bytes); }

std::optional<QByteArray> Decode(const QByteArray& text) {
    QByteArray out;
    if (!Base64DecodeBuffer(text, out))
        return std::nullopt;
    return out;
}

}  // namespace

TEST(Base64, Rfc4648Vectors) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"A", "QQ=="},
        {"AB", "QUI="},   {"ABC", "QUJD"},
    };
    for (const auto& [plain, coded] : vectors) {
        EXPECT_EQ(Encode(plain), QByteArray(coded)) << plain;
        EXPECT_EQ(Decode(coded), QByteArray(plain)) << coded;
    }
    EXPECT_EQ(Encode(QByteArray("\xFB\xFF\xBF", 3)), "+/+/");
    EXPECT_EQ(Decode("AA=="), QByteArray(1, '\0'));
    EXPECT_EQ(Base64EncodeChar(64), char(64));  // not a 6-bit value: unchanged
    EXPECT_FALSE(Base64DecodeQuad({'Q', 'U', '*', 'D'}).has_value());
}

TEST(Base64, UnpaddedEncodingNeedsWholeTriplets) {
    QByteArray out = "unchanged";
    EXPECT_FALSE(Base64EncodeBuffer("ABCD", false, out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(Base64EncodeBuffer("ABCDEF", false, out));
    EXPECT_EQ(out, "QUJDREVG");
    EXPECT_TRUE(Base64EncodeBuffer("", false, out));
    EXPECT_TRUE(out.isEmpty());
}

TEST(Base64, RandomBuffersRoundTrip) {
    QRandomGenerator random(20261206);
    for (int n = 0; n < 300; ++n) {
        const int size = n < 100 ? n : int(random.bounded(70000));
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& b : bytes)
            b = char(random.bounded(256));
        const QByteArray coded = Encode(bytes);
        EXPECT_EQ(coded.size(), (size + 2) / 3 * 4);
        EXPECT_FALSE(coded.contains('\n'));
        EXPECT_EQ(Decode(coded), bytes) << size;
        EXPECT_EQ(coded, bytes.toBase64());  // agrees with an independent encoder
    }
}

TEST(Base64, GarbageIsRefusedAndLeavesTheDestination) {
    const char* const garbage[] = {
        "Zg",        // group cut short
        "Zm9vY",     // one character too many
        "Zm9v!A==",  // outside the alphabet
        "Zm-v",      // URL-safe alphabet is not ours
        "=Zm9",      // pad at the start
        "Z===",      // three pads
        "Zg=a",      // pad before data
        "Zg==Zm9v",  // data after the padded group
        "Zg==Zg==",
        "====",
    };
    for (const char* text : garbage) {
        QByteArray out = "keep";
        EXPECT_FALSE(Base64DecodeBuffer(QByteArray(text), out)) << text;
        EXPECT_EQ(out, "keep") << text;
    }
    // NUL and high bytes inside the text.
    QByteArray out = "keep";
    EXPECT_FALSE(Base64DecodeBuffer(QByteArray("Zm\0v", 4), out));
    EXPECT_FALSE(Base64DecodeBuffer(QByteArray("Zm\xE9v"), out));
    EXPECT_FALSE(Base64DecodeBuffer(QStringLiteral("Zm９v"), out));
    EXPECT_EQ(out, "keep");
    // Random bytes never crash the decoder.
    QRandomGenerator random(7);
    for (int n = 0; n < 2000; ++n) {
        QByteArray junk(int(random.bounded(40)), Qt::Uninitialized);
        for (char& b : junk)
            b = char(random.bounded(256));
        QByteArray decoded;
        if (Base64DecodeBuffer(junk, decoded)) {
            EXPECT_LE(decoded.size(), junk.size());
        }
    }
}

TEST(Base64, LineBreaksAndBlanksOfWrappedMailAreIgnored) {
    const QByteArray bytes = "The quick brown fox jumps over the lazy dog";
    QByteArray wrapped = Encode(bytes);
    wrapped.insert(20, "\r\n");
    wrapped.insert(7, ' ');
    wrapped.append("\r\n");
    EXPECT_EQ(Decode(wrapped), bytes);
    EXPECT_EQ(Decode(" \r\n"), QByteArray());
    QByteArray fromText;
    EXPECT_TRUE(Base64DecodeBuffer(QString::fromLatin1(Encode(bytes)), fromText));
    EXPECT_EQ(fromText, bytes);
}
