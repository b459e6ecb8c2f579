#pragma once

#include <QString>

// The documented Japanese font names and the installed fonts that stand in
// for them. InstallFontSubstitutions() runs once at start-up, before any
// window is made; after it a QFont with a documented name draws with the
// substitute.

inline const QString FixedPitchGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString ProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");

void InstallFontSubstitutions();

// The font of the three recipe panes: fixed pitch when useSameWidthFont.
QString PaneFontName(bool useSameWidthFont);
