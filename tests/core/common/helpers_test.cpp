#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include "core/common/helpers.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(EscapeXmlText, CodesAndRoundTrips) {
    EXPECT_EQ(EscapeXmlText("a&b<c", true), "a@#38;b@#60;c");
    EXPECT_EQ(EscapeXmlText("&<>[]%*\t", true), "@#38;@#60;@#62;@#91;@#93;@#37;@#42;@#09;");
    EXPECT_EQ(EscapeXmlText("a\r\nb", true), "a@#13;@#10;b");
    // A lone CR or LF and the "@" are not coded.
    EXPECT_EQ(EscapeXmlText("a\nb\rc@#", true), "a\nb\rc@#");
    EXPECT_EQ(EscapeXmlText("x@#62;y", false), "x>y");
    EXPECT_EQ(EscapeXmlText("@#13;@#10;@#09;", false), "\r\n\t");
    // "&" is coded first, so the "&" of no code is touched twice.
    EXPECT_EQ(EscapeXmlText(EscapeXmlText("&<", true), false), "&<");

    const QStringList texts = {
        "plain", "", "5% < 10% & [note] *x*\tend\r\nnext\nlone",
        // "ー" (81 5B) and "　" (81 40): their second bytes are "[" and "@".
        Sjis("\x83\x58\x81\x5B\x83\x76\x81\x40\x8F\xAD\x81\x58[\x81\x5B]@\x81\x40"),
        QStringLiteral("大さじ１　しょうゆ、みりん＆酒"),
    };
    for (const QString& text : texts) {
        const QString escaped = EscapeXmlText(text, true);
        EXPECT_EQ(EscapeXmlText(escaped, false), text) << text.toStdString();
        EXPECT_FALSE(escaped.contains(u'&') || escaped.contains(u'<') || escaped.contains(u'['))
            << escaped.toStdString();
    }
    // Double-byte characters whose second byte is "[" or "@" stay untouched.
    const QString longVowel = Sjis("\x81\x5B\x81\x40");
    EXPECT_EQ(EscapeXmlText(longVowel, true), longVowel);
    EXPECT_EQ(ToSjis(EscapeXmlText(longVowel, true)), QByteArray("\x81\x5B\x81\x40"));
}

