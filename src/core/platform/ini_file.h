#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

// An initialisation file: "[SECTION]" lines followed by "KEY=value" lines,
// CP932 text with CR LF line ends.
//
// The file is read once, when the object is made, and kept in memory. Reads
// match sections and keys ignoring case (the first match wins) and return the
// value whole, without its surrounding blanks. Writes change the copy in
// memory only; UpdateFile() writes the whole file atomically, so a batch of
// writes (all keys written at exit) costs one file write and either lands
// whole or not at all. Every line a write does not touch keeps its bytes and
// its line end, so other owners' sections survive byte for byte.
//
// Nothing is written by the destructor: call UpdateFile() after the writes.
class TIniFile final {
public:
    // A missing file reads as empty and is created by the first UpdateFile().
    // A file that exists but cannot be read (or is larger than
    // MaxStoreFileBytes, which is not read at all) reads as empty too, and
    // UpdateFile() then refuses to replace it.
    explicit TIniFile(const QString& fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const QString& FileName() const { return Path; }
    // Why the file that is there could not be read; empty when it was read or
    // is missing.
    const QString& LoadError() const { return ReadError; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // A key with an empty value reads as the empty text, not the default.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "$", "0x" or "0X"; anything else gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer: non-zero is true; not an integer gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    // Sets the key (adding the section or key when missing). Throws
    // TSaporiaError, changing nothing, for a value that cannot be stored: a
    // line break in it, a character CP932 cannot hold, or a section or key
    // name that would not read back.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Written "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);

    // Writes the file atomically when something changed since it was read or
    // last written. Throws TSaporiaError "<path> に書き込めません" on failure,
    // leaving the old file whole and the changes pending.
    void UpdateFile();
    bool Modified() const { return Dirty; }

    // The file's bytes as UpdateFile() would write them.
    QByteArray Bytes() const;

private:
    enum class TKind { Other, Section, Key };
    struct TLine {
        QByteArray Raw;  // the line's bytes without its line end
        QByteArray Eol;  // "\r\n", "\n", "\r" or empty for a last line without one
        TKind Kind = TKind::Other;
        QString Name;    // section or key name, trimmed
        QString Value;   // value of a key line, trimmed
    };

    static TLine ParseLine(const QByteArray& raw, const QByteArray& eol);
    // Index of the first section line with that name, or -1.
    qsizetype FindSection(const QString& section) const;
    // End (exclusive) of the section starting at `sectionLine`.
    qsizetype SectionEnd(qsizetype sectionLine) const;
    const TLine* FindKey(const QString& section, const QString& key) const;
    void InsertLine(qsizetype at, const QString& text);

    QString Path;
    std::vector<TLine> Lines;
    QString ReadError;
    bool Dirty = false;
};

// The integer reading of the file: decimal with an optional sign, or
// hexadecimal after "$", "0x" or "0X" (up to eight digits, taken as a 32-bit
// pattern). Blanks around the text are ignored.
std::optional<int> ParseIniInteger(const QString& text);
