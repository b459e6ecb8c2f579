#pragma once

#include <QChar>
#include <QString>

// The key rule of the number edits (calorie, salt, price, calculator).
// `key` is the typed character, '\b' for Backspace; the selection is
// `selectionLength` characters from `selectionStart` (length 0: none).
// A "." is refused while text is selected; anything outside "0123456789." but
// Backspace is refused; otherwise the text the key leaves must be numeric and
// must not begin with ".": the selection replaced by the key, or without a
// selection the key appended at the end (wherever the caret stands).
bool NumericKeyAccepted(const QString& text, int selectionStart, int selectionLength, QChar key);
