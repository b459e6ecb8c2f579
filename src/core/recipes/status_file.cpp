#include "core/recipes/status_file.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include <strings.h>

#include <QDir>
#include <QFileInfo>

#include "core/common/helpers.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/committed_folder.h"
#include "core/recipes/recipe_transaction.h"

namespace {

// Key of an entry: the text before the first "="; lines without "=" have none.
bool KeyEquals(const QString& line, const QString& key) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 && eq == key.size() &&
           QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0;
}

QString WithoutLineBreaks(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

TStatusFile TStatusFile::FromBytes(const QByteArray& bytes) { return TStatusFile(SplitLines(FromSjis(bytes))); }

TStatusFile TStatusFile::Load(const QString& path) { return FromBytes(ReadFileBytes(path, MaxStatusFileBytes)); }

TStatusFile TStatusFile::LoadFromFolder(const QString& folder, bool* exists) {
    // As the save last committed it; a cut-off save is finished first.
    QString name;
    QByteArray bytes;
    bool read = false;
    int error = 0;
    ReadCommitted(folder, {StatusFileName}, [&](const TCommittedFolder& view) {
        name = view.Find(StatusFileName);
        read = !name.isEmpty() && view.Read(name, bytes, MaxStatusFileBytes);
        error = errno;
    });
    // A link to nowhere is there but unreadable: an error, not a missing file.
    if (exists)
        *exists = !name.isEmpty();
    if (name.isEmpty())
        return TStatusFile();
    const QString path = WithTrailingSlash(folder) + name;
    if (!read && error == EFBIG)
        throw TFileTooLargeError(TooLargeMessage(path, MaxStatusFileBytes));
    if (!read)
        throw TSaporiaError(CannotReadMessage(path));
    return FromBytes(bytes);
}

qsizetype TStatusFile::IndexOf(const QString& key) const {
    for (qsizetype i = 0; i < Entries.size(); ++i)
        if (KeyEquals(Entries[i], key))
            return i;
    return -1;
}

QString TStatusFile::Value(const QString& key) const {
    const qsizetype i = IndexOf(key);
    return i < 0 ? QString() : Entries[i].mid(key.size() + 1);
}

bool TStatusFile::Contains(const QString& key) const { return IndexOf(key) >= 0; }

QStringList TStatusFile::Values(const QStringList& keys) const {
    QStringList values;
    values.reserve(keys.size());
    for (const QString& key : keys)
        values.append(Value(key));
    return values;
}

int TStatusFile::IntValue(const QString& key, int fallback) const { return ToIntDef(Value(key), fallback); }

void TStatusFile::SetValue(const QString& key, const QString& value) {
    const qsizetype i = IndexOf(key);
    if (value.isEmpty()) {
        if (i >= 0)
            Entries.removeAt(i);
        return;
    }
    const QString line = key + QLatin1Char('=') + WithoutLineBreaks(value);
    if (i >= 0)
        Entries[i] = line;
    else
        Entries.append(line);
}

QByteArray TStatusFile::ToBytes() const {
    QString text;
    for (const QString& line : Entries) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    TSjisFailure failure;
    if (std::optional<QByteArray> bytes = TryToSjis(text, &failure))
        return *bytes;
    // The user typed the value, not the file: count within the value.
    qsizetype lineStart = 0;
    for (const QString& line : Entries) {
        const qsizetype lineEnd = lineStart + line.size() + 2;
        if (failure.Position < lineEnd) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            qsizetype inLine = failure.Position - lineStart;
            if (eq >= 0 && inLine > eq)
                inLine -= eq + 1;
            failure.Position = static_cast<int>(inLine);
            break;
        }
        lineStart = lineEnd;
    }
    throw TSaporiaError(SjisFailureMessage(failure));
}

void TStatusFile::Save(const QString& path) const { WriteFileAtomic(path, ToBytes()); }

void TStatusFile::SaveToFolder(const QString& folder) const {
    const QByteArray bytes = ToBytes();
    TRecipeTransaction transaction(folder);
    transaction.Begin();
    // The spelling already there, looked up under the save's lock.
    const QString existing = TCommittedFolder(transaction.FolderFd(), {}).Find(StatusFileName);
    transaction.Put(existing.isEmpty() ? StatusFileName : existing, bytes);
    transaction.Commit();
}

QStringList StatusValuesFromBytes(const QByteArray& bytes, const QStringList& keys) {
    QStringList values(keys.size());
    std::vector<QByteArray> asciiKeys;
    asciiKeys.reserve(static_cast<size_t>(keys.size()));
    for (const QString& key : keys)
        asciiKeys.push_back(key.toLatin1());
    std::vector<bool> found(asciiKeys.size(), false);
    qsizetype missing = keys.size();
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (p < end && missing > 0) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        const char* eq = static_cast<const char*>(std::memchr(p, '=', static_cast<size_t>(lineEnd - p)));
        if (eq) {
            const qsizetype keyLength = eq - p;
            for (size_t k = 0; k < asciiKeys.size(); ++k) {
                if (found[k] || asciiKeys[k].size() != keyLength ||
                    strncasecmp(p, asciiKeys[k].constData(), static_cast<size_t>(keyLength)) != 0)
                    continue;
                values[static_cast<qsizetype>(k)] = FromSjis(eq + 1, lineEnd - eq - 1);
                found[k] = true;
                --missing;
                break;
            }
        }
        // CR LF is one line break; a lone CR or LF is one too.
        p = lineEnd;
        if (p < end && *p == '\r')
            ++p;
        if (p < end && *p == '\n')
            ++p;
    }
    return values;
}
