#pragma once

#include <QString>

// Exact, case-sensitive search over characters. A match never starts in the
// middle of a character (the second half of a surrogate pair), the same
// guarantee the stored double-byte texts need.

// Index of the first occurrence of `word` at or after `from`, or -1. An empty
// word is never found.
qsizetype FindText(const QString& text, const QString& word, qsizetype from = 0);

bool ContainsText(const QString& text, const QString& word);

// Replaces every occurrence, left to right; replaced text is not searched
// again.
QString ReplaceAllText(const QString& text, const QString& word, const QString& replacement);
