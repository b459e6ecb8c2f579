#pragma once

#include <QString>
#include <QStringList>

// Splits a comma text into its fields, the way settings lists, keyword
// searches, LAN replies and "ServerList.dat" lines are read:
// - characters with codes 1 to 32 before a field and after it are skipped;
// - a field that starts with a double quote runs to the next lone double
//   quote (a doubled one stands for one quote; blanks, commas and line breaks
//   belong to the field), or to the end of the text when none comes;
// - any other field ends before the next comma or character of code 32 or
//   less;
// - a comma that is the very last character adds one empty field, so "a,"
//   gives two fields and "a, " one;
// - NUL ends the text.
QStringList SplitCommaText(const QString& text);
