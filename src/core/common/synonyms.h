#pragma once

#include <QStringList>

// The other spellings of an ingredient that the keyword search treats as the
// same word, in their fixed order; empty for a word outside the table (the
// word must match a spelling exactly, as a whole).
QStringList GetSynonyms(const QString& word);

// Every spelling of the table, in table order (for tests and checks).
QStringList SynonymSpellings();
