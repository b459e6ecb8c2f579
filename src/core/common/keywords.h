#pragma once

#include <array>

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QTextDocument;

// Search keywords: a search is one text whose words are separated by blanks
// (half-width or full-width) or commas. Two separators in a row leave an empty
// word that keeps its position (it takes a colour but matches anything).

// The words of a search, empty ones included.
QStringList SplitKeywords(const QString& search);

// The ten colours of the search words, by position.
const std::array<QColor, 10>& KeywordColors();

// The colour of the word at `position` (from 1): red, blue, green, teal, navy,
// sky blue, lime, fuchsia, olive, teal; the eleventh word starts again at red.
QColor KeywordColor(int position);

// True when the text holds every word of the search (case-sensitive), each by
// itself or by one of its other spellings (GetSynonyms). An empty search, or
// one of blanks only, matches every text.
bool MatchKeywords(const QString& text, const QString& search);

// The same test with the search split once, for matching many texts.
class TKeywordMatcher final {
public:
    explicit TKeywordMatcher(const QString& search);
    bool Matches(const QString& text) const;

private:
    struct TWord {
        QString Word;
        QStringList Synonyms;
    };
    QList<TWord> Words;
};

// Colours every occurrence of `word` (case-sensitive, not overlapping) and
// sets bold and underline as given; italic and strike-out are cleared. True
// when at least one occurrence was found; an empty word finds nothing. The
// document's modified flag is left as it was: colouring is not an edit.
bool HighlightWord(QTextDocument* document, const QString& word, const QColor& color, bool bold, bool underline);

// Colours each word of the search with the colour of its position, bold; a
// word that does not occur has its other spellings coloured instead.
void HighlightKeywords(QTextDocument* document, const QString& search);