TEST(EscapeXmlText, RandomTextsRoundTrip) {
    // Texts made of the coded characters, the parts of the codes and double-byte
    // characters whose second byte is "@" or "[".
    const QString pieces[] = {"&", "<", ">", "[", "]", "%", "*", "\t", "\r", "\n", "@", "#", "3", "8", ";",
                              "6", "0", "9", "1", "a", Sjis("\x81\x5B"), Sjis("\x81\x40"), Sjis("\x83\x40")};
    const QStringList codes = {"@#38;", "@#60;", "@#62;", "@#91;", "@#93;", "@#37;", "@#42;", "@#09;", "@#13;@#10;"};
    QRandomGenerator random(1206);
    int tried = 0;
    for (int n = 0; n < 5000; ++n) {
        QString text;
        const int length = int(random.bounded(12));
        for (int i = 0; i < length; ++i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        // A code typed into the text comes back as its character: the format
        // cannot tell it from a coded one.
        if (std::any_of(codes.begin(), codes.end(), [&](const QString& code) { return text.contains(code); }))
            continue;
        ++tried;
        ASSERT_EQ(EscapeXmlText(EscapeXmlText(text, true), false), text) << text.toStdString();
        ASSERT_EQ(FromSjis(ToSjis(EscapeXmlText(text, true))), EscapeXmlText(text, true));
    }
    EXPECT_GT(tried, 3000);
}

TEST(Units, EveryPairOfTheTable) {
    const QString micro = Sjis("\x83\xCA" "g");
    const QString cup = Sjis("\xB6\xAF\xCC\xDF");
    EXPECT_EQ(micro, UnitMicrogram);
    EXPECT_EQ(cup, UnitCup);
    EXPECT_EQ(ToSjis(UnitMicrogram), QByteArray("\x83\xCA" "g"));
    EXPECT_EQ(ToSjis(UnitCup), QByteArray("\xB6\xAF\xCC\xDF"));
    struct TCase {
        QString From, To;
        double Expected;  // for a value of 6
    };
    const TCase cases[] = {
        {"mm", "m", 0.006},        {"mm", "cm", 0.6},        {"cm", "m", 0.06},       {"cm", "mm", 60},
        {"m", "cm", 600},          {"m", "mm", 6000},        {"mg", "kg", 6e-6},      {"mg", "g", 0.006},
        {"mg", micro, 6000},       {"g", "kg", 0.006},       {"g", "mg", 6000},       {"g", micro, 6e6},
        {"kg", "g", 6000},         {"kg", "mg", 6e6},        {"kg", micro, 6e9},      {micro, "mg", 0.006},
        {micro, "g", 6e-6},        {micro, "kg", 6e-9},      {"ml", "l", 0.006},      {"ml", "dl", 0.06},
        {"ml", cup, 0.03},         {"dl", "ml", 600},        {"dl", "l", 0.6},        {"dl", cup, 3},
        {"l", "ml", 6000},         {"l", "dl", 60},          {"l", cup, 30},          {cup, "ml", 1200},
        {cup, "dl", 12},           {cup, "l", 1.2},
    };
    EXPECT_EQ(std::size(cases), 30u);
    for (const TCase& c : cases)
        EXPECT_DOUBLE_EQ(ConvertUnit(c.From, c.To, 6), c.Expected) << c.From.toStdString() << "->" << c.To.toStdString();

    EXPECT_DOUBLE_EQ(ConvertUnit("ML", "l", 500), 0.5);
    EXPECT_DOUBLE_EQ(ConvertUnit("dl", "ml", 1), 100);
    EXPECT_DOUBLE_EQ(ConvertUnit(cup, "dl", 1), 2);
    EXPECT_DOUBLE_EQ(ConvertUnit("l", cup, 1), 5);
    // Pairs outside the table, and the same unit twice, leave the value.
    EXPECT_DOUBLE_EQ(ConvertUnit("g", "ml", 5), 5);
    EXPECT_DOUBLE_EQ(ConvertUnit("kg", "kg", 7), 7);
    EXPECT_DOUBLE_EQ(ConvertUnit(QStringLiteral("ＭＬ"), "l", 500), 500);  // only ASCII is lowered
    // The micro sign U+00B5 is not the Greek mu that CP932 holds.
    EXPECT_DOUBLE_EQ(ConvertUnit(QString::fromUtf8("\xC2\xB5g"), "mg", 5), 5);
}

TEST(Units, ResultThatIsNotFiniteIsAnError) {
    try {
        ConvertUnit("kg", UnitMicrogram, 1e300);
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_EQ(e.message(), "Error ConvertUnit.");
    }
    EXPECT_THROW(ConvertUnit("m", "mm", std::numeric_limits<double>::infinity()), TSaporiaError);
    EXPECT_THROW(ConvertUnit("m", "mm", std::nan("")), TSaporiaError);
    EXPECT_DOUBLE_EQ(ConvertUnit("mm", "m", 1e300), 1e297);
}

TEST(IsNumeric, AcceptsDecimalNumbersOnly) {
    for (const char* text : {"0", "1.5", "1.", ".5", "-3", "+2.25", " 7 ", "1e5", "1E-5", "2.5e+10", "00012", "1.e3"})
        EXPECT_TRUE(IsNumeric(text)) << text;
    for (const char* text : {"", ".", " ", "-", "+.", "1.2.3", "1,5", "abc", "1e", "1e+", "e5", "0x10", "1 2",
                             "--1", "inf", "nan", "1d", ".e1"})
        EXPECT_FALSE(IsNumeric(text)) << text;
    EXPECT_FALSE(IsNumeric(QStringLiteral("１２")));  // full-width digits
    EXPECT_FALSE(IsNumeric(QStringLiteral("　1")));  // full-width blank
}

TEST(DragAngle, DirectionsAndRounding) {
    EXPECT_EQ(GetDragAngle(10, 0, 0, 0), 0);
    EXPECT_EQ(GetDragAngle(0, 10, 0, 0), 90);
    EXPECT_EQ(GetDragAngle(0, 0, 10, 0), 180);
    EXPECT_EQ(GetDragAngle(0, 0, 0, 10), 270);
    EXPECT_EQ(GetDragAngle(100, -1, 0, 0), 359);
    EXPECT_EQ(GetDragAngle(1000, -1, 0, 0), 360);
    EXPECT_EQ(GetDragAngle(5, 5, 5, 5), 0);
    // Far-apart points do not overflow.
    EXPECT_EQ(GetDragAngle(2000000000, 0, -2000000000, 0), 0);
    EXPECT_EQ(GetDragAngle(0, 2000000000, 0, -2000000000), 90);
}

TEST(DrawVerticalGradient, ColumnsRunFromFirstColourTowardsSecond) {
    QImage image(12, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawVerticalGradient(painter, 1, 1, 11, 3, QColor(0, 0, 0), QColor(200, 100, 50));
    }
    EXPECT_EQ(image.pixelColor(0, 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1, 3), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(11, 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 2), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(20, 10, 5));
    // Last column is one step short of the second colour.
    EXPECT_EQ(image.pixelColor(10, 2), QColor(180, 90, 45));
    // Falling channels round towards plus infinity too.
    QImage down(4, 1, QImage::Format_RGB32);
    down.fill(Qt::white);
    {
        QPainter painter(&down);
        DrawVerticalGradient(painter, 0, 0, 3, 1, QColor(10, 0, 0), QColor(0, 0, 0));
        DrawVerticalGradient(painter, 3, 0, 3, 1, QColor(1, 2, 3), QColor(4, 5, 6));  // no width: nothing
    }
    EXPECT_EQ(down.pixelColor(1, 0), QColor(7, 0, 0));  // 10 + ceil(-3.33)
    EXPECT_EQ(down.pixelColor(3, 0), QColor(Qt::white));
}

TEST(FindUrlInText, FirstUrlAndItsExtent) {
    int start = -1, length = -1;
    EXPECT_TRUE(FindUrlInText("abc http://a.jp/x,", start, length));
    EXPECT_EQ(start, 5);
    EXPECT_EQ(length, 13);
    EXPECT_TRUE(FindUrlInText("see https://example.com/?q=1&r=%20~_#top done", start, length));
    EXPECT_EQ(start, 5);
    EXPECT_EQ(length, 36);
    EXPECT_TRUE(FindUrlInText("ftp://x", start, length));
    EXPECT_EQ(start, 1);
    EXPECT_TRUE(FindUrlInText(QStringLiteral("ホームwww.example.jp/レシピ"), start, length));
    EXPECT_EQ(start, 4);
    EXPECT_EQ(length, 15);  // a double-byte character ends it
    EXPECT_FALSE(FindUrlInText("HTTP://example.com", start, length));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(length, 0);
    EXPECT_FALSE(FindUrlInText("example.com", start, length));
    EXPECT_FALSE(FindUrlInText("", start, length));
    EXPECT_TRUE(FindUrlInText("hhttp:", start, length));
    EXPECT_EQ(start, 2);
    EXPECT_EQ(length, 5);
}

TEST(CheckForbiddenChars, FirstByTableOrder) {
    QString message;
    EXPECT_TRUE(CheckForbiddenChars(QStringLiteral("お気に入り ー　@#"), &message));
    EXPECT_TRUE(message.isEmpty());
    EXPECT_FALSE(CheckForbiddenChars("a*b<c", &message));
    EXPECT_EQ(message, QStringLiteral("「<」は使用できません."));
    EXPECT_FALSE(CheckForbiddenChars("R&B", &message));
    EXPECT_EQ(message, QStringLiteral("「&」は使用できません."));
    for (const char* c : {"&", "<", ">", "[", "]", "%", "*"}) {
        EXPECT_FALSE(CheckForbiddenChars(QString("x") + c, &message));
        EXPECT_EQ(message, QStringLiteral("「%1」は使用できません.").arg(c));
        // The message can be stored and shown as CP932 text.
        EXPECT_EQ(FromSjis(ToSjis(message)), message);
    }
    // Second bytes "[" and "@" of double-byte characters are not the characters.
    EXPECT_TRUE(CheckForbiddenChars(Sjis("\x81\x5B\x81\x40\x83\x5B")));
    EXPECT_EQ(FromSjis(ToSjis(message)), message);
}

TEST(BoolText, OnlyExactTrueIsTrue) {
    EXPECT_EQ(BoolToText(true), "True");
    EXPECT_EQ(BoolToText(false), "False");
    EXPECT_TRUE(TextToBool("True"));
    for (const char* text : {"true", "TRUE", "", "1", "True ", " True"})
        EXPECT_FALSE(TextToBool(text)) << text;
}

TEST(GetDelimitedField, FieldsByIndex) {
    EXPECT_EQ(GetDelimitedField("a bb ccc", ' ', 1), "a");
    EXPECT_EQ(GetDelimitedField("a bb ccc", ' ', 2), "bb");
    EXPECT_EQ(GetDelimitedField("a bb ccc", ' ', 3), "ccc");
    EXPECT_EQ(GetDelimitedField("a bb ccc", ' ', 4), "");
    EXPECT_EQ(GetDelimitedField("a bb", ' ', 3), "");
    EXPECT_EQ(GetDelimitedField("a bb", ' ', 0), "");
    EXPECT_EQ(GetDelimitedField("a  b", ' ', 2), "");
    EXPECT_EQ(GetDelimitedField("a  b", ' ', 3), "b");
    EXPECT_EQ(GetDelimitedField("a ", ' ', 2), "");
    EXPECT_EQ(GetDelimitedField("", ' ', 1), "");
    EXPECT_EQ(GetDelimitedField(QStringLiteral("さとう 砂糖_大さじ"), ' ', 2), QStringLiteral("砂糖_大さじ"));
    // No limit at 255: fields far into a long text are found.
    QStringList parts;
    for (int i = 0; i < 300; ++i)
        parts << QStringLiteral("食材%1").arg(i);
    const QString longText = parts.join(' ');
    EXPECT_EQ(GetDelimitedField(longText, ' ', 300), QStringLiteral("食材299"));
    EXPECT_EQ(GetDelimitedField(longText, ' ', 256), QStringLiteral("食材255"));
    EXPECT_EQ(GetDelimitedField(longText, ' ', 301), "");
}

TEST(GetWordBeforeCaret, WordSpanAndSeparators) {
    auto word = [](const QString& text, int caret) { return GetWordBeforeCaret(text, caret); };
    TCaretWord w = word(QStringLiteral("ごはん、卵"), 5);
    EXPECT_EQ(w.Word, QStringLiteral("卵"));
    EXPECT_EQ(w.Start, 4);
    EXPECT_EQ(w.Length, 1);
    w = word("abc", 3);
    EXPECT_EQ(w.Word, "abc");
    EXPECT_EQ(w.Start, 0);
    EXPECT_EQ(w.Length, 3);
    // The character before the caret always counts, "、" is dropped from the word.
    w = word(QStringLiteral("a/bc、"), 5);
    EXPECT_EQ(w.Word, "bc");
    EXPECT_EQ(w.Start, 2);
    EXPECT_EQ(w.Length, 3);
    w = word("abc", 1);
    EXPECT_EQ(w.Word, "a");
    w = word("abc", 0);
    EXPECT_TRUE(w.Word.isEmpty());
    EXPECT_EQ(w.Length, 0);
    // Caret in the middle, full-width blank as separator.
    w = word(QStringLiteral("塩　こしょう少々"), 6);
    EXPECT_EQ(w.Word, QStringLiteral("こしょう"));
    EXPECT_EQ(w.Start, 2);
    // A separator at the start of the text is not part of the word.
    w = word("(abc", 4);
    EXPECT_EQ(w.Word, "abc");
    EXPECT_EQ(w.Start, 1);
    // Line breaks separate: the word never reaches into the previous line.
    for (const QString& br : {QString("\r\n"), QString("\n"), QString("\r"), QString(QChar(0x2029))}) {
        const QString text = "salt" + br + "egg";
        w = word(text, int(text.size()));
        EXPECT_EQ(w.Word, "egg");
        EXPECT_EQ(w.Start, int(text.size()) - 3);
        // Caret right after the break: nothing to replace, the break stays.
        const QString broken = "salt" + br;
        w = word(broken, int(broken.size()));
        EXPECT_TRUE(w.Word.isEmpty());
        EXPECT_EQ(w.Length, 0);
        EXPECT_EQ(w.Start, int(broken.size()));
    }
    // A caret past the end is taken as the end.
    EXPECT_EQ(word("abc", 99).Word, "abc");
}
