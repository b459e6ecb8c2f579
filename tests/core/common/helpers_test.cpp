#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/common/helpers.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(Units, ConversionTable) {
    const QString micro = UnitMicrogram;
    // Every pair within a group converts by the ratio of the unit sizes.
    const std::vector<std::vector<std::pair<QString, double>>> groups = {
        {{"mm", 1}, {"cm", 10}, {"m", 1000}},
        {{micro, 1}, {"mg", 1e3}, {"g", 1e6}, {"kg", 1e9}},
        {{"ml", 1}, {"dl", 100}, {"l", 1000}, {UnitCup, 200}},
    };
    for (const auto& group : groups)
        for (const auto& [from, fromSize] : group)
            for (const auto& [to, toSize] : group)
                EXPECT_DOUBLE_EQ(ConvertUnit(from, to, 6), 6 * fromSize / toSize) << (from + "->" + to).toStdString();
    // Pairs outside the table leave the value; only ASCII is lowered, and the micro sign U+00B5 is not the Greek mu.
    const std::tuple<QString, QString, double, double> cases[] = {
        {"ML", "l", 500, 0.5}, {"mm", "m", 1e300, 1e297}, {"g", "ml", 5, 5}, {QStringLiteral("ＭＬ"), "l", 500, 500},
        {QString::fromUtf8("\xC2\xB5g"), "mg", 5, 5},
    };
    for (const auto& [from, to, value, expected] : cases)
        EXPECT_DOUBLE_EQ(ConvertUnit(from, to, value), expected) << (from + "->" + to).toStdString();
    // A result that is not a finite number is an error.
    for (const double value : {1e300, std::nan("")})
        EXPECT_THROW(ConvertUnit("kg", micro, value), TSaporiaError) << value;
}

TEST(TextRules, NumbersBoolsAndForbiddenCharacters) {
    for (const char* text : {"0", "1.", ".5", "-3", "+2.25", " 7 ", "1E-5", "2.5e+10", "1.e3"})
        EXPECT_TRUE(IsNumeric(text)) << text;
    for (const char* text : {"", ".", "-", "+.", "1.2.3", "1,5", "1e", "1e+", "e5", "0x10", "1 2", "--1", "inf",
                             "nan", "1d", ".e1", "１２", "　1"})
        EXPECT_FALSE(IsNumeric(QString::fromUtf8(text))) << text;
    EXPECT_EQ(BoolToText(true) + BoolToText(false), "TrueFalse");
    for (const char* text : {"True", "true", "", "1", "True "})
        EXPECT_EQ(TextToBool(text), text == std::string("True")) << text;

    QString message;
    // Second bytes "[" and "@" of double-byte characters are not the characters.
    EXPECT_TRUE(CheckForbiddenChars(QStringLiteral("お気に入り ー　@#") + Sjis("\x81\x5B\x81\x40\x83\x5B"), &message));
    EXPECT_FALSE(CheckForbiddenChars("a*b<c", &message));  // the first by table order
    EXPECT_EQ(message, QStringLiteral("「<」は使用できません."));
    for (const char* c : {"&", "<", ">", "[", "]", "%", "*"}) {
        EXPECT_FALSE(CheckForbiddenChars(QString("x") + c, &message));
        EXPECT_EQ(message, QStringLiteral("「%1」は使用できません.").arg(c));
    }
}

TEST(DragAngle, DirectionsAndRounding) {
    // {x1, y1, x2, y2, angle}; far-apart points do not overflow.
    const int cases[][5] = {{10, 0, 0, 0, 0}, {0, 10, 0, 0, 90}, {0, 0, 10, 0, 180}, {0, 0, 0, 10, 270},
                            {100, -1, 0, 0, 359}, {1000, -1, 0, 0, 360}, {5, 5, 5, 5, 0},
                            {2000000000, 0, -2000000000, 0, 0}, {0, 2000000000, 0, -2000000000, 90}};
    for (const auto& c : cases)
        EXPECT_EQ(GetDragAngle(c[0], c[1], c[2], c[3]), c[4]) << c[0] << "," << c[1] << " " << c[2] << "," << c[3];
}

