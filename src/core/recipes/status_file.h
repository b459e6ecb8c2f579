#pragma once

#include <utility>

#include <QByteArray>
#include <QString>
#include <QStringList>

// The attribute file "Status.txt" of a recipe folder: "key=value" lines, CP932,
// CR LF. Keys match ignoring case and the first matching line wins; the value
// is everything after the first "=". Setting a key replaces its line in place
// (or appends one), keeping every other line and the order; an empty value
// removes the line. Every reader and writer of attributes goes through here.

namespace StatusKey {
inline const QString Icon = QStringLiteral("Icon");
inline const QString Kind = QStringLiteral("Kind");
inline const QString Amount = QStringLiteral("Amount");
inline const QString Calorie = QStringLiteral("Calorie");
inline const QString Price = QStringLiteral("Price");
inline const QString WorkTime = QStringLiteral("WorkTime");
inline const QString Group = QStringLiteral("Group");
inline const QString Salt = QStringLiteral("Salt");
inline const QString NiceValue = QStringLiteral("NiceValue");
inline const QString DifficultValue = QStringLiteral("DifficultValue");
inline const QString Date = QStringLiteral("Date");
inline const QString ImageFileName = QStringLiteral("ImageFileName");
}  // namespace StatusKey

inline const QString StatusFileName = QStringLiteral("Status.txt");
// Real attribute files hold a few hundred bytes; a larger one is unreadable.
inline constexpr qint64 MaxStatusFileBytes = 1024 * 1024;

class TStatusFile final {
public:
    TStatusFile() = default;
    explicit TStatusFile(QStringList lines) : Entries(std::move(lines)) {}

    static TStatusFile FromBytes(const QByteArray& bytes);
    // Reads a file; throws TSaporiaError when it cannot be read or is larger
    // than MaxStatusFileBytes.
    static TStatusFile Load(const QString& path);
    // Reads "Status.txt" (any letter case) of a recipe folder. Without the file
    // the result is empty and *exists is false; an unreadable file throws.
    static TStatusFile LoadFromFolder(const QString& folder, bool* exists = nullptr);

    // The value of the first line whose key equals `key` ignoring case; empty
    // when there is none.
    QString Value(const QString& key) const;
    bool Contains(const QString& key) const;
    // Value() of each key.
    QStringList Values(const QStringList& keys) const;
    // The value as a decimal integer; `fallback` when missing or not a number.
    int IntValue(const QString& key, int fallback = -1) const;

    // Sets the value in place (the key spelled as given). An empty value removes
    // the first line with that key. CR and LF in the value become blanks, so a
    // value can never add lines of its own.
    void SetValue(const QString& key, const QString& value);
    void SetValue(const QString& key, int value) { SetValue(key, QString::number(value)); }

    const QStringList& Lines() const { return Entries; }
    bool IsEmpty() const { return Entries.isEmpty(); }

    // CP932 with CR LF after every line; throws naming a character CP932 cannot hold.
    QByteArray ToBytes() const;
    // Atomic write of the whole file.
    void Save(const QString& path) const;
    // Writes "Status.txt" of a recipe folder, reusing the letter case of an
    // existing file, as a recipe save (recipe_transaction.h).
    void SaveToFolder(const QString& folder) const;

private:
    qsizetype IndexOf(const QString& key) const;
    QStringList Entries;
};

// FromBytes(bytes).Values(keys) straight from the bytes: only the values asked
// for are decoded. Keys must be ASCII. "=", CR and LF are never the second
// byte of a CP932 character, so the lines and keys split the same as text.
QStringList StatusValuesFromBytes(const QByteArray& bytes, const QStringList& keys);

