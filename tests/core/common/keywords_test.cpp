#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "core/common/keywords.h"
#include "core/common/synonyms.h"
#include "support/temp_app_dir.h"

namespace {

// The format of the character at `position`.
QTextCharFormat FormatAt(QTextDocument& document, int position) {
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QColor ColorAt(QTextDocument& document, int position) {
    const QTextCharFormat format = FormatAt(document, position);
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor();
}

bool BoldAt(QTextDocument& document, int position) { return FormatAt(document, position).fontWeight() >= QFont::Bold; }

const QColor Red(255, 0, 0), Blue(0, 0, 255), Green(0, 128, 0);

}  // namespace

TEST(Keywords, SplitAtBlanksFullWidthBlanksAndCommas) {
    EXPECT_EQ(SplitKeywords(QStringLiteral("卵　塩")), (QStringList{QStringLiteral("卵"), QStringLiteral("塩")}));
    EXPECT_EQ(SplitKeywords(QStringLiteral("卵 塩,胡椒")),
              (QStringList{QStringLiteral("卵"), QStringLiteral("塩"), QStringLiteral("胡椒")}));
    // Two blanks leave an empty word in between.
    EXPECT_EQ(SplitKeywords(QStringLiteral("卵  塩")), (QStringList{QStringLiteral("卵"), "", QStringLiteral("塩")}));
    // Built from the stored bytes: 81 40 is the full-width blank.
    EXPECT_EQ(SplitKeywords(Sjis("\x97\x91\x81\x40\x89\x96")), (QStringList{Sjis("\x97\x91"), Sjis("\x89\x96")}));
    EXPECT_EQ(SplitKeywords(QStringLiteral("\"olive oil\" salt")), (QStringList{"olive,oil", "salt"}));
}

TEST(Keywords, ColoursByPositionAndEleventhCycles) {
    EXPECT_EQ(KeywordColor(1), Red);
    EXPECT_EQ(KeywordColor(2), Blue);
    EXPECT_EQ(KeywordColor(3), Green);
    EXPECT_EQ(KeywordColor(6), QColor(166, 202, 240));
    EXPECT_EQ(KeywordColor(10), QColor(0, 128, 128));
    EXPECT_EQ(KeywordColor(4), KeywordColor(10));
    EXPECT_EQ(KeywordColor(11), Red);
    EXPECT_EQ(KeywordColor(12), Blue);
    EXPECT_EQ(KeywordColor(21), Red);
}

TEST(Keywords, MatchAllWordsEachBySpellingOrSynonym) {
    const QString text = QStringLiteral("玉ねぎ　1個\r\n人参　1本\r\n塩こしょう　少々");
    EXPECT_TRUE(MatchKeywords(text, QStringLiteral("たまねぎ にんじん")));
    EXPECT_FALSE(MatchKeywords(text, QStringLiteral("たまねぎ ピーマン")));
    EXPECT_TRUE(MatchKeywords(text, QStringLiteral("人参　塩")));  // full-width blank
    EXPECT_TRUE(MatchKeywords(text, QStringLiteral("玉葱,シオ,コショウ")));
    EXPECT_FALSE(MatchKeywords(text, QStringLiteral("卵")));
    EXPECT_TRUE(MatchKeywords(text, QStringLiteral("")));
    EXPECT_TRUE(MatchKeywords(text, QStringLiteral("  　 ")));
    EXPECT_TRUE(MatchKeywords("", ""));
    EXPECT_FALSE(MatchKeywords("", QStringLiteral("卵")));
    // Case-sensitive, and a full-width blank inside the text is not a word gap.
    EXPECT_FALSE(MatchKeywords("Tomato", "tomato"));
    EXPECT_FALSE(MatchKeywords(QStringLiteral("人参1本"), QStringLiteral("人参　1本　にんにく")));
    // Each word of every synonym group finds a text holding any other spelling.
    for (const QString& word : SynonymSpellings()) {
        for (const QString& other : GetSynonyms(word)) {
            EXPECT_TRUE(MatchKeywords(QStringLiteral("材料：") + other + QStringLiteral("少々"), word))
                << word.toStdString() << " / " << other.toStdString();
        }
    }
    // Synonyms only stand in for their own word: 卵 does not satisfy 塩.
    EXPECT_FALSE(MatchKeywords(QStringLiteral("玉子"), QStringLiteral("たまご しお")));
    // Built from CP932 bytes: "たまご" (82 BD 82 DC 82 B2) matches "卵" (97 91).
    EXPECT_TRUE(MatchKeywords(Sjis("\x97\x91 2\x8C\xC2"), Sjis("\x82\xBD\x82\xDC\x82\xB2")));
    // The matcher gives the same answers for many texts.
    const TKeywordMatcher matcher(QStringLiteral("たまご ご飯"));
    EXPECT_TRUE(matcher.Matches(QStringLiteral("御飯に卵")));
    EXPECT_FALSE(matcher.Matches(QStringLiteral("パンに卵")));
}

TEST(Keywords, HighlightWordColoursEveryOccurrence) {
    QTextDocument document;
    document.setPlainText(QStringLiteral("塩をふる。\n塩と塩"));
    document.setModified(false);
    EXPECT_TRUE(HighlightWord(&document, QStringLiteral("塩"), Blue, true, true));
    for (int p : {0, 6, 8}) {
        EXPECT_EQ(ColorAt(document, p), Blue) << p;
        EXPECT_TRUE(BoldAt(document, p)) << p;
        EXPECT_TRUE(FormatAt(document, p).fontUnderline()) << p;
    }
    EXPECT_FALSE(ColorAt(document, 1).isValid());
    EXPECT_FALSE(ColorAt(document, 7).isValid());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.toPlainText(), QStringLiteral("塩をふる。\n塩と塩"));

