#pragma once

#include <array>
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Base64 with the standard alphabet, "=" padding and no line breaks, for the
// pictures of the exchange file and the LAN replies.

// The character of a 6-bit value; a value above 63 comes back unchanged.
char Base64EncodeChar(quint8 value);
// The value of an alphabet character, or -1 for any other character ("="
// included).
int Base64DecodeChar(char c);

// Four characters of three bytes.
std::array<char, 4> Base64EncodeTriplet(quint8 b0, quint8 b1, quint8 b2);
// Three bytes of four characters; a "=" counts as 0. std::nullopt when a
// character is neither in the alphabet nor "=".
std::optional<std::array<quint8, 3>> Base64DecodeQuad(const std::array<char, 4>& quad);

// Characters of the padded encoding of `size` bytes.
constexpr qsizetype Base64EncodedSize(qsizetype size) { return (size + 2) / 3 * 4; }

// Encodes with padding; never fails.
QByteArray Base64EncodeBuffer(const QByteArray& source);
// Appends the padded encoding of `source` to `destination`.
void Base64Append(QByteArrayView source, QByteArray& destination);
// Without padding a source whose length is not a multiple of 3 cannot be
// encoded: false, and `destination` is left as it was.
bool Base64EncodeBuffer(const QByteArray& source, bool pad, QByteArray& destination);

// Decodes whole groups of four characters. Blanks and line breaks between
// characters are ignored (mail may wrap lines). False, with `destination` left
// as it was, when the input is not Base64: a character outside the alphabet, a
// group cut short, or "=" anywhere but at the end of the last group.
bool Base64DecodeBuffer(QByteArrayView source, QByteArray& destination);
inline bool Base64DecodeBuffer(const QByteArray& source, QByteArray& destination) {
    return Base64DecodeBuffer(QByteArrayView(source), destination);
}
bool Base64DecodeBuffer(const QString& source, QByteArray& destination);

// The length of the run of Base64 text (alphabet, "=", blanks and line
// breaks) at the start of `text`.
qsizetype Base64TextLength(QByteArrayView text);
