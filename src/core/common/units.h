#pragma once

#include <QString>

// Kitchen units of the calculator. "μg" is the Greek small mu (U+03BC, CP932
// 83 CA) and "ｶｯﾌﾟ" the half-width katakana cup of 200 ml.
inline const QString UnitMicrogram = QStringLiteral("\u03BCg");
inline const QString UnitCup = QStringLiteral("\uFF76\uFF6F\uFF8C\uFF9F");

// Converts a length, mass or volume between two of "mm", "cm", "m", "μg",
// "mg", "g", "kg", "ml", "dl", "l" and "ｶｯﾌﾟ"; the names are compared after
// lower-casing the ASCII letters. Any other pair, the same unit twice
// included, gives the value unchanged. A result that is not a finite number
// throws TSaporiaError "Error ConvertUnit.".
double ConvertUnit(const QString& fromUnit, const QString& toUnit, double value);

// True when the whole text reads as a decimal number: optional blanks, an
// optional sign, digits with "." as the decimal point (at least one digit;
// "1." and ".5" pass), an optional exponent ("E" or "e", optional sign,
// digits), optional blanks.
bool IsNumeric(const QString& text);
