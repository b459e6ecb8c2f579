#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/common/base64.h"

namespace {

std::optional<QByteArray> Decode(const QByteArray& text) {
    QByteArray out;
    return Base64DecodeBuffer(text, out) ? std::optional(out) : std::nullopt;
}

QByteArray RandomBytes(QRandomGenerator& random, int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

}  // namespace

TEST(Base64, RoundTripsPaddingAndWrappedLines) {
    const std::pair<QByteArray, QByteArray> vectors[] = {{"f", "Zg=="}, {"fo", "Zm8="}, {"\xFB\xFF\xBF", "+/+/"}};
    for (const auto& [plain, coded] : vectors)
        EXPECT_TRUE(Base64EncodeBuffer(plain) == coded && Decode(coded) == plain) << coded.toStdString();
    // Compared with an independent encoder: padded, no line breaks.
    QRandomGenerator random(20261206);
    for (int n = 0; n < 300; ++n) {
        const QByteArray bytes = RandomBytes(random, n < 100 ? n : int(random.bounded(70000)));
        EXPECT_EQ(Base64EncodeBuffer(bytes), bytes.toBase64());
        EXPECT_EQ(Decode(bytes.toBase64()), bytes) << bytes.size();
    }
    // Without padding only whole triplets encode; a refusal leaves the destination.
    QByteArray out = "unchanged";
    EXPECT_FALSE(Base64EncodeBuffer("ABCD", false, out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(Base64EncodeBuffer("ABCDEF", false, out) && out == "QUJDREVG");
    // Mail wraps lines: blanks and line breaks between characters are skipped.
    const QByteArray bytes = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(Decode(Base64EncodeBuffer(bytes).insert(20, "\r\n").insert(7, ' ').append("\r\n")), bytes);
    EXPECT_EQ(Decode(" \r\n"), QByteArray());
}

TEST(Base64, GarbageIsRefusedAndLeavesTheDestination) {
    // Groups cut short or one character too long, characters outside the alphabet
    // (the URL-safe one included), NUL and high bytes, misplaced pads, data after them.
    const QByteArray garbage[] = {"Zg", "Zm9vY", "Zm9v!A==", "Zm-v", QByteArray("Zm\0v", 4), "Zm\xE9v", "=Zm9",
                                  "Z===", "Zg=a", "Zg==Zm9v", "Zg==Zg==", "===="};
    for (const QByteArray& text : garbage) {
        QByteArray out = "keep";
        EXPECT_FALSE(Base64DecodeBuffer(text, out) || out != "keep") << text.toStdString();
    }
    // Text outside Latin-1 is refused, not narrowed.
    QByteArray out = "keep";
    EXPECT_FALSE(Base64DecodeBuffer(QStringLiteral("Zm９v"), out) || out != "keep");
    // Random bytes never crash the decoder.
    QRandomGenerator random(7);
    for (int n = 0; n < 2000; ++n) {
        const QByteArray junk = RandomBytes(random, int(random.bounded(40)));
        QByteArray decoded;
        EXPECT_TRUE(!Base64DecodeBuffer(junk, decoded) || decoded.size() <= junk.size());
    }
}
