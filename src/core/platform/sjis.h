#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

// Code page 932 (Windows Shift-JIS), the encoding of every stored text.
//
// Decoding never loses a byte: a byte that is not valid CP932 becomes the
// private-use character U+F700 + byte, and encoding turns it back into that
// byte. A character CP932 cannot hold is never dropped: TryToSjis names it and
// ToSjis throws TSaporiaError naming it. A raw byte that would not read back as
// itself where it stands (an edit put it before a trail byte) fails the same way.

struct TSjisFailure {
    QString Character;  // the character that cannot be encoded (one code point)
    int Position = 0;   // its index in the text, in characters
    // The character is a kept raw byte (U+F780-U+F7FF) that would combine with
    // what follows it, or read as a character of its own, if written.
    bool StrayByte = false;
};

QString FromSjis(const QByteArray& bytes);
QString FromSjis(const char* data, qsizetype size);

// Returns the encoded bytes, or std::nullopt with *failure set.
std::optional<QByteArray> TryToSjis(const QString& text, TSjisFailure* failure = nullptr);

// Encodes or throws TSaporiaError naming the character that cannot be stored.
QByteArray ToSjis(const QString& text);

// True when every character of the text can be stored in CP932.
bool IsSjisEncodable(const QString& text);

// The message used when a character cannot be stored.
QString SjisFailureMessage(const TSjisFailure& failure);

// Length of the text in CP932 bytes; throws like ToSjis.
qsizetype SjisByteLength(const QString& text);

// Splits at CR LF, CR or LF. A final line break does not add an empty line.
QStringList SplitLines(const QString& text);

// Removes leading and trailing characters up to U+0020; unlike
// QString::trimmed() it keeps the full-width blank U+3000.
QString Trim(const QString& text);

// Turns every lone CR or LF into CR LF (CR LF pairs stay as they are).
QString ToCrLf(const QString& text);
