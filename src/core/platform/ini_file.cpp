#include "core/platform/ini_file.h"

#include <cerrno>

#include <fcntl.h>

#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");


bool HasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::optional<int> ParseIniInteger(const QString& text) {
    const QString t = Trim(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return std::nullopt;
    quint64 value = 0;
    for (; i < t.size(); ++i) {
        const int digit = t[i].unicode() < 0x80 ? QChar(t[i]).digitValue() : -1;
        int d = digit;
        if (base == 16 && d < 0) {
            const char16_t c = t[i].toLower().unicode();
            if (c >= u'a' && c <= u'f')
                d = 10 + (c - u'a');
        }
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * base + d;
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 16) {
        const int pattern = static_cast<int>(static_cast<quint32>(value));
        return negative ? -pattern : pattern;
    }
    if (negative) {
        if (value > 0x80000000ull)
            return std::nullopt;
        return static_cast<int>(-static_cast<qint64>(value));
    }
    if (value > 0x7FFFFFFFull)
        return std::nullopt;
    return static_cast<int>(value);
}

TIniFile::TIniFile(const QString& fileName) : Path(fileName) {
    const QFileInfo info(Path);
    if (!info.exists() && !info.isSymLink())
        return;
    QByteArray bytes;
    if (!ReadRegularFileAt(AT_FDCWD, QFile::encodeName(Path).constData(), bytes, MaxStoreFileBytes)) {
        ReadError = errno == EFBIG ? TooLargeMessage(Path, MaxStoreFileBytes) : CannotReadMessage(Path);
        return;
    }
    // CP932 trail bytes are never CR or LF, so the bytes split safely.
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype eolLength = (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
        Lines.push_back(ParseLine(bytes.mid(start, i - start), bytes.mid(i, eolLength)));
        i += eolLength - 1;
        start = i + 1;
    }
    if (start < n)
        Lines.push_back(ParseLine(bytes.mid(start), QByteArray()));
}

TIniFile::~TIniFile() {
    if (Dirty && !Path.isEmpty())  // a file without a path is a scratch copy
        qWarning() << "TIniFile: changes to" << Path << "were never written";
}

TIniFile::TLine TIniFile::ParseLine(const QByteArray& raw, const QByteArray& eol) {
    TLine line;
    line.Raw = raw;
    line.Eol = eol;
    const QString text = Trim(FromSjis(raw));
    if (text.startsWith(QLatin1Char('['))) {
        line.Kind = TKind::Section;
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        line.Name = Trim(text.mid(1, close < 0 ? -1 : close - 1));
        return line;
    }
    if (text.startsWith(QLatin1Char(';')))
        return line;
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return line;
    line.Kind = TKind::Key;
    line.Name = Trim(text.left(eq));
    line.Value = Trim(text.mid(eq + 1));
    return line;
}

qsizetype TIniFile::FindSection(const QString& section) const {
    for (qsizetype i = 0; i < static_cast<qsizetype>(Lines.size()); ++i)
        if (Lines[i].Kind == TKind::Section && SameName(Lines[i].Name, section))
            return i;
    return -1;
}

qsizetype TIniFile::SectionEnd(qsizetype sectionLine) const {
    qsizetype i = sectionLine + 1;
    while (i < static_cast<qsizetype>(Lines.size()) && Lines[i].Kind != TKind::Section)
        ++i;
    return i;
}

const TIniFile::TLine* TIniFile::FindKey(const QString& section, const QString& key) const {
    const qsizetype s = FindSection(section);
    if (s < 0)
        return nullptr;
    const qsizetype end = SectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i)
        if (Lines[i].Kind == TKind::Key && SameName(Lines[i].Name, key))
            return &Lines[i];
    return nullptr;
}

bool TIniFile::SectionExists(const QString& section) const { return FindSection(section) >= 0; }

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return FindKey(section, key) != nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const TLine* line = FindKey(section, key);
    return line ? line->Value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const TLine* line = FindKey(section, key);
    if (!line)
        return def;
    return ParseIniInteger(line->Value).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::InsertLine(qsizetype at, const QString& text) {
    TLine line = ParseLine(ToSjis(text), CrLf);
    if (at > 0 && Lines[at - 1].Eol.isEmpty())
        Lines[at - 1].Eol = CrLf;  // the old last line had no line end
    Lines.insert(Lines.begin() + at, std::move(line));
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = Trim(section);
    const QString keyName = Trim(key);
    if (sectionName.isEmpty() || keyName.isEmpty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || section.contains(QLatin1Char(']')) || key.contains(QLatin1Char('=')) ||
        keyName.startsWith(QLatin1Char('[')) || keyName.startsWith(QLatin1Char(';')))
        throw TSaporiaError(CannotWriteMessage(Path));
    // A line that already reads as this value stays as it is, even one whose
    // bytes CP932 would write otherwise (a kept byte before 0xEE40).
    if (const TLine* line = FindKey(sectionName, keyName); line && line->Value == value)
        return;
    const QString text = keyName + QLatin1Char('=') + value;
    const QByteArray raw = ToSjis(text);  // throws before anything changes

    qsizetype s = FindSection(sectionName);
    if (s < 0) {
        qsizetype at = static_cast<qsizetype>(Lines.size());
        if (at > 0 && !Lines[at - 1].Raw.trimmed().isEmpty())
            InsertLine(at++, QString());
        InsertLine(at, QLatin1Char('[') + sectionName + QLatin1Char(']'));
        InsertLine(at + 1, text);
        Dirty = true;
        return;
    }
    const qsizetype end = SectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i) {
        TLine& line = Lines[i];
        if (line.Kind != TKind::Key || !SameName(line.Name, keyName))
            continue;
        // Keep the key as the file spells it, so rewriting a value unchanged
        // leaves the line as it was.
        const QByteArray kept = ToSjis(line.Name + QLatin1Char('=') + value);
        if (line.Raw != kept) {
            line = ParseLine(kept, line.Eol.isEmpty() ? CrLf : line.Eol);
            Dirty = true;
        }
        return;
    }
    // A new key goes after the section's last non-blank line.
    qsizetype at = end;
    while (at > s + 1 && Lines[at - 1].Kind == TKind::Other && Lines[at - 1].Raw.trimmed().isEmpty())
        --at;
    InsertLine(at, text);
    Dirty = true;
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray TIniFile::Bytes() const {
    QByteArray out;
    for (const TLine& line : Lines) {
        out += line.Raw;
        out += line.Eol;
    }
    return out;
}

void TIniFile::UpdateFile() {
    if (!Dirty)
        return;
    if (!ReadError.isEmpty())  // replacing an unreadable file would lose what it holds
        throw TSaporiaError(CannotWriteMessage(Path));
    WriteFileAtomic(Path, Bytes());
    Dirty = false;
}
