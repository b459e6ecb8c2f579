#pragma once

#include <QString>
#include <QStringList>

// Reading a recipe out of a recipe web page by fixed markers. The markers
// are those of the page as a browser serialises it: tag names in upper case,
// simple attribute values unquoted, each block element on its own line.
// NormaliseMarkup brings ordinary markup into that form.

struct TParsedPage {
    QString Title;
    QString Amount;
    QString PhotoUrl;  // as found, up to the first "?"; empty: none
    QStringList Ingredients;
    QStringList Steps;  // "1.…", continuation lines without a number
};

// The text after the first `start` and before the first `end`, both searched
// from the line's beginning; empty when either is missing or `end` stands
// before the end of `start`.
QString ExtractBetween(const QString& line, const QString& start, const QString& end);

// Upper-case tag names, lower-case attribute names, unquoted simple values
// (letters, digits, "-", "_", "."), blank runs as one blank, a line break
// before each block element's start tag. Lines end with CR LF.
QString NormaliseMarkup(const QString& html);

// Scans the lines in order; the page's markers decide every field.
TParsedPage ParsePage(const QStringList& lines);

// Each character CP932 cannot hold becomes "〓"; `replaced` counts them.
QString ReplaceUnencodable(const QString& text, int& replaced);
// The same over every field of the page.
TParsedPage ReplaceUnencodable(const TParsedPage& page, int& replaced);
