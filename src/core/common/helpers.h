#pragma once

#include <QColor>
#include <QString>

#include "core/common/base64.h"
#include "core/common/synonyms.h"
#include "core/common/units.h"

class QPainter;

// Small stateless routines shared by the windows. The escaping, Base64, unit
// and synonym routines have their own headers, included above.

// Direction of a drag from (x2, y2) to (x1, y1) in whole degrees, 0 to 360:
// 0 when the first point lies to the right of the second, 90 above it
// (screen rows grow downwards), 180 to the left, 270 below. Identical points
// give 0.
int GetDragAngle(int x1, int y1, int x2, int y2);

// Fills the rectangle from `left` to `right` - 1 and `top` to `bottom` - 1 with
// vertical lines whose colour runs from `color1` at the left edge towards
// `color2` at the right (the last line one step short of it). An empty width
// draws nothing.
void DrawVerticalGradient(QPainter& painter, int left, int top, int right, int bottom, const QColor& color1,
                          const QColor& color2);

// Finds the first "ftp:", "http:", "https:" or "www." (lower case) and the URL
// characters after it (ASCII letters, digits and "#%&+-./:=?_~"). `start` is
// 1-based, `length` counts characters.
bool FindUrlInText(const QString& text, int& start, int& length);

// False when the text holds one of "&", "<", ">", "[", "]", "%" or "*", which
// the stored formats reserve; `message` then gets the message of the first of
// them in that order (not by position in the text), for the caller's error
// box.
bool CheckForbiddenChars(const QString& text, QString* message = nullptr);

// The text as a decimal integer, `fallback` when it is not one.
int ToIntDef(const QString& text, int fallback);

// "True" or "False"; only the exact text "True" reads as true.
QString BoolToText(bool value);
bool TextToBool(const QString& text);

// The index-th field (from 1) of a text split at `delimiter`; empty for an
// index of 0 or past the last field.
QString GetDelimitedField(const QString& text, QChar delimiter, int index);

// The word before the caret of a text: it starts after the nearest separator
// ("　", " ", ",", "、", ".", ")", "(", "{", "}", "/" or a line break) before
// the caret, the character just before the caret always counting as part of
// it. Start and Length give the span to select and replace; Word is that span
// without "　" and "、".
struct TCaretWord {
    QString Word;
    int Start = 0;
    int Length = 0;
};
TCaretWord GetWordBeforeCaret(const QString& text, int caret);