    // Not found, or an empty word: false and nothing changes.
    EXPECT_FALSE(HighlightWord(&document, QStringLiteral("砂糖"), Red, true, false));
    EXPECT_FALSE(HighlightWord(&document, QString(), Red, true, false));
    EXPECT_EQ(ColorAt(document, 0), Blue);

    // Non-overlapping, and re-colouring sets the style rather than adding to it.
    QTextDocument digits;
    digits.setPlainText("1111");
    EXPECT_TRUE(HighlightWord(&digits, "11", Red, true, false));
    EXPECT_TRUE(HighlightWord(&digits, "11", Green, false, false));
    EXPECT_EQ(ColorAt(digits, 3), Green);
    EXPECT_FALSE(BoldAt(digits, 3));
}

TEST(Keywords, HighlightKeywordsFallsBackOnSynonyms) {
    QTextDocument onlyEgg;
    onlyEgg.setPlainText(QStringLiteral("卵を割る。卵黄"));
    onlyEgg.setModified(false);
    HighlightKeywords(&onlyEgg, QStringLiteral("たまご"));
    EXPECT_EQ(ColorAt(onlyEgg, 0), Red);
    EXPECT_EQ(ColorAt(onlyEgg, 5), Red);
    EXPECT_TRUE(BoldAt(onlyEgg, 0));
    EXPECT_FALSE(onlyEgg.isModified());

    QTextDocument both;
    both.setPlainText(QStringLiteral("卵とたまご"));
    HighlightKeywords(&both, QStringLiteral("たまご"));
    EXPECT_FALSE(ColorAt(both, 0).isValid());
    EXPECT_EQ(ColorAt(both, 2), Red);

    QTextDocument two;
    two.setPlainText(QStringLiteral("卵と塩"));
    two.setModified(true);
    HighlightKeywords(&two, QStringLiteral("卵　塩"));
    EXPECT_TRUE(two.isModified());  // an unsaved edit stays unsaved
    EXPECT_EQ(ColorAt(two, 0), Red);
    EXPECT_EQ(ColorAt(two, 2), Blue);

    // Two blanks: the empty word keeps its place, the second word is green.
    QTextDocument gap;
    gap.setPlainText(QStringLiteral("卵と塩"));
    HighlightKeywords(&gap, QStringLiteral("卵  塩"));
    EXPECT_EQ(ColorAt(gap, 2), Green);

    // Eleven words: the eleventh takes the first colour again.
    QTextDocument many;
    many.setPlainText("a b c d e f g h i j k");
    HighlightKeywords(&many, "a b c d e f g h i j k");
    EXPECT_EQ(ColorAt(many, 20), Red);
    EXPECT_EQ(ColorAt(many, 18), QColor(0, 128, 128));
}

TEST(Keywords, HighlightPositionsFollowTheDocumentAcrossParagraphsAndPairs) {
    QTextDocument document;
    const QString pair = QString::fromUtf8("\xF0\xA0\x80\x8B");  // a character outside the basic plane
    document.setPlainText(QStringLiteral("一行目\n\n") + pair + QStringLiteral("しお、塩"));
    HighlightKeywords(&document, QStringLiteral("しお"));
    const int at = int(QString(QStringLiteral("一行目\n\n") + pair).size());
    EXPECT_EQ(ColorAt(document, at), Red);
    EXPECT_EQ(ColorAt(document, at + 1), Red);
    EXPECT_FALSE(ColorAt(document, at + 2).isValid());
    EXPECT_FALSE(ColorAt(document, at + 3).isValid());  // 塩 is not coloured: しお occurs itself
    EXPECT_FALSE(ColorAt(document, at - 1).isValid());
}
