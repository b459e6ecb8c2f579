#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/common/base64.h"

namespace {

std::optional<QByteArray> Decode(const QByteArray& text) {
    QByteArray out;
    if (!Base64DecodeBuffer(text, out))
        return std::nullopt;
    return out;
}

QByteArray RandomBytes(QRandomGenerator& random, int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

}  // namespace

TEST(Base64, KnownVectorsBothWays) {
    // The random round trip below compares with an independent encoder; these state the padding.
    const std::pair<QByteArray, QByteArray> vectors[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"\xFB\xFF\xBF", "+/+/"},
    };
    for (const auto& [plain, coded] : vectors) {
        SCOPED_TRACE(coded.toStdString());
        EXPECT_EQ(Base64EncodeBuffer(plain), coded);
        EXPECT_EQ(Decode(coded), plain);
    }

    // Without padding only whole triplets encode; a refusal leaves the destination.
    QByteArray out = "unchanged";
    EXPECT_FALSE(Base64EncodeBuffer("ABCD", false, out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(Base64EncodeBuffer("ABCDEF", false, out));
    EXPECT_EQ(out, "QUJDREVG");
}

TEST(Base64, RandomBuffersRoundTrip) {
    QRandomGenerator random(20261206);
    for (int n = 0; n < 300; ++n) {
        const QByteArray bytes = RandomBytes(random, n < 100 ? n : int(random.bounded(70000)));
        const QByteArray coded = Base64EncodeBuffer(bytes);
        EXPECT_EQ(coded, bytes.toBase64());  // agrees with an independent encoder: padded, no line breaks
        EXPECT_EQ(Decode(coded), bytes) << bytes.size();
    }
}

TEST(Base64, GarbageIsRefusedAndLeavesTheDestination) {
    // Groups cut short or one character too long, characters outside the alphabet
    // (the URL-safe one included), NUL and high bytes, misplaced pads, data after them.
    const QByteArray garbage[] = {"Zg",     "Zm9vY",    "Zm9v!A==", "Zm-v", QByteArray("Zm\0v", 4), "Zm\xE9v",
                                  "=Zm9",   "Z===",     "Zg=a",     "Zg==Zm9v", "Zg==Zg==", "===="};
    for (const QByteArray& text : garbage) {
        QByteArray out = "keep";
        EXPECT_FALSE(Base64DecodeBuffer(text, out)) << text.toStdString();
        EXPECT_EQ(out, "keep") << text.toStdString();
    }
    // Random bytes never crash the decoder.
    QRandomGenerator random(7);
    for (int n = 0; n < 2000; ++n) {
        const QByteArray junk = RandomBytes(random, int(random.bounded(40)));
        QByteArray decoded;
        if (Base64DecodeBuffer(junk, decoded)) {
            EXPECT_LE(decoded.size(), junk.size());
        }
    }
}

TEST(Base64, LineBreaksAndBlanksOfWrappedMailAreIgnored) {
    const QByteArray bytes = "The quick brown fox jumps over the lazy dog";
    QByteArray wrapped = Base64EncodeBuffer(bytes);
    wrapped.insert(20, "\r\n").insert(7, ' ').append("\r\n");
    EXPECT_EQ(Decode(wrapped), bytes);
    EXPECT_EQ(Decode(" \r\n"), QByteArray());
    // Text holding a character outside Latin-1 is refused, not narrowed.
    QByteArray out = "keep";
    EXPECT_FALSE(Base64DecodeBuffer(QStringLiteral("Zm９v"), out));
    EXPECT_EQ(out, "keep");
}
