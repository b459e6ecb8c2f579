#pragma once

#include <QChar>
#include <QString>

// The key rule of the number edits (calorie, salt, price, calculator).
// `key` is the typed character, '\b' for Backspace. A "." is refused while
// text is selected; anything outside "0123456789." but Backspace is refused;
// otherwise the current text with the key appended at its end (wherever the
// caret stands) must be numeric and must not begin with ".".
bool NumericKeyAccepted(const QString& text, bool hasSelection, QChar key);
