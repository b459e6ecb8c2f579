#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Editing aids of the recipe text panes that work on plain text.

// Every full-width digit "０".."９" becomes its ASCII digit.
QString FullWidthDigitsToAscii(const QString& text);

// Bytes a character takes in CP932: 1 for ASCII and half-width katakana, 2
// for the rest (also for a character CP932 cannot hold).
int SjisCharBytes(QChar c);

// The longest separator alignment accepts, in CP932 bytes.
constexpr int MaxAlignSeparatorBytes = 6;
// Separators beyond this byte column are not lined up.
constexpr int MaxAlignColumn = 40;

enum class TAlignStyle { Blanks = 1, Dots = 2 };

// Lines up the separator `sep` of every line at one byte column (the
// rightmost separator, capped at byte 40). Blanks: blanks go before the
// separator. Dots: the separator becomes a blank, a run of dots as long as
// the padding plus the separator's bytes, and a blank. Lines without it stay.
QStringList AlignAtSeparator(const QStringList& lines, const QString& sep, TAlignStyle style);

// One entry of the input-support pop-up built from "Material.dat".
struct TMaterialItem {
    QString Caption;    // sub-heading, two blanks, the whole line
    int Category = -1;  // 0..5 for the six headings, -1 before the first
    int Index = 0;      // the line's index in the list
};

// The pop-up entries for the word typed before the caret: every line other
// than the separator line that begins with `word`. The empty word gives none.
QList<TMaterialItem> MaterialItemsFor(const QStringList& materialList, const QString& word);

// The text a word line inserts: its second blank-separated field, with "_"
// standing for a blank.
QString MaterialInsertText(const QString& line);

// Why alignment is refused, or empty when it may go ahead.
QString AlignRefusal(bool wordWrap, const QString& sep);
