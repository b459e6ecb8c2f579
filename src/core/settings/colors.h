#pragma once

#include <optional>

#include <QColor>
#include <QString>

// Colours as the settings and the stored layouts give them: a 32-bit value
// with red in the low byte and blue in the third ($00BBGGRR), or one of the
// system colours ($FF0000nn, nn the system colour index) and the special
// values ColorNone and ColorDefault.
using TColorValue = quint32;

inline constexpr TColorValue ColorBlack = 0x000000;
inline constexpr TColorValue ColorBlue = 0xFF0000;
inline constexpr TColorValue ColorSkyBlue = 0xF0CAA6;
inline constexpr TColorValue ColorSystemFlag = 0xFF000000;
inline constexpr TColorValue ColorNone = 0x1FFFFFFF;
inline constexpr TColorValue ColorDefault = 0x20000000;

// The one conversion to and from Qt colours. System colours come from the
// application palette; ColorNone is transparent, ColorDefault the text colour.
QColor ColorFromBgr(TColorValue value);
TColorValue BgrFromColor(const QColor& color);

// RGB(r, g, b) as a colour value.
constexpr TColorValue RgbValue(int r, int g, int b) {
    return static_cast<TColorValue>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The text of a colour in the settings file: its name when the colour table
// has one ("clBlue"), else "$" and eight hexadecimal digits ("$00123456").
QString ColorToText(TColorValue value);

// A colour name (letter case ignored) or a number (decimal, "$" or "0x"
// hexadecimal); nothing for any other text.
std::optional<TColorValue> ColorFromText(const QString& text);
