#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "core/common/keywords.h"
#include "support/temp_app_dir.h"

namespace {

// The colour (invalid when none is set) and boldness of the character at `position`.
std::pair<QColor, bool> StyleAt(QTextDocument& document, int position) {
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    const QTextCharFormat f = cursor.charFormat();
    const QColor colour = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
    return {colour, f.fontWeight() >= QFont::Bold};
}

const QColor Red(255, 0, 0), Blue(0, 0, 255), Green(0, 128, 0), Teal(0, 128, 128), None;

}  // namespace

TEST(Keywords, SplitAndMatchEveryWordBySpellingOrSynonym) {
    // Two blanks leave an empty word; 81 40 is the full-width blank; quotes turn blanks into commas.
    const std::pair<QString, QStringList> splits[] = {
        {QStringLiteral("卵  塩,胡椒"), {QStringLiteral("卵"), "", QStringLiteral("塩"), QStringLiteral("胡椒")}},
        {Sjis("\x97\x91\x81\x40\x89\x96"), {Sjis("\x97\x91"), Sjis("\x89\x96")}},
        {"\"olive oil\" salt", {"olive,oil", "salt"}},
    };
    for (const auto& [search, words] : splits)
        EXPECT_EQ(SplitKeywords(search), words) << search.toStdString();

    const QString text = QStringLiteral("玉ねぎ　1個\r\n人参　1本\r\n塩こしょう　少々");
    const std::tuple<QString, QString, bool> matches[] = {
        {text, QStringLiteral("たまねぎ にんじん"), true}, {text, QStringLiteral("たまねぎ ピーマン"), false},
        // シオ is found by 塩, the last of its other spellings.
        {text, QStringLiteral("玉葱,シオ,コショウ"), true}, {text, QStringLiteral("  　 "), true},
        {"", QStringLiteral("卵"), false},
        // Case-sensitive, and a full-width blank inside the text is not a word gap.
        {"Tomato", "tomato", false}, {QStringLiteral("人参1本"), QStringLiteral("人参　1本　にんにく"), false},
        // Synonyms only stand in for their own word: 卵 does not satisfy 塩.
        {QStringLiteral("玉子"), QStringLiteral("たまご しお"), false},
        // Built from CP932 bytes: "たまご" (82 BD 82 DC 82 B2) matches "卵" (97 91).
        {Sjis("\x97\x91 2\x8C\xC2"), Sjis("\x82\xBD\x82\xDC\x82\xB2"), true},
    };
    for (const auto& [haystack, search, match] : matches)
        EXPECT_EQ(MatchKeywords(haystack, search), match) << haystack.toStdString() << " / " << search.toStdString();
}

TEST(Keywords, HighlightWordColoursEveryOccurrence) {
    QTextDocument document;
    document.setPlainText(QStringLiteral("塩をふる。\n塩と塩"));
    document.setModified(false);
    EXPECT_TRUE(HighlightWord(&document, QStringLiteral("塩"), Blue, true, true));
    for (int p : {0, 6, 8})
        EXPECT_EQ(StyleAt(document, p), std::pair(Blue, true)) << p;
    QTextCursor cursor(&document);
    cursor.setPosition(9);
    EXPECT_TRUE(cursor.charFormat().fontUnderline());
    EXPECT_FALSE(StyleAt(document, 1).first.isValid() || StyleAt(document, 7).first.isValid());
    EXPECT_FALSE(document.isModified());  // colouring is not an edit
    EXPECT_FALSE(HighlightWord(&document, QString(), Red, true, false));
    EXPECT_EQ(StyleAt(document, 0).first, Blue);

    // Non-overlapping, and re-colouring sets the style rather than adding to it.
    QTextDocument digits;
    digits.setPlainText("1111");
    EXPECT_TRUE(HighlightWord(&digits, "11", Red, true, false));
    EXPECT_TRUE(HighlightWord(&digits, "11", Green, false, false));
    EXPECT_EQ(StyleAt(digits, 3), std::pair(Green, false));
}

TEST(Keywords, HighlightKeywordsTable) {
    const QString lines = QStringLiteral("一行目\n\n") + QString::fromUtf8("\xF0\xA0\x80\x8B");  // beyond the basic plane
    const int at = int(lines.size());
    struct TCase {
        QString Text, Search;
        std::vector<std::pair<int, QColor>> Colours;
    };
    const TCase cases[] = {
        // A word that does not occur has its other spellings coloured instead.
        {QStringLiteral("卵を割る。卵黄"), QStringLiteral("たまご"), {{0, Red}, {5, Red}}},
        {QStringLiteral("卵とたまご"), QStringLiteral("たまご"), {{0, None}, {2, Red}}},
        {QStringLiteral("卵と塩"), QStringLiteral("卵　塩"), {{0, Red}, {2, Blue}}},
        // Two blanks: the empty word keeps its place, the second word is green.
        {QStringLiteral("卵と塩"), QStringLiteral("卵  塩"), {{2, Green}}},
        // Eleven words: the eleventh takes the first colour again.
        {"a b c d e f g h i j k", "a b c d e f g h i j k", {{18, Teal}, {20, Red}}},
        // Positions follow the document across paragraphs and surrogate pairs; 塩 is not coloured as しお occurs.
        {lines + QStringLiteral("しお、塩"), QStringLiteral("しお"),
         {{at - 1, None}, {at, Red}, {at + 1, Red}, {at + 2, None}, {at + 3, None}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text.toStdString() + " / " + c.Search.toStdString());
        for (const bool modified : {false, true}) {
            QTextDocument document;
            document.setPlainText(c.Text);
            document.setModified(modified);
            HighlightKeywords(&document, c.Search);
            EXPECT_EQ(document.isModified(), modified);  // an unsaved edit stays unsaved, colouring adds none
            for (const auto& [position, colour] : c.Colours)
                EXPECT_EQ(StyleAt(document, position), std::pair(colour, colour.isValid())) << position;
        }
    }
}