TEST(DrawVerticalGradient, ColumnsRunFromFirstColourTowardsSecond) {
    QImage image(12, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawVerticalGradient(painter, 1, 1, 11, 3, QColor(0, 0, 0), QColor(200, 100, 50));
        // Falling channels round towards plus infinity too: 10 + ceil(-3.33) = 7.
        DrawVerticalGradient(painter, 0, 3, 3, 4, QColor(10, 0, 0), QColor(0, 0, 0));
        DrawVerticalGradient(painter, 3, 3, 3, 4, QColor(1, 2, 3), QColor(4, 5, 6));  // no width: nothing
    }
    // The last column is one step short of the second colour.
    const std::tuple<int, int, QColor> pixels[] = {
        {0, 1, Qt::white},         {1, 0, Qt::white},      {11, 1, Qt::white}, {1, 2, QColor(0, 0, 0)},
        {2, 1, QColor(20, 10, 5)}, {1, 3, QColor(7, 0, 0)}, {3, 3, Qt::white}, {10, 2, QColor(180, 90, 45)},
    };
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(image.pixelColor(x, y), colour) << x << "," << y;
}

TEST(FindUrlInText, FirstUrlAndItsExtent) {
    // {text, start, length}; nothing found gives 0 and 0; a double-byte character ends a URL.
    const std::tuple<QString, int, int> cases[] = {
        {"abc http://a.jp/x,", 5, 13}, {"see https://example.com/?q=1&r=%20~_#top done", 5, 36}, {"ftp://x", 1, 7},
        {"hhttp:", 2, 5}, {QStringLiteral("ホームwww.example.jp/レシピ"), 4, 15}, {"HTTP://example.com", 0, 0},
        {"example.com", 0, 0}, {"", 0, 0},
    };
    for (const auto& [text, expectedStart, expectedLength] : cases) {
        int start = -1, length = -1;
        EXPECT_EQ(FindUrlInText(text, start, length), expectedLength > 0) << text.toStdString();
        EXPECT_EQ(std::pair(start, length), std::pair(expectedStart, expectedLength)) << text.toStdString();
    }
}

TEST(Fields, DelimitedFieldAndWordBeforeCaret) {
    QStringList parts;
    for (int i = 0; i < 300; ++i)
        parts << QStringLiteral("食材%1").arg(i);
    const QString longText = parts.join(' ');
    // No limit at 255: fields far into a long text are found.
    const std::tuple<QString, int, QString> fields[] = {
        {"a bb ccc", 1, "a"}, {"a bb ccc", 3, "ccc"}, {"a bb ccc", 4, ""}, {"a bb", 0, ""}, {"a  b", 2, ""},
        {"a  b", 3, "b"}, {longText, 256, QStringLiteral("食材255")}, {longText, 301, ""},
    };
    for (const auto& [text, index, field] : fields)
        EXPECT_EQ(GetDelimitedField(text, ' ', index), field) << text.left(10).toStdString() << " #" << index;

    // {text, caret, word, start, length}; the character before the caret always counts, "、" is dropped.
    std::vector<std::tuple<QString, int, QString, int, int>> words = {
        {QStringLiteral("ごはん、卵"), 5, QStringLiteral("卵"), 4, 1}, {"abc", 1, "a", 0, 1}, {"abc", 0, "", 0, 0},
        {"abc", 99, "abc", 0, 3}, {"(abc", 4, "abc", 1, 3}, {QStringLiteral("a/bc、"), 5, "bc", 2, 3},
        {QStringLiteral("塩　こしょう少々"), 6, QStringLiteral("こしょう"), 2, 4},
    };
    // Line breaks separate; right after one there is nothing to replace.
    for (const QString& br : {QString("\r\n"), QString("\n"), QString("\r"), QString(QChar(0x2029))}) {
        const int n = int(br.size()) + 4;
        words.emplace_back("salt" + br + "egg", n + 3, "egg", n, 3);
        words.emplace_back("salt" + br, n, "", n, 0);
    }
    for (const auto& [text, caret, word, start, length] : words) {
        const TCaretWord w = GetWordBeforeCaret(text, caret);
        EXPECT_EQ(std::tuple(w.Word, w.Start, w.Length), std::tuple(word, start, length))
            << text.toStdString() << caret;
    }
}
