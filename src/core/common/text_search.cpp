#include "core/common/text_search.h"

qsizetype FindText(const QString& text, const QString& word, qsizetype from) {
    if (word.isEmpty())
        return -1;
    qsizetype p = qMax<qsizetype>(from, 0);
    while ((p = text.indexOf(word, p, Qt::CaseSensitive)) >= 0) {
        if (!(p > 0 && text[p].isLowSurrogate() && text[p - 1].isHighSurrogate()))
            return p;
        ++p;
    }
    return -1;
}

bool ContainsText(const QString& text, const QString& word) { return FindText(text, word) >= 0; }

QString ReplaceAllText(const QString& text, const QString& word, const QString& replacement) {
    qsizetype p = FindText(text, word);
    if (p < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype done = 0;
    while (p >= 0) {
        result += QStringView(text).mid(done, p - done);
        result += replacement;
        done = p + word.size();
        p = FindText(text, word, done);
    }
    result += QStringView(text).mid(done);
    return result;
}
