#include "core/platform/text_codes.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(TextCodes, CodesTableAndRandomRoundTrips) {
    const std::pair<QString, QString> cases[] = {
        {"&<>[]%*\t", "@#38;@#60;@#62;@#91;@#93;@#37;@#42;@#09;"}, {"a\r\nb", "a@#13;@#10;b"},
        // A lone CR or LF and the "@" are not coded.
        {"a\nb\rc@#", "a\nb\rc@#"},
        // "ー" (81 5B) and "　" (81 40): their second bytes are "[" and "@", not the characters.
        {Sjis("\x81\x5B\x81\x40[\x81\x5B]"), Sjis("\x81\x5B\x81\x40@#91;\x81\x5B@#93;")},
    };
    for (const auto& [plain, coded] : cases)
        EXPECT_TRUE(EncodeTextCodes(plain) == coded && DecodeTextCodes(coded) == plain) << plain.toStdString();

    // Texts made of the coded characters, the parts of the codes and double-byte characters whose second
    // byte is "@" or "[".
    const QString pieces[] = {"&", "<", ">", "[", "]", "%", "*", "\t", "\r", "\n", "@", "#", "3", "8", ";",
                              "6", "0", "9", "1", "a", Sjis("\x81\x5B"), Sjis("\x81\x40"), Sjis("\x83\x40")};
    QRandomGenerator random(1206);
    int tried = 0;
    for (int n = 0; n < 5000; ++n) {
        QString text;
        for (int i = int(random.bounded(12)); i > 0; --i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        // A code typed into the text comes back as its character: the format cannot tell it from a coded one.
        if (DecodeTextCodes(text) != text)
            continue;
        ++tried;
        const QString coded = EncodeTextCodes(text);
        ASSERT_EQ(DecodeTextCodes(coded), text) << text.toStdString();
        ASSERT_EQ(FromSjis(ToSjis(coded)), coded);
    }
    EXPECT_GT(tried, 3000);
}
