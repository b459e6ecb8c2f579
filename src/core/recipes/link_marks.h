#pragma once

#include <QList>
#include <QString>

// One occurrence of a linked word in a recipe pane, in character positions:
// the word covers [StartPos, EndPos).
struct TMark {
    QString Word;
    int StartPos = 0;
    int EndPos = 0;
};
using TMarks = QList<TMark>;

// Appends a mark for every occurrence of `word` in `text`, ignoring case and
// also inside longer words, searching on after each hit. An empty word marks
// nothing.
void AppendLinkMarks(const QString& text, const QString& word, TMarks& marks);

// The first mark whose range holds the character at `charIndex`, or nullptr.
const TMark* MarkAtCharacter(const TMarks& marks, int charIndex);
